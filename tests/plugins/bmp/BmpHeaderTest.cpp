#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "plugins/bmp/BmpHeader.h"
#include "tests/support/BmpBuilder.h"

namespace tarn::bmp {
namespace {

using test::BmpFile;
using test::MakeBmp;

bool Accepts(const BmpFile& f) {
  std::vector<std::uint8_t> bytes = MakeBmp(f);
  bytes.resize(std::max<std::size_t>(bytes.size(), kHeaderBytes));
  BmpHeader h;
  return ParseHeader(bytes.data(), &h);
}

TEST(BmpRowBytes, FollowTheDibRule) {
  const auto row = [](int w, int bits) { return BmpHeader{0, w, 1, static_cast<std::uint16_t>(bits)}.rowBytes(); };
  EXPECT_EQ(row(33, 1), 8u);
  EXPECT_EQ(row(32, 1), 4u);
  EXPECT_EQ(row(9, 4), 8u);
  EXPECT_EQ(row(8, 4), 4u);
  EXPECT_EQ(row(1, 24), 4u);
  EXPECT_EQ(row(3, 24), 12u);
  EXPECT_EQ(row(5, 8), 8u);
  EXPECT_EQ(row(3, 16), 8u);
  EXPECT_EQ(row(1, 32), 4u);
}

TEST(BmpHeaderTest, AcceptsEveryDepthAndCompressionItDelivers) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    EXPECT_TRUE(Accepts({.bitCount = static_cast<std::uint16_t>(bits)})) << bits;
    EXPECT_TRUE(Accepts({.bitCount = static_cast<std::uint16_t>(bits), .compression = 3})) << bits;
  }
  EXPECT_TRUE(Accepts({.bitCount = 8, .compression = 1}));
  EXPECT_TRUE(Accepts({.bitCount = 4, .compression = 2}));
  EXPECT_TRUE(Accepts({.height = -5, .bitCount = 24})) << "top-down";
  for (std::uint32_t size : {52u, 56u, 108u, 124u})
    EXPECT_TRUE(Accepts({.bitCount = 16, .compression = 3, .infoSize = size})) << size;
  EXPECT_TRUE(Accepts({.bitCount = 32, .compression = 6}));

  BmpHeader core;
  ASSERT_TRUE(ParseHeader(test::MakeCoreBmp(300, 2, 8, std::vector<std::uint8_t>(768), std::vector<std::uint8_t>(600)).data(), &core));
  EXPECT_EQ(core.width, 300);
  EXPECT_EQ(core.height, 2);
  EXPECT_EQ(core.paletteOffset(), 26u);
  EXPECT_EQ(core.fileEntryBytes(), 3u);
  EXPECT_FALSE(ParseHeader(test::MakeCoreBmp(3, 2, 16, {}, std::vector<std::uint8_t>(64)).data(), &core)) << "no 16 bits in OS/2 1.x";
  EXPECT_FALSE(ParseHeader(test::MakeCoreBmp(0, 2, 24, {}, std::vector<std::uint8_t>(64)).data(), &core));
}

TEST(BmpHeaderTest, RefusesEveryFieldOutsideItsValues) {
  const std::vector<std::pair<const char*, BmpFile>> refused = {
      {"reserved 1", {.reserved1 = 1}},
      {"reserved 2", {.reserved2 = 0x100}},
      {"OS/2 2.x header", {.infoSize = 64}},
      {"header of 41 bytes", {.infoSize = 41}},
      {"alpha bit fields at 24 bits", {.bitCount = 24, .compression = 6}},
      {"alpha bit fields at 8 bits", {.bitCount = 8, .compression = 6}},
      {"two planes", {.planes = 2}},
      {"2 bits", {.bitCount = 2}},
      {"0 bits", {.bitCount = 0}},
      {"48 bits", {.bitCount = 48}},
      {"JPEG inside", {.compression = 4}},
      {"PNG inside", {.compression = 5}},
      {"RLE8 at 4 bits", {.bitCount = 4, .compression = 1}},
      {"RLE4 at 8 bits", {.bitCount = 8, .compression = 2}},
      {"RLE8 at 24 bits", {.bitCount = 24, .compression = 1}},
      {"top-down RLE8", {.height = -4, .bitCount = 8, .compression = 1}},
      {"top-down RLE4", {.height = -4, .bitCount = 4, .compression = 2}},
  };
  for (const auto& [why, f] : refused) EXPECT_FALSE(Accepts(f)) << why;

  std::vector<std::uint8_t> bytes = MakeBmp({});
  bytes[0] = 'M';
  bytes[1] = 'B';
  BmpHeader h;
  EXPECT_FALSE(ParseHeader(bytes.data(), &h)) << "signature";
}

TEST(BmpHeaderTest, RefusesSizesNoPictureCanHave) {
  EXPECT_FALSE(Accepts({.width = 0}));
  EXPECT_FALSE(Accepts({.width = -1}));
  EXPECT_FALSE(Accepts({.width = INT_MIN}));
  EXPECT_FALSE(Accepts({.height = 0}));
  EXPECT_FALSE(Accepts({.height = INT_MIN}));
  // Too large to hold is still a BMP (the load answers for it), and its size is counted whole.
  BmpHeader largest{0, INT_MAX, -INT_MAX, 32};
  EXPECT_EQ(largest.pixelBlockBytes(), (std::uint64_t{INT_MAX} * 4) * INT_MAX);
  EXPECT_TRUE(Accepts({.width = INT_MAX, .height = -INT_MAX, .bitCount = 32}));
}

TEST(BmpHeaderTest, ReadsTheFieldsItCarriesOver) {
  BmpFile f{.width = 7, .height = -3, .bitCount = 8, .xPelsPerMeter = 2835, .yPelsPerMeter = -1,
            .clrImportant = 17, .palette = test::RampPalette(256), .pixels = std::vector<std::uint8_t>(24)};
  const std::vector<std::uint8_t> bytes = MakeBmp(f);
  BmpHeader h;
  ASSERT_TRUE(ParseHeader(bytes.data(), &h));
  EXPECT_EQ(h.offBits, 54u + 1024u);
  EXPECT_EQ(h.width, 7);
  EXPECT_EQ(h.height, -3);
  EXPECT_EQ(h.rows(), 3u);
  EXPECT_EQ(h.xPelsPerMeter, 2835);
  EXPECT_EQ(h.yPelsPerMeter, -1);
  EXPECT_EQ(h.clrImportant, 17u);
  EXPECT_EQ(h.pixelBlockBytes(), 24u);
  EXPECT_EQ(h.paletteBytes(), 1024u);
}

TEST(BmpExtension, LooksAtTheLastFiveCharacters) {
  EXPECT_TRUE(HasBmpExtension("photo.jpeg.bmp"));
  EXPECT_TRUE(HasBmpExtension("C:\\pics\\A.BMP"));
  EXPECT_TRUE(HasBmpExtension("x.dib"));
  EXPECT_FALSE(HasBmpExtension("x.bmpx"));
  EXPECT_FALSE(HasBmpExtension("bmp"));
  EXPECT_FALSE(HasBmpExtension("x.gif"));
  EXPECT_FALSE(HasBmpExtension(nullptr));
}

}  // namespace
}  // namespace tarn::bmp
