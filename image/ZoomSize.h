// The zoomed size of the picture for a percentage of the zoom screen.
#pragma once

namespace tarn {

constexpr int kZoomPercentMin = 4;
constexpr int kZoomPercentMax = 300;

struct ZoomSize {
  int width = 0;
  int height = 0;
};

// 1 after setting `size` to the picture's width and height times percent / 100, each rounded up,
// when kZoomPercentMin <= percent <= kZoomPercentMax; 0 with `size` unchanged otherwise.
int SetZoomSize(int percent, int width, int height, ZoomSize& size);

}  // namespace tarn
