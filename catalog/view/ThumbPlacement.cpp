#include "ThumbPlacement.h"

#include <algorithm>

namespace tarn {
namespace {

constexpr int kClearThumbSide = 1650;

Rect SourceOf(int width, int height, bool clearThumb) {
  if (clearThumb && (width > kClearThumbSide || height > kClearThumbSide))
    return {width / 10, height / 10, static_cast<int>(width * 4LL / 5), static_cast<int>(height * 4LL / 5)};
  return {0, 0, width, height};
}

// The shorter side as a percentage of the longer; widths of any size never overflow.
int Percent(int shorter, int longer) { return static_cast<int>(static_cast<long long>(shorter) * 100 / longer); }

}  // namespace

ThumbPlacement PlaceDecoded(int mode, int width, int height, int cellX, int cellY, const ThumbGeometry& geometry,
                            bool clearThumb) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  const int W = geometry.cell, m = geometry.margin, T = geometry.thumb;
  ThumbPlacement placement;
  placement.source = SourceOf(width, height, clearThumb);
  // Beyond this share the picture would overrun the band the cache keeps, so it is drawn smaller.
  const int bandShare = (m + T) * 100 / W;
  Rect& to = placement.target;
  if (width < height) {
    const int p = Percent(width, height);
    const int u = W * p / 100;
    if (mode == kDrawToCatalog) {
      to = {cellX + (W - u) / 2, cellY, u, W};
    } else if (mode == kDrawToMonitor) {
      const int box = p * kMonitorBox / 100;
      to = {(kMonitorBox - box) / 2 + kMonitorBorder, kMonitorBorder, box, kMonitorBox};
    } else if (p < bandShare) {
      to = {(W - u) / 2, 0, u, W};
      placement.layout = 4;
    } else {
      const int narrowed = u * T / (m + T);
      to = {(W - narrowed) / 2, 0, narrowed, W};
      placement.layout = 5;
    }
  } else if (width == height) {
    if (mode == kDrawToCatalog) {
      to = {cellX + m / 2, cellY + m / 2, W - m, W - m};
    } else if (mode == kDrawToMonitor) {
      to = {8, 8, 82, 82};
    } else {
      to = {m / 2, m, W - m, T};
      placement.layout = 3;
    }
  } else {
    const int p = Percent(height, width);
    const int u = W * p / 100;
    if (mode == kDrawToCatalog) {
      to = {cellX, cellY + (W - u) / 2, W, u};
    } else if (mode == kDrawToMonitor) {
      const int box = p * kMonitorBox / 100;
      to = {kMonitorBorder, (kMonitorBox - box) / 2 + kMonitorBorder, kMonitorBox, box};
    } else if (p < bandShare) {
      to = {0, (W - u) / 2, W, u};
      placement.layout = 0;
    } else {
      const int lowered = u * T / (m + T);
      to = {0, (W - lowered) / 2, W, lowered};
      placement.layout = 1;
    }
  }
  return placement;
}

bool ReducedPictureServesCells(int width, int height, int fileWidth, int fileHeight, const ThumbGeometry& geometry,
                               bool clearThumb, int times) {
  if (width <= 0 || height <= 0 || !SameShape(width, height, fileWidth, fileHeight)) return false;
  if (width == fileWidth && height == fileHeight) return true;
  const ThumbPlacement cell = PlaceDecoded(kDrawToCatalog, fileWidth, fileHeight, 0, 0, geometry, clearThumb);
  const Rect source = ScalePixelRect(cell.source, fileWidth, fileHeight, width, height);
  return source.width >= times * cell.target.width && source.height >= times * cell.target.height;
}

bool SameShape(int width, int height, int otherWidth, int otherHeight) {
  if (width <= 0 || height <= 0 || otherWidth <= 0 || otherHeight <= 0) return false;
  const long long one = static_cast<long long>(width) * otherHeight, other = static_cast<long long>(otherWidth) * height;
  return (one > other ? one - other : other - one) * 50 <= std::max(one, other);
}

ThumbPlacement PlaceCached(int mode, int layout, int cellX, int cellY, const ThumbGeometry& geometry) {
  const int W = geometry.cell, m = geometry.margin, T = geometry.thumb;
  const bool monitor = mode == kDrawWorkToMonitor;
  ThumbPlacement placement;
  placement.layout = layout;
  switch (layout) {
    case 1:
    case 3:
      placement.source = {0, m, W, T};
      if (monitor)
        placement.target = {kMonitorBorder, 8, kMonitorBox, 82};
      else
        placement.target = {cellX, cellY + m / 2, W, layout == 1 ? m + T : W - m};
      break;
    case 5:
      placement.source = {m, 0, T, W};
      placement.target = monitor ? Rect{8, kMonitorBorder, 82, kMonitorBox} : Rect{cellX + m / 2, cellY, m + T, W};
      break;
    default:  // 0 and 4: the whole square
      placement.source = {0, 0, W, W};
      placement.target = monitor ? Rect{kMonitorBorder, kMonitorBorder, kMonitorBox, kMonitorBox} : Rect{cellX, cellY, W, W};
      break;
  }
  return placement;
}

}  // namespace tarn
