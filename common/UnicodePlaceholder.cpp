#include "UnicodePlaceholder.h"

#include <array>

namespace tarn {
namespace {

constexpr int kGlyphSide = kMarkerGlyphSide;

// Rows run bottom row first, as in the DIB; the drawing is symmetric, so it reads the same here.
// '.' background, '#' frame, 'o' card, ' ' rim, 'g' and 'G' the two greens of the mark.
constexpr const char* kGlyphArt[kGlyphSide] = {
    "................................",
    "..############################..",
    ".##oooooooooooooooooooooooooo##.",
    ".#oooooooooooooooooooooooooooo#.",
    ".#oooooooooooooooooooooooooooo#.",
    ".#ooooooooooooo  ooooooooooooo#.",
    ".#oooooooooooo gg oooooooooooo#.",
    ".#ooooooooooo gggg ooooooooooo#.",
    ".#oooooooooo gggggg oooooooooo#.",
    ".#ooooooooo gggggggg ooooooooo#.",
    ".#oooooooo ggggGGgggg oooooooo#.",
    ".#ooooooo ggggGGGGgggg ooooooo#.",
    ".#oooooo ggggGGGGGGgggg oooooo#.",
    ".#ooooo ggggGGGGGGGGgggg ooooo#.",
    ".#oooo ggggGGGGGGGGGGgggg oooo#.",
    ".#ooo ggggGGGGGGGGGGGGgggg ooo#.",
    ".#ooo ggggGGGGGGGGGGGGgggg ooo#.",
    ".#oooo ggggGGGGGGGGGGgggg oooo#.",
    ".#ooooo ggggGGGGGGGGgggg ooooo#.",
    ".#oooooo ggggGGGGGGgggg oooooo#.",
    ".#ooooooo ggggGGGGgggg ooooooo#.",
    ".#oooooooo ggggGGgggg oooooooo#.",
    ".#ooooooooo gggggggg ooooooooo#.",
    ".#oooooooooo gggggg oooooooooo#.",
    ".#ooooooooooo gggg ooooooooooo#.",
    ".#oooooooooooo gg oooooooooooo#.",
    ".#ooooooooooooo  ooooooooooooo#.",
    ".#oooooooooooooooooooooooooooo#.",
    ".#oooooooooooooooooooooooooooo#.",
    ".##oooooooooooooooooooooooooo##.",
    "..############################..",
    "................................",
};

constexpr std::uint8_t IndexOfArt(char c) {
  switch (c) {
    case '#': return 3;
    case 'o': return 4;
    case 'g': return 5;
    case 'G': return 6;
    case '.': return 8;
    default: return 0;
  }
}

// The table of 1024 colour indices, one byte a pixel.
constexpr std::array<std::uint8_t, kGlyphSide * kGlyphSide> kGlyph = [] {
  std::array<std::uint8_t, kGlyphSide * kGlyphSide> table{};
  for (int y = 0; y < kGlyphSide; ++y)
    for (int x = 0; x < kGlyphSide; ++x) table[y * kGlyphSide + x] = IndexOfArt(kGlyphArt[y][x]);
  return table;
}();

}  // namespace

std::uint8_t PlaceholderGlyphIndex(int x, int y) { return kGlyph[y * kGlyphSide + x]; }

const MarkerStyle& PlaceholderStyle() {
  static const MarkerStyle kStyle{{200, 210, 255}, {200, 200, 200}, kGlyph.data()};
  return kStyle;
}

void PlaceholderColour(std::uint8_t index, std::uint8_t bgr[3]) {
  MarkerColour(PlaceholderStyle(), index, bgr);
}

int BuildPlaceholder(PictureMemory& memory, ProgressReport* progress) {
  return BuildMarkerPicture(memory, progress, PlaceholderStyle());
}

}  // namespace tarn
