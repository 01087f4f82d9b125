// The EXIF orientation tag, from sound blocks in both byte orders and from hostile ones, and where
// each orientation puts a decoded row.
#include "plugins/jpeg/ExifOrientation.h"

#include <gtest/gtest.h>

#include "tests/plugins/jpeg/JpegBuilder.h"

namespace tarn::jpeg {
namespace {

using Bytes = std::vector<std::uint8_t>;

int Orientation(const Bytes& b) { return ExifOrientation(b.data(), b.size()); }

TEST(ExifOrientation, ReadsTheTagInBothByteOrders) {
  for (int o = 1; o <= 8; ++o) {
    EXPECT_EQ(Orientation(test::ExifPayload(o, true)), o);
    EXPECT_EQ(Orientation(test::ExifPayload(o, false)), o);
  }
}

TEST(ExifOrientation, AnythingUnsoundMeansUpright) {
  EXPECT_EQ(Orientation(test::ExifPayload(0, true)), 1);
  EXPECT_EQ(Orientation(test::ExifPayload(9, true)), 1);
  EXPECT_EQ(ExifOrientation(nullptr, 0), 1);

  Bytes notExif = test::ExifPayload(6, true);
  notExif[0] = 'X';
  EXPECT_EQ(Orientation(notExif), 1);

  Bytes badOrder = test::ExifPayload(6, true);
  badOrder[6] = 'M';
  badOrder[7] = 'I';
  EXPECT_EQ(Orientation(badOrder), 1);

  Bytes badMagic = test::ExifPayload(6, true);
  badMagic[9] = 43;
  EXPECT_EQ(Orientation(badMagic), 1);

  Bytes wrongType = test::ExifPayload(6, true);
  wrongType[6 + 8 + 2 + 3] = 4;  // LONG instead of SHORT
  EXPECT_EQ(Orientation(wrongType), 1);

  Bytes farIfd = test::ExifPayload(6, true);
  farIfd[6 + 4] = 0x7F;  // IFD0 offset far past the block
  EXPECT_EQ(Orientation(farIfd), 1);

  Bytes manyEntries = test::ExifPayload(6, true);
  manyEntries[6 + 8] = 0xFF;  // 65281 entries announced; the orientation is the first one
  EXPECT_EQ(Orientation(manyEntries), 6);
  manyEntries[6 + 8 + 2] = 0x02;  // first entry no longer the tag: the rest lie past the end
  EXPECT_EQ(Orientation(manyEntries), 1);

  // Every cut of a sound block reads nothing outside it; the tag counts once its entry is whole
  // (6 bytes "Exif", 8 of TIFF header, 2 of count, 12 of entry).
  const Bytes sound = test::ExifPayload(6, false);
  for (std::size_t n = 0; n < sound.size(); ++n) {
    const Bytes cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(Orientation(cut), n >= 28 ? 6 : 1) << n;
  }
}

// A 3 x 2 picture of 1-byte pixels placed by every orientation: which stored pixel lands where.
TEST(PlaceRow, PutsEveryPixelWhereTheOrientationSays) {
  constexpr std::uint32_t w = 3, h = 2;
  // The stored picture, top row first: A B C / D E F. Expected pictures, top row first.
  const char* expected[9] = {nullptr,
                             "ABC" "DEF",     // 1
                             "CBA" "FED",     // 2 mirrored left-right
                             "FED" "CBA",     // 3 turned 180
                             "DEF" "ABC",     // 4 mirrored top-bottom
                             "AD" "BE" "CF",  // 5 transposed
                             "DA" "EB" "FC",  // 6 turned clockwise
                             "FC" "EB" "DA",  // 7 transversed
                             "CF" "BE" "AD"}; // 8 turned counter-clockwise
  const char stored[2][3] = {{'A', 'B', 'C'}, {'D', 'E', 'F'}};
  for (int o = 1; o <= 8; ++o) {
    const std::uint32_t outW = SwapsSides(o) ? h : w, outH = SwapsSides(o) ? w : h;
    const std::size_t rowBytes = 4;
    std::vector<char> dib(rowBytes * outH, '.');
    for (std::uint32_t y = 0; y < h; ++y) {
      const RowPlacement p = PlaceRow(o, y, w, h, rowBytes, 1);
      for (std::uint32_t x = 0; x < w; ++x) dib.at(static_cast<std::size_t>(p.start + p.step * static_cast<std::ptrdiff_t>(x))) = stored[y][x];
    }
    std::string picture;  // read back top row first from the bottom-up block
    for (std::uint32_t y = 0; y < outH; ++y)
      for (std::uint32_t x = 0; x < outW; ++x) picture += dib[(outH - 1 - y) * rowBytes + x];
    EXPECT_EQ(picture, expected[o]) << "orientation " << o;
  }
}

}  // namespace
}  // namespace tarn::jpeg
