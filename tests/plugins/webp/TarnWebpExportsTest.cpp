// TarnWebp.spi as the host meets it: the plug-in contract on WebP files, and the catalog's reduced
// picture through the real GetPreview.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/webp/WebpBuilder.h"

namespace tarn::test {
namespace {

// 6 x 4: left half opaque red, right half clear (white once composited).
WebpFile Halves(int width = 6, int height = 4) {
  return {.width = width, .height = height, .alpha = true, .pixel = [width](int x, int, std::uint8_t* p) {
            p[0] = p[1] = 0;
            p[2] = 255;
            p[3] = x < width / 2 ? 255 : 0;
          }};
}

PluginContract WebpContract() {
  const Bytes webp = MakeWebp(Halves());
  Bytes notWebp = webp;
  notWebp[11] = 'Q';
  PluginContract c{
      .dll = L"TarnWebp.spi",
      .folderPrefix = "tarnwebp",
      .versionStart = "TarnWebp v",
      .patterns = "*.webp",
      .formatName = "WebP file",
      .support = {{"Z:\\no\\such\\saved.webp", webp, 1},
                  {"a.WEBP", webp, 1},
                  {"a.jpg.webp", webp, 1},
                  {"a.webpx", webp, 0},
                  {"a.png", webp, 0},
                  {"a.webp", notWebp, 0}},
      .handleName = "handle.webp",
      .handleSample = webp,
      .sample = webp,
      .checkSample = CheckRedAndClearHalves,
      .minimumBytes = 12,
      .infoSample = MakeWebp({.width = 300, .height = 7}),
      .infoFromMemory = {{11, kSpiNotFormat, "a signature cut short"}, {14, kSpiBroken, "header cut"}},
      .previewDecodes = true,
      .markers = {"[UNICODE].webp", "[unicode].WebP"},
      .foreignMarker = "[UNICODE].png",
  };
  c.info.width = 300;
  c.info.height = 7;
  c.info.colorDepth = 24;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnWebp, PluginContractTest, ::testing::Values(WebpContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnWebp, DecoderContractTest, ::testing::Values(WebpContract()), ContractName);

class TarnWebpSpi : public PluginFolderTest {
 protected:
  TarnWebpSpi() : PluginFolderTest(L"TarnWebp.spi", "tarnwebp") {}
};

// The catalog asks GetPreview first: a large picture comes back with its longer side at 384, a
// small one whole, and the full picture is still GetPicture's.
TEST_F(TarnWebpSpi, PreviewIsReducedForTheCatalog) {
  const std::string large = Write("large.webp", MakeWebp(Halves(1200, 600)));
  Delivered d;
  ASSERT_EQ(Load(large, 0, &d, true), kSpiOk);
  EXPECT_EQ(d.Header().biWidth, 384);
  EXPECT_EQ(d.Header().biHeight, 192);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(d.Pixel(383, 191), (std::array<int, 3>{255, 255, 255}));
  ASSERT_EQ(Load(large, 0, &d), kSpiOk);
  EXPECT_EQ(d.Header().biWidth, 1200);

  ASSERT_EQ(Load(Write("small.webp", MakeWebp(Halves())), 0, &d, true), kSpiOk);
  EXPECT_EQ(d.Header().biWidth, 6);
  EXPECT_EQ(Load(Write("cut.webp", Bytes(40, 0)), 0, &d, true), kSpiNotFormat);
}

}  // namespace
}  // namespace tarn::test
