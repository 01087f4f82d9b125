// Writing a BMP file laid out by BmpFileLayout to an open file: the whole picture, or the part
// of it a wallpaper keeps, row by row.
#pragma once

#include <windows.h>

#include <cstdint>

#include "image/BmpFileLayout.h"

namespace tarn {

// The file header and picture header of `layout`, the colour table that follows the header in
// `info`, then the pixels: all of `bits` as the layout counts them, or, when `part` has a width,
// that part of the picture whose rows `bits` holds. 1 written, -1 when a write failed.
int WriteBmpFile(HANDLE file, const BmpFileLayout& layout, const std::uint8_t* info, const void* bits,
                 const PicturePart& part);

}  // namespace tarn
