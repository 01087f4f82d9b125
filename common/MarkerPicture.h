// The 64 x 64 marker picture every plug-in draws when it has no real picture to give: the
// "[UNICODE]" placeholder of TarnBmp and TarnGif, and TarnCatch's marker for a caught file. One
// frame for all of them: background, a 32 x 32 glyph in the centre, 24 bits, bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "PictureMemory.h"

namespace tarn {

constexpr int kMarkerSide = 64;
constexpr int kMarkerGlyphSide = 32;
constexpr int kMarkerGlyphOrigin = 16;  // the glyph covers columns and rows 16 to 47
constexpr std::size_t kMarkerPixelBytes = kMarkerSide * kMarkerSide * 3;  // 0x3000
// The size of a 64 x 64 24-bit BMP file; reserved before the picture is built.
constexpr std::size_t kMarkerWorkBytes = 14 + 40 + kMarkerPixelBytes;

// How one marker looks. Glyph indices 3 to 6 have fixed colours, 8 is the background, and every
// other index takes `other`. Colours are blue, green, red.
struct MarkerStyle {
  std::uint8_t background[3];
  std::uint8_t other[3];
  const std::uint8_t* glyph;  // 32 x 32 colour indices, bottom row first
};

// Blue, green, red of glyph colour `index` in `style`.
void MarkerColour(const MarkerStyle& style, std::uint8_t index, std::uint8_t bgr[3]);

// Builds the marker into `memory`: progress (0, 1) first, the work block, the two blocks (40 and
// 12288 bytes), the pixels, progress (1, 1) last. Answers a plug-in return code; on anything but
// kSpiOk nothing is held.
int BuildMarkerPicture(PictureMemory& memory, ProgressReport* progress, const MarkerStyle& style);

}  // namespace tarn
