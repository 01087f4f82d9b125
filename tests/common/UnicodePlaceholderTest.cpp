#include <gtest/gtest.h>

#include "common/DibLayout.h"
#include "common/UnicodePlaceholder.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn {
namespace {

using test::RecordingProgress;
using test::VectorPictureMemory;

TEST(Placeholder, IsA64By64BottomUpPictureOf24Bits) {
  VectorPictureMemory memory;
  ASSERT_EQ(BuildPlaceholder(memory, nullptr), kSpiOk);
  ASSERT_EQ(memory.info.size(), 40u);
  ASSERT_EQ(memory.pixels.size(), 0x3000u);
  const DibHeader h = LoadDibHeader(memory.info.data());
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 64);
  EXPECT_EQ(h.biHeight, 64);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biXPelsPerMeter, 0);
  EXPECT_EQ(h.biYPelsPerMeter, 0);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(h.biClrImportant, 0u);
  EXPECT_EQ(memory.workOutstanding, 0);
}

TEST(Placeholder, BackgroundOutsideTheCentreAndTheGlyphInside) {
  VectorPictureMemory memory;
  ASSERT_EQ(BuildPlaceholder(memory, nullptr), kSpiOk);
  int glyphPixels = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t* p = &memory.pixels[(y * 64 + x) * 3];
      std::uint8_t want[3] = {200, 210, 255};
      if (x >= 16 && x < 48 && y >= 16 && y < 48) {
        PlaceholderColour(PlaceholderGlyphIndex(x - 16, y - 16), want);
        ++glyphPixels;
      }
      ASSERT_EQ(p[0], want[0]) << x << "," << y;
      ASSERT_EQ(p[1], want[1]) << x << "," << y;
      ASSERT_EQ(p[2], want[2]) << x << "," << y;
    }
  }
  EXPECT_EQ(glyphPixels, 1024);
}

TEST(Placeholder, GlyphIndicesMapToTheirColours) {
  std::uint8_t c[3];
  const auto is = [&](std::uint8_t index, int b, int g, int r) {
    PlaceholderColour(index, c);
    return c[0] == b && c[1] == g && c[2] == r;
  };
  EXPECT_TRUE(is(3, 0, 0, 120));
  EXPECT_TRUE(is(4, 30, 255, 255));
  EXPECT_TRUE(is(5, 0, 140, 0));
  EXPECT_TRUE(is(6, 0, 240, 0));
  EXPECT_TRUE(is(8, 200, 210, 255));
  EXPECT_TRUE(is(0, 200, 200, 200));
  EXPECT_TRUE(is(7, 200, 200, 200));
  EXPECT_TRUE(is(255, 200, 200, 200));
  // The glyph uses every colour of the table, and its corners are background.
  bool used[256] = {};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) used[PlaceholderGlyphIndex(x, y)] = true;
  EXPECT_TRUE(used[3] && used[4] && used[5] && used[6] && used[8]);
  EXPECT_EQ(PlaceholderGlyphIndex(0, 0), 8);
  EXPECT_EQ(PlaceholderGlyphIndex(31, 31), 8);
}

TEST(Placeholder, CallbackStopBeforeAnythingIsAllocated) {
  VectorPictureMemory memory;
  RecordingProgress progress(0);
  EXPECT_EQ(BuildPlaceholder(memory, &progress), kSpiStopped);
  EXPECT_EQ(memory.pictureAllocations, 0);
  EXPECT_EQ(memory.workOutstanding, 0);
  ASSERT_EQ(progress.calls.size(), 1u);
  EXPECT_EQ(progress.calls[0], std::make_pair(0, 1));
}

TEST(Placeholder, CallbackStopAtTheEndReleasesThePicture) {
  VectorPictureMemory memory;
  RecordingProgress progress(1);
  EXPECT_EQ(BuildPlaceholder(memory, &progress), kSpiStopped);
  EXPECT_FALSE(memory.held);
  EXPECT_EQ(progress.calls.size(), 2u);
}

TEST(Placeholder, FailuresAnswerTheirCodesAndHoldNothing) {
  {
    VectorPictureMemory memory;
    memory.workAvailable = false;
    EXPECT_EQ(BuildPlaceholder(memory, nullptr), kSpiNoMemory);
    EXPECT_EQ(memory.pictureAllocations, 0);
    EXPECT_EQ(memory.warnings, 0) << "the placeholder shows no message";
  }
  for (int code : {kSpiNoMemory, kSpiLockFailed}) {
    VectorPictureMemory memory;
    memory.allocateAnswer = code;
    EXPECT_EQ(BuildPlaceholder(memory, nullptr), code);
    EXPECT_FALSE(memory.held);
    EXPECT_EQ(memory.workOutstanding, 0);
  }
}

}  // namespace
}  // namespace tarn
