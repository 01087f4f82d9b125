#include "Brightness.h"

#include <array>
#include <cstddef>

namespace tarn {
namespace {

using ByteMap = std::array<std::uint8_t, 256>;

ByteMap ClampedOffset(int offset) {
  ByteMap map{};
  for (int v = 0; v < 256; ++v) {
    const int moved = v + offset;
    map[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(moved < 0 ? 0 : moved > 255 ? 255 : moved);
  }
  return map;
}

}  // namespace

void BrightenPalette(const std::uint8_t* loaded, std::uint8_t* table, std::uint32_t entries,
                     int offset) {
  const ByteMap map = ClampedOffset(offset);
  for (std::size_t i = 0; i < std::size_t{entries} * 4; ++i)
    table[i] = i % 4 == 3 ? loaded[i] : map[loaded[i]];
}

void BrightenPixels(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g,
                    int offset) {
  // Written as saturating adds and subtracts rather than through the table, so that the compiler
  // can do many bytes at once: this runs over every byte of the picture.
  const unsigned step = static_cast<unsigned>(offset < 0 ? -offset : offset) > 255
                            ? 255u
                            : static_cast<unsigned>(offset < 0 ? -offset : offset);
  const std::uint8_t ceiling = static_cast<std::uint8_t>(255 - step);
  // Held in locals: the byte stores below could otherwise alias the geometry and be re-read.
  const std::size_t rowBytes = g.rowBytes;
  const std::size_t stride = g.Stride();
  for (int row = 0; row < g.height; ++row) {
    const std::size_t start = static_cast<std::size_t>(row) * stride;
    const std::uint8_t* s = src + start;
    std::uint8_t* d = dst + start;
    if (offset >= 0) {
      for (std::size_t i = 0; i < rowBytes; ++i)
        d[i] = static_cast<std::uint8_t>(s[i] > ceiling ? 255u : s[i] + step);
    } else {
      for (std::size_t i = 0; i < rowBytes; ++i)
        d[i] = static_cast<std::uint8_t>(s[i] < step ? 0u : s[i] - step);
    }
  }
}

}  // namespace tarn
