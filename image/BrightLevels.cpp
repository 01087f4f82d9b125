#include "BrightLevels.h"

#include <algorithm>

namespace tarn {

int OpenBrightnessDialog(bool keep, bool changed, BrightLevels& bright) {
  if (!keep && !changed) bright.level = 0;
  bright.delta = bright.level;
  return bright.level;
}

int BrightnessLine(int position, int direction) {
  return std::clamp(position + (direction < 0 ? -1 : 1), kBrightLevelMin, kBrightLevelMax);
}

void AcceptBrightness(int value, BrightLevels& bright) {
  const int level = std::clamp(value, kBrightLevelMin, kBrightLevelMax);
  bright.delta = level - bright.level;
  bright.level = level;
}

void CancelBrightness(BrightLevels& bright) { bright = {}; }

}  // namespace tarn
