#include "DisplayWindowArea.h"

namespace tarn {
namespace {

struct Side {
  int length;
  int percent;
};

// One side of the area: the picture's own length when it fits, else all the room there is.
Side FitSide(int picture, int maximum, int border) {
  if (static_cast<long long>(maximum) >= static_cast<long long>(picture) + border)
    return {picture, 100};
  const int room = maximum - border;
  return {room, static_cast<int>(static_cast<long long>(room) * 100 / picture)};
}

}  // namespace

WindowArea FitWindowArea(int width, int height, int maxWidth, int maxHeight, int borderWidth,
                         int borderHeight) {
  if (width <= 0 || height <= 0) return {};
  const Side x = FitSide(width, maxWidth, borderWidth);
  const Side y = FitSide(height, maxHeight, borderHeight);
  if (y.percent < x.percent)
    return {static_cast<int>(static_cast<long long>(y.percent) * width / 100),
            maxHeight - borderHeight, y.percent};
  if (x.percent < y.percent)
    return {maxWidth - borderWidth,
            static_cast<int>(static_cast<long long>(x.percent) * height / 100), x.percent};
  return {x.length, y.length, x.percent};
}

FullSizeArea FullSizeWindowArea(int width, int height, int maxWidth, int maxHeight,
                                int borderWidth, int borderHeight, int vBarWidth, int hBarHeight) {
  FullSizeArea a{width, height, kScrollNone};
  int mode = kScrollNone;
  if (static_cast<long long>(maxWidth) < static_cast<long long>(width) + borderWidth) {
    a.width = maxWidth - borderWidth;
    mode = kScrollHorizontal;
  }
  if (static_cast<long long>(maxHeight) < static_cast<long long>(height) + borderHeight) {
    a.height = maxHeight - borderHeight;
    mode += kScrollVertical;
  }
  a.scrollMode = static_cast<ScrollMode>(mode);
  if (a.scrollMode == kScrollHorizontal && a.height + hBarHeight + borderHeight <= maxHeight)
    a.height += hBarHeight;
  if (a.scrollMode == kScrollVertical && a.width + vBarWidth + borderWidth <= maxWidth)
    a.width += vBarWidth;
  return a;
}

}  // namespace tarn
