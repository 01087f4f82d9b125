// Where StretchDraw puts the picture in a device context: the fit, full-size and zoom rules for
// screens and the rule for printers.
#pragma once

namespace tarn {

struct DrawPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int percent = 100;   // the shown percentage, for the display window's status text
};

// Fit mode: a picture (width x height) that fits the area (areaWidth x areaHeight) is drawn at
// 100 %; a larger one is reduced by the whole percentage of its more crowded side. Centred.
// An empty area or picture gives an empty placement.
DrawPlacement FitModePlacement(int width, int height, int areaWidth, int areaHeight);

// Full-size and zoom mode: the picture is drawn at `drawWidth` x `drawHeight` (its zoomed size,
// or its own), centred in each direction where it is smaller than the area. The extent is what
// the scroll bars and the background cover.
struct FullSizePlacement {
  DrawPlacement draw;
  int extentWidth = 0;
  int extentHeight = 0;
};
FullSizePlacement FullSizeModePlacement(int drawWidth, int drawHeight, int areaWidth,
                                        int areaHeight);

// Printers: the printable width (horzRes) filled, unless the height would pass the printable
// height (vertRes), when the picture is reduced to it and centred across; drawn from the top.
DrawPlacement PrinterPlacement(int width, int height, int horzRes, int vertRes);

}  // namespace tarn
