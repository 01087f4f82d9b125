// The JPEG decoder on pictures made by libjpeg's compressor: greyscale, colour, progressive, CMYK,
// the eight EXIF orientations, densities, preview scaling, and damaged and hostile files.
#include "plugins/jpeg/JpegDecode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "tests/plugins/jpeg/JpegBuilder.h"
#include "tests/support/DecodedPicture.h"

namespace tarn::jpeg {
namespace {

using test::JpegFile;
using test::MakeJpeg;
using test::RecordingProgress;
using test::VectorPictureMemory;
using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<int, 3>;

int Decode(const Bytes& file, VectorPictureMemory& memory, Scale scale = Scale::kFull,
           ProgressReport* progress = nullptr) {
  return Settled(DecodeJpeg(file.data(), file.size(), scale, memory, progress), memory);
}


// Red, green, blue of pixel (x, y), y from the top, of a delivered bottom-up picture.
Rgb PixelAt(const VectorPictureMemory& m, int x, int y) {
  const DibHeader h = Header(m);
  const std::size_t row = DibRowBytes(h.biWidth, h.biBitCount);
  const std::uint8_t* p = m.pixels.data() + (h.biHeight - 1 - y) * row;
  if (h.biBitCount == 8) {
    const std::uint8_t* entry = m.info.data() + kDibHeaderBytes + 4 * p[x];
    return {entry[2], entry[1], entry[0]};
  }
  p += 3 * x;
  return {p[2], p[1], p[0]};
}

::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 6) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(actual[i] - expected[i]) > tolerance)
      return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                           << ") expected (" << expected[0] << ", " << expected[1] << ", "
                                           << expected[2] << ")";
  return ::testing::AssertionSuccess();
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

// 32 x 16, in four quadrants: red top left, green top right, blue bottom left, white bottom right.
JpegFile Quadrants() {
  JpegFile s;
  s.width = 32;
  s.height = 16;
  s.pixel = [](int x, int y, std::uint8_t* p) {
    const Rgb c = y < 8 ? (x < 16 ? kRed : kGreen) : (x < 16 ? kBlue : kWhite);
    for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(c[i]);
  };
  return s;
}

TEST(JpegDecode, ColourPictureIs24BitBottomUpWithPaddedRows) {
  JpegFile picture = Quadrants();
  picture.width = 30;  // 90 bytes of pixels in rows of 92
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeJpeg(picture), m), kSpiOk);
  const DibHeader h = Header(m);
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 30);
  EXPECT_EQ(h.biHeight, 16);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(h.biSizeImage, 92u * 16);
  EXPECT_EQ(m.info.size(), 40u);
  EXPECT_EQ(m.pixels.size(), 92u * 16);
  EXPECT_TRUE(Near(PixelAt(m, 0, 0), kRed));
  EXPECT_TRUE(Near(PixelAt(m, 29, 0), kGreen));
  EXPECT_TRUE(Near(PixelAt(m, 0, 15), kBlue));
  EXPECT_TRUE(Near(PixelAt(m, 29, 15), kWhite));
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(m.pixels[y * 92 + 90], 0) << "padding is cleared";
    EXPECT_EQ(m.pixels[y * 92 + 91], 0);
  }
}

TEST(JpegDecode, GreyscaleIs8BitWithAGreyPalette) {
  JpegFile picture;
  picture.input = JCS_GRAYSCALE;
  picture.width = 5;
  picture.height = 3;
  picture.pixel = [](int x, int, std::uint8_t* p) { *p = static_cast<std::uint8_t>(x * 60); };
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeJpeg(picture), m), kSpiOk);
  const DibHeader h = Header(m);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biClrUsed, 256u);
  ASSERT_EQ(m.info.size(), 40u + 1024);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* e = m.info.data() + 40 + 4 * i;
    ASSERT_TRUE(e[0] == i && e[1] == i && e[2] == i && e[3] == 0) << i;
  }
  EXPECT_EQ(m.pixels.size(), 8u * 3);
  for (int x = 0; x < 5; ++x) EXPECT_NEAR(m.pixels[x], x * 60, 3);
  EXPECT_EQ(m.pixels[5], 0);

  JpegInfo info;
  const Bytes file = MakeJpeg(picture);
  ASSERT_EQ(ReadJpegInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.bitCount, 8);
}

