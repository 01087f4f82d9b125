// The writer's readers of a picture header: the JPEG row source and the BMP layout, whole and cut
// to a shown part, on a header block and a pixel block cut from the input. None may read outside
// either block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/DibLayout.h"
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
  if (tarn::MakeBmpFileLayout(info.data(), info.size(), layout) == 0 || bits.size() < layout.imageBytes || size < 6)
    return 0;
  // The view comes from the last bytes: any client size and scroll position, wild ones included.
  const std::uint8_t* tail = data + size - 4;
  const tarn::ShownView view{tail[0] * 8 - 64, tail[1] * 8 - 64, tail[2] * 16 - 512, tail[3] * 16 - 512};
  tarn::BmpFileLayout shown;
  tarn::PicturePart part;
  if (tarn::MakeShownBmpFileLayout(info.data(), info.size(), view, shown, part) == 0) return 0;
  const int bytes = tarn::LoadDibHeader(info.data()).biBitCount / 8;
  volatile std::uint8_t sink = 0;
  for (int row = 0; row < part.rows && part.width > 0; ++row) {
    const std::uint64_t offset = tarn::PartRowOffset(info.data(), part, row);
    const std::uint64_t used = static_cast<std::uint64_t>(part.width) * bytes;
    if (used > 0) sink = sink + bits.at(offset) + bits.at(offset + used - 1);
  }
  return 0;
}
