#include "MotionGif.h"

#include <algorithm>
#include <climits>

#include "MotionGifTimer.h"

namespace tarn {
namespace {

int Extent(int offset, int length) {
  return static_cast<int>(std::min<long long>(static_cast<long long>(offset) + length, INT_MAX));
}

}  // namespace

void MotionGif::TakeFrameExtent(int width, int height) {
  maxWidth = std::max(maxWidth, Extent(left, width));
  maxHeight = std::max(maxHeight, Extent(top, height));
}

bool MotionGif::StepAfterFrame() {
  if (!Playing()) return false;
  if (frame >= frames) {
    frame = 0;
    --loops;
  }
  return loops > 0;
}

int MotionGif::NextFrameInterval() const {
  return MotionGifFrameInterval(delay, frames, static_cast<long long>(maxWidth) * maxHeight);
}

}  // namespace tarn
