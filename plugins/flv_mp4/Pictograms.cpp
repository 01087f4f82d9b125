// The pictograms TarnFlv and TarnMp4 show for their files in the catalog: the format's letters over
// a landscape, one character per pixel, top row first. "." is the background, "r" the letters
// (grey for a "[UNICODE]" name), "d" dark red, "y" yellow, "g" dark and "G" light green.
#include "PlayerRules.h"

namespace tarn::player {
namespace {

constexpr int kLetterRows = 17;

// The top rows: the format's letters.
constexpr const char* kFlvLetters[kLetterRows] = {
    "................................",
    "................................",
    ".rrrrrrrrr..rrr........rrr...rrr",
    ".rrrrrrrrr..rrr........rrr...rrr",
    ".rrrrrrrrr..rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrrrrr.....rrr........rrr...rrr",
    ".rrrrrr.....rrr........rrr...rrr",
    ".rrrrrr.....rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrr........rrr........rrr...rrr",
    ".rrr........rrrrrrrrr.....rrr...",
    ".rrr........rrrrrrrrr.....rrr...",
    ".rrr........rrrrrrrrr.....rrr...",
};

constexpr const char* kMp4Letters[kLetterRows] = {
    "................................",
    "................................",
    ".rrr...rrr..rrrrrr.....rrr...rrr",
    ".rrr...rrr..rrrrrr.....rrr...rrr",
    ".rrr...rrr..rrrrrr.....rrr...rrr",
    ".rrrrrrrrr..rrr...rrr..rrr...rrr",
    ".rrrrrrrrr..rrr...rrr..rrr...rrr",
    ".rrrrrrrrr..rrr...rrr..rrr...rrr",
    ".rrrrrrrrr..rrrrrr.....rrrrrrrrr",
    ".rrrrrrrrr..rrrrrr.....rrrrrrrrr",
    ".rrrrrrrrr..rrrrrr.....rrrrrrrrr",
    ".rrr...rrr..rrr..............rrr",
    ".rrr...rrr..rrr..............rrr",
    ".rrr...rrr..rrr..............rrr",
    ".rrr...rrr..rrr..............rrr",
    ".rrr...rrr..rrr..............rrr",
    ".rrr...rrr..rrr..............rrr",
};

// The bottom rows, the same for both: sun, hills and a dark edge.
constexpr const char* kLandscape[kPictogramSide - kLetterRows] = {
    "................................",
    "................................",
    "........................yyy.....",
    ".......................yyyyy....",
    "....GGGGGGGGG..........yyyyy....",
    "..GGGGGGGGGGGGG........yyyyy....",
    ".GGGGGGGGGGGGGGG........yyy.....",
    "GGGGGGGGGGGGGGGGGG............GG",
    "ggggGGGGGGGGGGGGgggggg......GGGG",
    "gggggGGGGGGGGGGgggggggggGGGGGGGG",
    "gggggggGGGGGGgggggggggggggGGGGGG",
    "gggggggggggggggggggggggggggggggg",
    "gggggggggggggggggggggggggggggggg",
    "gggggggggggggggggggggggggggggggg",
    "dddddddddddddddddddddddddddddddd",
};

std::uint8_t CodeOf(char c) {
  switch (c) {
    case 'd': return 3;
    case 'y': return 4;
    case 'g': return 5;
    case 'G': return 6;
    case '.': return 8;
    default: return 1;
  }
}

}  // namespace

std::uint8_t PictogramCode(Library library, int x, int y) {
  const int row = kPictogramSide - 1 - y;  // top row first
  if (row >= kLetterRows) return CodeOf(kLandscape[row - kLetterRows][x]);
  return CodeOf((library == Library::kFlv ? kFlvLetters : kMp4Letters)[row][x]);
}

}  // namespace tarn::player
