// The EXIF block a JPEG file carries in an APP1 marker: "Exif", two zero bytes and a TIFF
// structure, read in the byte order its header names. Every offset is checked against the block
// before anything is read there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Orientation.h"

namespace tarn {

struct ExifFacts {
  // IFD0's orientation tag (0x0112); 1 when it is missing or outside 1..8.
  int orientation = kOrientationNormal;
  // IFD1's thumbnail (tags 0x0201 and 0x0202) as a range of the payload; length 0 when there is
  // none or it does not lie wholly inside the block.
  std::size_t thumbnailOffset = 0;
  std::size_t thumbnailLength = 0;
};

// Reads the payload of an APP1 marker (the bytes after the marker's length field). Anything that
// is not a sound EXIF block gives the defaults.
ExifFacts ReadExifBlock(const std::uint8_t* payload, std::size_t size);

}  // namespace tarn
