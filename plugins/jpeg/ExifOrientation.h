// The orientation a camera records in the EXIF block of a JPEG file (APP1 "Exif"): how the stored
// rows must be turned so that the picture stands as the camera was held.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/ExifBlock.h"

namespace tarn::jpeg {

// IFD0's orientation (0x0112) in the payload of an APP1 marker (the bytes after the marker's
// length field). Anything that is not a sound EXIF block, a missing tag, an offset outside the
// payload or a value outside 1..8 gives 1.
inline int ExifOrientation(const std::uint8_t* payload, std::size_t size) {
  return ReadExifBlock(payload, size).orientation;
}

// Where the pixels of one decoded row go in a bottom-up DIB of the turned picture: the first
// pixel at byte `start`, each next one `step` bytes further (negative steps run backwards).
struct RowPlacement {
  std::ptrdiff_t start = 0;
  std::ptrdiff_t step = 0;
};

// For row `y` of a decoded picture of `width` x `height` pixels of `pixelBytes` bytes each, turned
// by `orientation` into a DIB whose rows are `rowBytes` long.
RowPlacement PlaceRow(int orientation, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                      std::size_t rowBytes, std::size_t pixelBytes);

}  // namespace tarn::jpeg
