// TarnPng.spi as the host meets it: the plug-in contract on PNG files.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/png/PngBuilder.h"

namespace tarn::test {
namespace {

// 6 x 4: left half opaque red, right half clear (white once composited).
PngFile Halves() {
  PngFile s;
  s.width = 6;
  s.height = 4;
  s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  s.sample = [](std::uint32_t x, std::uint32_t, int c) -> unsigned { return c == 0 || c == 3 ? (x < 3 ? 255 : 0) : 0; };
  return s;
}

// 6 x 4 in four-bit palette colours, at 3780 pixels per metre.
PngFile Palette() {
  PngFile picture = Halves();
  picture.colourType = PNG_COLOR_TYPE_PALETTE;
  picture.bitDepth = 4;
  picture.palette = {{0, 0, 0}, {255, 255, 255}};
  picture.sample = [](std::uint32_t x, std::uint32_t, int) { return x % 2; };
  picture.pixelsPerMetreX = picture.pixelsPerMetreY = 3780;
  return picture;
}

PluginContract PngContract() {
  const Bytes png = MakePng(Halves());
  Bytes cutSignature = png;
  cutSignature[7] = 0;
  Bytes badCrc = png;
  badCrc[FindChunk(badCrc, "IDAT") + 9] ^= 0x10;
  Bytes huge = png;
  const std::size_t ihdr = FindChunk(huge, "IHDR");
  PutBe32(huge, ihdr + 8, 100000);
  PutBe32(huge, ihdr + 12, 100000);
  FixCrc(huge, ihdr);
  PluginContract c{
      .dll = L"TarnPng.spi",
      .folderPrefix = "tarnpng",
      .versionStart = "TarnPng v",
      .patterns = "*.png",
      .formatName = "PNG file",
      .support = {{"Z:\\no\\such\\shot.png", png, 1},
                  {"a.PNG", png, 1},
                  {"a.jpg.png", png, 1},
                  {"a.jpg", png, 0},
                  {"a.pngx", png, 0},
                  {"png", png, 0},
                  {"a.png", cutSignature, 0}},
      .handleName = "handle.png",
      .handleSample = png,
      .sample = png,
      .checkSample = CheckRedAndClearHalves,
      .minimumBytes = 8,
      .infoSample = MakePng(Palette()),
      .infoFromMemory = {{7, kSpiNotFormat, "a signature cut short"}, {20, kSpiBroken, "header cut"}},
      .damaged = {{"crc.png", badCrc, kSpiBroken},
                  {"cut.png", Bytes(png.begin(), png.end() - 20), kSpiBroken},
                  {"huge.png", huge, kSpiNoMemory}},
      .markers = {"[UNICODE].png", "[unicode].PNG"},
      .foreignMarker = "[UNICODE].jpg",
  };
  c.info.width = 6;
  c.info.height = 4;
  c.info.x_density = c.info.y_density = 96;
  c.info.colorDepth = 4;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnPng, PluginContractTest, ::testing::Values(PngContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnPng, DecoderContractTest, ::testing::Values(PngContract()), ContractName);

}  // namespace
}  // namespace tarn::test
