// The zoom screen's arithmetic: the percentage's steps and bounds, and the percentage and size
// that a pixel count for the longer side gives.
#pragma once

namespace tarn {

constexpr int kZoomLowest = 10;
constexpr int kZoomHighest = 300;
constexpr int kZoomPixelsLowest = 150;
constexpr int kZoomPixelsHighest = 2048;

enum ZoomStep : int { kZoomStandard, kZoomPlus, kZoomMinus, kZoomLineLeft, kZoomLineRight };

// The percentage after `step` from `percent`: "標準" 100, "＋" and "－" by 10, the scroll bar's
// arrows by 1, never past 10 or 300.
int SteppedPercent(int percent, ZoomStep step);

struct PixelZoom {
  int percent = 100;
  int width = 0;
  int height = 0;
};
// The longer side of a width x height picture set to `pixels` (the height when it is the longer,
// else the width), in whole pixels and whole percent. The percentage may pass 300: the caller
// refuses it.
PixelZoom ZoomByPixels(int width, int height, int pixels);

}  // namespace tarn
