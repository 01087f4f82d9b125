#include <gtest/gtest.h>

#include <vector>

#include "common/DibLayout.h"
#include "plugins/bmp/BmpRle.h"

namespace tarn::bmp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Expands into a cleared block of exactly the picture's size and returns it.
Bytes Expand(int bits, const Bytes& codes, std::uint32_t width, std::uint32_t height) {
  const std::size_t rowBytes = DibRowBytes(width, bits);
  Bytes block(rowBytes * height, 0);
  const RleTarget target{block.data(), block.size(), rowBytes, width, height};
  // Codes live in a block of their own size, so a read past them is caught by the sanitizers.
  std::vector<std::uint8_t> heapCodes(codes);
  if (bits == 8)
    ExpandRle8(heapCodes.data(), heapCodes.size(), target);
  else
    ExpandRle4(heapCodes.data(), heapCodes.size(), target);
  return block;
}

Bytes Row(const Bytes& block, std::size_t rowBytes, std::size_t row) {
  return Bytes(block.begin() + row * rowBytes, block.begin() + (row + 1) * rowBytes);
}

TEST(Rle8, RunsAbsoluteGroupsEndOfLineAndEndOfPicture) {
  // 4 x 2: row 0 = run of 3 x 0x11 then absolute 1; row 1 = absolute group of 3 (odd: padded).
  const Bytes codes = {3, 0x11, 1, 0x22, 0, 0,          // row 0 ends by reaching the width
                       0, 3, 0xA1, 0xA2, 0xA3, 0x00,    // absolute 3 + pad byte
                       1, 0xA4, 0, 1};
  const Bytes block = Expand(8, codes, 4, 2);
  EXPECT_EQ(block, (Bytes{0x11, 0x11, 0x11, 0x22, 0xA1, 0xA2, 0xA3, 0xA4}));
}

