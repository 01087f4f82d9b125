#include <gtest/gtest.h>

#include <array>

#include "common/DibLayout.h"
#include "plugins/bmp/BmpDecode.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn::bmp {
namespace {

using test::BmpFile;
using test::MakeBmp;
using test::PatternPixels;
using test::RampPalette;
using test::RecordingProgress;
using test::VectorPictureMemory;
using Bytes = std::vector<std::uint8_t>;

int Decode(const Bytes& file, VectorPictureMemory& memory, ProgressReport* progress = nullptr) {
  return DecodeBmp(file.data(), file.size(), memory, progress);
}

TEST(DecodeBmp, UncompressedPicturesOfEveryDepthArriveByteForByte) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (std::int32_t height : {5, -5}) {
      const std::uint32_t entries = PaletteEntries(bits);
      const BmpFile f{.width = 13, .height = height, .bitCount = static_cast<std::uint16_t>(bits),
                      .xPelsPerMeter = 3780, .yPelsPerMeter = 3779, .clrImportant = entries / 2,
                      .palette = RampPalette(entries), .pixels = PatternPixels(13, height, bits)};
      VectorPictureMemory memory;
      ASSERT_EQ(Decode(MakeBmp(f), memory), kSpiOk) << bits;
      const DibHeader h = LoadDibHeader(memory.info.data());
      EXPECT_EQ(h.biSize, 40u);
      EXPECT_EQ(h.biWidth, 13);
      EXPECT_EQ(h.biHeight, height) << "the sign of the height is kept";
      EXPECT_EQ(h.biPlanes, 1);
      EXPECT_EQ(h.biBitCount, bits);
      EXPECT_EQ(h.biCompression, 0u);
      EXPECT_EQ(h.biSizeImage, f.pixels.size());
      EXPECT_EQ(h.biXPelsPerMeter, 3780);
      EXPECT_EQ(h.biYPelsPerMeter, 3779);
      EXPECT_EQ(h.biClrUsed, entries);
      EXPECT_EQ(h.biClrImportant, entries / 2);
      ASSERT_EQ(memory.info.size(), 40u + entries * 4);
      for (std::uint32_t i = 0; i < entries; ++i)
        EXPECT_EQ(ReadLe32(&memory.info[40 + i * 4]), f.palette[i]) << bits << " entry " << i;
      EXPECT_EQ(memory.pixels, f.pixels) << bits;
    }
  }
}

TEST(DecodeBmp, HeaderBlockSizesFollowTheBitCount) {
  const std::pair<int, std::size_t> sizes[] = {{1, 48}, {4, 104}, {8, 1064}, {16, 40}, {24, 40}, {32, 40}};
  for (const auto& [bits, infoBytes] : sizes) {
    VectorPictureMemory memory;
    const BmpFile f{.width = 2, .height = 2, .bitCount = static_cast<std::uint16_t>(bits),
                    .palette = RampPalette(PaletteEntries(bits)), .pixels = PatternPixels(2, 2, bits)};
    ASSERT_EQ(Decode(MakeBmp(f), memory), kSpiOk);
    EXPECT_EQ(memory.info.size(), infoBytes) << bits;
  }
}

Bytes Le16(std::initializer_list<std::uint16_t> values) {
  Bytes out;
  for (std::uint16_t v : values) out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
  return out;
}

// Blue, green, red of pixel x in row y (as stored) of a 24-bit delivery.
std::array<int, 3> Bgr(const VectorPictureMemory& m, int x, int y) {
  const DibHeader h = LoadDibHeader(m.info.data());
  const std::uint8_t* p = m.pixels.data() + y * DibRowBytes(h.biWidth, 24) + x * 3;
  return {p[0], p[1], p[2]};
}

