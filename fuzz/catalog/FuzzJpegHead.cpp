// The catalog's walk over a JPEG file's head and its EXIF block, on any bytes.
#include <cstddef>
#include <cstdint>

#include "catalog/cache/JpegHead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarn::JpegHead head;
  if (tarn::ReadJpegHead(data, size, head) && head.exif.thumbnailLength != 0) {
    // The thumbnail must lie inside what was read: touch its first and last byte.
    volatile std::uint8_t first = data[head.exif.thumbnailOffset];
    volatile std::uint8_t last = data[head.exif.thumbnailOffset + head.exif.thumbnailLength - 1];
    (void)first;
    (void)last;
  }
  return 0;
}
