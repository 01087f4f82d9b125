// The layout of a BMP file written from the current picture: the 14-byte file header, the
// picture's own header (its size field rewritten), its colour table, then the pixel rows. A
// wallpaper takes only the part of the picture the view shows, a little wider and higher.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

struct BmpFileLayout {
  std::vector<std::uint8_t> head;  // file header, then the picture header with biSizeImage rewritten
  std::size_t tableBytes = 0;      // colour-table bytes that follow the picture header in its block
  std::uint64_t imageBytes = 0;    // pixel bytes that follow the table
};

// 1 after filling `layout` from the picture's header block (`info`, `infoSize` bytes, which must
// hold the header and its whole colour table); 0 without a header, with a header whose biSize is
// not 40, or with one whose file would pass the 4 GB a BMP can describe.
int MakeBmpFileLayout(const std::uint8_t* info, std::size_t infoSize, BmpFileLayout& layout);

// What the view shows of a picture drawn at its own size: the client area and the scroll position.
struct ShownView {
  int clientWidth = 0;
  int clientHeight = 0;
  int scrollX = 0;
  int scrollY = 0;
};

// A part of a picture: `width` pixels from column `x`, `rows` screen rows from row `top` (row 0
// at the top, whichever way the rows lie in memory).
struct PicturePart {
  int x = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
};

// The part of a `width` x `rows` picture kept for the shown view: 16 pixels more than the client
// each way where the picture has them, from the scroll position, moved back by 16 where that runs
// past the picture's edge (and never outside the picture, whatever the view says).
PicturePart ShownPartOf(int width, int rows, const ShownView& view);

// Mode 1 of the writer: the layout of the BMP of `view`'s shown part, set in `part`. Pictures of
// 8 bits or more without run-length compression are cut to the part; others keep their whole
// size and `part` is left empty (no width). Answers as MakeBmpFileLayout.
int MakeShownBmpFileLayout(const std::uint8_t* info, std::size_t infoSize, const ShownView& view,
                           BmpFileLayout& layout, PicturePart& part);

// Where file row `fileRow` (in the order the file keeps its rows) of `part` starts in the pixels
// of the picture whose header is `info`; rows are the picture's own, padded to four bytes.
std::uint64_t PartRowOffset(const std::uint8_t* info, const PicturePart& part, int fileRow);

}  // namespace tarn