TEST(JpegDecode, ProgressiveDecodesLikeBaseline) {
  JpegFile picture = Quadrants();
  VectorPictureMemory baseline, progressive;
  ASSERT_EQ(Decode(MakeJpeg(picture), baseline), kSpiOk);
  picture.progressive = true;
  const Bytes file = MakeJpeg(picture);
  ASSERT_NE(test::FindMarker(file, 0xC2), 0u) << "the builder wrote a progressive frame";
  ASSERT_EQ(Decode(file, progressive), kSpiOk);
  ASSERT_EQ(baseline.pixels.size(), progressive.pixels.size());
  for (std::size_t i = 0; i < baseline.pixels.size(); ++i)
    ASSERT_NEAR(baseline.pixels[i], progressive.pixels[i], 3) << i;
}

// The quadrant picture under every orientation: sides and the colour of each corner.
// libjpeg's own decode of `file` with its default settings, as blue-green-red rows top down.
struct Reference {
  int width = 0, height = 0;
  Bytes bgr;
};

Reference LibjpegDecode(const Bytes& file) {
  jpeg_decompress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_decompress(&c);
  jpeg_mem_src(&c, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&c, TRUE);
  c.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&c);
  Reference r{static_cast<int>(c.output_width), static_cast<int>(c.output_height), {}};
  r.bgr.resize(static_cast<std::size_t>(r.width) * r.height * 3);
  while (c.output_scanline < c.output_height) {
    JSAMPROW row = r.bgr.data() + static_cast<std::size_t>(c.output_scanline) * r.width * 3;
    jpeg_read_scanlines(&c, &row, 1);
  }
  jpeg_finish_decompress(&c);
  jpeg_destroy_decompress(&c);
  return r;
}

// Full pictures keep every pixel libjpeg gives, wherever the rows are put: an odd width (padded
// rows), an odd height with subsampled colour (rows that come in pairs), upright and turned.
TEST(JpegDecode, FullPictureHoldsExactlyLibjpegsPixels) {
  JpegFile picture;
  picture.width = 37;
  picture.height = 21;
  picture.quality = 85;
  picture.fullChroma = false;
  picture.pixel = [](int x, int y, std::uint8_t* p) {
    p[0] = static_cast<std::uint8_t>(x * 7 + y * 3);
    p[1] = static_cast<std::uint8_t>((x * y) % 251);
    p[2] = static_cast<std::uint8_t>(255 - y * 11);
  };
  for (const int orientation : {1, 3, 6}) {
    picture.orientation = orientation;
    const Bytes file = MakeJpeg(picture);
    const Reference ref = LibjpegDecode(file);
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m), kSpiOk);
    const DibHeader h = Header(m);
    const bool turned = orientation == 6;
    ASSERT_EQ(h.biWidth, turned ? ref.height : ref.width);
    ASSERT_EQ(h.biHeight, turned ? ref.width : ref.height);
    const std::size_t rowBytes = DibRowBytes(h.biWidth, 24);
    for (int y = 0; y < h.biHeight; ++y) {
      const std::uint8_t* row = m.pixels.data() + (h.biHeight - 1 - y) * rowBytes;
      for (int x = 0; x < h.biWidth; ++x) {
        // The source pixel that lands on (x, y) of the upright picture.
        const int sx = orientation == 1 ? x : orientation == 3 ? ref.width - 1 - x : y;
        const int sy = orientation == 1 ? y : orientation == 3 ? ref.height - 1 - y : ref.height - 1 - x;
        const std::uint8_t* want = ref.bgr.data() + (static_cast<std::size_t>(sy) * ref.width + sx) * 3;
        ASSERT_TRUE(std::equal(want, want + 3, row + x * 3)) << orientation << ": " << x << ", " << y;
      }
      for (std::size_t pad = static_cast<std::size_t>(h.biWidth) * 3; pad < rowBytes; ++pad)
        ASSERT_EQ(row[pad], 0) << orientation << ": row " << y;
    }
  }
}

