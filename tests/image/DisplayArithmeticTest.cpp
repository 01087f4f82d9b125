// The numbers of the display: zoomed size, placements, window area, memory bitmap, GIF pace, and
// the sheet of the print preview.
#include <gtest/gtest.h>

#include <tuple>

#include "image/DisplayScroll.h"
#include "image/DisplayWindowArea.h"
#include "image/MemoryBitmapSize.h"
#include "image/MotionGifTimer.h"
#include "image/PageLayout.h"
#include "image/StretchDrawPlacement.h"
#include "image/ZoomSize.h"

namespace tarn {
namespace {

TEST(SetZoomSize, AcceptsFourToThreeHundredAndRoundsUp) {
  ZoomSize size{.width = -1, .height = -1};
  EXPECT_EQ(SetZoomSize(3, 201, 100, size), 0);
  EXPECT_EQ(SetZoomSize(301, 201, 100, size), 0);
  EXPECT_EQ(SetZoomSize(-50, 201, 100, size), 0);
  EXPECT_EQ(size.width, -1) << "a refused percentage changes nothing";
  ASSERT_EQ(SetZoomSize(50, 201, 99, size), 1);
  EXPECT_EQ(size.width, 101);
  EXPECT_EQ(size.height, 50);
  ASSERT_EQ(SetZoomSize(4, 24, 26, size), 1);
  EXPECT_EQ(size.width, 1) << "0.96 rounds up";
  EXPECT_EQ(size.height, 2) << "1.04 rounds up";
  ASSERT_EQ(SetZoomSize(300, 1, 20000, size), 1);
  EXPECT_EQ(size.width, 3);
  EXPECT_EQ(size.height, 60000);
  ASSERT_EQ(SetZoomSize(7, 100, 300, size), 1);
  EXPECT_EQ(size.width, 7);
  EXPECT_EQ(size.height, 21);
}

TEST(StretchDrawPlacement, FitModeReducesByTheMoreCrowdedSide) {
  DrawPlacement p = FitModePlacement(1000, 500, 800, 600);
  EXPECT_EQ(p.width, 800);
  EXPECT_EQ(p.height, 400);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 100);
  EXPECT_EQ(p.percent, 80);

  p = FitModePlacement(500, 1000, 800, 600);  // ry = 166
  EXPECT_EQ(p.width, 301);
  EXPECT_EQ(p.height, 602) << "whole-percent ratios can overshoot the area by a pixel or two";
  EXPECT_EQ(p.x, 249);
  EXPECT_EQ(p.y, -1) << "offsets truncate toward zero";
  EXPECT_EQ(p.percent, 60);

  p = FitModePlacement(1600, 1200, 800, 600);  // rx = ry = 200: the height decides
  EXPECT_EQ(p.width, 800);
  EXPECT_EQ(p.height, 600);
  EXPECT_EQ(p.percent, 50);

  p = FitModePlacement(301, 199, 800, 600);
  EXPECT_EQ(p.width, 301);
  EXPECT_EQ(p.x, 249);
  EXPECT_EQ(p.y, 200);
  EXPECT_EQ(p.percent, 100);

  p = FitModePlacement(1000, 500, 0, 600);  // a window shrunk to nothing
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.height, 0);
}

TEST(StretchDrawPlacement, FullSizeCentresOnlyWhatIsSmallerThanTheArea) {
  FullSizePlacement p = FullSizeModePlacement(300, 900, 800, 600);
  EXPECT_EQ(p.draw.x, 250);
  EXPECT_EQ(p.draw.y, 0);
  EXPECT_EQ(p.draw.percent, 100);
  EXPECT_EQ(p.extentWidth, 800);
  EXPECT_EQ(p.extentHeight, 900);
  p = FullSizeModePlacement(800, 600, 800, 600);
  EXPECT_EQ(p.draw.x, 0);
  EXPECT_EQ(p.draw.y, 0);
}

TEST(StretchDrawPlacement, PrinterFillsTheWidthUnlessTooTall) {
  DrawPlacement p = PrinterPlacement(1000, 500, 4000, 6000);
  EXPECT_EQ(p.width, 4000);
  EXPECT_EQ(p.height, 2000);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = PrinterPlacement(1000, 3000, 4000, 6000);  // 12000 high: s = 50
  EXPECT_EQ(p.width, 2000);
  EXPECT_EQ(p.height, 6000);
  EXPECT_EQ(p.x, 1000);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(PrinterPlacement(0, 10, 4000, 6000).width, 0);
}

