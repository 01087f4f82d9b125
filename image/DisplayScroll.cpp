#include "DisplayScroll.h"

#include <algorithm>

namespace tarn {

int ScrollStep(int pictureLength, int viewLength) {
  return std::max((pictureLength - viewLength) / 100, 10);
}

int ScrollLimit(int pictureLength, int viewLength, bool bothBars, int barThickness) {
  return pictureLength - viewLength + (bothBars ? barThickness : 0);
}

int ScrollPosition(int action, int position, int thumb, int step, int limit) {
  switch (action) {
    case kScrollLineBack: return std::max(position - step, 0);
    case kScrollLineForward: return std::max(std::min(position + step, limit), 0);
    case kScrollPageBack: return std::max(position - 2 * step, 0);
    case kScrollPageForward: return std::max(std::min(position + 2 * step, limit), 0);
    case kScrollThumbPosition: return thumb;
    default: return position;
  }
}

}  // namespace tarn
