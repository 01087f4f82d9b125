// The wallpaper's cut of a picture: the shown part's edges at every scroll position, the header
// the file gets, and the source rows each written row comes from, for both row orders.
#include <gtest/gtest.h>

#include "image/BmpFileLayout.h"
#include "tests/image/TestPicture.h"

namespace tarn::test {
namespace {

TEST(ShownPart, ReachesSixteenPastTheClientAndStepsBackAtTheEdges) {
  struct Case {
    int scroll, client, size;
    int start, length;
  } cases[] = {
      {0, 300, 1000, 0, 316},      // from the left edge
      {684, 300, 1000, 684, 316},  // just fits
      {700, 300, 1000, 684, 316},  // the last scroll position: moved back by 16, to the edge
      {690, 300, 1000, 674, 316},  // past the edge by 6: moved back by 16, not just 6
      {0, 300, 200, 0, 200},       // the picture is narrower than the client
      {-40, 300, 1000, 0, 316},    // a scroll position no view has
      {5000, 300, 1000, 684, 316},
      {0, -50, 1000, 0, 0},
  };
  for (const Case& c : cases) {
    const PicturePart part = ShownPartOf(c.size, c.size, {c.client, c.client, c.scroll, c.scroll});
    EXPECT_EQ(part.x, c.start) << c.scroll << " " << c.client << " " << c.size;
    EXPECT_EQ(part.width, c.length);
    EXPECT_EQ(part.top, c.start);
    EXPECT_EQ(part.rows, c.length);
  }
}

// Reads the part back through PartRowOffset as a file reader would and compares it with the
// picture's own pixels at the shown place.
Pixels PartPixels(const TestPicture& picture, const PicturePart& part, bool topDown) {
  const std::uint8_t* info = picture.Info().data();
  const int bytes = LoadDibHeader(info).biBitCount / 8;
  Pixels out{part.width, part.rows, std::vector<std::uint32_t>(static_cast<std::size_t>(part.width) * part.rows)};
  for (int fileRow = 0; fileRow < part.rows; ++fileRow) {
    const std::uint8_t* row = picture.Bits().data() + PartRowOffset(info, part, fileRow);
    const int screenRow = topDown ? fileRow : part.rows - 1 - fileRow;
    for (int x = 0; x < part.width; ++x) {
      std::uint32_t v = 0;
      for (int k = bytes - 1; k >= 0; --k) v = v << 8 | row[x * bytes + k];
      out.At(x, screenRow) = v;
    }
  }
  return out;
}

Pixels Expected(const TestPicture& picture, const PicturePart& part) {
  const Pixels all = picture.Loaded();
  Pixels out{part.width, part.rows, std::vector<std::uint32_t>(static_cast<std::size_t>(part.width) * part.rows)};
  for (int y = 0; y < part.rows; ++y)
    for (int x = 0; x < part.width; ++x) out.At(x, y) = all.At(part.x + x, part.top + y);
  return out;
}

TEST(ShownBmpLayout, CutsTheHeaderAndTakesTheShownRowsFromTheBottomUpPicture) {
  for (int bits : {8, 24, 32}) {
    TestPicture picture(40, 30, bits, static_cast<unsigned>(bits));
    BmpFileLayout layout;
    PicturePart part;
    ASSERT_EQ(MakeShownBmpFileLayout(picture.Info().data(), picture.Info().size(), {10, 6, 3, 2}, layout, part), 1);
    EXPECT_EQ(part.x, 3);
    EXPECT_EQ(part.width, 26);
    EXPECT_EQ(part.top, 2);
    EXPECT_EQ(part.rows, 22);
    const DibHeader h = LoadDibHeader(layout.head.data() + 14);
    EXPECT_EQ(h.biWidth, 26);
    EXPECT_EQ(h.biHeight, 22);
    EXPECT_EQ(h.biSizeImage, DibRowBytes(26, bits) * 22);
    EXPECT_EQ(ReadLe32(layout.head.data() + 2), ReadLe32(layout.head.data() + 10) + h.biSizeImage) << "bfSize";
    EXPECT_EQ(PartPixels(picture, part, false), Expected(picture, part)) << bits << " bits";
  }
}

TEST(ShownBmpLayout, KeepsTopDownRowsInTheirOrder) {
  TestPicture picture(20, 10, 24);
  std::vector<std::uint8_t> info = picture.Info();
  DibHeader h = LoadDibHeader(info.data());
  h.biHeight = -10;
  StoreDibHeader(h, info.data());
  BmpFileLayout layout;
  PicturePart part;
  ASSERT_EQ(MakeShownBmpFileLayout(info.data(), info.size(), {0, 0, 2, 5}, layout, part), 1);
  EXPECT_EQ(LoadDibHeader(layout.head.data() + 14).biHeight, -10);
  EXPECT_EQ(part.top, 0) << "10 rows, 16 wanted: the whole height";
  // Memory row 0 is the top row here: file row 3 is memory row 3, from column 2.
  EXPECT_EQ(PartRowOffset(info.data(), part, 3), DibRowBytes(20, 24) * 3 + 2 * 3);
}

TEST(ShownBmpLayout, FewColoursAndCompressedPicturesStayWhole) {
  TestPicture four(40, 30, 4);
  BmpFileLayout layout;
  PicturePart part{1, 1, 1, 1};
  ASSERT_EQ(MakeShownBmpFileLayout(four.Info().data(), four.Info().size(), {10, 6, 3, 2}, layout, part), 1);
  EXPECT_EQ(part.width, 0);
  EXPECT_EQ(LoadDibHeader(layout.head.data() + 14).biWidth, 40);

  TestPicture rle(40, 30, 8);
  std::vector<std::uint8_t> info = rle.Info();
  DibHeader h = LoadDibHeader(info.data());
  h.biCompression = 1;
  h.biSizeImage = 500;
  StoreDibHeader(h, info.data());
  ASSERT_EQ(MakeShownBmpFileLayout(info.data(), info.size(), {10, 6, 3, 2}, layout, part), 1);
  EXPECT_EQ(part.width, 0);
  EXPECT_EQ(layout.imageBytes, 500u);
  // A header the whole writer refuses is refused for a part too.
  h.biSize = 108;
  StoreDibHeader(h, info.data());
  EXPECT_EQ(MakeShownBmpFileLayout(info.data(), info.size(), {10, 6, 3, 2}, layout, part), 0);
  // Width, height and bit count whose product wraps round to nothing in 64 bits: no layout, so no
  // row of it is ever read.
  h = LoadDibHeader(rle.Info().data());
  h.biWidth = 1 << 29;
  h.biHeight = 1 << 25;
  h.biBitCount = 16384;
  StoreDibHeader(h, info.data());
  EXPECT_EQ(MakeShownBmpFileLayout(info.data(), info.size(), {10, 6, 3, 2}, layout, part), 0);
  EXPECT_EQ(MakeBmpFileLayout(info.data(), info.size(), layout), 0);
}

}  // namespace
}  // namespace tarn::test