TEST(DisplayWindowArea, FitTakesTheSmallerPercentage) {
  // Frame borders of 4: 2 x 4 + 2 each way.
  WindowArea a = FitWindowArea(3000, 2000, 1200, 900, 10, 10);
  EXPECT_EQ(a.width, 1190);
  EXPECT_EQ(a.height, 780);
  EXPECT_EQ(a.zoom, 39);

  a = FitWindowArea(1000, 2000, 1200, 900, 10, 10);
  EXPECT_EQ(a.width, 440);
  EXPECT_EQ(a.height, 890);
  EXPECT_EQ(a.zoom, 44);

  a = FitWindowArea(1190, 890, 1200, 900, 10, 10);
  EXPECT_EQ(a.width, 1190);
  EXPECT_EQ(a.height, 890);
  EXPECT_EQ(a.zoom, 100);

  a = FitWindowArea(2380, 1780, 1200, 900, 10, 10);  // both sides at 50: the area stays
  EXPECT_EQ(a.width, 1190);
  EXPECT_EQ(a.height, 890);
  EXPECT_EQ(a.zoom, 50);
}

TEST(DisplayWindowArea, FullSizeShowsBarsForTheSidesThatDoNotFit) {
  auto area = [](int w, int h) {
    const FullSizeArea a = FullSizeWindowArea(w, h, 1200, 900, 10, 10, 17, 16);
    return std::tuple{a.width, a.height, a.scrollMode};
  };
  EXPECT_EQ(area(1500, 500), std::tuple(1190, 516, kScrollHorizontal)) << "grows by the bar";
  EXPECT_EQ(area(1500, 874), std::tuple(1190, 890, kScrollHorizontal)) << "just fits with it";
  EXPECT_EQ(area(1500, 875), std::tuple(1190, 875, kScrollHorizontal)) << "no room for it";
  EXPECT_EQ(area(500, 2000), std::tuple(517, 890, kScrollVertical));
  EXPECT_EQ(area(1180, 2000), std::tuple(1180, 890, kScrollVertical));
  EXPECT_EQ(area(3000, 2000), std::tuple(1190, 890, kScrollBoth));
  EXPECT_EQ(area(1190, 890), std::tuple(1190, 890, kScrollNone));
}

TEST(DisplayScroll, LinesAndPagesStopAtBothEnds) {
  EXPECT_EQ(ScrollStep(3000, 1190), 18);
  EXPECT_EQ(ScrollStep(1500, 1190), 10) << "at least 10 pixels";
  EXPECT_EQ(ScrollLimit(3000, 1190, false, 17), 1810);
  EXPECT_EQ(ScrollLimit(3000, 1190, true, 17), 1827);
  EXPECT_EQ(ScrollPosition(kScrollPageForward, 0, 0, 18, 1810), 36);
  EXPECT_EQ(ScrollPosition(kScrollPageForward, 1800, 0, 18, 1810), 1810);
  EXPECT_EQ(ScrollPosition(kScrollLineForward, 1800, 0, 18, 1810), 1810);
  EXPECT_EQ(ScrollPosition(kScrollLineBack, 5, 0, 18, 1810), 0);
  EXPECT_EQ(ScrollPosition(kScrollPageBack, 40, 0, 18, 1810), 4);
  EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 40, 777, 18, 1810), 777);
  EXPECT_EQ(ScrollPosition(5, 40, 777, 18, 1810), 40) << "thumb tracking changes nothing";
  EXPECT_EQ(ScrollPosition(8, 40, 777, 18, 1810), 40);
  EXPECT_EQ(ScrollPosition(kScrollLineForward, 0, 0, 10, -5), 0) << "a view larger than the picture";
}

