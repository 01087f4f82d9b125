// Decoding a whole BMP file held in memory into the picture the plug-in delivers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::bmp {

// Decodes `size` bytes of BMP file at `file` into `memory`. Answers kSpiOk with the picture held
// by `memory`, or a plug-in return code with nothing held:
//   2  shorter than the header, the header test fails, the pixel data offset lies past the data,
//      or the file ends before the colour masks its header announces
//   1  the progress report stopped the call
//   4  the pixel block would pass kMaxPixelBlockBytes, or the picture blocks could not be allocated
//   5  locked, or no RLE work buffer
// Pixel data that ends early leaves the missing rows 0; a colour table cut short by the end of
// the data leaves the missing entries 0.
int DecodeBmp(const std::uint8_t* file, std::size_t size, PictureMemory& memory,
              ProgressReport* progress);

}  // namespace tarn::bmp