TEST(JpegDecode, ExifOrientationStandsThePictureUpright) {
  struct Case { Rgb topLeft, topRight, bottomLeft, bottomRight; };
  const Case cases[9] = {{},
                         {kRed, kGreen, kBlue, kWhite},   // 1
                         {kGreen, kRed, kWhite, kBlue},   // 2
                         {kWhite, kBlue, kGreen, kRed},   // 3
                         {kBlue, kWhite, kRed, kGreen},   // 4
                         {kRed, kBlue, kGreen, kWhite},   // 5
                         {kBlue, kRed, kWhite, kGreen},   // 6
                         {kWhite, kGreen, kBlue, kRed},   // 7
                         {kGreen, kWhite, kRed, kBlue}};  // 8
  for (int o = 1; o <= 8; ++o) {
    SCOPED_TRACE("orientation " + std::to_string(o));
    JpegFile picture = Quadrants();
    picture.orientation = o;
    picture.exifBigEndian = o % 2 == 0;
    const Bytes file = MakeJpeg(picture);
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m), kSpiOk);
    const DibHeader h = Header(m);
    const int w = o >= 5 ? 16 : 32, hgt = o >= 5 ? 32 : 16;
    ASSERT_EQ(h.biWidth, w);
    ASSERT_EQ(h.biHeight, hgt);
    EXPECT_TRUE(Near(PixelAt(m, 0, 0), cases[o].topLeft));
    EXPECT_TRUE(Near(PixelAt(m, w - 1, 0), cases[o].topRight));
    EXPECT_TRUE(Near(PixelAt(m, 0, hgt - 1), cases[o].bottomLeft));
    EXPECT_TRUE(Near(PixelAt(m, w - 1, hgt - 1), cases[o].bottomRight));

    JpegInfo info;
    ASSERT_EQ(ReadJpegInfo(file.data(), file.size(), &info), kSpiOk);
    EXPECT_EQ(info.width, static_cast<std::uint32_t>(w));
    EXPECT_EQ(info.height, static_cast<std::uint32_t>(hgt));
    EXPECT_EQ(info.orientation, o);
  }
}

TEST(JpegDecode, TurnedGreyscaleKeepsItsPalette) {
  JpegFile picture;
  picture.input = JCS_GRAYSCALE;
  picture.width = 16;
  picture.height = 8;
  picture.orientation = 8;
  picture.pixel = [](int x, int, std::uint8_t* p) { *p = x < 8 ? 0 : 255; };
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeJpeg(picture), m), kSpiOk);
  ASSERT_EQ(Header(m).biWidth, 8);
  ASSERT_EQ(Header(m).biHeight, 16);
  // Turned counter-clockwise: the white right half is now on top.
  EXPECT_TRUE(Near(PixelAt(m, 3, 0), kWhite));
  EXPECT_TRUE(Near(PixelAt(m, 3, 15), {0, 0, 0}));
}

