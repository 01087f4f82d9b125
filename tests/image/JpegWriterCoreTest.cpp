// The writer's portable parts: the RGB rows handed to the compressor for every bit count, checked
// against the pixels read back independently; what it refuses; the densities; the BMP file layout
// byte for byte; and a JPEG written and decoded again with libjpeg.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "TestPicture.h"
#include "image/BmpFileLayout.h"
#include "image/JpegCompress.h"
#include "image/JpegRowSource.h"

namespace tarn {
namespace {

using test::TestPicture;

// The colour a pixel value stands for, as R, G, B, worked out from the blocks directly.
std::array<std::uint8_t, 3> ColourOf(const std::vector<std::uint8_t>& info, int bitCount, std::uint32_t v) {
  if (bitCount <= 8) {
    const std::uint8_t* entry = info.data() + kDibHeaderBytes + v * 4;
    return {entry[2], entry[1], entry[0]};
  }
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

TEST(JpegRowSource, DeliversTopRowFirstAsRgbForEveryBitCount) {
  // 9 ends inside a byte of a 4-bit row; 3 leaves padding in a 24-bit row (stride 12).
  for (int bits : {4, 8, 24, 32})
    for (int width : {1, 3, 9}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
      TestPicture picture(width, 4, bits, static_cast<unsigned>(bits * 31 + width));
      JpegRowSource source;
      ASSERT_EQ(source.Setup(picture.Info().data(), picture.Info().size(), picture.Bits().data(),
                             picture.Bits().size()),
                kRowSourceReady);
      EXPECT_EQ(source.Stride(), test::StrideOf(width, bits));
      const test::Pixels expected = picture.Loaded();
      for (int y = 0; y < 4; ++y) {
        const std::uint8_t* row = source.NextRow();
        ASSERT_NE(row, nullptr);
        for (int x = 0; x < width; ++x) {
          const auto rgb = ColourOf(picture.Info(), bits, expected.At(x, y));
          ASSERT_EQ(row[x * 3], rgb[0]) << x << "," << y;
          ASSERT_EQ(row[x * 3 + 1], rgb[1]);
          ASSERT_EQ(row[x * 3 + 2], rgb[2]);
        }
      }
      EXPECT_EQ(source.NextRow(), nullptr);
    }
}

TEST(JpegRowSource, RefusesWhatItCannotConvertOrWouldReadPast) {
  TestPicture picture(5, 3, 8);
  std::vector<std::uint8_t> info = picture.Info();
  const auto& bits = picture.Bits();
  auto setup = [&](const std::vector<std::uint8_t>& header, std::size_t bitsSize) {
    JpegRowSource source;
    return source.Setup(header.data(), header.size(), bits.data(), bitsSize);
  };
  auto with = [&](auto change) {
    std::vector<std::uint8_t> copy = info;
    DibHeader h = LoadDibHeader(copy.data());
    change(h);
    StoreDibHeader(h, copy.data());
    return copy;
  };
  for (int count : {1, 16, 0, 48})
    EXPECT_EQ(setup(with([&](DibHeader& h) { h.biBitCount = static_cast<std::uint16_t>(count); }), bits.size()),
              kRowSourceBadBitCount) << count;
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biCompression = 1; }), bits.size()), kRowSourceBadHeader);
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biSize = 11; }), bits.size()), kRowSourceBadHeader);
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biSize = 65; }), bits.size()), kRowSourceBadHeader);
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biHeight = INT32_MIN; }), bits.size()), kRowSourceBadHeader);
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biWidth = 70000; }), bits.size()), kRowSourceBadHeader);
  // One row short, a height that multiplies past the block, a colour table the block cuts off.
  EXPECT_EQ(setup(info, bits.size() - 1), kRowSourceShortBlock);
  EXPECT_EQ(setup(with([](DibHeader& h) { h.biHeight = 60000; }), bits.size()), kRowSourceShortBlock);
  info.resize(info.size() - 4);
  EXPECT_EQ(setup(info, bits.size()), kRowSourceShortBlock);
}

