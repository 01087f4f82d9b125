// The zoom screen's arithmetic at its edges: the percentage never leaves 10 to 300 whatever is
// pressed, and a pixel count sets the longer side.
#include <gtest/gtest.h>

#include "catalog/screens/ZoomRules.h"

namespace tarn {
namespace {

TEST(ZoomRules, StepsStopAtTheirBounds) {
  EXPECT_EQ(SteppedPercent(10, kZoomLineLeft), 10);
  EXPECT_EQ(SteppedPercent(11, kZoomLineLeft), 10);
  EXPECT_EQ(SteppedPercent(300, kZoomLineRight), 300);
  EXPECT_EQ(SteppedPercent(295, kZoomPlus), 300);
  EXPECT_EQ(SteppedPercent(15, kZoomMinus), 10);
  EXPECT_EQ(SteppedPercent(250, kZoomStandard), 100);
}

TEST(ZoomRules, PixelCountSetsTheLongerSide) {
  const PixelZoom wide = ZoomByPixels(400, 300, 800);
  EXPECT_EQ(wide.percent, 200);
  EXPECT_EQ(wide.width, 800);
  EXPECT_EQ(wide.height, 600);
  EXPECT_EQ(ZoomByPixels(400, 300, 1500).percent, 375);
  const PixelZoom tall = ZoomByPixels(300, 400, 200);
  EXPECT_EQ(tall.percent, 50);
  EXPECT_EQ(tall.width, 150);
  EXPECT_EQ(tall.height, 200);
  // A square counts as wide; integer division throughout; nothing for an empty picture.
  EXPECT_EQ(ZoomByPixels(3, 3, 2048).percent, 68266);
  EXPECT_EQ(ZoomByPixels(999, 1, 150).height, 0);
  EXPECT_EQ(ZoomByPixels(0, 10, 150).width, 0);
}

}  // namespace
}  // namespace tarn
