// TarnJpeg.spi as the host meets it: the plug-in contract on JPEG files, libjpeg's failures
// answered as codes, and the reduced previews, through the real exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/jpeg/JpegBuilder.h"

namespace tarn::test {
namespace {

bool Near(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(a[i] - b[i]) > 8) return false;
  return true;
}

// 64 x 32: left half red, right half blue.
JpegFile Halves(int width = 64, int height = 32) {
  JpegFile s;
  s.width = width;
  s.height = height;
  s.pixel = [width](int x, int, std::uint8_t* p) {
    p[0] = x < width / 2 ? 255 : 0;
    p[1] = 0;
    p[2] = x < width / 2 ? 0 : 255;
  };
  return s;
}

// 300 x 200 turned by EXIF orientation 6, at 72 x 96 dots per inch.
JpegFile Turned() {
  JpegFile picture = Halves(300, 200);
  picture.orientation = 6;
  picture.densityUnit = 1;
  picture.xDensity = 72;
  picture.yDensity = 96;
  return picture;
}

PluginContract JpegContract() {
  const Bytes plain = MakeJpeg(JpegFile{});
  Bytes noMarker = plain;
  noMarker[2] = 0;  // FF D8 without a marker after it
  Bytes huge = plain;
  SetFrameSize(huge, 60000, 60000);
  PluginContract c{
      .dll = L"TarnJpeg.spi",
      .folderPrefix = "tarnjpeg",
      .versionStart = "TarnJpeg v",
      .patterns = "*.jpg; *.jpeg; *.jpe; *.jfif",
      .formatName = "JPEG file",
      .support = {{"Z:\\no\\such\\photo.jpg", plain, 1},
                  {"a.JPEG", plain, 1},
                  {"a.Jpe", plain, 1},
                  {"a.jfif", plain, 1},
                  {"a.png.jpg", plain, 1},
                  {"a.png", plain, 0},
                  {"a.jpgx", plain, 0},
                  {"jpg", plain, 0},
                  {"a.jp", plain, 0},
                  {"a.jpg", noMarker, 0}},
      .handleName = "handle.jpg",
      .handleSample = plain,
      .sample = MakeJpeg(Halves()),
      .checkSample = [](const Delivered& d) {
        ASSERT_EQ(d.info.size(), 40u);
        EXPECT_EQ(d.Header().biWidth, 64);
        EXPECT_EQ(d.Header().biHeight, 32);
        EXPECT_EQ(d.Header().biBitCount, 24);
        ASSERT_EQ(d.pixels.size(), 64u * 3 * 32);
        EXPECT_TRUE(Near(d.Pixel(0, 0), {0, 0, 255}));
        EXPECT_TRUE(Near(d.Pixel(63, 31), {255, 0, 0}));
      },
      .minimumBytes = 3,
      .infoSample = MakeJpeg(Turned()),
      .infoFromMemory = {{2, kSpiNotFormat, "shorter than the signature"}, {40, kSpiBroken, "headers cut"}},
      .damaged = {{"rubbish.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x03, 0x01, 0x02, 0x03}, kSpiBroken},
                  {"huge.jpg", huge, kSpiNoMemory}},
      .previewDecodes = true,
      .markers = {"[UNICODE].JPG", "[unicode].jpeg", "[UNICODE].jpe", "[UNICODE].JFIF"},
      .foreignMarker = "[UNICODE].png",
  };
  c.info.width = 200;  // turned upright
  c.info.height = 300;
  c.info.x_density = 96;
  c.info.y_density = 72;
  c.info.colorDepth = 24;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnJpeg, PluginContractTest, ::testing::Values(JpegContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnJpeg, DecoderContractTest, ::testing::Values(JpegContract()), ContractName);

class TarnJpegSpi : public PluginFolderTest {
 protected:
  TarnJpegSpi() : PluginFolderTest(L"TarnJpeg.spi", "tarnjpeg") {}
};

// Cut in the middle: what was decoded is delivered.
TEST_F(TarnJpegSpi, CutFileDeliversWhatWasDecoded) {
  const Bytes whole = MakeJpeg(Halves());
  Delivered d;
  EXPECT_EQ(Load(Write("cut.jpg", Bytes(whole.begin(), whole.end() - 40)), 0, &d), kSpiOk);
  EXPECT_TRUE(d.freed);
}

TEST_F(TarnJpegSpi, GetPreviewDecodesAtAReducedScale) {
  JpegFile picture = Halves(1600, 800);  // 1/4 gives 400 x 200
  picture.quality = 80;
  const Bytes jpeg = MakeJpeg(picture);
  const std::string path = Write("big.jpg", jpeg);
  Delivered preview, full;
  ASSERT_EQ(Load(path, 0, &preview, true), kSpiOk);
  EXPECT_EQ(preview.Header().biWidth, 400);
  EXPECT_EQ(preview.Header().biHeight, 200);
  EXPECT_TRUE(Near(preview.Pixel(10, 10), {0, 0, 255}));
  ASSERT_EQ(Load(path, 0, &full), kSpiOk);
  EXPECT_EQ(full.Header().biWidth, 1600);
  EXPECT_EQ(full.Header().biHeight, 800);

  Delivered fromMemory;
  ASSERT_EQ(LoadMemory(jpeg, static_cast<LONG_PTR>(jpeg.size()), &fromMemory, true), kSpiOk);
  EXPECT_EQ(fromMemory.Header().biWidth, 400);
}

}  // namespace
}  // namespace tarn::test
