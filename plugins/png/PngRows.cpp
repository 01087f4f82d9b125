#include "PngRows.h"

#include <cstring>

#include "common/DibLayout.h"

namespace tarn::png {
namespace {

std::uint16_t Sample16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

// Sample `x` of a row of packed samples of `depth` bits (1, 2, 4 or 8), left pixel in the high bits.
unsigned Packed(const std::uint8_t* raw, std::uint32_t x, int depth) {
  const unsigned perByte = 8u / static_cast<unsigned>(depth);
  const unsigned shift = 8u - static_cast<unsigned>(depth) * (x % perByte + 1);
  return raw[x / perByte] >> shift & ((1u << depth) - 1);
}

void StorePacked(std::uint8_t* dib, std::uint32_t x, int depth, unsigned value) {
  const unsigned perByte = 8u / static_cast<unsigned>(depth);
  const unsigned shift = 8u - static_cast<unsigned>(depth) * (x % perByte + 1);
  dib[x / perByte] = static_cast<std::uint8_t>(dib[x / perByte] | value << shift);
}

// Grey samples of 1, 2, 4, 8 or 16 bits as palette indices. A 2-bit picture becomes a 4-bit DIB,
// 16 bits become 8; the clear sample of a tRNS key becomes the white entry.
void GreyRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib) {
  const int depth = l.bitDepth;
  const int outDepth = depth == 2 ? 4 : depth == 16 ? 8 : depth;
  const unsigned white = depth >= 8 ? 255u : (1u << depth) - 1;
  for (std::uint32_t x = 0; x < l.width; ++x) {
    unsigned sample, index;
    if (depth == 16) {
      sample = Sample16(raw + 2 * x);
      index = To8(sample);
    } else {
      sample = Packed(raw, x, depth);
      index = sample;
    }
    if (l.hasKey && sample == l.keyGrey) index = white;
    if (outDepth == 8) dib[x] = static_cast<std::uint8_t>(index);
    else StorePacked(dib, x, outDepth, index);
  }
}

void PaletteRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib) {
  if (l.bitDepth == 2) {
    for (std::uint32_t x = 0; x < l.width; ++x) StorePacked(dib, x, 4, Packed(raw, x, 2));
  } else {
    // 1, 4 and 8-bit indices are packed in a DIB exactly as in PNG.
    std::memcpy(dib, raw, (static_cast<std::size_t>(l.width) * l.bitDepth + 7) / 8);
  }
}

void RgbRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib) {
  const bool deep = l.bitDepth == 16;
  const std::size_t step = deep ? 6 : 3;
  for (std::uint32_t x = 0; x < l.width; ++x, raw += step, dib += 3) {
    unsigned r, g, b;
    if (deep) {
      r = Sample16(raw);
      g = Sample16(raw + 2);
      b = Sample16(raw + 4);
    } else {
      r = raw[0];
      g = raw[1];
      b = raw[2];
    }
    if (l.hasKey && r == l.keyRed && g == l.keyGreen && b == l.keyBlue) {
      dib[0] = dib[1] = dib[2] = 255;
    } else if (deep) {
      dib[0] = To8(b);
      dib[1] = To8(g);
      dib[2] = To8(r);
    } else {
      dib[0] = static_cast<std::uint8_t>(b);
      dib[1] = static_cast<std::uint8_t>(g);
      dib[2] = static_cast<std::uint8_t>(r);
    }
  }
}

void GreyAlphaRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib) {
  for (std::uint32_t x = 0; x < l.width; ++x) {
    if (l.bitDepth == 16) dib[x] = To8(OverWhite16(Sample16(raw + 4 * x), Sample16(raw + 4 * x + 2)));
    else dib[x] = OverWhite8(raw[2 * x], raw[2 * x + 1]);
  }
}

void RgbAlphaRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib) {
  for (std::uint32_t x = 0; x < l.width; ++x, dib += 3) {
    if (l.bitDepth == 16) {
      const std::uint8_t* p = raw + 8 * static_cast<std::size_t>(x);
      const std::uint16_t a = Sample16(p + 6);
      dib[0] = To8(OverWhite16(Sample16(p + 4), a));
      dib[1] = To8(OverWhite16(Sample16(p + 2), a));
      dib[2] = To8(OverWhite16(Sample16(p), a));
    } else {
      const std::uint8_t* p = raw + 4 * static_cast<std::size_t>(x);
      dib[0] = OverWhite8(p[2], p[3]);
      dib[1] = OverWhite8(p[1], p[3]);
      dib[2] = OverWhite8(p[0], p[3]);
    }
  }
}

}  // namespace

int DibBitCount(const PngLayout& l) {
  const int d = l.bitDepth;
  switch (l.colourType) {
    case kGrey:
      return d == 1 ? 1 : d == 2 || d == 4 ? 4 : d == 8 || d == 16 ? 8 : 0;
    case kPalette:
      return d == 1 ? 1 : d == 2 || d == 4 ? 4 : d == 8 ? 8 : 0;
    case kGreyAlpha:
      return d == 8 || d == 16 ? 8 : 0;
    case kRgb:
    case kRgbAlpha:
      return d == 8 || d == 16 ? 24 : 0;
    default:
      return 0;
  }
}

void BuildColourTable(const PngLayout& l, std::uint8_t* table) {
  const int bits = DibBitCount(l);
  const std::uint32_t entries = PaletteEntries(bits);
  if (entries == 0) return;
  std::memset(table, 0, entries * 4);
  if (l.colourType == kPalette) {
    for (int i = 0; i < l.paletteEntries && i < static_cast<int>(entries); ++i) {
      const unsigned a = l.paletteAlpha[i];
      table[4 * i + 0] = OverWhite8(l.palette[i][2], a);
      table[4 * i + 1] = OverWhite8(l.palette[i][1], a);
      table[4 * i + 2] = OverWhite8(l.palette[i][0], a);
    }
    return;
  }
  // Grey: the levels of the file's depth spread over 0..255 (8 bits and more: all 256 levels).
  const unsigned levels = l.colourType == kGrey && l.bitDepth < 8 ? 1u << l.bitDepth : 256u;
  for (unsigned i = 0; i < levels; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / (levels - 1));
    table[4 * i + 0] = table[4 * i + 1] = table[4 * i + 2] = v;
  }
}

void ConvertRow(const PngLayout& l, const std::uint8_t* raw, std::uint8_t* dib, std::size_t dibRowBytes) {
  std::memset(dib, 0, dibRowBytes);
  switch (l.colourType) {
    case kGrey: GreyRow(l, raw, dib); break;
    case kPalette: PaletteRow(l, raw, dib); break;
    case kRgb: RgbRow(l, raw, dib); break;
    case kGreyAlpha: GreyAlphaRow(l, raw, dib); break;
    case kRgbAlpha: RgbAlphaRow(l, raw, dib); break;
    default: break;
  }
}

}  // namespace tarn::png
