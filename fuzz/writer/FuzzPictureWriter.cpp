// The writer's readers of a picture header: the JPEG row source and the BMP layout, on a header
// block and a pixel block cut from the input. Neither may read outside either block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/BmpFileLayout.h"
#include "image/JpegRowSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte says where the header block ends; each block gets a buffer of its exact size.
  const std::size_t split = std::min<std::size_t>(size - 1, 40 + data[0] * 4u);
  const std::vector<std::uint8_t> info(data + 1, data + 1 + split);
  const std::vector<std::uint8_t> bits(data + 1 + split, data + size);
  tarn::JpegRowSource source;
  if (source.Setup(info.data(), info.size(), bits.data(), bits.size()) == tarn::kRowSourceReady) {
    // A few rows are enough to reach every conversion; a tall header would only cost time.
    for (int i = 0; i < 64 && source.NextRow() != nullptr; ++i) {
    }
  }
  tarn::BmpFileLayout layout;
  tarn::MakeBmpFileLayout(info.data(), info.size(), layout);
  return 0;
}
