// The "Tarn.cfg" reader on any text: it must stay inside its buffers, and whatever it made of the
// text must survive a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Settings.h"
#include "base/TarnCfg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Bytes as the units of the text; the file's code page conversion gives any unit it likes.
  std::u16string text(data, data + size);
  tarn::SetDefaults();
  tarn::ReadTarnCfg(text);
  const tarn::SaveStamp stamp{2026, 1, 2, 3, 4, 5};
  const std::u16string first = tarn::WriteTarnCfg(stamp);
  tarn::SetDefaults();
  tarn::ReadTarnCfg(first);
  if (tarn::WriteTarnCfg(stamp) != first) std::abort();
  return 0;
}
