// The box reduction against a plain average worked out pixel by pixel from the picture's values.
#include <gtest/gtest.h>

#include <array>

#include "TestPicture.h"
#include "image/BoxReduce.h"

namespace tarn {
namespace {

using test::TestPicture;

// Blue, green, red of one pixel value, read as the picture's bit count says.
std::array<int, 3> Colour(const TestPicture& picture, int bitCount, std::uint32_t v) {
  if (PaletteEntries(bitCount) != 0) {
    const std::uint8_t* entry = picture.Info().data() + kDibHeaderBytes + 4 * v;
    return {entry[0], entry[1], entry[2]};
  }
  if (bitCount == 16) {
    const auto widen = [](std::uint32_t c) { return static_cast<int>(c << 3 | c >> 2); };
    return {widen(v & 31), widen(v >> 5 & 31), widen(v >> 10 & 31)};
  }
  return {static_cast<int>(v & 255), static_cast<int>(v >> 8 & 255), static_cast<int>(v >> 16 & 255)};
}

DibPixels View(const TestPicture& picture, int width, int height, int bitCount) {
  const std::vector<std::uint8_t>& info = picture.Info();
  return {width, height, true, bitCount, info.data() + kDibHeaderBytes, PaletteEntries(bitCount),
          picture.Bits().data(), picture.Bits().size()};
}

TEST(BoxReduceTest, EveryBlockIsTheRoundedAverageOfItsPixelsAtEveryBitCountAndOddSize) {
  for (const int bitCount : {1, 4, 8, 16, 24, 32}) {
    for (const int factor : {2, 3, 7}) {
      SCOPED_TRACE(testing::Message() << bitCount << " bits, factor " << factor);
      const int width = 23, height = 17;  // neither a multiple of any factor: partial edge blocks
      const TestPicture picture(width, height, bitCount, static_cast<unsigned>(bitCount * 31 + factor));
      ReducedPicture out;
      ASSERT_TRUE(BoxReduce(View(picture, width, height, bitCount), factor, out));
      const int outWidth = (width + factor - 1) / factor, outHeight = (height + factor - 1) / factor;
      ASSERT_EQ(out.width, outWidth);
      ASSERT_EQ(out.height, outHeight);
      const test::Pixels values = picture.Loaded();
      for (int oy = 0; oy < outHeight; ++oy)
        for (int ox = 0; ox < outWidth; ++ox) {
          std::array<int, 3> sum{};
          int count = 0;
          for (int y = oy * factor; y < std::min(height, (oy + 1) * factor); ++y)
            for (int x = ox * factor; x < std::min(width, (ox + 1) * factor); ++x, ++count) {
              const std::array<int, 3> c = Colour(picture, bitCount, values.At(x, y));
              for (int k = 0; k < 3; ++k) sum[k] += c[k];
            }
          const std::uint32_t got =
              test::ReadPixel(out.bits.data(), outWidth, outHeight, 24, ox, oy);
          for (int k = 0; k < 3; ++k)
            ASSERT_EQ(static_cast<int>(got >> (8 * k) & 255), (sum[k] + count / 2) / count)
                << "block " << ox << "," << oy;
        }
    }
  }
}

TEST(BoxReduceTest, RefusesWhatItCannotReadAndFactorsStayAboveTwiceTheTarget) {
  const TestPicture picture(40, 30, 24);
  ReducedPicture out;
  DibPixels short_ = View(picture, 40, 30, 24);
  short_.bitsSize -= 1;  // one byte fewer than 30 rows need
  EXPECT_FALSE(BoxReduce(short_, 2, out));
  EXPECT_TRUE(out.bits.empty());
  EXPECT_FALSE(BoxReduce(View(picture, 40, 30, 12), 2, out));
  EXPECT_FALSE(BoxReduce(View(picture, 40, 30, 24), 1, out));
  EXPECT_FALSE(BoxReduce(View(picture, 0, 30, 24), 2, out));

  EXPECT_EQ(BoxFactor(4000, 3000, 90, 67, 2), 22);  // 4000 / 22 = 181 >= 180, 3000 / 22 = 136 >= 134
  EXPECT_EQ(BoxFactor(500, 375, 90, 67, 2), 2);
  EXPECT_EQ(BoxFactor(300, 200, 90, 60, 2), 1);  // less than four times: GDI alone
  EXPECT_EQ(BoxFactor(4000, 3000, 780, 585, 1), 5);
  EXPECT_EQ(BoxFactor(0, 200, 90, 60, 2), 1);
}

TEST(BoxReduceTest, RectanglesCarryOverToTheReducedPicture) {
  const PixelRect central = ScalePixelRect({400, 300, 3200, 2400}, 4000, 3000, 182, 137);
  EXPECT_EQ(central.x, 18);
  EXPECT_EQ(central.y, 14);
  EXPECT_EQ(central.width, 146);
  EXPECT_EQ(central.height, 109);
  const PixelRect tiny = ScalePixelRect({0, 0, 1, 1}, 4000, 3000, 10, 10);
  EXPECT_EQ(tiny.width, 1);  // never empty
}

}  // namespace
}  // namespace tarn