TEST(MemoryBitmapSize, FirstMatchingRowOfTheTable) {
  auto size = [](int sw, int sh, bool multi, bool small) {
    const BitmapSize s = MemoryBitmapSize(sw, sh, multi, small);
    return std::pair{s.width, s.height};
  };
  EXPECT_EQ(size(1280, 1024, true, true), std::pair(1280, 1536));
  EXPECT_EQ(size(1280, 1024, false, true), std::pair(1536, 1228));
  EXPECT_EQ(size(800, 600, false, false), std::pair(2000, 2400));
  EXPECT_EQ(size(801, 600, false, false), std::pair(1602, 1800));
  EXPECT_EQ(size(1024, 768, false, false), std::pair(2048, 2304));
  EXPECT_EQ(size(1025, 768, false, false), std::pair(2560, 2560));
  EXPECT_EQ(size(1920, 1080, false, false), std::pair(2560, 2560));
}

TEST(MemoryBitmapSize, LargePicturesAreReducedByTheTighterSide) {
  ReducedSize r = FitToMemoryBitmap(2560, 2560, {2560, 2560});
  EXPECT_EQ(r.zoom, 100);
  EXPECT_EQ(r.width, 2560);
  r = FitToMemoryBitmap(6000, 2000, {2560, 2560});
  EXPECT_EQ(r.zoom, 42);
  EXPECT_EQ(r.width, 2520);
  EXPECT_EQ(r.height, 840);
  r = FitToMemoryBitmap(4000, 8000, {2048, 2304});
  EXPECT_EQ(r.zoom, 28);
  EXPECT_EQ(r.width, 1120);
  EXPECT_EQ(r.height, 2240);
}

TEST(MotionGifTimer, IntervalByDelaySizeAndFrames) {
  EXPECT_EQ(MotionGifFrameInterval(0, 10, 150 * 100), 70);
  EXPECT_EQ(MotionGifFrameInterval(0, 10, 20000), 40);
  EXPECT_EQ(MotionGifFrameInterval(-3, 10, 199999), 40);
  EXPECT_EQ(MotionGifFrameInterval(0, 10, 200000), 10);
  EXPECT_EQ(MotionGifFrameInterval(1000, 2, 100), 10000);
  EXPECT_EQ(MotionGifFrameInterval(999, 2, 100), 9990);
  EXPECT_EQ(MotionGifFrameInterval(5, 30, 300 * 300), 50);
  EXPECT_EQ(MotionGifFrameInterval(5, 80, 300 * 300), 35);
  EXPECT_EQ(MotionGifFrameInterval(5, 59, 299999), 35);
  EXPECT_EQ(MotionGifFrameInterval(5, 60, 299999), 5) << "too many frames for either stretched row";
  EXPECT_EQ(MotionGifFrameInterval(5, 39, 399999), 20);
  EXPECT_EQ(MotionGifFrameInterval(5, 40, 399999), 5);
  EXPECT_EQ(MotionGifFrameInterval(5, 30, 700 * 700), 5);
  EXPECT_EQ(MotionGifFrameInterval(1, 1, 4000LL * 4000), 1);
}

}  // namespace

TEST(PreviewSheet, SheetFitsTheRoomAndKeepsItsPrintableAreaInProportion) {
  // A4 in a wide room: the height rules; in a narrow one the width does.
  const PageMetrics a4 = A4PageMetrics();
  PreviewPage p = PlacePreviewPage(a4, 1000, 724, 12);
  EXPECT_EQ(p.height, 700);
  EXPECT_EQ(p.width, 4960 * 700 / 7016);
  EXPECT_EQ(p.x, (1000 - p.width) / 2);
  EXPECT_EQ(p.y, 12);
  EXPECT_EQ(p.areaX, p.x + 150 * p.width / 4960);
  EXPECT_EQ(p.areaWidth, 4660 * p.width / 4960);
  EXPECT_LE(p.areaX + p.areaWidth, p.x + p.width);
  EXPECT_LE(p.areaY + p.areaHeight, p.y + p.height);
  p = PlacePreviewPage(a4, 224, 2000, 12);
  EXPECT_EQ(p.width, 200);
  EXPECT_EQ(p.height, 7016 * 200 / 4960);

  // Printer-sized numbers do not overflow; an empty page or room gives nothing to draw.
  const PageMetrics huge{2000000000, 2000000000, 0, 0, 2000000000, 2000000000};
  EXPECT_EQ(PlacePreviewPage(huge, 800, 800, 0).areaWidth, 800);
  EXPECT_EQ(PlacePreviewPage(PageMetrics{}, 800, 800, 0).width, 0);
  EXPECT_EQ(PlacePreviewPage(a4, 20, 800, 10).width, 0);
}

}  // namespace tarn
