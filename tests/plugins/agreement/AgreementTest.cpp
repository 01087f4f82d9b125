// Pictures made by Debian's tools (ImageMagick, cwebp) as users get them from other programs,
// decoded by the plug-ins' decoders and compared with those tools' own decodes: ImageMagick's,
// flattened onto white and turned upright, and dwebp's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "plugins/bmp/BmpDecode.h"
#include "plugins/tiff/TiffDecode.h"
#include "plugins/webp/WebpDecode.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class AgreementTest : public ::testing::Test {
 protected:
  AgreementTest() : dir_(fs::temp_directory_path() / ("tarn-agreement-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::create_directories(dir_);
  }
  ~AgreementTest() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs a shell command in the folder; a tool that is missing fails the test.
  void Run(const std::string& command) const {
    const std::string line = "cd '" + dir_.string() + "' && " + command + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(line.c_str()), 0) << command;
  }

  static Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // ImageMagick's picture of `name`: first frame, upright, over white, 8-bit red, green, blue.
  Bytes MagickRgb(const std::string& name) const {
    Run("convert '" + name + "[0]' -auto-orient -background white -alpha remove -alpha off -depth 8 rgb:reference.rgb");
    return Read(Path("reference.rgb"));
  }

  // Our picture against top-down red, green, blue rows; every sample within `slack`.
  static void ExpectSame(const test::VectorPictureMemory& m, const Bytes& rgb, std::uint32_t width,
                         std::uint32_t height, int slack) {
    const DibHeader h = LoadDibHeader(m.info.data());
    ASSERT_EQ(h.biWidth, static_cast<std::int32_t>(width));
    ASSERT_EQ(h.biHeight, static_cast<std::int32_t>(height));
    ASSERT_EQ(h.biBitCount, 24);
    ASSERT_EQ(rgb.size(), std::size_t{width} * height * 3);
    int worst = 0;
    for (std::uint32_t y = 0; y < height; ++y)
      for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint8_t* ours = m.pixels.data() + (height - 1 - y) * DibRowBytes(width, 24) + x * 3;
        const std::uint8_t* theirs = rgb.data() + (std::size_t{y} * width + x) * 3;
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(ours[c] - theirs[2 - c]));
      }
    EXPECT_LE(worst, slack);
  }

 private:
  fs::path dir_;
};

TEST_F(AgreementTest, BmpWithMasksAndLargerHeaders) {
  Run("convert -size 64x48 -seed 3 plasma:fractal -type TrueColor -define bmp:subtype=RGB565 BMP:rgb565.bmp");
  Run("convert -size 64x48 -seed 4 plasma:fractal -type TrueColor -define bmp:subtype=RGB555 BMP:rgb555.bmp");
  Run("convert -size 64x48 xc:none -fill '#e04080a0' -draw 'circle 32,24 32,4' BMP:argb.bmp");
  for (const char* name : {"rgb565.bmp", "rgb555.bmp", "argb.bmp"}) {
    SCOPED_TRACE(name);
    const Bytes file = Read(Path(name));
    test::VectorPictureMemory m;
    ASSERT_EQ(bmp::DecodeBmp(file.data(), file.size(), m, nullptr), kSpiOk);
    ExpectSame(m, MagickRgb(name), 64, 48, 1);
  }
}

TEST_F(AgreementTest, WebpAsDwebpDecodesIt) {
  Run("convert -size 96x64 -seed 5 plasma:fractal source.png");
  Run("cwebp -quiet -q 70 source.png -o lossy.webp");
  Run("dwebp -quiet -ppm lossy.webp -o reference.ppm");
  const Bytes ppm = Read(Path("reference.ppm"));
  const std::string head = "P6\n96 64\n255\n";
  ASSERT_EQ(std::string(ppm.begin(), ppm.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
  const Bytes file = Read(Path("lossy.webp"));
  test::VectorPictureMemory m;
  ASSERT_EQ(webp::DecodeWebp(file.data(), file.size(), webp::Scale::kFull, m, nullptr), kSpiOk);
  ExpectSame(m, Bytes(ppm.begin() + static_cast<std::ptrdiff_t>(head.size()), ppm.end()), 96, 64, 0);

  Run("convert -size 40x30 xc:none -fill '#2080ffa0' -draw 'circle 20,15 20,2' alpha.png");
  Run("cwebp -quiet -lossless alpha.png -o alpha.webp");
  const Bytes alpha = Read(Path("alpha.webp"));
  ASSERT_EQ(webp::DecodeWebp(alpha.data(), alpha.size(), webp::Scale::kFull, m, nullptr), kSpiOk);
  ExpectSame(m, MagickRgb("alpha.webp"), 40, 30, 1);
}

TEST_F(AgreementTest, TiffOfEveryKindAsImageMagickShowsIt) {
  Run("convert -size 48x32 -seed 6 plasma:fractal source.png");
  Run("convert -size 48x32 xc:none -fill '#40c040b0' -draw 'circle 24,16 24,2' alpha.png");
  struct Case {
    const char* name;
    const char* make;
    int slack;
  };
  const Case cases[] = {
      {"lzw.tif", "convert source.png -depth 8 -compress lzw lzw.tif", 0},
      {"deep-alpha.tif", "convert alpha.png -depth 16 -compress zip deep-alpha.tif", 1},
      {"cmyk.tif", "convert source.png -depth 8 -colorspace cmyk cmyk.tif", 2},
      // A 16-bit colour map is cut to 8 bits by the library, rounded by ImageMagick.
      {"palette.tif", "convert source.png -colors 40 -type palette -compress RLE palette.tif", 1},
      {"grey.tif", "convert source.png -colorspace gray -depth 4 grey.tif", 0},
      {"jpeg.tif", "convert source.png -depth 8 -compress jpeg jpeg.tif", 2},
      {"turned.tif", "convert source.png -depth 8 -orient LeftBottom turned.tif", 0},
      {"pages.tif", "convert source.png alpha.png -depth 8 pages.tif", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Run(c.make);
    const Bytes file = Read(Path(c.name));
    test::VectorPictureMemory m;
    ASSERT_EQ(tiff::DecodeTiff(file.data(), file.size(), m, nullptr), kSpiOk);
    const bool turned = std::string(c.name) == "turned.tif";
    ExpectSame(m, MagickRgb(c.name), turned ? 32 : 48, turned ? 48 : 32, c.slack);
  }
}

}  // namespace
}  // namespace tarn
