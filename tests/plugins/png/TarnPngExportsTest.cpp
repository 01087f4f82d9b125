// TarnPng.spi as the host meets it: loaded with LoadLibrary and called through its exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/png/PngBuilder.h"
#include "tests/support/PluginHarness.h"

namespace tarn {
namespace {

using test::MakePng;
using test::PngFile;
using Bytes = std::vector<std::uint8_t>;
using test::Delivered;
using test::Prefixed;
using test::TakeOver;

const test::PluginExports& Spi() {
  static const test::PluginExports exports(L"TarnPng.spi");
  return exports;
}

// 6 x 4: left half opaque red, right half clear (white once composited).
PngFile Halves() {
  PngFile s;
  s.width = 6;
  s.height = 4;
  s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  s.sample = [](std::uint32_t x, std::uint32_t, int c) -> unsigned { return c == 0 || c == 3 ? (x < 3 ? 255 : 0) : 0; };
  return s;
}

class TarnPngSpi : public test::PluginFolderTest {
 protected:
  TarnPngSpi() : PluginFolderTest(Spi(), "tarnpng") {}
};

TEST_F(TarnPngSpi, ExportsTheFiveFunctionsAndInformationStrings) {
  ExpectStillImagePlugin(Spi(), "TarnPng v", "*.png", "PNG file");
}

TEST_F(TarnPngSpi, IsSupportedNeedsExtensionAndSignature) {
  char header[2048] = {};
  const Bytes png = MakePng(Halves());
  std::memcpy(header, png.data(), 16);
  const ULONG_PTR dw = reinterpret_cast<ULONG_PTR>(header);
  for (const char* name : {"Z:\\no\\such\\shot.png", "a.PNG", "a.jpg.png"}) EXPECT_EQ(Spi().isSupported(name, dw), 1) << name;
  for (const char* name : {"a.jpg", "a.pngx", "png"}) EXPECT_EQ(Spi().isSupported(name, dw), 0) << name;
  header[7] = 0;
  EXPECT_EQ(Spi().isSupported("a.png", dw), 0) << "a signature cut short";

  const std::string path = Write("handle.png", Prefixed(128, png));
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 0) << "junk at 0";
  SetFilePointer(h, 128, nullptr, FILE_BEGIN);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 1);
  SetFilePointer(h, -4, nullptr, FILE_END);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 0) << "too little to read";
  CloseHandle(h);
}

TEST_F(TarnPngSpi, GetPictureInfoFromFileAndMemory) {
  PngFile picture = Halves();
  picture.colourType = PNG_COLOR_TYPE_PALETTE;
  picture.bitDepth = 4;
  picture.palette = {{0, 0, 0}, {255, 255, 255}};
  picture.sample = [](std::uint32_t x, std::uint32_t, int) { return x % 2; };
  picture.pixelsPerMetreX = picture.pixelsPerMetreY = 3780;
  const Bytes png = MakePng(picture);
  const std::string plain = Write("info.png", png);
  const std::string offset = Write("info128.png", Prefixed(128, png));
  unsigned char record[kPictureInfoReserve];
  for (const auto& [name, len] : {std::pair{plain, LONG_PTR{0}}, std::pair{offset, LONG_PTR{128}}}) {
    std::memset(record, 0xAB, sizeof record);
    PictureInfo* info = reinterpret_cast<PictureInfo*>(record);
    ASSERT_EQ(Spi().getPictureInfo(name.c_str(), len, 0, info), kSpiOk);
    EXPECT_EQ(info->left, 0);
    EXPECT_EQ(info->top, 0);
    EXPECT_EQ(info->width, 6u);
    EXPECT_EQ(info->height, 4u);
    EXPECT_EQ(info->x_density, 96);
    EXPECT_EQ(info->y_density, 96);
    EXPECT_EQ(info->colorDepth, 4);
    EXPECT_EQ(info->hInfo, nullptr);
  }
  PictureInfo info;
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(png.data()), static_cast<LONG_PTR>(png.size()), 1, &info), kSpiOk);
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(png.data()), 7, 1, &info), kSpiNotFormat);
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(png.data()), 20, 1, &info), kSpiBroken) << "header cut";
  EXPECT_EQ(Spi().getPictureInfo(offset.c_str(), 0, 0, &info), kSpiNotFormat) << "junk at 0";
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), 1 << 20, 0, &info), kSpiNotFormat) << "past the end";
  EXPECT_EQ(Spi().getPictureInfo((folder_ + "\\missing.png").c_str(), 0, 0, &info), kSpiFileError);
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), -1, 0, &info), kSpiFileError);
}

