// The TreeList loader on arbitrary text: no read outside the text, no unbounded growth, and what
// loads writes back and loads again to the same items.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "folders/TreeList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int position = data[0];
  std::u16string text;
  for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  tarn::TreeListContent read;
  if (tarn::ReadTreeList(text, position, read) != tarn::TreeListRead::kLoaded) return 0;
  if (read.selected < 0 || static_cast<std::size_t>(read.selected) >= read.items.size()) std::abort();
  // A label holding "/" is read back split at its slash; folder names never hold one.
  for (const tarn::TreeListItem& item : read.items)
    if (item.label.find(u'/') != std::u16string::npos) return 0;
  tarn::TreeListContent again;
  if (tarn::ReadTreeList(tarn::WriteTreeList(read.items, 0), position, again) != tarn::TreeListRead::kLoaded) std::abort();
  if (again.items.size() != read.items.size()) std::abort();
  return 0;
}
