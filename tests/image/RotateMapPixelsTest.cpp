// Turns and flips through RotateMap, pixel for pixel against mappings written here in screen
// terms, on every bit count the transforms know and on widths that end inside a byte.
#include <gtest/gtest.h>

#include <random>

#include "TestPicture.h"
#include "image/PictureTransforms.h"

namespace tarn {
namespace {

using test::Pixels;
using test::TestPicture;

// The picture as the user sees it after `op`: (x, y) with y down from the top.
Pixels Expected(const Pixels& p, int op) {
  const int w = p.width, h = p.height;
  const bool turned = op == kRotateClockwise || op == kRotateCounterClockwise;
  Pixels out{turned ? h : w, turned ? w : h, p.values};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = p.At(x, y);
      switch (op) {
        case kRotateClockwise: out.At(h - 1 - y, x) = v; break;
        case kRotateCounterClockwise: out.At(y, w - 1 - x) = v; break;
        case kRotateHalfTurn: out.At(w - 1 - x, h - 1 - y) = v; break;
        case kRotateFlipTopBottom: out.At(x, h - 1 - y) = v; break;
        case kRotateFlipLeftRight: out.At(w - 1 - x, y) = v; break;
      }
    }
  return out;
}

constexpr int kBitCounts[] = {1, 4, 8, 16, 24, 32};
struct Size {
  int width, height;
};
// 13 and 7 end inside a byte for 1-bit and 4-bit rows; 8 x 9 and 33 x 17 cross byte and tile
// edges; a single pixel, a single row and a single column are the degenerate shapes.
constexpr Size kSizes[] = {{13, 5}, {7, 3}, {1, 1}, {8, 9}, {33, 17}, {5, 40}, {70, 1}, {1, 70}};

TEST(RotateMapPixels, EveryOpOnEveryBitCountMatchesTheMapping) {
  for (const int bits : kBitCounts)
    for (const Size size : kSizes)
      for (int op = kRotateClockwise; op <= kRotateFlipLeftRight; ++op) {
        SCOPED_TRACE(testing::Message() << bits << " bits, " << size.width << " x " << size.height
                                        << ", op " << op);
        TestPicture picture(size.width, size.height, bits);
        PictureTransforms t;
        BrightLevels bright;
        const Pixels before = picture.Loaded();
        ASSERT_EQ(t.RotateMap(op, picture.Blocks(), bright), 0);
        EXPECT_EQ(picture.Current(t), Expected(before, op));
        EXPECT_TRUE(picture.CurrentPaddingIsZero(t));
        EXPECT_TRUE(picture.BitsUntouched());
        EXPECT_EQ(t.State(), kTransTurned);
        const bool turned = op == kRotateClockwise || op == kRotateCounterClockwise;
        EXPECT_EQ(t.Swapped(), turned);
        EXPECT_EQ(picture.Header().biWidth, turned ? size.height : size.width);
        EXPECT_EQ(picture.Header().biSizeImage, picture.Bits().size()) << "left as loaded";
      }
}

// Later ops read the work buffer through its temporary copy, in whatever orientation it is.
TEST(RotateMapPixels, LongRandomSequencesFollowTheMapping) {
  std::mt19937 random(7);
  for (const int bits : kBitCounts)
    for (const Size size : {Size{13, 6}, Size{31, 9}}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, " << size.width << " x " << size.height);
      TestPicture picture(size.width, size.height, bits, 3);
      PictureTransforms t;
      BrightLevels bright;
      Pixels expected = picture.Loaded();
      for (int step = 0; step < 24; ++step) {
        const int op = kRotateClockwise + static_cast<int>(random() % 5);
        ASSERT_EQ(t.RotateMap(op, picture.Blocks(), bright), 0) << "step " << step;
        expected = Expected(expected, op);
        ASSERT_EQ(picture.Current(t), expected) << "step " << step << ", op " << op;
        ASSERT_TRUE(picture.CurrentPaddingIsZero(t));
      }
      EXPECT_TRUE(picture.BitsUntouched());
    }
}

// Sequences that end where they began give the loaded pixels back with the header as loaded.
TEST(RotateMapPixels, ClosedSequencesGiveBackTheLoadedPicture) {
  const std::vector<std::vector<int>> sequences = {
      {1, 1, 1, 1}, {2, 2, 2, 2}, {1, 2}, {2, 1}, {3, 3}, {4, 4}, {5, 5}, {4, 5, 3}, {1, 1, 3}};
  for (const int bits : kBitCounts)
    for (const auto& sequence : sequences) {
      SCOPED_TRACE(testing::Message() << bits << " bits, sequence of " << sequence.size()
                                      << " starting " << sequence[0]);
      TestPicture picture(13, 5, bits);
      PictureTransforms t;
      BrightLevels bright;
      for (const int op : sequence) ASSERT_EQ(t.RotateMap(op, picture.Blocks(), bright), 0);
      EXPECT_EQ(picture.Current(t), picture.Loaded());
      EXPECT_FALSE(t.Swapped());
      EXPECT_EQ(picture.Info(), picture.LoadedInfo());
    }
}

TEST(RotateMapPixels, ReturnToFirstStateDropsTheWorkAndSwapsTheHeaderBack) {
  TestPicture picture(13, 5, 4);
  PictureTransforms t;
  BrightLevels bright{.level = 30, .delta = 30};
  ASSERT_EQ(t.RotateMap(kRotateClockwise, picture.Blocks(), bright), 0);
  ASSERT_EQ(t.RotateMap(kRotateFlipTopBottom, picture.Blocks(), bright), 0);
  ASSERT_NE(t.CurrentBits(picture.Bits().data()), picture.Bits().data());

  EXPECT_EQ(t.RotateMap(kRotateRestore, picture.Blocks(), bright), 0);
  EXPECT_EQ(t.State(), kTransUntouched);
  EXPECT_FALSE(t.Swapped());
  EXPECT_EQ(bright.level, 0);
  EXPECT_EQ(t.CurrentBits(picture.Bits().data()), picture.Bits().data());
  EXPECT_EQ(picture.Info(), picture.LoadedInfo());
  // Nothing of the old turn is left: the next turn starts from the loaded bits.
  ASSERT_EQ(t.RotateMap(kRotateCounterClockwise, picture.Blocks(), bright), 0);
  EXPECT_EQ(picture.Current(t), Expected(picture.Loaded(), kRotateCounterClockwise));
}

}  // namespace
}  // namespace tarn