TEST_F(TarnPngSpi, GetPictureFromFileOffsetAndMemory) {
  const Bytes png = MakePng(Halves());
  const std::string path = Write("shifted.png", Prefixed(100, png));
  Delivered d;
  ASSERT_EQ(Load(path, 100, &d), kSpiOk);
  EXPECT_TRUE(d.unlocked);
  EXPECT_TRUE(d.freed);
  ASSERT_EQ(d.info.size(), 40u);
  EXPECT_EQ(d.Header().biWidth, 6);
  EXPECT_EQ(d.Header().biHeight, 4);
  EXPECT_EQ(d.Header().biBitCount, 24);
  EXPECT_EQ(d.pixels.size(), 20u * 4);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(d.Pixel(5, 3), (std::array<int, 3>{255, 255, 255})) << "clear over white";
  EXPECT_EQ(Load(path, 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(path, 1 << 30, &d), kSpiNotFormat);
  EXPECT_EQ(Load(path, -4, &d), kSpiFileError);
  EXPECT_EQ(Load(folder_ + "\\missing.png", 0, &d), kSpiFileError);

  HLOCAL info = nullptr, pixels = nullptr;
  ASSERT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(png.data()), static_cast<LONG_PTR>(png.size()), 1,
                             &info, &pixels, nullptr, 0), kSpiOk);
  EXPECT_EQ(TakeOver(info, pixels).pixels.size(), 80u);
  info = pixels = nullptr;
  EXPECT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(png.data()), 7, 1, &info, &pixels, nullptr, 0), kSpiNotFormat);
}

// libpng's fatal errors come back as codes in the real DLL too, call after call.
TEST_F(TarnPngSpi, BrokenAndHugeFilesAnswerCodes) {
  const Bytes png = MakePng(Halves());
  Bytes badCrc = png;
  badCrc[test::FindChunk(badCrc, "IDAT") + 9] ^= 0x10;
  for (int round = 0; round < 3; ++round) {
    Delivered d;
    EXPECT_EQ(Load(Write("crc.png", badCrc), 0, &d), kSpiBroken);
    EXPECT_EQ(Load(Write("cut.png", Bytes(png.begin(), png.end() - 20)), 0, &d), kSpiBroken);
  }
  Bytes huge = png;
  const std::size_t ihdr = test::FindChunk(huge, "IHDR");
  test::PutBe32(huge, ihdr + 8, 100000);
  test::PutBe32(huge, ihdr + 12, 100000);
  test::FixCrc(huge, ihdr);
  Delivered d;
  EXPECT_EQ(Load(Write("huge.png", huge), 0, &d), kSpiNoMemory);
}

TEST_F(TarnPngSpi, PreviewIsOnlyForMarkerNames) {
  const std::string path = Write("real.png", MakePng(Halves()));
  Delivered d;
  EXPECT_EQ(Load(path, 0, &d, true), kSpiNotProvided);
  for (const char* marker : {"[UNICODE].png", "[unicode].PNG"}) {
    for (const bool preview : {false, true}) {
      ASSERT_EQ(Load(marker, 0, &d, preview), kSpiOk) << marker;
      EXPECT_TRUE(d.freed);
      EXPECT_EQ(d.Header().biWidth, 64);
      EXPECT_EQ(d.Header().biHeight, 64);
      EXPECT_EQ(d.pixels.size(), 12288u);
      EXPECT_EQ(d.pixels[0], 200);
    }
  }
  EXPECT_EQ(Load("[UNICODE].jpg", 0, &d), kSpiFileError);
  EXPECT_EQ(Load("[UNICODE].jpg", 0, &d, true), kSpiNotProvided);
}

struct CallbackLog {
  static inline int calls = 0;
  static inline int answer = 0;
  static int WINAPI Record(int, int, LONG_PTR) {
    ++calls;
    return answer;
  }
};

TEST_F(TarnPngSpi, CallbackStopAllocatesNothing) {
  const std::string path = Write("cb.png", MakePng(Halves()));
  for (const char* name : {path.c_str(), "[UNICODE].png"}) {
    CallbackLog::calls = 0;
    CallbackLog::answer = 1;
    HLOCAL info = nullptr, pixels = nullptr;
    EXPECT_EQ(Spi().getPicture(name, 0, 0, &info, &pixels, &CallbackLog::Record, 1), kSpiStopped);
    EXPECT_EQ(CallbackLog::calls, 1);
    EXPECT_TRUE(info == nullptr && pixels == nullptr);
    CallbackLog::calls = 0;
    CallbackLog::answer = 0;
    ASSERT_EQ(Spi().getPicture(name, 0, 0, &info, &pixels, &CallbackLog::Record, 1), kSpiOk);
    EXPECT_EQ(CallbackLog::calls, 2);
    EXPECT_TRUE(TakeOver(info, pixels).freed);
  }
}

}  // namespace
}  // namespace tarn