TEST(JpegDecode, CmykBecomesRgbWithAndWithoutAdobeMarker) {
  // Stored inks for red, green, blue and white. With an Adobe marker the inks are inverted.
  const std::uint8_t plain[4][4] = {{0, 255, 255, 0}, {255, 0, 255, 0}, {255, 255, 0, 0}, {0, 0, 0, 0}};
  const Rgb expected[4] = {kRed, kGreen, kBlue, kWhite};
  for (const bool adobe : {true, false}) {
    for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
      if (stored == JCS_YCCK && !adobe) continue;  // YCCK exists only by the Adobe marker
      SCOPED_TRACE(std::string(adobe ? "Adobe " : "plain ") + (stored == JCS_YCCK ? "YCCK" : "CMYK"));
      JpegFile picture;
      picture.input = JCS_CMYK;
      picture.stored = stored;
      picture.adobeMarker = adobe;
      picture.width = 32;
      picture.height = 8;
      picture.pixel = [&](int x, int, std::uint8_t* p) {
        for (int i = 0; i < 4; ++i) p[i] = adobe ? 255 - plain[x / 8][i] : plain[x / 8][i];
      };
      const Bytes file = MakeJpeg(picture);
      ASSERT_EQ(test::FindMarker(file, 0xEE) != 0, adobe);
      VectorPictureMemory m;
      ASSERT_EQ(Decode(file, m), kSpiOk);
      EXPECT_EQ(Header(m).biBitCount, 24);
      for (int q = 0; q < 4; ++q) EXPECT_TRUE(Near(PixelAt(m, q * 8 + 3, 4), expected[q], 8)) << q;
    }
  }
}

TEST(JpegDecode, JfifDensityGoesIntoInfoAndHeader) {
  struct Case { int unit, x, y, dpiX, dpiY, ppmX, ppmY; };
  for (const Case c : {Case{1, 72, 96, 72, 96, 2835, 3780}, Case{2, 28, 40, 71, 102, 2800, 4000},
                       Case{0, 2, 1, 0, 0, 0, 0}}) {
    JpegFile picture;
    picture.densityUnit = c.unit;
    picture.xDensity = c.x;
    picture.yDensity = c.y;
    const Bytes file = MakeJpeg(picture);
    JpegInfo info;
    ASSERT_EQ(ReadJpegInfo(file.data(), file.size(), &info), kSpiOk);
    EXPECT_EQ(info.xDpi, c.dpiX) << c.unit;
    EXPECT_EQ(info.yDpi, c.dpiY) << c.unit;
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m), kSpiOk);
    EXPECT_EQ(Header(m).biXPelsPerMeter, c.ppmX) << c.unit;
    EXPECT_EQ(Header(m).biYPelsPerMeter, c.ppmY) << c.unit;
  }
  // A picture turned on its side has its densities turned too.
  JpegFile turned;
  turned.densityUnit = 1;
  turned.xDensity = 72;
  turned.yDensity = 300;
  turned.orientation = 6;
  const Bytes file = MakeJpeg(turned);
  JpegInfo info;
  ASSERT_EQ(ReadJpegInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.xDpi, 300);
  EXPECT_EQ(info.yDpi, 72);
}

TEST(JpegPreview, ChoosesTheSmallestScaleThatKeeps384Pixels) {
  EXPECT_EQ(PreviewDenominator(4000, 3000), 8);  // 500 x 375
  EXPECT_EQ(PreviewDenominator(3072, 100), 8);   // exactly 384
  EXPECT_EQ(PreviewDenominator(3065, 100), 8);   // libjpeg rounds scaled sides up: 384
  EXPECT_EQ(PreviewDenominator(3064, 100), 4);   // 383 at 1/8, so 766 at 1/4
  EXPECT_EQ(PreviewDenominator(1279, 3072), 8);  // the longer side counts
  EXPECT_EQ(PreviewDenominator(768, 480), 2);
  EXPECT_EQ(PreviewDenominator(767, 480), 2);
  EXPECT_EQ(PreviewDenominator(766, 480), 1);
  EXPECT_EQ(PreviewDenominator(384, 200), 1);
  EXPECT_EQ(PreviewDenominator(100, 50), 1);
  EXPECT_EQ(PreviewDenominator(0, 0), 1);
}

