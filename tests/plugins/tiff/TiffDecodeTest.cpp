// The TIFF decoder on pictures made by libtiff's writer: every kind of page the plug-in shows, in
// every compression, alpha over white, the orientation tag, the first of several pages, density,
// and damaged and hostile files.
#include "plugins/tiff/TiffDecode.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "tests/plugins/tiff/TiffBuilder.h"
#include "tests/support/DecodedPicture.h"

namespace tarn::tiff {
namespace {

using test::MakeTiff;
using test::RecordingProgress;
using test::TiffFile;
using test::VectorPictureMemory;
using Bytes = std::vector<std::uint8_t>;
using Bgr = std::array<int, 3>;

int Decode(const Bytes& file, VectorPictureMemory& memory, ProgressReport* progress = nullptr) {
  return Settled(DecodeTiff(file.data(), file.size(), memory, progress), memory);
}



// Colour of pixel (x, y) as the page's kind defines it, blue, green, red.
using Expect = std::function<Bgr(std::uint32_t x, std::uint32_t y)>;

void ExpectPicture(const VectorPictureMemory& m, std::uint32_t w, std::uint32_t h, const Expect& want, int slack) {
  ASSERT_EQ(Header(m).biWidth, static_cast<std::int32_t>(w));
  ASSERT_EQ(Header(m).biHeight, static_cast<std::int32_t>(h));
  for (std::uint32_t y = 0; y < h; ++y)
    for (std::uint32_t x = 0; x < w; ++x) {
      const Bgr got = At(m, x, y), expected = want(x, y);
      for (int c = 0; c < 3; ++c) ASSERT_LE(std::abs(got[c] - expected[c]), slack) << x << "," << y << " channel " << c;
    }
}

unsigned Sample8(std::uint32_t x, std::uint32_t y, int c) { return (x * 40 + y * 20 + static_cast<unsigned>(c) * 70) & 0xFF; }

TEST(DecodeTiff, EveryKindOfPageInEveryCompression) {
  const Expect rgb = [](std::uint32_t x, std::uint32_t y) {
    return Bgr{static_cast<int>(Sample8(x, y, 2)), static_cast<int>(Sample8(x, y, 1)), static_cast<int>(Sample8(x, y, 0))};
  };
  for (const std::uint16_t compression :
       {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_PACKBITS, COMPRESSION_ADOBE_DEFLATE}) {
    VectorPictureMemory m;
    ASSERT_EQ(Decode(MakeTiff({.compression = compression}), m), kSpiOk) << compression;
    ExpectPicture(m, 8, 6, rgb, 0);
  }
  // JPEG loses a little; 16 rows so that whole blocks are coded.
  VectorPictureMemory jpeg;
  ASSERT_EQ(Decode(MakeTiff({.width = 16, .height = 16, .compression = COMPRESSION_JPEG, .rowsPerStrip = 16,
                             .sample = [](std::uint32_t x, std::uint32_t, int c) { return c == 0 ? x * 15 : 100u; }}),
                   jpeg),
            kSpiOk);
  ExpectPicture(jpeg, 16, 16, [](std::uint32_t x, std::uint32_t) { return Bgr{100, 100, static_cast<int>(x * 15)}; }, 12);

  // 16 bits a sample are reduced to 8.
  VectorPictureMemory deep;
  ASSERT_EQ(Decode(MakeTiff({.bits = 16, .sample = [](std::uint32_t x, std::uint32_t y, int c) { return Sample8(x, y, c) * 257; }}),
                   deep),
            kSpiOk);
  ExpectPicture(deep, 8, 6, rgb, 1);

  // Grey at 8, 4 and 1 bits: the levels spread over 0 to 255.
  for (const std::uint16_t bits : {8, 4, 1}) {
    const unsigned top = (1u << bits) - 1;
    VectorPictureMemory grey;
    ASSERT_EQ(Decode(MakeTiff({.samples = 1, .bits = bits, .photometric = PHOTOMETRIC_MINISBLACK,
                               .compression = COMPRESSION_LZW,
                               .sample = [&](std::uint32_t x, std::uint32_t y, int) { return (x + y) % (top + 1); }}),
                     grey),
              kSpiOk)
        << bits;
    ExpectPicture(grey, 8, 6, [&](std::uint32_t x, std::uint32_t y) {
      const int v = static_cast<int>((x + y) % (top + 1) * 255 / top);
      return Bgr{v, v, v};
    }, 0);
  }

  // Palettes at 8, 4 and 1 bits, with 16-bit colour maps.
  for (const std::uint16_t bits : {8, 4, 1}) {
    const unsigned entries = 1u << bits;
    std::vector<std::uint16_t> map(entries * 3);
    for (unsigned i = 0; i < entries; ++i) {
      map[i] = static_cast<std::uint16_t>((i * 37 & 0xFF) * 257);
      map[entries + i] = static_cast<std::uint16_t>((255 - i) * 257);
      map[2 * entries + i] = static_cast<std::uint16_t>((i * 11 & 0xFF) * 257);
    }
    VectorPictureMemory palette;
    ASSERT_EQ(Decode(MakeTiff({.samples = 1, .bits = bits, .photometric = PHOTOMETRIC_PALETTE,
                               .compression = COMPRESSION_PACKBITS, .palette = map,
                               .sample = [&](std::uint32_t x, std::uint32_t y, int) { return (x * 3 + y) % entries; }}),
                     palette),
              kSpiOk)
        << bits;
    ExpectPicture(palette, 8, 6, [&](std::uint32_t x, std::uint32_t y) {
      const unsigned i = (x * 3 + y) % entries;
      return Bgr{static_cast<int>(i * 11 & 0xFF), static_cast<int>(255 - i), static_cast<int>(i * 37 & 0xFF)};
    }, 0);
  }

  // CMYK inks.
  VectorPictureMemory cmyk;
  ASSERT_EQ(Decode(MakeTiff({.samples = 4, .photometric = PHOTOMETRIC_SEPARATED, .compression = COMPRESSION_ADOBE_DEFLATE}),
                   cmyk),
            kSpiOk);
  ExpectPicture(cmyk, 8, 6, [](std::uint32_t x, std::uint32_t y) {
    const int k = 255 - static_cast<int>(Sample8(x, y, 3));
    const auto ink = [&](int c) { return k * (255 - static_cast<int>(Sample8(x, y, c))) / 255; };
    return Bgr{ink(2), ink(1), ink(0)};
  }, 1);
}

TEST(DecodeTiff, AlphaOfBothKindsIsShownOverWhite) {
  const auto alpha = [](std::uint32_t x) { return std::min(x * 60, 255u); };
  // Unassociated: the colour as it is, seen through its alpha.
  VectorPictureMemory straight;
  ASSERT_EQ(Decode(MakeTiff({.samples = 4, .compression = COMPRESSION_LZW, .alpha = EXTRASAMPLE_UNASSALPHA,
                             .sample = [&](std::uint32_t x, std::uint32_t, int c) { return c == 3 ? alpha(x) : c == 0 ? 200u : 0u; }}),
                   straight),
            kSpiOk);
  ExpectPicture(straight, 8, 6, [&](std::uint32_t x, std::uint32_t) {
    const int a = static_cast<int>(alpha(x)), rest = 255 - a;
    return Bgr{rest, rest, (200 * a + 255 * rest + 127) / 255};
  }, 1);
  // Associated: the colour already multiplied by its alpha.
  VectorPictureMemory premultiplied;
  ASSERT_EQ(Decode(MakeTiff({.samples = 4, .alpha = EXTRASAMPLE_ASSOCALPHA,
                             .sample = [&](std::uint32_t x, std::uint32_t, int c) { return c == 3 ? alpha(x) : c == 0 ? alpha(x) / 2 : 0u; }}),
                   premultiplied),
            kSpiOk);
  ExpectPicture(premultiplied, 8, 6, [&](std::uint32_t x, std::uint32_t) {
    const int a = static_cast<int>(alpha(x)), rest = 255 - a;
    return Bgr{rest, rest, static_cast<int>(alpha(x) / 2) + rest};
  }, 0);
}

// A 3 x 2 page whose every pixel differs, stored in each orientation: the delivered picture
// stands upright, as the tag says how the stored rows must turn.
TEST(DecodeTiff, TheOrientationTagTurnsThePicture) {
  const auto stored = [](std::uint32_t x, std::uint32_t y, int c) { return c == 0 ? x * 50 + 10 : c == 1 ? y * 100 + 10 : 0u; };
  for (std::uint16_t o = 1; o <= 8; ++o) {
    SCOPED_TRACE(o);
    const Bytes file = MakeTiff({.width = 3, .height = 2, .orientation = o, .sample = stored});
    TiffInfo info;
    ASSERT_EQ(ReadTiffInfo(file.data(), file.size(), &info), kSpiOk);
    const bool swap = o >= 5;
    EXPECT_EQ(info.width, swap ? 2u : 3u);
    EXPECT_EQ(info.height, swap ? 3u : 2u);
    EXPECT_EQ(info.orientation, o);
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m), kSpiOk);
    for (std::uint32_t sy = 0; sy < 2; ++sy)
      for (std::uint32_t sx = 0; sx < 3; ++sx) {
        // Where the stored pixel stands in the upright picture.
        const std::uint32_t W = 3, H = 2;
        const std::uint32_t ux[] = {0, sx, W - 1 - sx, W - 1 - sx, sx, sy, H - 1 - sy, H - 1 - sy, sy};
        const std::uint32_t uy[] = {0, sy, sy, H - 1 - sy, H - 1 - sy, sx, sx, W - 1 - sx, W - 1 - sx};
        EXPECT_EQ(At(m, ux[o], uy[o]), (Bgr{0, static_cast<int>(sy * 100 + 10), static_cast<int>(sx * 50 + 10)}))
            << sx << "," << sy;
      }
  }
}

