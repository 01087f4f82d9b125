#include "ZoomSize.h"

namespace tarn {
namespace {

// In whole numbers: the rounding up then cannot depend on how a decimal fraction is stored.
int ScaledUp(int side, int percent) {
  return static_cast<int>((static_cast<long long>(side) * percent + 99) / 100);
}

}  // namespace

int SetZoomSize(int percent, int width, int height, ZoomSize& size) {
  if (percent < kZoomPercentMin || percent > kZoomPercentMax) return 0;
  size.width = ScaledUp(width, percent);
  size.height = ScaledUp(height, percent);
  return 1;
}

}  // namespace tarn