TEST(JpegPreview, DecodesReducedAndTurned) {
  JpegFile picture = Quadrants();
  picture.width = 1280;
  picture.height = 640;
  picture.pixel = [](int x, int y, std::uint8_t* p) {
    const Rgb c = y < 320 ? (x < 640 ? kRed : kGreen) : (x < 640 ? kBlue : kWhite);
    for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(c[i]);
  };
  picture.orientation = 6;
  const Bytes file = MakeJpeg(picture);
  VectorPictureMemory preview, full;
  ASSERT_EQ(Decode(file, preview, Scale::kPreview), kSpiOk);
  EXPECT_EQ(Header(preview).biWidth, 320);  // 1/2: 640 x 320, turned
  EXPECT_EQ(Header(preview).biHeight, 640);
  EXPECT_TRUE(Near(PixelAt(preview, 0, 0), kBlue, 12));
  EXPECT_TRUE(Near(PixelAt(preview, 319, 639), kGreen, 12));
  ASSERT_EQ(Decode(file, full), kSpiOk);
  EXPECT_EQ(Header(full).biWidth, 640);
  EXPECT_EQ(Header(full).biHeight, 1280);
}

// The position of the `n`th SOS marker (counted from 1) of `file`; 0 when it has fewer.
std::size_t NthScan(const Bytes& file, int n) {
  for (std::size_t at = 2; at + 1 < file.size(); ++at)
    if (file[at] == 0xFF && file[at + 1] == 0xDA && --n == 0) return at;
  return 0;
}

// At 1/8 a progressive preview is made from the DC scan alone: the scans after it are not even
// read, so a fatal fault in the second scan stops the full picture but not the preview, which
// still matches the preview of the same picture stored as baseline.
TEST(JpegPreview, ProgressiveFilesAt1Over8StopAfterTheDcScan) {
  for (const bool fullChroma : {true, false}) {
    JpegFile picture;
    picture.width = 3072;
    picture.height = 48;
    picture.quality = 90;
    picture.fullChroma = fullChroma;
    picture.pixel = [](int x, int, std::uint8_t* p) {
      const Rgb c = x < 1536 ? kRed : kBlue;
      for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(c[i]);
    };
    VectorPictureMemory baseline;
    ASSERT_EQ(Decode(MakeJpeg(picture), baseline, Scale::kPreview), kSpiOk);
    picture.progressive = true;
    Bytes file = MakeJpeg(picture);
    const std::size_t second = NthScan(file, 2);
    ASSERT_NE(second, 0u);
    const std::size_t firstCoefficient = second + 5 + 2 * file[second + 4];  // Ss, after the component list
    ASSERT_NE(file[firstCoefficient], 0) << "the second scan is an AC scan";
    file[firstCoefficient] = 0;  // a scan from DC into AC: a bad progression, which libjpeg gives up on
    VectorPictureMemory full, preview;
    EXPECT_EQ(Decode(file, full), kSpiBroken);
    ASSERT_EQ(Decode(file, preview, Scale::kPreview), kSpiOk) << fullChroma;
    ASSERT_EQ(Header(preview).biWidth, 384);
    ASSERT_EQ(Header(preview).biHeight, 6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 384; ++x)
        ASSERT_TRUE(Near(PixelAt(preview, x, y), PixelAt(baseline, x, y), 8)) << fullChroma << ": " << x << ", " << y;
  }
}

TEST(JpegDecode, RefusesWhatIsNoJpeg) {
  VectorPictureMemory m;
  EXPECT_EQ(Decode(Bytes{}, m), kSpiNotFormat);
  EXPECT_EQ(Decode(Bytes{0xFF, 0xD8}, m), kSpiNotFormat);
  EXPECT_EQ(Decode(Bytes{'B', 'M', 0, 0, 0, 0}, m), kSpiNotFormat);
  EXPECT_EQ(DecodeJpeg(nullptr, 0, Scale::kFull, m, nullptr), kSpiNotFormat);
  JpegInfo info;
  EXPECT_EQ(ReadJpegInfo(nullptr, 0, &info), kSpiNotFormat);
  // A signature and then rubbish: libjpeg's error ends the call, not the process.
  Bytes rubbish = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x12, 0x34, 0x56};
  EXPECT_EQ(Decode(rubbish, m), kSpiBroken);
  EXPECT_EQ(ReadJpegInfo(rubbish.data(), rubbish.size(), &info), kSpiBroken);
  EXPECT_EQ(m.pictureAllocations, 0);
}

