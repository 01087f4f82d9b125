// How the stored rows of a picture must be turned so that it stands upright, as cameras and
// scanners record it (the EXIF and TIFF orientation tag), and where a stored row's pixels land in
// the bottom-up DIB of the turned picture.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// EXIF orientation values: 1 as stored; 2 mirrored left-right; 3 turned 180 degrees; 4 mirrored
// top-bottom; 5 mirrored along the main diagonal; 6 turned 90 degrees clockwise; 7 mirrored along
// the other diagonal; 8 turned 90 degrees counter-clockwise.
constexpr int kOrientationNormal = 1;

// True for the orientations that swap width and height (5 to 8).
constexpr bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

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

}  // namespace tarn
