#include "UnicodePlaceholder.h"

#include <array>
#include <cstring>

#include "DibLayout.h"
#include "PluginCodes.h"

namespace tarn {
namespace {

constexpr int kGlyphSide = 32;
constexpr int kGlyphOrigin = 16;  // the glyph covers columns and rows 16 to 47

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

void DrawPlaceholder(std::uint8_t* pixels) {
  constexpr int kRowBytes = kPlaceholderSide * 3;
  for (int y = 0; y < kPlaceholderSide; ++y) {
    std::uint8_t* p = pixels + y * kRowBytes;
    for (int x = 0; x < kPlaceholderSide; ++x, p += 3) {
      const bool inGlyph = x >= kGlyphOrigin && x < kGlyphOrigin + kGlyphSide &&
                           y >= kGlyphOrigin && y < kGlyphOrigin + kGlyphSide;
      if (inGlyph)
        PlaceholderColour(PlaceholderGlyphIndex(x - kGlyphOrigin, y - kGlyphOrigin), p);
      else
        std::memcpy(p, kPlaceholderBackground, 3);
    }
  }
}

}  // namespace

std::uint8_t PlaceholderGlyphIndex(int x, int y) { return kGlyph[y * kGlyphSide + x]; }

void PlaceholderColour(std::uint8_t index, std::uint8_t bgr[3]) {
  static constexpr std::uint8_t kColours[][3] = {
      {0, 0, 120}, {30, 255, 255}, {0, 140, 0}, {0, 240, 0}, {200, 200, 200}};
  const std::uint8_t* c = index == 3   ? kColours[0]
                          : index == 4 ? kColours[1]
                          : index == 5 ? kColours[2]
                          : index == 6 ? kColours[3]
                          : index == 8 ? kPlaceholderBackground
                                       : kColours[4];
  std::memcpy(bgr, c, 3);
}

int BuildPlaceholder(PictureMemory& memory, ProgressReport* progress) {
  if (ProgressStops(progress, 0, 1)) return kSpiStopped;
  // The plug-ins have always reserved the room of a whole BMP file before building this picture;
  // a machine that cannot spare it gets the answer 4 rather than a half-built picture.
  std::uint8_t* work = memory.AllocateWork(kPlaceholderWorkBytes);
  if (work == nullptr) return kSpiNoMemory;
  const int allocated = memory.AllocatePicture(kDibHeaderBytes, kPlaceholderPixelBytes);
  memory.ReleaseWork(work);
  if (allocated != kSpiOk) return allocated;

  DibHeader header;
  header.biWidth = kPlaceholderSide;
  header.biHeight = kPlaceholderSide;
  header.biBitCount = 24;
  StoreDibHeader(header, memory.Info());
  DrawPlaceholder(memory.Pixels());

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

}  // namespace tarn