TEST(Rle8, EndOfLineBeforeThe21stPixelDoesNotEndTheRow) {
  // 30 pixels wide: 10 pixels, end of line (ignored), 10 more continue the same row.
  const Bytes codes = {10, 1, 0, 0, 10, 2, 0, 0, 5, 3, 0, 1};
  const Bytes block = Expand(8, codes, 30, 2);
  const Bytes row0 = Row(block, 32, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(row0[x], 1) << x;
  for (int x = 10; x < 20; ++x) EXPECT_EQ(row0[x], 2) << x;
  for (int x = 20; x < 25; ++x) EXPECT_EQ(row0[x], 3) << x;
  EXPECT_EQ(row0[25], 0);
  EXPECT_EQ(Row(block, 32, 1), Bytes(32, 0));
}

TEST(Rle8, EndOfLinePastThe20thPixelEndsTheRow) {
  const Bytes codes = {21, 7, 0, 0, 2, 9, 0, 1};
  const Bytes block = Expand(8, codes, 30, 2);
  EXPECT_EQ(block[20], 7);
  EXPECT_EQ(block[21], 0);
  EXPECT_EQ(block[32], 9) << "the next code starts row 1";
  EXPECT_EQ(block[33], 9);
}

TEST(Rle8, WithoutEndOfPictureStopsAfterTheLastRow) {
  // Three rows of 2 pixels each, each row ended by reaching the width; then more codes follow.
  const Bytes codes = {2, 1, 0, 0, 2, 2, 0, 0, 2, 3, 0, 0, 2, 4, 2, 4};
  const Bytes block = Expand(8, codes, 2, 3);
  EXPECT_EQ(block, (Bytes{1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 0}));
}

TEST(Rle8, DeltaMovesRightAndUp) {
  // 8 x 3: one pixel, then delta (3, 1): continue at column 4 of row 1; that row's end starts
  // row 2 at column 0.
  const Bytes codes = {1, 5, 0, 2, 3, 1, 4, 6, 0, 0, 1, 7, 0, 1};
  const Bytes block = Expand(8, codes, 8, 3);
  EXPECT_EQ(Row(block, 8, 0), (Bytes{5, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Row(block, 8, 1), (Bytes{0, 0, 0, 0, 6, 6, 6, 6}));
  EXPECT_EQ(Row(block, 8, 2), (Bytes{7, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Rle8, HostileStreamsStayInsideBothBlocks) {
  // A run that would pass the end of the block: the rows before it stay.
  EXPECT_EQ(Expand(8, {4, 1, 0, 0, 200, 2}, 4, 2), (Bytes{1, 1, 1, 1, 0, 0, 0, 0}));
  // A run longer than the row spills into the next row but never past the block.
  EXPECT_EQ(Expand(8, {6, 9, 0, 1}, 4, 2), (Bytes{9, 9, 9, 9, 9, 9, 0, 0}));
  // An absolute group that claims more bytes than the stream has.
  Bytes firstOnly(252, 0);
  firstOnly[0] = 3;
  EXPECT_EQ(Expand(8, {1, 3, 0, 200, 1, 2}, 250, 1), firstOnly);
  // An absolute group that would pass the end of the block.
  EXPECT_EQ(Expand(8, {0, 5, 1, 2, 3, 4, 5, 0}, 4, 1), (Bytes(4, 0)));
  // Deltas far above the picture, and a stream cut inside a delta and inside a code.
  EXPECT_EQ(Expand(8, {0, 2, 255, 255, 1, 1}, 4, 1), (Bytes(4, 0)));
  EXPECT_EQ(Expand(8, {1, 1, 0, 2, 3}, 4, 1), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Expand(8, {1}, 4, 1), (Bytes(4, 0)));
  EXPECT_EQ(Expand(8, {}, 4, 1), (Bytes(4, 0)));
  // Only end-of-line codes: skipped on a short row, never ending it; the stream runs out.
  EXPECT_EQ(Expand(8, Bytes(1000, 0), 40, 4), (Bytes(160, 0)));
}

TEST(Rle4, RunsAlternateTheNibblesOfTheirValue) {
  // 8 x 1: a run of 5 pixels of 0x12 gives 1 2 1 2 1; then 3 of 0xAB continue at a low nibble.
  const Bytes codes = {5, 0x12, 3, 0xAB, 0, 1};
  EXPECT_EQ(Expand(4, codes, 8, 1), (Bytes{0x12, 0x12, 0x1A, 0xBA}));
}

TEST(Rle4, RunEndingOnAHighNibbleLeavesTheLowNibbleZero) {
  EXPECT_EQ(Expand(4, {3, 0xFF, 0, 1}, 8, 1), (Bytes{0xFF, 0xF0, 0x00, 0x00}));
}

TEST(Rle4, AbsoluteGroupsAndTheirPadding) {
  // 5 pixels from 3 bytes (odd: one pad byte follows), then 3 pixels from 2 bytes (even: none).
  const Bytes codes = {0, 5, 0x12, 0x34, 0x50, 0xEE, 0, 3, 0x67, 0x80, 0, 1};
  EXPECT_EQ(Expand(4, codes, 8, 1), (Bytes{0x12, 0x34, 0x56, 0x78}));
  // 4 pixels from 2 bytes: even, no pad.
  EXPECT_EQ(Expand(4, {0, 4, 0x9A, 0xBC, 1, 0x11, 0, 1}, 8, 1), (Bytes{0x9A, 0xBC, 0x10, 0x00}));
}

TEST(Rle4, OddDeltaSwitchesToTheLowNibble) {
  // 8 x 2: delta (3, 0) then a run of 2: pixels 3 and 4.
  const Bytes codes = {0, 2, 3, 0, 2, 0x56, 0, 1};
  EXPECT_EQ(Expand(4, codes, 8, 2), (Bytes{0x00, 0x05, 0x60, 0x00, 0, 0, 0, 0}));
}

TEST(Rle4, HostileStreamsStayInsideBothBlocks) {
  EXPECT_EQ(Expand(4, {8, 0x11, 0, 0, 255, 0x22}, 8, 1), (Bytes{0x11, 0x11, 0x11, 0x11}));
  EXPECT_EQ(Expand(4, {0, 9, 1, 2, 3, 4, 5, 6}, 8, 1), (Bytes(4, 0)));
  EXPECT_EQ(Expand(4, {0, 6, 0x12, 0x34}, 8, 1), (Bytes(4, 0))) << "group cut short";
  EXPECT_EQ(Expand(4, {0, 2, 200, 200, 2, 0x11}, 8, 1), (Bytes(4, 0)));
}

}  // namespace
}  // namespace tarn::bmp