TEST(DecodeTiff, OnlyTheFirstPageAndItsDensity) {
  const Bytes file = MakeTiff({.xResolution = 300, .yResolution = 150, .pages = 3});
  VectorPictureMemory m;
  ASSERT_EQ(Decode(file, m), kSpiOk);
  EXPECT_EQ(At(m, 7, 5), (Bgr{static_cast<int>(Sample8(7, 5, 2)), static_cast<int>(Sample8(7, 5, 1)),
                              static_cast<int>(Sample8(7, 5, 0))}));
  EXPECT_EQ(Header(m).biXPelsPerMeter, 11811);
  TiffInfo info;
  ASSERT_EQ(ReadTiffInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.xDpi, 300);
  EXPECT_EQ(info.yDpi, 150);
  const Bytes metric = MakeTiff({.xResolution = 100, .yResolution = 100, .resolutionUnit = RESUNIT_CENTIMETER});
  ASSERT_EQ(ReadTiffInfo(metric.data(), metric.size(), &info), kSpiOk);
  EXPECT_EQ(info.xDpi, 254);
}

TEST(DecodeTiff, HostileAndDamagedFilesAnswerCodes) {
  const Bytes good = MakeTiff({.width = 20, .height = 9, .compression = COMPRESSION_LZW, .rowsPerStrip = 3});
  VectorPictureMemory m;
  for (std::size_t n = 0; n < good.size(); n += n < 64 ? 1 : 5) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    const int r = Decode(cut, m);
    EXPECT_TRUE(r == kSpiNotFormat || r == kSpiBroken) << n << " gave " << r;
  }
  Bytes notTiff = good;
  notTiff[2] = 41;
  EXPECT_EQ(Decode(notTiff, m), kSpiNotFormat);
  // A page the reader cannot show (a transparency mask) is broken for us.
  EXPECT_EQ(Decode(MakeTiff({.samples = 1, .bits = 1, .photometric = PHOTOMETRIC_MASK}), m), kSpiBroken);

  // Sides of 100000 x 100000 in an otherwise sound file: refused before anything is allocated.
  TiffFile big{.width = 100000, .height = 1, .samples = 1, .photometric = PHOTOMETRIC_MINISBLACK, .rowsPerStrip = 1,
               .sample = [](std::uint32_t, std::uint32_t, int) { return 0u; }};
  Bytes huge = MakeTiff(big);
  ASSERT_FALSE(huge.empty());
  // The first directory's length tag (0x0101, a LONG or SHORT) is set to 100000.
  const std::uint32_t ifd = huge[4] | huge[5] << 8 | huge[6] << 16 | huge[7] << 24;
  for (std::uint32_t e = ifd + 2; e + 12 <= huge.size(); e += 12)
    if (huge[e] == 0x01 && huge[e + 1] == 0x01) {
      huge[e + 2] = 4;
      huge[e + 3] = 0;
      huge[e + 8] = 0xA0, huge[e + 9] = 0x86, huge[e + 10] = 0x01, huge[e + 11] = 0;
      break;
    }
  VectorPictureMemory counted;
  EXPECT_EQ(Decode(huge, counted), kSpiNoMemory);
  EXPECT_EQ(counted.pictureAllocations, 0);
}

