// The layout of a BMP file written from the current picture: the 14-byte file header, the
// picture's own header (its size field rewritten), its colour table, then the pixel rows.
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

}  // namespace tarn
