#include "catalog/screens/ZoomRules.h"

#include <algorithm>
#include <cstdint>

namespace tarn {

int SteppedPercent(int percent, ZoomStep step) {
  switch (step) {
    case kZoomStandard: return 100;
    case kZoomPlus: return std::min(percent + 10, kZoomHighest);
    case kZoomMinus: return std::max(percent - 10, kZoomLowest);
    case kZoomLineLeft: return std::max(percent - 1, kZoomLowest);
    case kZoomLineRight: return std::min(percent + 1, kZoomHighest);
  }
  return percent;
}

PixelZoom ZoomByPixels(int width, int height, int pixels) {
  if (width <= 0 || height <= 0) return {};
  const std::int64_t n = pixels;
  if (width < height)
    return {static_cast<int>(n * 100 / height), static_cast<int>(width * n / height), pixels};
  return {static_cast<int>(n * 100 / width), pixels, static_cast<int>(height * n / width)};
}

}  // namespace tarn
