// RLE codes against pictures of every small shape: the first three bytes choose width, height
// and RLE8 or RLE4, the rest are the codes.
#include <vector>

#include "common/DibLayout.h"
#include "plugins/bmp/BmpRle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint32_t width = data[0] + 1u;
  const std::uint32_t height = data[1] % 64 + 1u;
  const int bits = data[2] & 1 ? 4 : 8;
  const std::size_t rowBytes = tarn::DibRowBytes(width, bits);
  std::vector<std::uint8_t> block(rowBytes * height);
  const std::vector<std::uint8_t> codes(data + 3, data + size);
  const tarn::bmp::RleTarget target{block.data(), block.size(), rowBytes, width, height};
  if (bits == 8)
    tarn::bmp::ExpandRle8(codes.data(), codes.size(), target);
  else
    tarn::bmp::ExpandRle4(codes.data(), codes.size(), target);
  return 0;
}
