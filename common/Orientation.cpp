#include "Orientation.h"

namespace tarn {

RowPlacement PlaceRow(int orientation, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                      std::size_t rowBytes, std::size_t pixelBytes) {
  // Destination column dx and row dy (from the top) of the row's first pixel, and how they move
  // from one pixel to the next, in the turned picture of outHeight rows.
  const std::uint32_t outHeight = SwapsSides(orientation) ? width : height;
  std::int64_t dx = 0, dy = 0, ddx = 0, ddy = 0;
  switch (orientation) {
    case 2: dx = width - 1; dy = y; ddx = -1; break;
    case 3: dx = width - 1; dy = height - 1 - y; ddx = -1; break;
    case 4: dx = 0; dy = height - 1 - y; ddx = 1; break;
    case 5: dx = y; dy = 0; ddy = 1; break;
    case 6: dx = height - 1 - y; dy = 0; ddy = 1; break;
    case 7: dx = height - 1 - y; dy = width - 1; ddy = -1; break;
    case 8: dx = y; dy = width - 1; ddy = -1; break;
    default: dx = 0; dy = y; ddx = 1; break;
  }
  const auto row = static_cast<std::ptrdiff_t>(rowBytes);
  const auto px = static_cast<std::ptrdiff_t>(pixelBytes);
  // Bottom-up DIB: the top row of the picture is the last row of the block.
  RowPlacement p;
  p.start = (static_cast<std::ptrdiff_t>(outHeight) - 1 - dy) * row + dx * px;
  p.step = ddx * px - ddy * row;
  return p;
}

}  // namespace tarn
