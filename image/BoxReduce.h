// Reducing a large picture by a whole factor before GDI stretches it: each new pixel is the exact
// average of the block of pixels it stands for (blocks at the right and bottom edges are as large
// as the picture leaves them). GDI's half-tone stretch of a many-megapixel DIB down to a few
// hundred pixels is slow under Wine and samples rather than averages; a stretch of the reduced
// picture is fast and looks the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

// A DIB as it lies in memory, read only: rows padded to four bytes, bottom row first when
// `bottomUp`. `palette` holds `paletteEntries` blue-green-red-reserved entries for 1, 4 and 8
// bits; 16 bits is five bits each of red, green and blue; 32 bits ignores the fourth byte.
struct DibPixels {
  int width = 0;
  int height = 0;
  bool bottomUp = true;
  int bitCount = 0;
  const std::uint8_t* palette = nullptr;
  std::uint32_t paletteEntries = 0;
  const std::uint8_t* bits = nullptr;
  std::size_t bitsSize = 0;
};

// A reduced picture: 24-bit blue-green-red rows padded to four bytes, bottom row first.
struct ReducedPicture {
  int width = 0;
  int height = 0;
  int factor = 1;
  std::vector<std::uint8_t> bits;
};

// The largest whole factor that leaves a source area of `width` x `height` at least `times` the
// `targetWidth` x `targetHeight` it is drawn at: 1 when no reduction of 2 or more does.
int BoxFactor(int width, int height, int targetWidth, int targetHeight, int times);

// Reduces `picture` by `factor` (2 or more) into `out`, whose block is reused when it is large
// enough (fresh memory is slow to touch under Wine). False, with `out` empty, when the picture
// is of a kind this does not read (another bit count, an empty picture, blocks smaller than its
// size asks for): the caller then draws the picture as it is. Palette indexes past the table read
// as black.
bool BoxReduce(const DibPixels& picture, int factor, ReducedPicture& out);

// A rectangle of a picture of `fromWidth` x `fromHeight` carried over to the same picture at
// `toWidth` x `toHeight`, its edges rounded to the nearest pixel.
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};
PixelRect ScalePixelRect(const PixelRect& rect, int fromWidth, int fromHeight, int toWidth, int toHeight);

}  // namespace tarn
