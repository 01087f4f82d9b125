// The picture area a display window takes, from the largest client size it may have.
#pragma once

namespace tarn {

struct WindowArea {
  int width = 0;
  int height = 0;
  int zoom = 100;   // the shown percentage
};

// A picture of width x height in a window whose client may be at most maxWidth x maxHeight,
// with borderWidth / borderHeight taken by the frame (2 x frame border + 2 each way). A side
// that does not fit is given all the room there is and its whole percentage; the smaller
// percentage then sets the other side too. An empty picture is shown at 100 %.
WindowArea FitWindowArea(int width, int height, int maxWidth, int maxHeight, int borderWidth,
                         int borderHeight);

// Scroll bars a full-size window shows: 0 none, 1 horizontal only, 2 vertical only, 3 both.
enum ScrollMode : int { kScrollNone = 0, kScrollHorizontal = 1, kScrollVertical = 2, kScrollBoth = 3 };

struct FullSizeArea {
  int width = 0;
  int height = 0;
  ScrollMode scrollMode = kScrollNone;
};

// Full-size mode: the picture's own size where it fits, else all the room there is and a scroll
// bar for that side. A window with one bar grows across by the bar's thickness when that still
// fits, so that the bar does not cover the picture (vBarWidth, hBarHeight: the system's sizes).
FullSizeArea FullSizeWindowArea(int width, int height, int maxWidth, int maxHeight,
                                int borderWidth, int borderHeight, int vBarWidth, int hBarHeight);

}  // namespace tarn
