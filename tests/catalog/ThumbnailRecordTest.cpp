#include <gtest/gtest.h>

#include <vector>

#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {
namespace {

std::vector<std::size_t> Blocks(std::uint64_t size, int block) {
  std::vector<std::size_t> sizes;
  EXPECT_TRUE(WriteZeroBlocks(size, block, [&](const std::uint8_t* zeros, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (zeros[i] != 0) return false;
    sizes.push_back(n);
    return true;
  }));
  return sizes;
}

TEST(WipeBlocks, WholeRecordsThenTheRemainder) {
  EXPECT_EQ(Blocks(30000, kRecordLengthM), (std::vector<std::size_t>{13456, 13456, 3088}));
  EXPECT_EQ(Blocks(13456, kRecordLengthM), (std::vector<std::size_t>{13456}));
  EXPECT_EQ(Blocks(100, kRecordLengthLL), (std::vector<std::size_t>{100})) << "shorter than a block";
  EXPECT_TRUE(Blocks(0, kRecordLengthS).empty());
  EXPECT_EQ(Blocks(2 * kRecordLengthLL + 1, kRecordLengthLL),
            (std::vector<std::size_t>{61576, 61576, 1}));
}

TEST(WipeBlocks, TheBufferIsClearedFirstAndAFailedWriteStops) {
  ThumbRecordBuffer()[0] = 0x5A;
  int calls = 0;
  EXPECT_FALSE(WriteZeroBlocks(40000, kRecordLengthM, [&](const std::uint8_t* zeros, std::size_t) {
    EXPECT_EQ(zeros[0], 0);
    return ++calls < 2;
  }));
  EXPECT_EQ(calls, 2);
}

TEST(WipeBlocks, LengthsBelowSizeSBecomeThoseOfSizeM) {
  const std::vector<std::size_t> m{13456, 13456, 3088};
  EXPECT_EQ(Blocks(30000, 0), m) << "no size chosen yet";
  EXPECT_EQ(Blocks(30000, -1), m);
  EXPECT_EQ(Blocks(30000, kRecordLengthS - 1), m);
  EXPECT_EQ(Blocks(30000, kRecordLengthS), (std::vector<std::size_t>{9864, 9864, 9864, 408}));
  EXPECT_EQ(Blocks(70000, kRecordLengthLL), (std::vector<std::size_t>{61576, 8424}));
}

TEST(RecordLength, EveryCatalogSizeWipesInBlocksOfItsOwnRecords) {
  for (int size = -1; size <= 4; ++size) EXPECT_EQ(RecordLengthOf(size), GeometryOf(size).recordLength) << size;
}

}  // namespace
}  // namespace tarn
