// The picture a plug-in serves for a "[UNICODE]" name: the host could not give it the real path
// (the name has characters without a code-page-932 form), so the file cannot be opened by name.
#pragma once

#include <cstddef>
#include <cstdint>

#include "MarkerPicture.h"
#include "PictureMemory.h"

namespace tarn {

constexpr int kPlaceholderSide = kMarkerSide;
constexpr std::size_t kPlaceholderPixelBytes = kMarkerPixelBytes;
constexpr std::size_t kPlaceholderWorkBytes = kMarkerWorkBytes;

// Background of the placeholder as blue, green, red.
constexpr std::uint8_t kPlaceholderBackground[3] = {200, 210, 255};

// Colour index of the glyph table at column x, row y (0..31; row 0 is the bottom row).
std::uint8_t PlaceholderGlyphIndex(int x, int y);

// The placeholder as a marker style: its background, its glyph, and grey for unlisted indices.
// TarnCatch draws the same picture for a "[UNICODE]." name.
const MarkerStyle& PlaceholderStyle();

// Blue, green, red of a glyph colour index.
void PlaceholderColour(std::uint8_t index, std::uint8_t bgr[3]);

// Builds the 64 x 64 x 24 placeholder into `memory`, honouring the progress report. Answers a
// plug-in return code; on anything but kSpiOk nothing is held.
int BuildPlaceholder(PictureMemory& memory, ProgressReport* progress);

}  // namespace tarn
