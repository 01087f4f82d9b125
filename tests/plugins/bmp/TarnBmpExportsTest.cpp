// TarnBmp.spi as the host meets it: the plug-in contract on BMP files, and every form of BMP
// decoded through the real exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/support/BmpBuilder.h"

namespace tarn::test {
namespace {

const BmpFile kSample{.width = 3, .height = 3, .bitCount = 24, .pixels = PatternPixels(3, 3, 24)};

PluginContract BmpContract() {
  const Bytes header = MakeBmp({.width = 2, .height = 2, .pixels = PatternPixels(2, 2, 24)});
  Bytes os2 = header;
  os2[14] = 64;  // an OS/2 2.x header
  PluginContract c{
      .dll = L"TarnBmp.spi",
      .folderPrefix = "tarnbmp",
      .versionStart = "TarnBmp v0.14u (c) ",
      .patterns = "*.bmp; *.dib",
      .formatName = "BMP file",
      .support = {{"Z:\\no\\such\\folder\\picture.BMP", header, 1},
                  {"picture.jpeg.dib", header, 1},
                  {"picture.bmpx", header, 0},
                  {"picture", header, 0},
                  {"picture.bmp", os2, 0}},
      .handleName = "offset.bmp",
      .handleSample = header,
      .sample = MakeBmp(kSample),
      .checkSample = [](const Delivered& d) {
        ASSERT_EQ(d.info.size(), 40u);
        EXPECT_EQ(d.Header().biWidth, 3);
        EXPECT_EQ(d.Header().biBitCount, 24);
        EXPECT_EQ(d.pixels, kSample.pixels);
      },
      .minimumBytes = 58,
      .infoSample = MakeBmp({.width = 300, .height = -200, .bitCount = 8, .xPelsPerMeter = 3780,
                             .palette = RampPalette(256), .pixels = PatternPixels(300, -200, 8)}),
      .infoFromMemory = {{57, kSpiNotFormat, "shorter than the header"}},
      .markers = {"[UNICODE].BMP", "[unicode].dib"},
      .foreignMarker = "[UNICODE].gif",
  };
  c.info.width = 300;
  c.info.height = static_cast<DWORD>(-200);
  c.info.colorDepth = 8;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnBmp, PluginContractTest, ::testing::Values(BmpContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnBmp, DecoderContractTest, ::testing::Values(BmpContract()), ContractName);

class TarnBmpSpi : public PluginFolderTest {
 protected:
  TarnBmpSpi() : PluginFolderTest(L"TarnBmp.spi", "tarnbmp") {}
};

TEST_F(TarnBmpSpi, EveryFormDecodesPixelForPixel) {
  struct Form {
    const char* name;
    BmpFile file;
    Bytes pixels;  // expected; empty means the file's own pixels
  };
  std::vector<Form> forms;
  for (int bits : {1, 4, 8, 16, 24, 32})
    for (std::int32_t height : {7, -7})
      forms.push_back({"plain", {.width = 21, .height = height, .bitCount = static_cast<std::uint16_t>(bits),
                                 .palette = RampPalette(PaletteEntries(bits)),
                                 .pixels = PatternPixels(21, height, bits)}, {}});
  forms.push_back({"rle8", {.width = 4, .height = 3, .bitCount = 8, .compression = 1, .palette = RampPalette(256),
                            .pixels = {2, 1, 0, 2, 1, 1, 1, 2, 0, 0, 0, 3, 9, 8, 7, 0, 1, 6, 0, 1}},
                   {1, 1, 0, 0, 0, 0, 0, 2, 9, 8, 7, 6}});
  forms.push_back({"rle4", {.width = 5, .height = 2, .bitCount = 4, .compression = 2, .palette = RampPalette(16),
                            .pixels = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1}},
                   {0x12, 0x12, 0x10, 0, 0xAB, 0xC0, 0, 0}});
  for (const Form& form : forms) {
    SCOPED_TRACE(std::string(form.name) + " " + std::to_string(form.file.bitCount) + " bits, height " +
                 std::to_string(form.file.height));
    const Bytes bmp = MakeBmp(form.file);
    Delivered d;
    ASSERT_EQ(Load(Write("form.bmp", bmp), 0, &d), kSpiOk);
    const std::uint32_t entries = PaletteEntries(form.file.bitCount);
    ASSERT_EQ(d.info.size(), 40u + entries * 4);
    const DibHeader h = LoadDibHeader(d.info.data());
    EXPECT_EQ(h.biWidth, form.file.width);
    EXPECT_EQ(h.biHeight, form.file.height);
    EXPECT_EQ(h.biBitCount, form.file.bitCount);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biClrUsed, entries);
    EXPECT_EQ(Bytes(d.info.begin() + 40, d.info.end()), Bytes(bmp.begin() + 54, bmp.begin() + 54 + entries * 4));
    EXPECT_EQ(d.pixels, form.pixels.empty() ? form.file.pixels : form.pixels);
  }
}

// What current editors write: a 124-byte header with 5-6-5 masks, and 32 bits with alpha.
TEST_F(TarnBmpSpi, VersionFiveBitFieldsArriveAs24Bits) {
  const BmpFile rgb565{.width = 2, .height = 1, .bitCount = 16, .compression = 3, .infoSize = 124,
                       .pixels = {0x00, 0xF8, 0xE0, 0x07}, .masks = {0xF800, 0x07E0, 0x001F, 0}};
  Delivered d;
  ASSERT_EQ(Load(Write("565.bmp", MakeBmp(rgb565)), 0, &d), kSpiOk);
  ASSERT_EQ(d.info.size(), 40u);
  EXPECT_EQ(d.Header().biBitCount, 24);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(d.Pixel(1, 0), (std::array<int, 3>{0, 255, 0}));

  const BmpFile argb{.width = 1, .height = 1, .bitCount = 32, .compression = 3, .infoSize = 124,
                     .pixels = {0, 0, 255, 0x80}, .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
  ASSERT_EQ(Load(Write("argb.bmp", MakeBmp(argb)), 0, &d), kSpiOk);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{127, 127, 255}));
}

}  // namespace
}  // namespace tarn::test