TEST(DecodeBmp, SixteenBitMasksGiveExactColoursInEveryHeader) {
  // 5-6-5: white, pure red, green and blue, then red 1, green 2, blue 1; a row padded to 4 bytes.
  const Bytes rgb565 = Le16({0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0841, 0});
  // 5-5-5 through its masks: the same colours.
  const Bytes rgb555 = Le16({0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x0421, 0});
  struct Case {
    const char* what;
    std::uint32_t infoSize;
    std::vector<std::uint32_t> masks;
    Bytes pixels;
  };
  for (const Case& c : {Case{"40 + 5-6-5", 40, {0xF800, 0x07E0, 0x001F}, rgb565},
                        Case{"V4 5-6-5", 108, {0xF800, 0x07E0, 0x001F, 0}, rgb565},
                        Case{"V5 5-5-5", 124, {0x7C00, 0x03E0, 0x001F, 0}, rgb555},
                        Case{"52 5-5-5", 52, {0x7C00, 0x03E0, 0x001F}, rgb555}}) {
    SCOPED_TRACE(c.what);
    const BmpFile f{.width = 5, .height = -1, .bitCount = 16, .compression = 3, .infoSize = c.infoSize,
                    .pixels = c.pixels, .masks = c.masks};
    VectorPictureMemory memory;
    ASSERT_EQ(Decode(MakeBmp(f), memory), kSpiOk);
    const DibHeader h = LoadDibHeader(memory.info.data());
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biHeight, -1) << "top-down stays top-down";
    EXPECT_EQ(h.biClrUsed, 0u);
    ASSERT_EQ(memory.pixels.size(), 16u);
    EXPECT_EQ(Bgr(memory, 0, 0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(Bgr(memory, 1, 0), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(Bgr(memory, 2, 0), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Bgr(memory, 3, 0), (std::array<int, 3>{255, 0, 0}));
    const int green = c.masks[1] == 0x07E0 ? (2 * 255 + 31) / 63 : (1 * 255 + 15) / 31;
    EXPECT_EQ(Bgr(memory, 4, 0), (std::array<int, 3>{8, green, 8}));
    EXPECT_EQ(memory.pixels[15], 0) << "padding";
  }
}

TEST(DecodeBmp, ThirtyTwoBitMasksAnywhereAndAlphaOverWhite) {
  // Channels in unusual places and widths: 10-bit red at the top, 6-bit blue, and green without
  // a mask, which reads 0.
  const BmpFile wide{.width = 2, .height = 1, .bitCount = 32, .compression = 3,
                     .pixels = {0, 0, 0xC0, 0xFF, 0x00, 0x3F, 0x00, 0x00}, .masks = {0xFFC00000, 0, 0x00003F00}};
  VectorPictureMemory memory;
  ASSERT_EQ(Decode(MakeBmp(wide), memory), kSpiOk);
  EXPECT_EQ(Bgr(memory, 0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(Bgr(memory, 1, 0), (std::array<int, 3>{255, 0, 0}));

  // V5 with an alpha mask: clear, half and opaque red.
  const BmpFile alpha{.width = 3, .height = 1, .bitCount = 32, .compression = 3, .infoSize = 124,
                      .pixels = {0, 0, 255, 0, 0, 0, 255, 128, 0, 0, 255, 255},
                      .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}};
  ASSERT_EQ(Decode(MakeBmp(alpha), memory), kSpiOk);
  EXPECT_EQ(Bgr(memory, 0, 0), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(Bgr(memory, 1, 0), (std::array<int, 3>{127, 127, 255}));
  EXPECT_EQ(Bgr(memory, 2, 0), (std::array<int, 3>{0, 0, 255}));

  // The alpha variant of the 40-byte header carries four masks; an alpha of 0 everywhere means the
  // writer left the channel unused, and the picture is opaque.
  BmpFile unused = alpha;
  unused.infoSize = 40;
  unused.compression = 6;
  for (std::size_t i = 3; i < unused.pixels.size(); i += 4) unused.pixels[i] = 0;
  ASSERT_EQ(Decode(MakeBmp(unused), memory), kSpiOk);
  EXPECT_EQ(Bgr(memory, 0, 0), (std::array<int, 3>{0, 0, 255}));
}

TEST(DecodeBmp, LargerHeadersWithoutMasksDecodeAsThe40ByteOne) {
  const Bytes pixels = PatternPixels(3, 2, 24);
  VectorPictureMemory plain, v5;
  ASSERT_EQ(Decode(MakeBmp({.width = 3, .height = 2, .pixels = pixels}), plain), kSpiOk);
  ASSERT_EQ(Decode(MakeBmp({.width = 3, .height = 2, .infoSize = 124, .pixels = pixels}), v5), kSpiOk);
  EXPECT_EQ(v5.info, plain.info);
  EXPECT_EQ(v5.pixels, plain.pixels);

  // A V4 palette picture: the table follows the 108-byte header.
  const BmpFile v4{.width = 2, .height = 1, .bitCount = 8, .infoSize = 108, .palette = RampPalette(256),
                   .pixels = {5, 9, 0, 0}};
  ASSERT_EQ(Decode(MakeBmp(v4), v5), kSpiOk);
  EXPECT_EQ(ReadLe32(&v5.info[40 + 9 * 4]), v4.palette[9]);
}

TEST(DecodeBmp, CoreHeaderPalettesWidenToFourBytes) {
  const Bytes palette = {10, 20, 30, 40, 50, 60};  // blue, green, red twice
  const Bytes pixels = PatternPixels(9, 8, 1);
  VectorPictureMemory memory;
  ASSERT_EQ(Decode(test::MakeCoreBmp(9, 8, 1, palette, pixels), memory), kSpiOk);
  const DibHeader h = LoadDibHeader(memory.info.data());
  EXPECT_EQ(h.biWidth, 9);
  EXPECT_EQ(h.biHeight, 8);
  EXPECT_EQ(h.biClrUsed, 2u);
  EXPECT_EQ(memory.info, [&] {
    Bytes info(memory.info.begin(), memory.info.begin() + 40);
    info.insert(info.end(), {10, 20, 30, 0, 40, 50, 60, 0});
    return info;
  }());
  EXPECT_EQ(memory.pixels, pixels);
}

TEST(DecodeBmp, MasksCutOffByTheEndOfTheFileAreNotABmp) {
  Bytes file = MakeBmp({.width = 1, .height = 1, .bitCount = 32, .compression = 6, .pixels = {1, 2, 3, 4},
                        .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}});
  file.resize(66);
  file[10] = 60;  // pixels inside what is left
  VectorPictureMemory memory;
  EXPECT_EQ(Decode(file, memory), kSpiNotFormat);
  EXPECT_FALSE(memory.held);
}

TEST(DecodeBmp, RleIsExpandedThroughAWorkBufferAndDeliveredUncompressed) {
  const BmpFile rle8{.width = 4, .height = 2, .bitCount = 8, .compression = 1,
                     .palette = RampPalette(256), .pixels = {4, 7, 0, 0, 2, 8, 0, 1}};
  VectorPictureMemory memory;
  ASSERT_EQ(Decode(MakeBmp(rle8), memory), kSpiOk);
  EXPECT_EQ(memory.pixels, (Bytes{7, 7, 7, 7, 8, 8, 0, 0}));
  const DibHeader h = LoadDibHeader(memory.info.data());
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 8u);
  EXPECT_EQ(memory.workOutstanding, 0);

  const BmpFile rle4{.width = 3, .height = 1, .bitCount = 4, .compression = 2,
                     .palette = RampPalette(16), .pixels = {3, 0x9A, 0, 1}};
  ASSERT_EQ(Decode(MakeBmp(rle4), memory), kSpiOk);
  EXPECT_EQ(memory.pixels, (Bytes{0x9A, 0x90, 0, 0}));
}

TEST(DecodeBmp, DataCutShortLeavesTheMissingPartZero) {
  BmpFile f{.width = 4, .height = 4, .bitCount = 24, .pixels = PatternPixels(4, 4, 24)};
  Bytes file = MakeBmp(f);
  file.resize(file.size() - 20);
  VectorPictureMemory memory;
  ASSERT_EQ(Decode(file, memory), kSpiOk);
  ASSERT_EQ(memory.pixels.size(), 48u);
  EXPECT_TRUE(std::equal(memory.pixels.begin(), memory.pixels.begin() + 28, f.pixels.begin()));
  EXPECT_EQ(Bytes(memory.pixels.begin() + 28, memory.pixels.end()), Bytes(20, 0));
}

TEST(DecodeBmp, ColourTableCutShortByTheEndOfTheFileFillsWithZero) {
  // An 8-bit picture whose file ends 16 bytes into its colour table (pixels announced at 58).
  Bytes file = MakeBmp({.width = 1, .height = 1, .bitCount = 8, .palette = {0x00112233}});
  file.resize(70, 0xEE);
  file[10] = 58;
  VectorPictureMemory memory;
  ASSERT_EQ(Decode(file, memory), kSpiOk);
  ASSERT_EQ(memory.info.size(), 1064u);
  EXPECT_EQ(ReadLe32(&memory.info[40]), 0x00112233u);
  EXPECT_EQ(memory.info[40 + 4], 0xEE) << "bytes up to the end of the file are the table";
  EXPECT_EQ(Bytes(memory.info.begin() + 40 + 16, memory.info.end()), Bytes(1064 - 56, 0));
}

TEST(DecodeBmp, HostileFilesAreRefusedWithoutReadingOutside) {
  VectorPictureMemory memory;
  const Bytes good = MakeBmp({.width = 2, .height = 2, .bitCount = 24, .pixels = PatternPixels(2, 2, 24)});
  EXPECT_EQ(DecodeBmp(good.data(), 57, memory, nullptr), kSpiNotFormat) << "shorter than the header";
  EXPECT_EQ(DecodeBmp(nullptr, 0, memory, nullptr), kSpiNotFormat);

  Bytes offPastEnd = good;
  offPastEnd[10] = static_cast<std::uint8_t>(good.size());
  EXPECT_EQ(Decode(offPastEnd, memory), kSpiNotFormat) << "pixel data offset at the end";
  offPastEnd[13] = 0xFF;
  EXPECT_EQ(Decode(offPastEnd, memory), kSpiNotFormat) << "pixel data offset far past the end";

  // A header whose sizes cannot be: refused before anything is allocated.
  const Bytes intMin = MakeBmp({.width = 1, .height = INT32_MIN, .bitCount = 24, .pixels = Bytes(8)});
  EXPECT_EQ(Decode(intMin, memory), kSpiNotFormat);
  // A picture too large to hold is answered as a failed allocation, without trying one; exactly
  // 1 GiB is still tried.
  const auto sized = [](std::int32_t width, std::int32_t height) {
    Bytes file = MakeBmp({.width = width, .height = height, .bitCount = 32});
    file.resize(64);
    return file;
  };
  EXPECT_EQ(Decode(sized(0x7FFFFFFF, 0x7FFFFFFF), memory), kSpiNoMemory);
  EXPECT_EQ(Decode(sized(16384, 16385), memory), kSpiNoMemory);
  EXPECT_EQ(Decode(sized(16384, -16385), memory), kSpiNoMemory);
  Bytes wide16 = MakeBmp({.width = 20000, .height = 20000, .bitCount = 16, .compression = 3,
                          .masks = {0xF800, 0x07E0, 0x001F}});
  wide16.resize(80);
  EXPECT_EQ(Decode(wide16, memory), kSpiNoMemory) << "the 24-bit delivery passes the cap";
  EXPECT_EQ(memory.pictureAllocations, 0);
  memory.largestBlock = 0;
  EXPECT_EQ(Decode(sized(16384, 16384), memory), kSpiNoMemory);
  EXPECT_EQ(memory.pictureAllocations, 1);
  EXPECT_FALSE(memory.held);
}

TEST(DecodeBmp, ProgressIsReportedAndCanStopEitherEnd) {
  const Bytes file = MakeBmp({.width = 2, .height = 2, .bitCount = 24, .pixels = PatternPixels(2, 2, 24)});
  {
    VectorPictureMemory memory;
    RecordingProgress progress;
    ASSERT_EQ(Decode(file, memory, &progress), kSpiOk);
    EXPECT_EQ(progress.calls, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
  }
  {
    VectorPictureMemory memory;
    RecordingProgress progress(0);
    EXPECT_EQ(Decode(file, memory, &progress), kSpiStopped);
    EXPECT_EQ(memory.pictureAllocations, 0) << "a stop at the start allocates nothing";
  }
  {
    VectorPictureMemory memory;
    RecordingProgress progress(1);
    EXPECT_EQ(Decode(file, memory, &progress), kSpiStopped);
    EXPECT_FALSE(memory.held);
  }
}

TEST(DecodeBmp, AllocationFailuresHoldNothing) {
  const Bytes file = MakeBmp({.width = 2, .height = 2, .bitCount = 24, .pixels = PatternPixels(2, 2, 24)});
  for (int code : {kSpiNoMemory, kSpiLockFailed}) {
    VectorPictureMemory memory;
    memory.allocateAnswer = code;
    EXPECT_EQ(Decode(file, memory), code);
    EXPECT_FALSE(memory.held);
  }
  // Without a work buffer RLE cannot be expanded: the user is told, and the answer is 5.
  const Bytes rle = MakeBmp({.width = 4, .height = 1, .bitCount = 8, .compression = 1,
                             .palette = RampPalette(256), .pixels = {4, 1, 0, 1}});
  VectorPictureMemory memory;
  memory.workAvailable = false;
  EXPECT_EQ(Decode(rle, memory), kSpiLockFailed);
  EXPECT_EQ(memory.warnings, 1);
  EXPECT_FALSE(memory.held);
}

}  // namespace
}  // namespace tarn::bmp
