// The picture area a display window takes in fit mode, from the largest client size it may have.
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

}  // namespace tarn
