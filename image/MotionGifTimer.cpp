#include "MotionGifTimer.h"

namespace tarn {

int MotionGifFrameInterval(int delay, int frames, long long area) {
  if (delay < 1) {
    if (area < 20000) return 70;
    if (area < 200000) return 40;
    return 10;
  }
  if (delay >= 1000) return 10000;
  if (area < 200000) return frames < 80 ? 10 * delay : 7 * delay;
  if (area < 300000 && frames < 60) return 7 * delay;
  if (area < 400000 && frames < 40) return 4 * delay;
  return delay;
}

}  // namespace tarn
