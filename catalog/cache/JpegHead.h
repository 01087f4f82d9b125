// What the head of a JPEG file says before its first scan: the picture's stored size and the
// EXIF block's orientation and thumbnail. A catalog cell can be made from a camera's thumbnail
// without decoding the photograph.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/ExifBlock.h"

namespace tarn {

struct JpegHead {
  int width = 0;   // as stored, before the orientation
  int height = 0;
  ExifFacts exif;  // the first EXIF block's; its thumbnail range is in file bytes
};

// Walks the markers of `size` bytes from the start of a JPEG file up to its frame header. False
// when they are no JPEG file, or the frame header is not within them.
bool ReadJpegHead(const std::uint8_t* data, std::size_t size, JpegHead& head);

// Bytes of a file's head worth reading for ReadJpegHead: an EXIF block is at most 64 KiB, and
// the frame header follows it in the files cameras write.
constexpr std::size_t kJpegHeadBytes = 128 * 1024;

}  // namespace tarn
