#include "QuarterTurn.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tarn {
namespace {

// Memory row r of the turned picture takes source column x(r); its column c takes source row i(c).
// Clockwise: x = W - 1 - r, i = c. Counter-clockwise: x = r, i = H - 1 - c.
template <bool kClockwise>
struct TurnWalk {
  int srcWidth;
  int srcHeight;
  int SourceColumn(int row) const { return kClockwise ? srcWidth - 1 - row : row; }
  std::ptrdiff_t SourceRow(int column) const { return kClockwise ? column : srcHeight - 1 - column; }
};

// Whole-byte pixels. The turn walks the source down a column, which misses the cache on every
// pixel of a large picture; square tiles keep the rows of one tile in the cache while they are
// read. Sizes are held in locals because the byte stores could alias anything read through a
// reference.
template <int kBytes, bool kClockwise>
void TurnWholeBytes(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  constexpr int kTile = 64;
  const TurnWalk<kClockwise> walk{g.width, g.height};
  const int width = g.width;
  const int height = g.height;
  const std::ptrdiff_t srcStride = static_cast<std::ptrdiff_t>(g.Stride());
  const std::size_t dstStride = g.TransStride();
  for (int r0 = 0; r0 < width; r0 += kTile) {
    const int r1 = std::min(r0 + kTile, width);
    for (int c0 = 0; c0 < height; c0 += kTile) {
      const int c1 = std::min(c0 + kTile, height);
      for (int r = r0; r < r1; ++r) {
        const std::uint8_t* column = src + static_cast<std::ptrdiff_t>(walk.SourceColumn(r)) * kBytes;
        std::uint8_t* d = dst + static_cast<std::size_t>(r) * dstStride +
                          static_cast<std::size_t>(c0) * kBytes;
        for (int c = c0; c < c1; ++c, d += kBytes)
          std::memcpy(d, column + walk.SourceRow(c) * srcStride, kBytes);
      }
    }
  }
}

// 1-bit and 4-bit pixels: each destination byte is built whole from its pixels, so the bits
// past the last pixel of a row stay zero.
template <int kBits, bool kClockwise>
void TurnPackedBits(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  constexpr int kPerByte = 8 / kBits;
  constexpr unsigned kMask = (1u << kBits) - 1;
  const TurnWalk<kClockwise> walk{g.width, g.height};
  const std::ptrdiff_t srcStride = static_cast<std::ptrdiff_t>(g.Stride());
  for (int r = 0; r < g.width; ++r) {
    const int x = walk.SourceColumn(r);
    const unsigned shift = static_cast<unsigned>(8 - kBits - (x % kPerByte) * kBits);
    const std::uint8_t* column = src + x / kPerByte;
    std::uint8_t* d = dst + static_cast<std::size_t>(r) * g.TransStride();
    for (int c0 = 0; c0 < g.height; c0 += kPerByte) {
      const int count = std::min(kPerByte, g.height - c0);
      unsigned byte = 0;
      for (int k = 0; k < count; ++k) {
        const unsigned pixel = (column[walk.SourceRow(c0 + k) * srcStride] >> shift) & kMask;
        byte |= pixel << (8 - kBits - k * kBits);
      }
      *d++ = static_cast<std::uint8_t>(byte);
    }
  }
}

template <bool kClockwise>
void Turn(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  switch (g.bitCount) {
    case 1: TurnPackedBits<1, kClockwise>(src, dst, g); break;
    case 4: TurnPackedBits<4, kClockwise>(src, dst, g); break;
    case 8: TurnWholeBytes<1, kClockwise>(src, dst, g); break;
    case 16: TurnWholeBytes<2, kClockwise>(src, dst, g); break;
    case 24: TurnWholeBytes<3, kClockwise>(src, dst, g); break;
    case 32: TurnWholeBytes<4, kClockwise>(src, dst, g); break;
    default: break;
  }
}

}  // namespace

void QuarterTurn(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g,
                 TurnDirection direction) {
  if (direction == TurnDirection::kClockwise)
    Turn<true>(src, dst, g);
  else
    Turn<false>(src, dst, g);
  for (int r = 0; r < g.width; ++r)
    std::memset(dst + static_cast<std::size_t>(r) * g.TransStride() + g.transRowBytes, 0,
                g.transRowPadding);
}

}  // namespace tarn
