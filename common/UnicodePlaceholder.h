// The picture a plug-in serves for a "[UNICODE]" name: the host could not give it the real path
// (the name has characters without a code-page-932 form), so the file cannot be opened by name.
#pragma once

#include <cstddef>
#include <cstdint>

#include "PictureMemory.h"

namespace tarn {

constexpr int kPlaceholderSide = 64;
constexpr std::size_t kPlaceholderPixelBytes = 64 * 64 * 3;  // 0x3000
// The size of a 64 x 64 24-bit BMP file; reserved before the picture is built.
constexpr std::size_t kPlaceholderWorkBytes = 14 + 40 + kPlaceholderPixelBytes;

// Background of the placeholder as blue, green, red.
constexpr std::uint8_t kPlaceholderBackground[3] = {200, 210, 255};

// Colour index of the glyph table at column x, row y (0..31; row 0 is the bottom row).
std::uint8_t PlaceholderGlyphIndex(int x, int y);

// Blue, green, red of a glyph colour index.
void PlaceholderColour(std::uint8_t index, std::uint8_t bgr[3]);

// Builds the 64 x 64 x 24 placeholder into `memory`, honouring the progress report. Answers a
// plug-in return code; on anything but kSpiOk nothing is held.
int BuildPlaceholder(PictureMemory& memory, ProgressReport* progress);

}  // namespace tarn
