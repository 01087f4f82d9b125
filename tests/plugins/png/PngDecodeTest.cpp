// The PNG decoder on pictures made by libpng's writer: every colour type and depth, interlaced or
// not, transparency over white, densities, and damaged and hostile files.
#include "plugins/png/PngDecode.h"

#include <gtest/gtest.h>

#include <array>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "plugins/png/PngRows.h"
#include "tests/plugins/png/PngBuilder.h"
#include "tests/support/DecodedPicture.h"

namespace tarn::png {
namespace {

using test::MakePng;
using test::PngFile;
using test::RecordingProgress;
using test::VectorPictureMemory;
using Bytes = std::vector<std::uint8_t>;
using Bgr = std::array<int, 3>;

int Decode(const Bytes& file, VectorPictureMemory& memory, ProgressReport* progress = nullptr) {
  return Settled(DecodePng(file.data(), file.size(), memory, progress), memory);
}


const std::uint8_t* Row(const VectorPictureMemory& m, std::uint32_t y) {
  const DibHeader h = Header(m);
  return m.pixels.data() + (h.biHeight - 1 - static_cast<std::int32_t>(y)) * DibRowBytes(h.biWidth, h.biBitCount);
}

// Colour-table index of pixel (x, y) of a 1, 4 or 8-bit picture.
unsigned IndexAt(const VectorPictureMemory& m, std::uint32_t x, std::uint32_t y) {
  const int bits = Header(m).biBitCount;
  const std::uint8_t* row = Row(m, y);
  if (bits == 8) return row[x];
  const unsigned perByte = 8u / bits;
  return row[x / perByte] >> (8 - bits * (x % perByte + 1)) & ((1u << bits) - 1);
}

Bgr TableEntry(const VectorPictureMemory& m, unsigned i) {
  const std::uint8_t* e = m.info.data() + kDibHeaderBytes + 4 * i;
  return {e[0], e[1], e[2]};
}

// Blue, green, red of pixel (x, y) whatever the depth.
Bgr PixelAt(const VectorPictureMemory& m, std::uint32_t x, std::uint32_t y) {
  if (Header(m).biBitCount == 24) {
    const std::uint8_t* p = Row(m, y) + 3 * x;
    return {p[0], p[1], p[2]};
  }
  return TableEntry(m, IndexAt(m, x, y));
}

struct Format {
  int colourType;
  int bitDepth;
  int dibBits;
};

class EveryFormat : public ::testing::TestWithParam<std::tuple<Format, bool>> {};

// Samples with known 8-bit results: grey levels and palette indices run over the whole range of
// the depth; 16-bit samples are 8-bit values times 257, which reduce back exactly.
unsigned Level(std::uint32_t x, std::uint32_t y, int bits) { return (x * 3 + y * 5) % (1u << std::min(bits, 8)); }

TEST_P(EveryFormat, DeliversTheRightDepthTableAndPixels) {
  const Format format = std::get<0>(GetParam());
  const bool interlaced = std::get<1>(GetParam());
  PngFile picture;
  picture.width = 9;
  picture.height = 5;
  picture.colourType = format.colourType;
  picture.bitDepth = format.bitDepth;
  picture.interlaced = interlaced;
  const int depth = format.bitDepth;
  const unsigned scale = depth == 16 ? 257 : 1;
  const unsigned opaque = depth == 16 ? 65535 : 255;
  picture.sample = [&](std::uint32_t x, std::uint32_t y, int c) -> unsigned {
    switch (format.colourType) {
      case PNG_COLOR_TYPE_GRAY: case PNG_COLOR_TYPE_PALETTE: return Level(x, y, depth) * scale;
      case PNG_COLOR_TYPE_GRAY_ALPHA: return c == 1 ? opaque : Level(x, y, 8) * scale;
      default: return c == 3 ? opaque : Level(x + c, y, 8) * scale;
    }
  };
  if (format.colourType == PNG_COLOR_TYPE_PALETTE)
    for (unsigned i = 0; i < (1u << depth); ++i)
      picture.palette.push_back(png_color{static_cast<png_byte>(i * 13), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 7)});

  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakePng(picture), m), kSpiOk);
  const DibHeader h = Header(m);
  ASSERT_EQ(h.biBitCount, format.dibBits);
  EXPECT_EQ(h.biWidth, 9);
  EXPECT_EQ(h.biHeight, 5);
  EXPECT_EQ(h.biClrUsed, PaletteEntries(format.dibBits));
  ASSERT_EQ(m.info.size(), 40u + 4 * PaletteEntries(format.dibBits));
  ASSERT_EQ(m.pixels.size(), DibRowBytes(9, format.dibBits) * 5);

  for (std::uint32_t y = 0; y < 5; ++y)
    for (std::uint32_t x = 0; x < 9; ++x) {
      SCOPED_TRACE(::testing::Message() << "pixel " << x << ", " << y);
      switch (format.colourType) {
        case PNG_COLOR_TYPE_GRAY: {
          const unsigned v = Level(x, y, depth);
          const unsigned grey = depth >= 8 ? v : v * 255 / ((1u << depth) - 1);
          ASSERT_EQ(IndexAt(m, x, y), v);
          ASSERT_EQ(PixelAt(m, x, y), (Bgr{int(grey), int(grey), int(grey)}));
          break;
        }
        case PNG_COLOR_TYPE_PALETTE: {
          const unsigned i = Level(x, y, depth);
          ASSERT_EQ(IndexAt(m, x, y), i);
          ASSERT_EQ(PixelAt(m, x, y), (Bgr{int(i * 7 % 256), int(255 - i), int(i * 13 % 256)}));
          break;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA: {
          const int v = static_cast<int>(Level(x, y, 8));
          ASSERT_EQ(PixelAt(m, x, y), (Bgr{v, v, v}));
          break;
        }
        default:
          ASSERT_EQ(PixelAt(m, x, y), (Bgr{int(Level(x + 2, y, 8)), int(Level(x + 1, y, 8)), int(Level(x, y, 8))}));
      }
    }

  PngInfo info;
  const Bytes file = MakePng(picture);
  ASSERT_EQ(ReadPngInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.width, 9u);
  EXPECT_EQ(info.height, 5u);
  EXPECT_EQ(info.bitCount, format.dibBits);
}

