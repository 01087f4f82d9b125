// Compresses the current picture into an open file with libjpeg: RGB input from JpegRowSource,
// the library's defaults, the quality with baseline tables forced, and the picture's density.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace tarn {

enum JpegCompressResult : int {
  kJpegWritten = 1,
  kJpegFailed = 0,  // libjpeg stopped, usually because the file could not be written
  // Negative: the picture was refused before anything was written (RowSourceResult).
};

// Writes the picture (`info` header with colour table, `bits` pixel rows) to `file` at `quality`
// (0 to 100). The file stays open; its content is whatever was written when the answer is not
// kJpegWritten.
int CompressJpeg(std::FILE* file, const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                 std::size_t bitsSize, int quality);

}  // namespace tarn
