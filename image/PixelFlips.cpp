#include "PixelFlips.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace tarn {
namespace {

constexpr std::array<std::uint8_t, 256> kBitReversed = [] {
  std::array<std::uint8_t, 256> table{};
  for (unsigned v = 0; v < 256; ++v) {
    unsigned r = 0;
    for (unsigned bit = 0; bit < 8; ++bit)
      if (v & (1u << bit)) r |= 0x80u >> bit;
    table[v] = static_cast<std::uint8_t>(r);
  }
  return table;
}();

// Reversing the bits of the row's bytes puts the unused bits of the last byte in front; shifting
// the whole row left by their number makes column 0 the first bit again and leaves them at the end.
void ReverseOneBitRow(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  const std::size_t n = g.rowBytes;
  const unsigned unused = static_cast<unsigned>((8 - g.width % 8) % 8);
  for (std::size_t j = 0; j < n; ++j) {
    const unsigned here = kBitReversed[src[n - 1 - j]];
    const unsigned next = j + 1 < n ? kBitReversed[src[n - 2 - j]] : 0u;
    dst[j] = static_cast<std::uint8_t>(unused == 0 ? here : (here << unused | next >> (8 - unused)));
  }
}

// With an even width the nibbles of each byte swap places. With an odd width the last byte's low
// nibble is padding, so each destination byte takes the high nibble of its mirror byte and the
// low nibble of the byte before that; the last destination byte has no such byte and ends in 0.
void ReverseFourBitRow(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  const std::size_t n = g.rowBytes;
  if (g.width % 2 == 0) {
    for (std::size_t j = 0; j < n; ++j) {
      const unsigned b = src[n - 1 - j];
      dst[j] = static_cast<std::uint8_t>((b << 4 | b >> 4) & 0xFF);
    }
    return;
  }
  for (std::size_t j = 0; j < n; ++j) {
    const unsigned high = src[n - 1 - j] & 0xF0u;
    const unsigned low = j + 1 < n ? src[n - 2 - j] & 0x0Fu : 0u;
    dst[j] = static_cast<std::uint8_t>(high | low);
  }
}

template <int kBytes>
void ReverseWholeBytesRow(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  const std::uint8_t* s = src + g.rowBytes;
  for (int x = 0; x < g.width; ++x, dst += kBytes) {
    s -= kBytes;
    std::memcpy(dst, s, kBytes);
  }
}

void ReverseRow(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  switch (g.bitCount) {
    case 1: ReverseOneBitRow(src, dst, g); break;
    case 4: ReverseFourBitRow(src, dst, g); break;
    case 8: ReverseWholeBytesRow<1>(src, dst, g); break;
    case 16: ReverseWholeBytesRow<2>(src, dst, g); break;
    case 24: ReverseWholeBytesRow<3>(src, dst, g); break;
    case 32: ReverseWholeBytesRow<4>(src, dst, g); break;
    default: return;
  }
  std::memset(dst + g.rowBytes, 0, g.rowPadding);
}

// Bits of the last byte past the last pixel, and the padding bytes: whatever the loader left
// there is not carried into the work buffer.
void CopyRowClearingPadding(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  std::memcpy(dst, src, g.rowBytes);
  const unsigned usedBits = static_cast<unsigned>(
      (static_cast<unsigned long long>(g.width) * static_cast<unsigned>(g.bitCount)) % 8);
  if (usedBits != 0) dst[g.rowBytes - 1] &= static_cast<std::uint8_t>(0xFF00u >> usedBits);
  std::memset(dst + g.rowBytes, 0, g.rowPadding);
}

std::size_t RowOffset(const TransformGeometry& g, int row) {
  return static_cast<std::size_t>(row) * g.Stride();
}

}  // namespace

void FlipTopBottom(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  for (int i = 0; i < g.height; ++i)
    CopyRowClearingPadding(src + RowOffset(g, i), dst + RowOffset(g, g.height - 1 - i), g);
}

void FlipLeftRight(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  for (int i = 0; i < g.height; ++i) ReverseRow(src + RowOffset(g, i), dst + RowOffset(g, i), g);
}

void HalfTurn(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& g) {
  for (int i = 0; i < g.height; ++i)
    ReverseRow(src + RowOffset(g, i), dst + RowOffset(g, g.height - 1 - i), g);
}

}  // namespace tarn