INSTANTIATE_TEST_SUITE_P(
    Png, EveryFormat,
    ::testing::Combine(::testing::Values(Format{0, 1, 1}, Format{0, 2, 4}, Format{0, 4, 4}, Format{0, 8, 8},
                                         Format{0, 16, 8}, Format{3, 1, 1}, Format{3, 2, 4}, Format{3, 4, 4},
                                         Format{3, 8, 8}, Format{4, 8, 8}, Format{4, 16, 8}, Format{2, 8, 24},
                                         Format{2, 16, 24}, Format{6, 8, 24}, Format{6, 16, 24}),
                       ::testing::Bool()),
    [](const auto& info) {
      const Format f = std::get<0>(info.param);
      return "type" + std::to_string(f.colourType) + "_depth" + std::to_string(f.bitDepth) +
             (std::get<1>(info.param) ? "_interlaced" : "");
    });

TEST(PngDecode, AlphaIsCompositedOntoWhite) {
  for (const int depth : {8, 16}) {
    SCOPED_TRACE(depth);
    const unsigned full = depth == 16 ? 65535 : 255, half = depth == 16 ? 32896 : 128;
    // Pixels: clear red, opaque red, half-covered black.
    const unsigned rgba[3][4] = {{full, 0, 0, 0}, {full, 0, 0, full}, {0, 0, 0, half}};
    PngFile picture;
    picture.width = 3;
    picture.height = 1;
    picture.bitDepth = depth;
    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    picture.sample = [&](std::uint32_t x, std::uint32_t, int c) { return rgba[x][c]; };
    VectorPictureMemory m;
    ASSERT_EQ(Decode(MakePng(picture), m), kSpiOk);
    EXPECT_EQ(PixelAt(m, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(PixelAt(m, 1, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(m, 2, 0), (Bgr{127, 127, 127}));

    picture.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    picture.sample = [&](std::uint32_t x, std::uint32_t, int c) { return c == 0 ? 0u : rgba[x][3]; };
    VectorPictureMemory grey;
    ASSERT_EQ(Decode(MakePng(picture), grey), kSpiOk);
    EXPECT_EQ(Header(grey).biBitCount, 8);
    EXPECT_EQ(PixelAt(grey, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(PixelAt(grey, 1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(grey, 2, 0), (Bgr{127, 127, 127}));
  }
}

TEST(PngDecode, TransparencyChunksBecomeWhite) {
  // Palette: a clear red entry, an opaque blue one, a half-covered black one; a fourth entry
  // beyond the tRNS entries is opaque.
  PngFile palette;
  palette.width = 4;
  palette.height = 1;
  palette.colourType = PNG_COLOR_TYPE_PALETTE;
  palette.bitDepth = 2;
  palette.palette = {{255, 0, 0}, {0, 0, 255}, {0, 0, 0}, {0, 255, 0}};
  palette.alphas = {0, 255, 128};
  palette.sample = [](std::uint32_t x, std::uint32_t, int) { return x; };
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakePng(palette), m), kSpiOk);
  EXPECT_EQ(Header(m).biBitCount, 4);
  EXPECT_EQ(PixelAt(m, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(m, 1, 0), (Bgr{255, 0, 0}));
  EXPECT_EQ(PixelAt(m, 2, 0), (Bgr{127, 127, 127}));
  EXPECT_EQ(PixelAt(m, 3, 0), (Bgr{0, 255, 0}));

  // Grey and colour keys: exactly the keyed sample, at the file's own depth, turns white.
  struct Case { int type, depth; unsigned keyed, near; Bgr nearColour; };
  for (const Case c : {Case{PNG_COLOR_TYPE_GRAY, 2, 1, 2, {170, 170, 170}},
                       Case{PNG_COLOR_TYPE_GRAY, 8, 50, 51, {51, 51, 51}},
                       Case{PNG_COLOR_TYPE_GRAY, 16, 1000, 1001, {4, 4, 4}},
                       Case{PNG_COLOR_TYPE_RGB, 8, 7, 8, {8, 8, 8}},
                       Case{PNG_COLOR_TYPE_RGB, 16, 7, 8, {0, 0, 0}}}) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type << " depth " << c.depth);
    PngFile picture;
    picture.width = 2;
    picture.height = 1;
    picture.colourType = c.type;
    picture.bitDepth = c.depth;
    picture.key = true;
    picture.keyValue.gray = picture.keyValue.red = picture.keyValue.green = picture.keyValue.blue = static_cast<png_uint_16>(c.keyed);
    picture.sample = [&](std::uint32_t x, std::uint32_t, int) { return x == 0 ? c.keyed : c.near; };
    VectorPictureMemory k;
    ASSERT_EQ(Decode(MakePng(picture), k), kSpiOk);
    EXPECT_EQ(PixelAt(k, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(PixelAt(k, 1, 0), c.nearColour);
  }
}

TEST(PngDecode, MetreDensityGoesIntoInfoAndHeader) {
  PngFile picture;
  picture.pixelsPerMetreX = 2835;
  picture.pixelsPerMetreY = 11811;
  const Bytes file = MakePng(picture);
  PngInfo info;
  ASSERT_EQ(ReadPngInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.xDpi, 72);
  EXPECT_EQ(info.yDpi, 300);
  VectorPictureMemory m;
  ASSERT_EQ(Decode(file, m), kSpiOk);
  EXPECT_EQ(Header(m).biXPelsPerMeter, 2835);
  EXPECT_EQ(Header(m).biYPelsPerMeter, 11811);

  // A pHYs chunk with a bad CRC is dropped, and the picture still comes.
  Bytes bad = file;
  bad[test::FindChunk(bad, "pHYs") + 8] ^= 1;
  VectorPictureMemory b;
  ASSERT_EQ(Decode(bad, b), kSpiOk);
  EXPECT_EQ(Header(b).biXPelsPerMeter, 0);
}

PngFile Striped() {
  PngFile picture;
  picture.width = 40;
  picture.height = 30;
  picture.sample = [](std::uint32_t x, std::uint32_t y, int c) { return (x * 7 + y * 3 + static_cast<unsigned>(c) * 50) % 256; };
  return picture;
}

TEST(PngDecode, RefusesWhatIsNoPng) {
  VectorPictureMemory m;
  EXPECT_EQ(Decode(Bytes{}, m), kSpiNotFormat);
  EXPECT_EQ(Decode(Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, m), kSpiNotFormat);
  EXPECT_EQ(Decode(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0, 0}, m), kSpiNotFormat);
  EXPECT_EQ(DecodePng(nullptr, 0, m, nullptr), kSpiNotFormat);
  PngInfo info;
  EXPECT_EQ(ReadPngInfo(nullptr, 0, &info), kSpiNotFormat);

  // A palette picture whose PLTE chunk is gone.
  PngFile picture;
  picture.colourType = PNG_COLOR_TYPE_PALETTE;
  picture.palette = {{1, 2, 3}};
  Bytes file = MakePng(picture);
  const std::size_t plte = test::FindChunk(file, "PLTE");
  file.erase(file.begin() + static_cast<std::ptrdiff_t>(plte), file.begin() + static_cast<std::ptrdiff_t>(plte + 12 + 3));
  EXPECT_EQ(Decode(file, m), kSpiBroken);
  EXPECT_EQ(m.pictureAllocations, 0);
}

TEST(PngDecode, EveryTruncationAndBadCrcIsBroken) {
  for (const bool interlaced : {false, true}) {
    PngFile picture = Striped();
    picture.interlaced = interlaced;
    const Bytes file = MakePng(picture);
    const std::size_t iend = test::FindChunk(file, "IEND");
    for (std::size_t n = 0; n < iend; ++n) {
      const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
      VectorPictureMemory m;
      ASSERT_EQ(Decode(cut, m), n < 8 ? kSpiNotFormat : kSpiBroken) << n;
    }
    for (const char* chunk : {"IHDR", "IDAT"}) {
      Bytes bad = file;
      bad[test::FindChunk(bad, chunk) + 9] ^= 0x40;
      VectorPictureMemory m;
      EXPECT_EQ(Decode(bad, m), kSpiBroken) << chunk;
    }
  }
}

TEST(PngDecode, RefusesPixelBlocksOver512MiBBeforeAllocating) {
  PngFile picture;
  picture.colourType = PNG_COLOR_TYPE_GRAY;
  Bytes file = MakePng(picture);
  const std::size_t ihdr = test::FindChunk(file, "IHDR");
  const auto resize = [&](std::uint32_t w, std::uint32_t h) {
    test::PutBe32(file, ihdr + 8, w);
    test::PutBe32(file, ihdr + 12, h);
    test::FixCrc(file, ihdr);
  };
  resize(16384, 32768);  // exactly 512 MiB at 8 bits: asked for
  VectorPictureMemory atCap;
  atCap.largestBlock = 0;
  EXPECT_EQ(Decode(file, atCap), kSpiNoMemory);
  EXPECT_EQ(atCap.pictureAllocations, 1);
  resize(16384, 32769);
  VectorPictureMemory over;
  EXPECT_EQ(Decode(file, over), kSpiNoMemory);
  EXPECT_EQ(over.pictureAllocations, 0);
  resize(0x7FFFFFFF, 0x7FFFFFFF);
  VectorPictureMemory largest;
  EXPECT_EQ(Decode(file, largest), kSpiNoMemory);
  EXPECT_EQ(largest.pictureAllocations, 0);

  // An interlaced picture keeps its undecoded rows: 16-bit RGBA rows of 16384 pixels take 128 KiB,
  // so 5000 of them pass the cap although the delivered picture would not.
  PngFile deep;
  deep.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  deep.bitDepth = 16;
  deep.interlaced = true;
  Bytes deepFile = MakePng(deep);
  const std::size_t deepIhdr = test::FindChunk(deepFile, "IHDR");
  test::PutBe32(deepFile, deepIhdr + 8, 16384);
  test::PutBe32(deepFile, deepIhdr + 12, 5000);
  test::FixCrc(deepFile, deepIhdr);
  VectorPictureMemory rows;
  EXPECT_EQ(Decode(deepFile, rows), kSpiNoMemory);
  EXPECT_EQ(rows.pictureAllocations, 0);
}

// Compressed data that inflates far beyond what is needed, in the picture data and in a text
// chunk: the decoder takes what the picture needs and no more (a full inflate would take 128 MiB
// and seconds under the sanitizers; the test's time limit catches that).
TEST(PngDecode, ZlibBombsEndQuickly) {
  const std::vector<std::uint8_t> zeros(64u << 20, 0);
  uLongf packedBytes = compressBound(zeros.size());
  Bytes packed(packedBytes);
  ASSERT_EQ(compress2(packed.data(), &packedBytes, zeros.data(), zeros.size(), 9), Z_OK);
  packed.resize(packedBytes);

  PngFile picture;
  picture.colourType = PNG_COLOR_TYPE_GRAY;
  picture.width = 3;
  picture.height = 2;
  Bytes file = MakePng(picture);
  // zTXt: keyword, separator, method 0, then the stream.
  Bytes text = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
  text.insert(text.end(), packed.begin(), packed.end());
  test::InsertChunk(file, test::FindChunk(file, "IDAT"), "zTXt", text);
  // The picture's own data replaced by the bomb (all-zero rows of filter type 0).
  const std::size_t idat = test::FindChunk(file, "IDAT");
  file.erase(file.begin() + static_cast<std::ptrdiff_t>(idat), file.begin() + static_cast<std::ptrdiff_t>(idat + 12 + test::Be32(file, idat)));
  test::InsertChunk(file, idat, "IDAT", packed);

  VectorPictureMemory m;
  ASSERT_EQ(Decode(file, m), kSpiOk);
  EXPECT_EQ(PixelAt(m, 2, 1), (Bgr{0, 0, 0}));
}

TEST(PngDecode, MemoryFailuresAndStopsHoldNothing) {
  for (const bool interlaced : {false, true}) {
    PngFile picture = Striped();
    picture.interlaced = interlaced;
    const Bytes file = MakePng(picture);
    for (const int answer : {kSpiNoMemory, kSpiLockFailed}) {
      VectorPictureMemory m;
      m.allocateAnswer = answer;
      EXPECT_EQ(Decode(file, m), answer);
    }
    VectorPictureMemory noWork;
    noWork.workAvailable = false;
    EXPECT_EQ(Decode(file, noWork), kSpiLockFailed);
    EXPECT_EQ(noWork.warnings, 0);

    VectorPictureMemory m;
    RecordingProgress stopAtStart(0);
    EXPECT_EQ(Decode(file, m, &stopAtStart), kSpiStopped);
    EXPECT_EQ(m.pictureAllocations, 0);
    RecordingProgress stopAtEnd(1);
    EXPECT_EQ(Decode(file, m, &stopAtEnd), kSpiStopped);
    RecordingProgress recorder;
    EXPECT_EQ(Decode(file, m, &recorder), kSpiOk);
    EXPECT_EQ(recorder.calls, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
  }
}

TEST(PngNames, ExtensionAndSignature) {
  for (const char* yes : {"a.png", "A.PNG", "x.jpg.png", "[UNICODE].Png"}) EXPECT_TRUE(HasPngExtension(yes)) << yes;
  for (const char* no : {"a.pngx", "png", "a.pn", "a.jpg", ""}) EXPECT_FALSE(HasPngExtension(no)) << no;
  const std::uint8_t sig[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  EXPECT_TRUE(HasPngSignature(sig, 8));
  EXPECT_FALSE(HasPngSignature(sig, 7));
}

}  // namespace
}  // namespace tarn::png
