// Turning PNG rows, as libpng delivers them without transformations (samples packed MSB first,
// 16-bit samples big-endian), into DIB rows: palette and grey pictures as 1, 4 or 8-bit palette
// DIBs, colour as 24 bits; 16-bit samples reduced to 8; transparency composited onto white.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/OverWhite.h"

namespace tarn::png {

enum ColourType : int { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgbAlpha = 6 };

// The picture as its header and its PLTE and tRNS chunks describe it.
struct PngLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int colourType = kGrey;
  int bitDepth = 8;
  // PLTE entries (red, green, blue) and their tRNS alphas (255 beyond the tRNS entries).
  int paletteEntries = 0;
  std::uint8_t palette[256][3] = {};
  std::uint8_t paletteAlpha[256] = {};
  // tRNS of grey and colour pictures: the one sample value (at the file's depth) that is clear.
  bool hasKey = false;
  std::uint16_t keyGrey = 0, keyRed = 0, keyGreen = 0, keyBlue = 0;
};

// Bits per pixel of the DIB the picture becomes: 1, 4, 8 or 24. 0 for a colour type and depth
// that PNG does not allow.
int DibBitCount(const PngLayout& layout);

// Writes the colour table of the DIB (entries of blue, green, red, 0) into `table`, which holds
// PaletteEntries(DibBitCount(layout)) entries; entries the picture does not use are 0.
void BuildColourTable(const PngLayout& layout, std::uint8_t* table);

// Converts one row of `layout.width` pixels. `dib` holds DibRowBytes(width, DibBitCount) bytes,
// padding included; the padding is cleared.
void ConvertRow(const PngLayout& layout, const std::uint8_t* raw, std::uint8_t* dib, std::size_t dibRowBytes);

// A 16-bit sample to 8 bits, rounded.
constexpr std::uint8_t To8(std::uint32_t sample16) {
  return static_cast<std::uint8_t>((sample16 * 255u + 32767u) / 65535u);
}

}  // namespace tarn::png
