// What RotateMap refuses, and that a refusal leaves the picture as it was.
#include <gtest/gtest.h>

#include "TestPicture.h"
#include "image/PictureTransforms.h"
#include "image/TransformGeometry.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::ScriptedPrompt;
using test::TestPicture;

TEST(TransformGeometry, RowsAndWorkBufferForEitherOrientation) {
  struct Case {
    int width, height, bits;
    std::size_t rowBytes, rowPadding, transRowBytes, transRowPadding, workSize;
  };
  const Case cases[] = {
      {13, 5, 1, 2, 2, 1, 3, 52},  {7, 3, 4, 4, 0, 2, 2, 28},   {5, 3, 24, 15, 1, 9, 3, 60},
      {3, 2, 16, 6, 2, 4, 0, 16},  {1, 1, 32, 4, 0, 4, 0, 4},   {9, 40, 8, 9, 3, 40, 0, 480},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " x " << c.bits);
    TransformGeometry g;
    ASSERT_EQ(TakeGeometry(c.width, c.height, c.bits, g), GeometryResult::kOk);
    EXPECT_EQ(g.rowBytes, c.rowBytes);
    EXPECT_EQ(g.rowPadding, c.rowPadding);
    EXPECT_EQ(g.transRowBytes, c.transRowBytes);
    EXPECT_EQ(g.transRowPadding, c.transRowPadding);
    EXPECT_EQ(g.workSize, c.workSize);
    EXPECT_EQ(g.Stride(), test::StrideOf(c.width, c.bits));
  }
  TransformGeometry g;
  for (const int bits : {0, 2, 12, 48})
    EXPECT_EQ(TakeGeometry(4, 4, bits, g), GeometryResult::kUnsupportedBitCount) << bits;
  EXPECT_EQ(TakeGeometry(0, 4, 24, g), GeometryResult::kBadSize);
  EXPECT_EQ(TakeGeometry(4, -4, 24, g), GeometryResult::kBadSize) << "top-down rows";
  EXPECT_EQ(TakeGeometry(70000, 70000, 24, g), GeometryResult::kBadSize);
  EXPECT_EQ(TakeGeometry(0x7FFFFFFF, 1, 32, g), GeometryResult::kBadSize);
}

TEST(RotateMapFailure, UnsupportedBitCountIsReportedAndChangesNothing) {
  ScriptedPrompt prompt;
  TestPicture picture(8, 2, 1);
  DibHeader h = picture.Header();
  h.biBitCount = 2;
  PictureBlocks blocks = picture.Blocks();
  StoreDibHeader(h, blocks.info);
  const std::vector<std::uint8_t> info = picture.Info();
  PictureTransforms t;
  BrightLevels bright{.level = 10, .delta = 10};
  EXPECT_EQ(t.RotateMap(kRotateClockwise, blocks, bright), kRotateFailed);
  EXPECT_EQ(t.RotateMap(kRotateBrightness, blocks, bright), kRotateFailed);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, u"未対応の色数 m_BitCount= 2 <-d05>");
  EXPECT_EQ(t.State(), kTransUntouched);
  EXPECT_FALSE(t.Swapped());
  EXPECT_EQ(picture.Info(), info);
}

TEST(RotateMapFailure, SixteenBitPicturesTurnButKeepTheirBrightness) {
  ScriptedPrompt prompt;
  TestPicture picture(5, 3, 16);
  PictureTransforms t;
  BrightLevels bright{.level = 40, .delta = 40};
  EXPECT_EQ(t.RotateMap(kRotateBrightness, picture.Blocks(), bright), kRotateFailed);
  EXPECT_EQ(t.State(), kTransUntouched);
  EXPECT_EQ(t.CurrentBits(picture.Bits().data()), picture.Bits().data());
  ASSERT_EQ(t.RotateMap(kRotateHalfTurn, picture.Blocks(), bright), 0);
  const test::Pixels turned = picture.Current(t);
  EXPECT_EQ(t.RotateMap(kRotateBrightness, picture.Blocks(), bright), kRotateFailed);
  EXPECT_EQ(t.State(), kTransTurned);
  EXPECT_EQ(picture.Current(t), turned);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, u"未対応の色数 m_BitCount= 16 <-d07> ");
  EXPECT_EQ(prompt.shown[1].text, prompt.shown[0].text);
}

TEST(RotateMapFailure, UnknownOpIsReportedAsASwitchValue) {
  ScriptedPrompt prompt;
  TestPicture picture(4, 4, 24);
  PictureTransforms t;
  BrightLevels bright{.level = 5, .delta = 5};
  EXPECT_EQ(t.RotateMap(8, picture.Blocks(), bright), kRotateFailed);
  EXPECT_EQ(t.RotateMap(-1, picture.Blocks(), bright), kRotateFailed);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, u"CPictureWnd::RotateMap Switch = 8");
  EXPECT_EQ(prompt.shown[1].text, u"CPictureWnd::RotateMap Switch = -1");
  EXPECT_EQ(bright.level, 5);
  EXPECT_EQ(t.State(), kTransUntouched);
}

TEST(RotateMapFailure, NoPictureFailsSilently) {
  ScriptedPrompt prompt;
  PictureTransforms t;
  BrightLevels bright{.level = 40, .delta = 40};
  for (int op = kRotateClockwise; op <= kRotateKeptBrightness; ++op)
    EXPECT_EQ(t.RotateMap(op, PictureBlocks{}, bright), kRotateFailed) << op;
  EXPECT_EQ(t.RotateMap(kRotateRestore, PictureBlocks{}, bright), kRotateFailed);
  EXPECT_EQ(bright.level, 0) << "the level is reset before the header is looked at";
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(t.State(), kTransUntouched);
}

// Blocks smaller than their header says are never read past.
TEST(RotateMapFailure, BlocksShorterThanTheHeaderAreRefused) {
  ScriptedPrompt prompt;
  for (const int bits : {1, 4, 24}) {
    SCOPED_TRACE(bits);
    TestPicture picture(13, 5, bits);
    PictureBlocks blocks = picture.Blocks();
    blocks.bitsSize -= 1;
    PictureTransforms t;
    BrightLevels bright{.level = 40, .delta = 40};
    for (int op = kRotateClockwise; op <= kRotateFlipLeftRight; ++op)
      EXPECT_EQ(t.RotateMap(op, blocks, bright), kRotateFailed) << op;
    EXPECT_EQ(t.State(), kTransUntouched);
    EXPECT_FALSE(t.Swapped());
    EXPECT_EQ(picture.Info(), picture.LoadedInfo());
  }

  TestPicture shortTable(3, 3, 4);
  PictureBlocks blocks = shortTable.Blocks();
  blocks.infoSize -= 1;
  PictureTransforms t;
  BrightLevels bright{.level = 40, .delta = 40};
  EXPECT_EQ(t.RotateMap(kRotateBrightness, blocks, bright), kRotateFailed);
  EXPECT_EQ(shortTable.Info(), shortTable.LoadedInfo());

  TestPicture longHeader(3, 3, 8);
  blocks = longHeader.Blocks();
  DibHeader h = longHeader.Header();
  h.biSize = 124;  // the table would start past the end of the block
  StoreDibHeader(h, blocks.info);
  EXPECT_EQ(t.RotateMap(kRotateBrightness, blocks, bright), kRotateFailed);

  TestPicture empty(3, 3, 24);
  blocks = empty.Blocks();
  h = empty.Header();
  h.biWidth = 0;
  StoreDibHeader(h, blocks.info);
  EXPECT_EQ(t.RotateMap(kRotateClockwise, blocks, bright), kRotateFailed);
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace tarn
