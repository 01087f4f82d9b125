// The trimming frame: the 16-pixel minimum, corners stopped at the picture's edges, and the
// adjustment dialog's moves stopping there too.
#include <gtest/gtest.h>

#include "catalog/view/TrimFrame.h"

namespace tarn {
namespace {

TEST(TrimFrame, SixteenPixelsEachWayIsTheSmallestFrameKept) {
  EXPECT_FALSE(TrimKept(FrameOf({10, 10}, {25, 210})));  // 15 x 200
  EXPECT_FALSE(TrimKept(FrameOf({10, 10}, {210, 25})));  // 200 x 15
  EXPECT_TRUE(TrimKept(FrameOf({26, 26}, {10, 10})));    // 16 x 16, dragged up and left
  EXPECT_EQ(FrameOf({26, 5}, {10, 30}), (TrimBox{10, 5, 26, 30}));
}

TEST(TrimFrame, CornersStopOnThePictureEdge) {
  const TrimBox picture{40, 30, 440, 330};
  const TrimPoint inside = ClipToBox({100, 100}, picture);
  EXPECT_EQ(inside.x, 100);
  const TrimPoint past = ClipToBox({900, -5}, picture);
  EXPECT_EQ(past.x, 440) << "the right edge itself, so the last column can be framed";
  EXPECT_EQ(past.y, 30);
  EXPECT_EQ(Intersect(picture, {0, 0, 300, 200}), (TrimBox{40, 30, 300, 200}));
  EXPECT_EQ(Intersect(picture, {500, 0, 600, 20}).Width(), 0);
}

TEST(TrimFrame, MovesStopAtTheBoundsAndNeverPassThem) {
  const TrimBox bounds{40, 30, 440, 330};
  TrimBox frame{43, 100, 63, 120};
  frame = MoveFrame(frame, -kTrimStep, 0, bounds);
  EXPECT_EQ(frame.left, 41);
  frame = MoveFrame(frame, -kTrimStep, 0, bounds);
  EXPECT_EQ(frame, (TrimBox{40, 100, 60, 120})) << "one pixel left to go: it moves one";
  EXPECT_EQ(MoveFrame(frame, -kTrimStep, 0, bounds), frame);
  EXPECT_EQ(MoveFrame({420, 310, 440, 330}, kTrimStep, kTrimStep, bounds), (TrimBox{420, 310, 440, 330}));
  // A frame as wide as the bounds stays; it may still move the other way.
  EXPECT_EQ(MoveFrame({40, 100, 440, 120}, kTrimStep, kTrimStep, bounds), (TrimBox{40, 102, 440, 122}));
}

}  // namespace
}  // namespace tarn
