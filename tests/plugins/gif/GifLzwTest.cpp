#include <gtest/gtest.h>

#include "plugins/gif/GifLzw.h"
#include "tests/plugins/gif/GifBuilder.h"

namespace tarn::gif {
namespace {

using test::Bytes;
using test::CodeWriter;
using test::EncodeLzw;
using test::LzwStyle;

Bytes Decode(const Bytes& codes, int m, int w, int h, bool interlaced = false, LzwOutcome* outcome = nullptr) {
  Bytes pixels(static_cast<std::size_t>(w) * h, 0);
  const LzwOutcome o = DecodeLzw(codes.data(), codes.size(), m, w, h, interlaced, pixels.data());
  if (outcome != nullptr) *outcome = o;
  return pixels;
}

TEST(GifLzw, EveryEncoderStyleDecodesExactly) {
  for (int m : {2, 4, 8}) {
    for (LzwStyle style : {LzwStyle::kCompress, LzwStyle::kLiterals, LzwStyle::kDeferredClear}) {
      SCOPED_TRACE(testing::Message() << "m " << m << " style " << static_cast<int>(style));
      // Large enough that the table fills several times over.
      const Bytes pixels = test::PatternIndices(331, 97, 1 << m, 7);
      LzwOutcome o;
      EXPECT_EQ(Decode(EncodeLzw(pixels, m, style), m, 331, 97, false, &o), pixels);
      EXPECT_EQ(o.rowLimitStops, 0);
      EXPECT_EQ(o.rowsCutShort, 0);
      EXPECT_FALSE(o.readPastData);
    }
  }
}

TEST(GifLzw, StringsCarryOverFromRowToRow) {
  // One colour compresses into long strings that span many one-pixel rows.
  const Bytes pixels(3 * 500, 2);
  EXPECT_EQ(Decode(EncodeLzw(pixels, 2), 2, 1, 1500), pixels);
  EXPECT_EQ(Decode(EncodeLzw(pixels, 2), 2, 3, 500), pixels);
}

TEST(GifLzw, InterlacedRowsLandInPictureOrder) {
  for (int h : {1, 2, 3, 5, 8, 9, 17}) {
    const Bytes pixels = test::PatternIndices(13, h, 16, static_cast<unsigned>(h));
    EXPECT_EQ(Decode(EncodeLzw(test::InterlacedOrder(pixels, 13, h), 4), 4, 13, h, true), pixels) << h;
  }
}

// The row limits (more than 30 codes of 0 or of 255 in one row) guard against data that has run
// out. Valid data reaches them easily: an encoder that writes one literal a pixel writes a code
// 0 for every pixel of index 0, and a code 255 for every pixel of index 255.
TEST(GifLzw, ValidDataWithManyZeroAndWhiteCodesPerRowDecodesWhole) {
  for (std::uint8_t index : {0, 255}) {
    Bytes pixels(64 * 6, index);
    for (int y = 0; y < 6; ++y) pixels[y * 64 + 63] = 7;  // each row still ends differently
    LzwOutcome o;
    EXPECT_EQ(Decode(EncodeLzw(pixels, 8, LzwStyle::kLiterals), 8, 64, 6, false, &o), pixels) << int{index};
    EXPECT_EQ(o.rowLimitStops, 0);
    LzwOutcome oi;
    EXPECT_EQ(Decode(EncodeLzw(test::InterlacedOrder(pixels, 64, 6), 8, LzwStyle::kLiterals), 8, 64, 6, true, &oi),
              pixels);
    EXPECT_EQ(oi.rowLimitStops, 0);
  }
  // With a full table that never clears, the same codes repeat in every row as well.
  Bytes zeros(4000 * 4, 0);
  for (std::size_t i = 0; i < 4000; ++i) zeros[i] = static_cast<std::uint8_t>(i * 37 % 256);
  EXPECT_EQ(Decode(EncodeLzw(zeros, 8, LzwStyle::kDeferredClear), 8, 4000, 4), zeros);
}

TEST(GifLzw, RowLimitEndsDataThatHasRunOut) {
  // 64 x 8 picture whose codes end after the first row: the rest reads as code 0.
  const Bytes row(64, 3);
  CodeWriter w;
  for (int i = 0; i < 64; ++i) {
    w.Put(4, 3);  // clear, so that every literal stays 3 bits wide
    w.Put(3, 3);
  }
  const Bytes codes = w.bytes;  // 48 bytes, no end code: the data just stops
  LzwOutcome o;
  Bytes got = Decode(codes, 2, 64, 8, false, &o);
  EXPECT_TRUE(o.readPastData);
  EXPECT_EQ(o.rowLimitStops, 1) << "non-interlaced: the image's data ends once";
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 64), row);
  EXPECT_EQ(Bytes(got.begin() + 64, got.end()), Bytes(64 * 7, 0));