TEST(DecodeTiff, FailuresAndStopsHoldNothing) {
  const Bytes file = MakeTiff({});
  VectorPictureMemory m;
  m.allocateAnswer = kSpiLockFailed;
  EXPECT_EQ(Decode(file, m), kSpiLockFailed);
  m.allocateAnswer = kSpiOk;
  m.workAvailable = false;
  EXPECT_EQ(Decode(file, m), kSpiNoMemory);
  m.workAvailable = true;
  for (int stopAt : {0, 1}) {
    RecordingProgress progress(stopAt);
    EXPECT_EQ(Decode(file, m, &progress), kSpiStopped) << stopAt;
  }
}

TEST(TiffNames, SignatureAndExtension) {
  EXPECT_TRUE(HasTiffExtension("scan.TIF"));
  EXPECT_TRUE(HasTiffExtension("scan.tiff"));
  EXPECT_FALSE(HasTiffExtension("scan.tiffx"));
  const std::uint8_t intel[] = {'I', 'I', 42, 0}, motorola[] = {'M', 'M', 0, 42}, big[] = {'I', 'I', 43, 0};
  EXPECT_TRUE(HasTiffSignature(intel, 4));
  EXPECT_TRUE(HasTiffSignature(motorola, 4));
  EXPECT_TRUE(HasTiffSignature(big, 4));
  EXPECT_FALSE(HasTiffSignature(intel, 3));
}

}  // namespace
}  // namespace tarn::tiff
