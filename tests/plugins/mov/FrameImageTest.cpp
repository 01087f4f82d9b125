// Frames as the media services hand them over, turned into the delivered picture: masks widened
// right, rows the right way up, YV12 planes found, and headers that lie refused before any read.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "plugins/mov/FrameImage.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn::mov {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Dib(int width, int height, int bits, std::uint32_t compression, const Bytes& extra, const Bytes& pixels) {
  DibHeader h;
  h.biWidth = width;
  h.biHeight = height;
  h.biBitCount = static_cast<std::uint16_t>(bits);
  h.biCompression = compression;
  Bytes out(kDibHeaderBytes);
  StoreDibHeader(h, out.data());
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TEST(MovieFrame, SixteenBitPixelsWidenEachChannelByItsMask) {
  // One 5-6-5 pixel of full red and one of half green, top-down: row order flips.
  const Bytes masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  const Bytes pixels = {0x00, 0xF8, 0, 0, 0x00, 0x04, 0, 0};
  test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  ASSERT_EQ(ConvertFrame(Dib(1, -2, 16, 3, masks, pixels).data(), 40 + 12 + 8, memory, &bytes), kSpiOk);
  EXPECT_EQ(bytes, 8u);
  const DibHeader h = LoadDibHeader(memory.Info());
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biHeight, 2);
  const std::uint8_t* p = memory.Pixels();
  EXPECT_EQ((Bytes{p[0], p[1], p[2]}), (Bytes{0, 0x82, 0})) << "bottom row: the half green, 6 bits widened";
  EXPECT_EQ((Bytes{p[4], p[5], p[6]}), (Bytes{0, 0, 0xFF})) << "top row: full red";
}

TEST(MovieFrame, FrameWithoutMasksIsFiveFiveFiveOrWholeBytes) {
  test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  ASSERT_EQ(ConvertFrame(Dib(1, 1, 16, 0, {}, {0x1F, 0x7C, 0, 0}).data(), 44, memory, &bytes), kSpiOk);
  EXPECT_EQ((Bytes{memory.Pixels()[0], memory.Pixels()[1], memory.Pixels()[2]}), (Bytes{0xFF, 0, 0xFF}));
  ASSERT_EQ(ConvertFrame(Dib(1, 1, 32, 0, {}, {0x10, 0x20, 0x30, 0}).data(), 44, memory, &bytes), kSpiOk);
  EXPECT_EQ((Bytes{memory.Pixels()[0], memory.Pixels()[1], memory.Pixels()[2]}), (Bytes{0x10, 0x20, 0x30}));
}

TEST(MovieFrame, Yv12PlanesBecomeGrey) {
  // 2 x 2: Y plane of 4, V and U of one each; mid grey stays grey.
  const Bytes planes = {126, 126, 126, 126, 128, 128};
  test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  ASSERT_EQ(ConvertFrame(Dib(2, 2, 12, 0x32315659, {}, planes).data(), 46, memory, &bytes), kSpiOk);
  for (std::size_t i : {0u, 1u, 2u, 8u, 9u, 10u}) EXPECT_NEAR(memory.Pixels()[i], 128, 1) << i;
}

TEST(MovieFrame, PalettedFramesKeepTheirDepthAndAFullTable) {
  const Bytes palette = {1, 2, 3, 0, 4, 5, 6, 0};
  DibHeader h;
  h.biWidth = 1;
  h.biHeight = 1;
  h.biBitCount = 8;
  h.biClrUsed = 2;
  Bytes dib(kDibHeaderBytes);
  StoreDibHeader(h, dib.data());
  dib.insert(dib.end(), palette.begin(), palette.end());
  dib.insert(dib.end(), {1, 0, 0, 0});
  test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  ASSERT_EQ(ConvertFrame(dib.data(), dib.size(), memory, &bytes), kSpiOk);
  EXPECT_EQ(LoadDibHeader(memory.Info()).biClrUsed, 256u);
  EXPECT_EQ(memory.Info()[44], 4);
  EXPECT_EQ(memory.Info()[48], 0) << "entries past the frame's own are black";
  EXPECT_EQ(memory.Pixels()[0], 1);
}

TEST(MovieFrame, LyingHeadersAreRefusedBeforeAnyRead) {
  test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  const Bytes tooFew = Dib(100, 100, 24, 0, {}, Bytes(100));
  EXPECT_EQ(ConvertFrame(tooFew.data(), tooFew.size(), memory, &bytes), kSpiBroken);
  const Bytes huge = Dib(0x7FFFFFFF, 1, 24, 0, {}, Bytes(16));
  EXPECT_EQ(ConvertFrame(huge.data(), huge.size(), memory, &bytes), kSpiBroken);
  const Bytes masksMissing = Dib(1, 1, 16, 3, {}, {});
  EXPECT_EQ(ConvertFrame(masksMissing.data(), masksMissing.size(), memory, &bytes), kSpiBroken);
  const Bytes oddDepth = Dib(1, 1, 7, 0, {}, Bytes(4));
  EXPECT_EQ(ConvertFrame(oddDepth.data(), oddDepth.size(), memory, &bytes), kSpiBroken);
  Bytes bigHeader = Dib(1, 1, 24, 0, {}, Bytes(4));
  bigHeader[0] = 200;  // biSize past the end
  EXPECT_EQ(ConvertFrame(bigHeader.data(), bigHeader.size(), memory, &bytes), kSpiBroken);
  EXPECT_EQ(ConvertFrame(bigHeader.data(), 39, memory, &bytes), kSpiBroken);
  EXPECT_EQ(ConvertFrame(nullptr, 0, memory, &bytes), kSpiBroken);
}

TEST(MovieFrame, SamplePositionAndTheDarkFrameRule) {
  EXPECT_EQ(SamplePosition(0, true, 0, 30'000'000), 0);
  EXPECT_EQ(SamplePosition(999 * kSampleUnit, true, 0, 30'000'000), 29'000'000) << "0.1 s before the end";
  EXPECT_EQ(SamplePosition(10 * kSampleUnit, false, 0, 0), 10 * kSampleUnit) << "no range: taken as asked";
  EXPECT_EQ(SamplePosition(0, true, 5'000'000, 30'000'000), 5'000'000) << "never before the range";

  Bytes frame(40000, 0);
  EXPECT_TRUE(IsDarkFrame(frame.data(), frame.size()));
  for (int i = 0; i < 200; ++i) frame[i] = 1;  // 200 = 40000 / 200 lit: still dark
  EXPECT_TRUE(IsDarkFrame(frame.data(), frame.size()));
  frame[200] = 1;
  EXPECT_FALSE(IsDarkFrame(frame.data(), frame.size()));
  Bytes late(40000, 0);
  for (std::size_t i = 10000; i < late.size(); ++i) late[i] = 9;  // lit only past the first quarter
  EXPECT_TRUE(IsDarkFrame(late.data(), late.size()));
}

}  // namespace
}  // namespace tarn::mov
