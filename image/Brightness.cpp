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
  const ByteMap map = ClampedOffset(offset);
  for (int row = 0; row < g.height; ++row) {
    const std::size_t start = static_cast<std::size_t>(row) * g.Stride();
    for (std::size_t i = start; i < start + g.rowBytes; ++i) dst[i] = map[src[i]];
  }
}

}  // namespace tarn
