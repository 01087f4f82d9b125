// TarnTiff.spi as the host meets it: the plug-in contract on TIFF files.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/tiff/TiffBuilder.h"

namespace tarn::test {
namespace {

// 6 x 4: left half opaque red, right half clear (white once composited).
TiffFile Halves() {
  return {.width = 6, .height = 4, .samples = 4, .compression = COMPRESSION_LZW, .alpha = EXTRASAMPLE_UNASSALPHA,
          .sample = [](std::uint32_t x, std::uint32_t, int c) { return c == 0 || c == 3 ? (x < 3 ? 255u : 0u) : 0u; }};
}

PluginContract TiffContract() {
  const Bytes tiff = MakeTiff(Halves());
  Bytes notTiff = tiff;
  notTiff[3] = 1;
  const Bytes strips = MakeTiff({.width = 30, .height = 20, .compression = COMPRESSION_ADOBE_DEFLATE, .rowsPerStrip = 20});
  Bytes garbled = strips;
  for (std::size_t i = 8; i < 40 && i < garbled.size(); ++i) garbled[i] ^= 0x5A;
  PluginContract c{
      .dll = L"TarnTiff.spi",
      .folderPrefix = "tarntiff",
      .versionStart = "TarnTiff v",
      .patterns = "*.tif; *.tiff",
      .formatName = "TIFF file",
      .support = {{"Z:\\no\\such\\scan.tif", tiff, 1},
                  {"a.TIFF", tiff, 1},
                  {"a.jpg.tif", tiff, 1},
                  {"a.tiffx", tiff, 0},
                  {"a.png", tiff, 0},
                  {"a.tif", notTiff, 0}},
      .handleName = "handle.tif",
      .handleSample = tiff,
      .sample = tiff,
      .checkSample = CheckRedAndClearHalves,
      .minimumBytes = 4,
      .infoSample = MakeTiff({.width = 5, .height = 9, .orientation = ORIENTATION_RIGHTTOP, .xResolution = 72,
                              .yResolution = 144}),
      .infoFromMemory = {{3, kSpiNotFormat, "a signature cut short"}, {8, kSpiBroken, "no directory"}},
      .damaged = {{"cut.tif", Bytes(strips.begin(), strips.begin() + 60), kSpiBroken}, {"garbled.tif", garbled, kSpiBroken}},
      .markers = {"[UNICODE].tif", "[unicode].TIFF"},
      .foreignMarker = "[UNICODE].webp",
  };
  // Turned on its side by the orientation tag, density with it.
  c.info.width = 9;
  c.info.height = 5;
  c.info.x_density = 144;
  c.info.y_density = 72;
  c.info.colorDepth = 24;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnTiff, PluginContractTest, ::testing::Values(TiffContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnTiff, DecoderContractTest, ::testing::Values(TiffContract()), ContractName);

}  // namespace
}  // namespace tarn::test
