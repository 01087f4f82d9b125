#include "StretchDrawPlacement.h"

#include <algorithm>

namespace tarn {
namespace {

// Pictures and areas stay far below 2^31 / 100 in practice, but a header can say anything.
int Percent(long long part, long long whole) { return static_cast<int>(part * 100 / whole); }
int Scaled(long long side, long long percent) { return static_cast<int>(side * percent / 100); }
int ScaledBack(long long side, long long ratio) { return static_cast<int>(side * 100 / ratio); }

}  // namespace

DrawPlacement FitModePlacement(int width, int height, int areaWidth, int areaHeight) {
  if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0)
    return {.width = 0, .height = 0};
  DrawPlacement p;
  if (width <= areaWidth && height <= areaHeight) {
    p.width = width;
    p.height = height;
  } else {
    // One of the ratios is at least 100 here, so the larger one never divides by zero.
    const int rx = Percent(width, areaWidth);
    const int ry = Percent(height, areaHeight);
    if (rx > ry) {
      p.width = ScaledBack(width, rx);
      p.height = ScaledBack(height, rx);
      p.percent = Percent(areaWidth, width);
    } else {
      p.width = ScaledBack(width, ry);
      p.height = ScaledBack(height, ry);
      p.percent = Percent(areaHeight, height);
    }
  }
  p.x = (areaWidth - p.width) / 2;
  p.y = (areaHeight - p.height) / 2;
  return p;
}

FullSizePlacement FullSizeModePlacement(int drawWidth, int drawHeight, int areaWidth,
                                        int areaHeight) {
  FullSizePlacement p;
  p.draw.width = drawWidth;
  p.draw.height = drawHeight;
  p.draw.x = drawWidth < areaWidth ? (areaWidth - drawWidth) / 2 : 0;
  p.draw.y = drawHeight < areaHeight ? (areaHeight - drawHeight) / 2 : 0;
  p.extentWidth = std::max(drawWidth, areaWidth);
  p.extentHeight = std::max(drawHeight, areaHeight);
  return p;
}

DrawPlacement PrinterPlacement(int width, int height, int horzRes, int vertRes) {
  if (width <= 0 || height <= 0 || horzRes <= 0 || vertRes <= 0) return {.width = 0, .height = 0};
  DrawPlacement p;
  p.width = horzRes;
  p.height = static_cast<int>(static_cast<long long>(height) * horzRes / width);
  if (p.height > vertRes) {
    const int s = Percent(vertRes, p.height);
    p.width = Scaled(horzRes, s);
    p.height = vertRes;
    p.x = (horzRes - p.width) / 2;
  }
  return p;
}

}  // namespace tarn