// Start and length of the longest entropy-coded segment that follows a scan header.
std::pair<std::size_t, std::size_t> LongestScan(const Bytes& file) {
  std::size_t bestStart = 0, bestBytes = 0;
  for (std::size_t at = 2; at + 3 < file.size(); ++at) {
    if (file[at] != 0xFF || file[at + 1] != 0xDA) continue;
    const std::size_t data = at + 2 + (file[at + 2] << 8 | file[at + 3]);
    std::size_t end = data;
    const auto isMarker = [&](std::size_t i) {
      return file[i] == 0xFF && file[i + 1] != 0 && (file[i + 1] < 0xD0 || file[i + 1] > 0xD7);
    };
    while (end + 1 < file.size() && !isMarker(end)) ++end;
    if (end - data > bestBytes) bestStart = data, bestBytes = end - data;
    at = end - 1;
  }
  return {bestStart, bestBytes};
}

TEST(JpegDecode, EveryTruncationAnswersACodeAndHoldsNothingOnFailure) {
  for (const bool progressive : {false, true}) {
    JpegFile picture = Quadrants();
    picture.progressive = progressive;
    const Bytes file = MakeJpeg(picture);
    const std::size_t scan = test::FindMarker(file, 0xDA);
    ASSERT_NE(scan, 0u);
    for (std::size_t n = 0; n < file.size(); ++n) {
      const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
      VectorPictureMemory m;
      const int result = Decode(cut, m);
      if (n < 3) EXPECT_EQ(result, kSpiNotFormat) << n;
      else if (n <= scan) EXPECT_EQ(result, kSpiBroken) << n;  // no picture data at all
      else EXPECT_TRUE(result == kSpiOk || result == kSpiBroken) << n << ": " << result;
    }
    // Cut in the middle of the entropy data of the longest scan, the picture is delivered as far
    // as it goes. (A cut inside the tables between two scans leaves broken tables: code 3.)
    const auto [start, bytes] = LongestScan(file);
    ASSERT_GT(bytes, 16u);
    const Bytes half(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(start + bytes / 2));
    VectorPictureMemory m;
    EXPECT_EQ(Decode(half, m), kSpiOk) << (progressive ? "progressive" : "baseline");
  }
}

TEST(JpegDecode, CorruptEntropyDataNeverEscapes) {
  const Bytes file = MakeJpeg(Quadrants());
  const std::size_t scan = test::FindMarker(file, 0xDA);
  std::srand(9);
  for (int round = 0; round < 300; ++round) {
    Bytes bad = file;
    for (int k = 0; k < 4; ++k) bad[scan + 2 + static_cast<std::size_t>(std::rand()) % (bad.size() - scan - 2)] ^= static_cast<std::uint8_t>(1 + std::rand() % 255);
    VectorPictureMemory m;
    const int result = Decode(bad, m);
    ASSERT_TRUE(result == kSpiOk || result == kSpiBroken) << round << ": " << result;
  }
}