  LzwOutcome oi;
  got = Decode(codes, 2, 64, 16, true, &oi);
  EXPECT_EQ(oi.rowLimitStops, 4) << "interlaced: each pass ends and the next one begins";
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 64), row);
  EXPECT_EQ(Bytes(got.begin() + 64, got.end()), Bytes(64 * 15, 0));

  // Rows of 30 pixels never collect more than 30 codes: they run to the end of the picture.
  LzwOutcome narrow;
  Decode(Bytes{}, 2, 30, 40, false, &narrow);
  EXPECT_EQ(narrow.rowLimitStops, 0);
}

TEST(GifLzw, EndCodeAndCodesOutsideTheTableEndOnlyTheirRow) {
  // m = 2: clear 4, end 5, first free 6.
  CodeWriter w;
  w.Put(4, 3);
  w.Put(1, 3);   // row 0: 1
  w.Put(5, 3);   // end code: rest of row 0 stays 0
  w.Put(2, 3);   // row 1: 2; the end code left the table as it was, so 6 = "1 2" is added
  w.Put(7, 3);   // the next free code: "2 2"; the table reaches 8 and codes widen to 4 bits
  w.Put(3, 4);
  LzwOutcome o;
  const Bytes got = Decode(w.bytes, 2, 4, 3, false, &o);
  // Row 0: 1 0 0 0. Row 1: 2, then code 7 = "2 2" (prev 2 + its first), then 3.
  EXPECT_EQ(got, (Bytes{1, 0, 0, 0, 2, 2, 2, 3, 0, 0, 0, 0}));
  EXPECT_EQ(o.rowsCutShort, 1);

  CodeWriter bad;
  bad.Put(4, 3);
  bad.Put(1, 3);
  bad.Put(7, 3);  // beyond the table: next free is 6
  bad.Put(2, 3);  // next row
  const Bytes got2 = Decode(bad.bytes, 2, 3, 2, false, &o);
  EXPECT_EQ(got2, (Bytes{1, 0, 0, 2, 0, 0}));
  // A first code after a clear that is not a literal has nothing to extend.
  CodeWriter first;
  first.Put(4, 3);
  first.Put(6, 3);
  first.Put(3, 3);
  EXPECT_EQ(Decode(first.bytes, 2, 2, 2), (Bytes{0, 0, 3, 0}));
}

TEST(GifLzw, CodeWidthStopsAtTwelveBitsWhenTheTableFillsWithoutClear) {
  // Literals only, never cleared: the table fills and stays full; codes stay 12 bits wide.
  const int m = 2;
  CodeWriter w;
  int width = 3;
  unsigned next = 6;
  Bytes want;
  w.Put(4, width);
  for (int i = 0; i < 6000; ++i) {
    const unsigned p = static_cast<unsigned>(i % 4);
    w.Put(p, width);
    want.push_back(static_cast<std::uint8_t>(p));
    if (i > 0 && next < 4096 && ++next == (1u << width) && width < 12) ++width;
  }
  EXPECT_EQ(width, 12);
  EXPECT_EQ(Decode(w.bytes, m, 6000, 1), want);
}

TEST(GifLzw, MinimumCodeSizesUpTo11DecodeAndOthersAreUndecodable) {
  for (int m : {9, 10, 11}) {
    SCOPED_TRACE(m);
    const Bytes pixels = test::PatternIndices(131, 37, 256, 3);
    LzwOutcome o;
    EXPECT_EQ(Decode(EncodeLzw(pixels, m), m, 131, 37, false, &o), pixels);
    EXPECT_FALSE(o.undecodable);
    EXPECT_EQ(o.rowsCutShort, 0);
  }
  // Roots beyond one byte draw as index 0; the strings built on them keep their other pixels.
  CodeWriter w;
  w.Put(512, 10);
  w.Put(300, 10);
  w.Put(7, 10);
  w.Put(514, 10);  // 300 7
  w.Put(513, 10);
  EXPECT_EQ(Decode(w.bytes, 9, 4, 1), (Bytes{0, 7, 0, 7}));

  const Bytes codes(100, 0xA5);
  for (int m : {0, 1, 12, 255}) {
    LzwOutcome o;
    EXPECT_EQ(Decode(codes, m, 8, 8, false, &o), Bytes(64, 0)) << m;
    EXPECT_TRUE(o.undecodable) << m;
  }
  const Bytes pixels = test::PatternIndices(9, 9, 2);
  EXPECT_EQ(Decode(EncodeLzw(pixels, 2), 2, 9, 9), pixels) << "two colours use code size 2";
}

}  // namespace
}  // namespace tarn::gif
