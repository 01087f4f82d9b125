// The orientation a camera records in the EXIF block of a JPEG file (APP1 "Exif"): how the stored
// rows must be turned so that the picture stands as the camera was held.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/ExifBlock.h"
#include "common/Orientation.h"

namespace tarn::jpeg {

// IFD0's orientation (0x0112) in the payload of an APP1 marker (the bytes after the marker's
// length field). Anything that is not a sound EXIF block, a missing tag, an offset outside the
// payload or a value outside 1..8 gives 1.
inline int ExifOrientation(const std::uint8_t* payload, std::size_t size) {
  return ReadExifBlock(payload, size).orientation;
}

}  // namespace tarn::jpeg