TEST(JpegRowSource, IndexesPastAShortColourTableComeOutBlack) {
  TestPicture picture(2, 1, 8);
  std::vector<std::uint8_t> info = picture.Info();
  DibHeader h = LoadDibHeader(info.data());
  h.biClrUsed = 1;
  StoreDibHeader(h, info.data());
  info.resize(kDibHeaderBytes + 4);
  std::vector<std::uint8_t> bits{0, 200, 0, 0};
  JpegRowSource source;
  ASSERT_EQ(source.Setup(info.data(), info.size(), bits.data(), bits.size()), kRowSourceReady);
  const std::uint8_t* row = source.NextRow();
  EXPECT_EQ(row[0], info[kDibHeaderBytes + 2]);
  EXPECT_EQ((std::vector<std::uint8_t>(row + 3, row + 6)), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(JpegRowSource, DensityIsPixelsPerMetreOverAHundredOnlyWhenBothAreGiven) {
  TestPicture picture(2, 2, 24);
  struct Case {
    std::int32_t x, y;
    int densityX, densityY;
  } cases[] = {{3780, 3780, 37, 37}, {3780, 0, 0, 0}, {0, 3780, 0, 0}, {-3780, 3780, 0, 0}, {99, 200, 0, 2}};
  for (const Case& c : cases) {
    std::vector<std::uint8_t> info = picture.Info();
    DibHeader h = LoadDibHeader(info.data());
    h.biXPelsPerMeter = c.x;
    h.biYPelsPerMeter = c.y;
    StoreDibHeader(h, info.data());
    JpegRowSource source;
    ASSERT_EQ(source.Setup(info.data(), info.size(), picture.Bits().data(), picture.Bits().size()), 0);
    EXPECT_EQ(source.DensityX(), c.densityX) << c.x << " " << c.y;
    EXPECT_EQ(source.DensityY(), c.densityY);
  }
}

// The BMP file of an 8-bit 3 x 2 picture with a two-entry table, written out by hand.
TEST(BmpFileLayout, MatchesAHandMadeFileByteForByte) {
  const std::vector<std::uint8_t> info = {
      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
      0x99, 0x99, 0, 0,  // a stale biSizeImage that the writer must replace
      0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
      0x10, 0x20, 0x30, 0, 0xA0, 0xB0, 0xC0, 0};
  const std::vector<std::uint8_t> golden = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
      8, 0, 0, 0,
      0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
  BmpFileLayout layout;
  ASSERT_EQ(MakeBmpFileLayout(info.data(), info.size(), layout), 1);
  EXPECT_EQ(layout.head, golden);
  EXPECT_EQ(layout.tableBytes, 8u);
  EXPECT_EQ(layout.imageBytes, 8u);
}

TEST(BmpFileLayout, TurnedPictureCarriesTheTurnedSizeAndARecomputedImageSize) {
  TestPicture picture(3, 2, 24);
  PictureTransforms transforms;
  BrightLevels bright;
  ASSERT_EQ(transforms.RotateMap(kRotateClockwise, picture.Blocks(), bright), 0);
  BmpFileLayout layout;
  ASSERT_EQ(MakeBmpFileLayout(picture.Info().data(), picture.Info().size(), layout), 1);
  const DibHeader h = LoadDibHeader(layout.head.data() + 14);
  EXPECT_EQ(h.biWidth, 2);
  EXPECT_EQ(h.biHeight, 3);
  EXPECT_EQ(h.biSizeImage, 24u);  // 2 x 3 bytes padded to 8, three rows
  EXPECT_EQ(ReadLe32(layout.head.data() + 2), 14u + 40 + 24);
  EXPECT_EQ(ReadLe32(layout.head.data() + 10), 54u);
}

TEST(BmpFileLayout, RefusesHeadersItCannotDescribe) {
  TestPicture picture(3, 2, 8);
  BmpFileLayout layout;
  std::vector<std::uint8_t> info = picture.Info();
  EXPECT_EQ(MakeBmpFileLayout(nullptr, 0, layout), 0);
  EXPECT_EQ(MakeBmpFileLayout(info.data(), 39, layout), 0);
  // A colour table the block does not hold, and a file past 4 GB.
  EXPECT_EQ(MakeBmpFileLayout(info.data(), info.size() - 1, layout), 0);
  DibHeader h = LoadDibHeader(info.data());
  h.biWidth = h.biHeight = 70000;
  StoreDibHeader(h, info.data());
  EXPECT_EQ(MakeBmpFileLayout(info.data(), info.size(), layout), 0);
  h.biSize = 108;
  StoreDibHeader(h, info.data());
  EXPECT_EQ(MakeBmpFileLayout(info.data(), info.size(), layout), 0);
}

// Decodes `file` from its start: width, height, density unit and X density, and the RGB pixels.
struct Decoded {
  int width = 0, height = 0, unit = 0, densityX = 0;
  std::vector<std::uint8_t> rgb;
};
Decoded Decode(std::FILE* file) {
  std::rewind(file);
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  Decoded d{static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), cinfo.density_unit,
            cinfo.X_density, std::vector<std::uint8_t>(cinfo.output_width * cinfo.output_height * 3)};
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = d.rgb.data() + cinfo.output_scanline * cinfo.output_width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return d;
}

TEST(CompressJpeg, WritesAFileThatDecodesToThePictureTopRowFirst) {
  // Top half red, bottom half blue, so an upside-down file shows.
  const int w = 32, h = 16;
  std::vector<std::uint8_t> info(kDibHeaderBytes);
  DibHeader header;
  header.biWidth = w;
  header.biHeight = h;
  header.biBitCount = 24;
  header.biXPelsPerMeter = header.biYPelsPerMeter = 3780;
  StoreDibHeader(header, info.data());
  std::vector<std::uint8_t> bits(w * 3 * h);
  for (int memoryRow = 0; memoryRow < h; ++memoryRow)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &bits[(memoryRow * w + x) * 3];
      const bool top = memoryRow >= h / 2;  // bottom-up: the last memory rows are the top ones
      p[0] = top ? 0 : 255;  // blue
      p[2] = top ? 255 : 0;  // red
    }
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(CompressJpeg(file, info.data(), info.size(), bits.data(), bits.size(), 90), kJpegWritten);
  const Decoded d = Decode(file);
  std::fclose(file);
  EXPECT_EQ(d.width, w);
  EXPECT_EQ(d.height, h);
  EXPECT_EQ(d.unit, 2);
  EXPECT_EQ(d.densityX, 37);
  auto near = [](int a, int b) { return a - b < 12 && b - a < 12; };
  EXPECT_TRUE(near(d.rgb[0], 255) && near(d.rgb[2], 0)) << int(d.rgb[0]) << " " << int(d.rgb[2]);
  const std::size_t last = d.rgb.size() - 3;
  EXPECT_TRUE(near(d.rgb[last], 0) && near(d.rgb[last + 2], 255));
}

TEST(CompressJpeg, RefusedPicturesWriteNothingAndAFailingFileEndsWithoutEndingTheProcess) {
  TestPicture oneBit(8, 8, 1);
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(CompressJpeg(file, oneBit.Info().data(), oneBit.Info().size(), oneBit.Bits().data(),
                         oneBit.Bits().size(), 90),
            kRowSourceBadBitCount);
  EXPECT_EQ(std::ftell(file), 0);
  std::fclose(file);
  // A file opened for reading refuses every write, as a full disk would.
  TestPicture picture(64, 64, 24);
  std::FILE* readOnly = std::fopen("/dev/null", "rb");
  ASSERT_NE(readOnly, nullptr);
  EXPECT_EQ(CompressJpeg(readOnly, picture.Info().data(), picture.Info().size(), picture.Bits().data(),
                         picture.Bits().size(), 90),
            kJpegFailed);
  std::fclose(readOnly);
}

}  // namespace
}  // namespace tarn