// A progressive file whose last scan is repeated: a few repeats decode (libjpeg passes over the
// needless refinement), hundreds are a file built to keep the decoder busy and are refused.
TEST(JpegDecode, ProgressiveFilesWithEndlessScansAreRefused) {
  JpegFile picture = Quadrants();
  picture.progressive = true;
  const Bytes file = MakeJpeg(picture);
  std::size_t lastScan = 0;
  for (std::size_t at = 2; at + 1 < file.size(); ++at)
    if (file[at] == 0xFF && file[at + 1] == 0xDA) lastScan = at;
  const Bytes scan(file.begin() + static_cast<std::ptrdiff_t>(lastScan), file.end() - 2);  // up to EOI
  ASSERT_GT(scan.size(), 10u);
  const auto repeated = [&](int times) {
    Bytes out(file.begin(), file.end() - 2);
    for (int i = 0; i < times; ++i) out.insert(out.end(), scan.begin(), scan.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
  };
  VectorPictureMemory few, many;
  EXPECT_EQ(Decode(repeated(20), few), kSpiOk);
  EXPECT_EQ(Decode(repeated(600), many), kSpiBroken);
}

TEST(JpegDecode, RefusesPixelBlocksOver512MiBBeforeAllocating) {
  JpegFile picture;
  picture.input = JCS_GRAYSCALE;
  Bytes file = MakeJpeg(picture);
  // 16384 x 32768 at 8 bits is exactly 512 MiB: allowed, so the allocation is asked for (and
  // refused here by the memory, which has no room).
  test::SetFrameSize(file, 16384, 32768);
  VectorPictureMemory m;
  m.largestBlock = 0;
  EXPECT_EQ(Decode(file, m), kSpiNoMemory);
  EXPECT_EQ(m.pictureAllocations, 1);
  // One row more passes the cap: refused without asking.
  test::SetFrameSize(file, 16384, 32769);
  VectorPictureMemory over;
  EXPECT_EQ(Decode(file, over), kSpiNoMemory);
  EXPECT_EQ(over.pictureAllocations, 0);
  // The largest frame the format allows, in colour.
  Bytes colour = MakeJpeg(JpegFile{});
  test::SetFrameSize(colour, 65500, 65500);
  VectorPictureMemory huge;
  EXPECT_EQ(Decode(colour, huge), kSpiNoMemory);
  EXPECT_EQ(huge.pictureAllocations, 0);
  // The preview of the same file is small enough, but the data behind it is missing.
  VectorPictureMemory preview;
  preview.largestBlock = 0;
  EXPECT_EQ(Decode(colour, preview, Scale::kPreview), kSpiNoMemory);
  EXPECT_EQ(preview.pictureAllocations, 1);
}

TEST(JpegDecode, MemoryFailuresAndStopsHoldNothing) {
  const Bytes file = MakeJpeg(Quadrants());
  for (const int answer : {kSpiNoMemory, kSpiLockFailed}) {
    VectorPictureMemory m;
    m.allocateAnswer = answer;
    EXPECT_EQ(Decode(file, m), answer);
  }
  {
    VectorPictureMemory m;
    RecordingProgress stopAtStart(0);
    EXPECT_EQ(Decode(file, m, Scale::kFull, &stopAtStart), kSpiStopped);
    EXPECT_EQ(m.pictureAllocations, 0) << "a stop before decoding allocates nothing";
  }
  {
    VectorPictureMemory m;
    RecordingProgress stopAtEnd(1);
    EXPECT_EQ(Decode(file, m, Scale::kPreview, &stopAtEnd), kSpiStopped);
    EXPECT_EQ(m.pictureAllocations, 1);
  }
  VectorPictureMemory m;
  RecordingProgress recorder;
  EXPECT_EQ(Decode(file, m, Scale::kFull, &recorder), kSpiOk);
  EXPECT_EQ(recorder.calls, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
}

TEST(JpegNames, ExtensionsAndSignature) {
  for (const char* yes : {"a.jpg", "a.JPG", "b.jpeg", "c.Jpe", "d.jfif", "x.png.jpg", "[UNICODE].jpeg"})
    EXPECT_TRUE(HasJpegExtension(yes)) << yes;
  for (const char* no : {"a.jpgx", "jpg", "a.jp", "a.png", "a.jfifx", ""}) EXPECT_FALSE(HasJpegExtension(no)) << no;
  const std::uint8_t soi[] = {0xFF, 0xD8, 0xFF, 0xE0};
  EXPECT_TRUE(HasJpegSignature(soi, 3));
  EXPECT_FALSE(HasJpegSignature(soi, 2));
  const std::uint8_t other[] = {0xFF, 0xD8, 0x00};
  EXPECT_FALSE(HasJpegSignature(other, 3));
}

}  // namespace
}  // namespace tarn::jpeg
