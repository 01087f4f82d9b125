// The BMP size box's text and folder names of any UTF-16 units: a size is taken only when it is 0
// or lies in 160 to 480, and nothing reads past the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "catalog/save/ThumbSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
  int value = -1;
  if (tarn::ParseBmpSize(text, value) &&
      value != 0 && (value < tarn::kBmpSizeLowest || value > tarn::kBmpSizeHighest))
    std::abort();
  tarn::IsThumbSourceFolder(text);
  return 0;
}
