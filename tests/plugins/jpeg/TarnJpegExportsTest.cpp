// TarnJpeg.spi as the host meets it: loaded with LoadLibrary and called through its exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/jpeg/JpegBuilder.h"
#include "tests/support/PluginHarness.h"

namespace tarn {
namespace {

using test::JpegFile;
using test::MakeJpeg;
using Bytes = std::vector<std::uint8_t>;
using test::Delivered;
using test::Prefixed;
using test::TakeOver;

const test::PluginExports& Spi() {
  static const test::PluginExports exports(L"TarnJpeg.spi");
  return exports;
}

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

class TarnJpegSpi : public test::PluginFolderTest {
 protected:
  TarnJpegSpi() : PluginFolderTest(Spi(), "tarnjpeg") {}
};

TEST_F(TarnJpegSpi, ExportsTheFiveFunctionsAndInformationStrings) {
  ExpectStillImagePlugin(Spi(), "TarnJpeg v", "*.jpg; *.jpeg; *.jpe; *.jfif", "JPEG file");
}

TEST_F(TarnJpegSpi, IsSupportedNeedsExtensionAndSignature) {
  char header[2048] = {};
  const Bytes jpeg = MakeJpeg(JpegFile{});
  std::memcpy(header, jpeg.data(), 16);
  const ULONG_PTR dw = reinterpret_cast<ULONG_PTR>(header);
  for (const char* name : {"Z:\\no\\such\\photo.jpg", "a.JPEG", "a.Jpe", "a.jfif", "a.png.jpg"})
    EXPECT_EQ(Spi().isSupported(name, dw), 1) << name;
  for (const char* name : {"a.png", "a.jpgx", "jpg", "a.jp"}) EXPECT_EQ(Spi().isSupported(name, dw), 0) << name;
  header[2] = 0;
  EXPECT_EQ(Spi().isSupported("a.jpg", dw), 0) << "FF D8 without a marker after it";

  const std::string path = Write("handle.jpg", Prefixed(128, jpeg));
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_LT(reinterpret_cast<ULONG_PTR>(h), 0x10000u);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 0) << "junk at 0";
  SetFilePointer(h, 128, nullptr, FILE_BEGIN);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 1);
  SetFilePointer(h, 0, nullptr, FILE_END);
  EXPECT_EQ(Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 0) << "nothing to read";
  CloseHandle(h);
}

TEST_F(TarnJpegSpi, GetPictureInfoFromFileAndMemory) {
  JpegFile picture = Halves(300, 200);
  picture.orientation = 6;
  picture.densityUnit = 1;
  picture.xDensity = 72;
  picture.yDensity = 96;
  const Bytes jpeg = MakeJpeg(picture);
  const std::string plain = Write("info.jpg", jpeg);
  const std::string offset = Write("info128.jpg", Prefixed(128, jpeg));

  unsigned char record[kPictureInfoReserve];
  for (const auto& [name, len] : {std::pair{plain, LONG_PTR{0}}, std::pair{offset, LONG_PTR{128}}}) {
    std::memset(record, 0xAB, sizeof record);
    PictureInfo* info = reinterpret_cast<PictureInfo*>(record);
    ASSERT_EQ(Spi().getPictureInfo(name.c_str(), len, 0, info), kSpiOk);
    EXPECT_EQ(info->left, 0);
    EXPECT_EQ(info->top, 0);
    EXPECT_EQ(info->width, 200u) << "turned upright";
    EXPECT_EQ(info->height, 300u);
    EXPECT_EQ(info->x_density, 96);
    EXPECT_EQ(info->y_density, 72);
    EXPECT_EQ(info->colorDepth, 24);
    EXPECT_EQ(info->hInfo, nullptr);
  }
  PictureInfo info;
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(jpeg.data()), static_cast<LONG_PTR>(jpeg.size()), 1, &info), kSpiOk);
  EXPECT_EQ(info.width, 200u);
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(jpeg.data()), 2, 1, &info), kSpiNotFormat);
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(jpeg.data()), 40, 1, &info), kSpiBroken) << "headers cut";
  EXPECT_EQ(Spi().getPictureInfo(offset.c_str(), 0, 0, &info), kSpiNotFormat) << "junk at 0";
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), 1 << 20, 0, &info), kSpiNotFormat) << "past the end";
  EXPECT_EQ(Spi().getPictureInfo((folder_ + "\\missing.jpg").c_str(), 0, 0, &info), kSpiFileError);
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), -1, 0, &info), kSpiFileError) << "no such position";
}

TEST_F(TarnJpegSpi, GetPictureFromFileOffsetAndMemory) {
  const Bytes jpeg = MakeJpeg(Halves());
  const std::string path = Write("shifted.jpg", Prefixed(100, jpeg));
  Delivered d;
  ASSERT_EQ(Load(path, 100, &d), kSpiOk);
  EXPECT_TRUE(d.unlocked);
  EXPECT_TRUE(d.freed);
  ASSERT_EQ(d.info.size(), 40u);
  EXPECT_EQ(d.Header().biWidth, 64);
  EXPECT_EQ(d.Header().biHeight, 32);
  EXPECT_EQ(d.Header().biBitCount, 24);
  EXPECT_EQ(d.pixels.size(), 64u * 3 * 32);
  EXPECT_TRUE(Near(d.Pixel(0, 0), {0, 0, 255}));
  EXPECT_TRUE(Near(d.Pixel(63, 31), {255, 0, 0}));
  EXPECT_EQ(Load(path, 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(path, 1 << 30, &d), kSpiNotFormat) << "offset beyond the file";
  EXPECT_EQ(Load(path, -4, &d), kSpiFileError);
  EXPECT_EQ(Load(folder_ + "\\missing.jpg", 0, &d), kSpiFileError);

  HLOCAL info = nullptr, pixels = nullptr;
  ASSERT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(jpeg.data()), static_cast<LONG_PTR>(jpeg.size()), 1,
                             &info, &pixels, nullptr, 0), kSpiOk);
  EXPECT_EQ(TakeOver(info, pixels).pixels.size(), 64u * 3 * 32);
  info = pixels = nullptr;
  EXPECT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(jpeg.data()), 2, 1, &info, &pixels, nullptr, 0), kSpiNotFormat);
}

// libjpeg's fatal errors come back as codes in the real DLL too, call after call.
TEST_F(TarnJpegSpi, BrokenAndHugeFilesAnswerCodes) {
  Bytes rubbish = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x03, 0x01, 0x02, 0x03};
  for (int round = 0; round < 3; ++round) {
    Delivered d;
    EXPECT_EQ(Load(Write("rubbish.jpg", rubbish), 0, &d), kSpiBroken);
    EXPECT_EQ(Load(Write("rubbish.jpg", rubbish), 0, &d, true), kSpiBroken);
  }
  Bytes huge = MakeJpeg(JpegFile{});
  test::SetFrameSize(huge, 60000, 60000);
  Delivered d;
  EXPECT_EQ(Load(Write("huge.jpg", huge), 0, &d), kSpiNoMemory);
  // Cut in the middle: what was decoded is delivered.
  const Bytes whole = MakeJpeg(Halves());
  EXPECT_EQ(Load(Write("cut.jpg", Bytes(whole.begin(), whole.end() - 40)), 0, &d), kSpiOk);
  EXPECT_TRUE(d.freed);
}

TEST_F(TarnJpegSpi, GetPreviewDecodesAtAReducedScale) {
  JpegFile picture = Halves(1300, 700);  // 1/4 gives 325 x 175
  picture.quality = 80;
  const Bytes jpeg = MakeJpeg(picture);
  const std::string path = Write("big.jpg", jpeg);
  Delivered preview, full;
  ASSERT_EQ(Load(path, 0, &preview, true), kSpiOk);
  EXPECT_EQ(preview.Header().biWidth, 325);
  EXPECT_EQ(preview.Header().biHeight, 175);
  EXPECT_TRUE(Near(preview.Pixel(10, 10), {0, 0, 255}));
  ASSERT_EQ(Load(path, 0, &full), kSpiOk);
  EXPECT_EQ(full.Header().biWidth, 1300);
  EXPECT_EQ(full.Header().biHeight, 700);

  HLOCAL info = nullptr, pixels = nullptr;
  ASSERT_EQ(Spi().getPreview(reinterpret_cast<LPCSTR>(jpeg.data()), static_cast<LONG_PTR>(jpeg.size()), 1,
                             &info, &pixels, nullptr, 0), kSpiOk);
  EXPECT_EQ(TakeOver(info, pixels).Header().biWidth, 325);
}

TEST_F(TarnJpegSpi, MarkerNamesGetThePlaceholder) {
  for (const char* marker : {"[UNICODE].JPG", "[unicode].jpeg", "[UNICODE].jpe", "[UNICODE].JFIF"}) {
    for (const bool preview : {false, true}) {
      Delivered d;
      ASSERT_EQ(Load(marker, 0, &d, preview), kSpiOk) << marker;
      EXPECT_TRUE(d.freed);
      ASSERT_EQ(d.info.size(), 40u);
      EXPECT_EQ(d.pixels.size(), 12288u);
      EXPECT_EQ(d.Header().biWidth, 64);
      EXPECT_EQ(d.Header().biBitCount, 24);
      EXPECT_EQ(d.pixels[0], 200);
      EXPECT_EQ(d.pixels[1], 210);
      EXPECT_EQ(d.pixels[2], 255);
    }
  }
  Delivered d;
  EXPECT_EQ(Load("[UNICODE].png", 0, &d), kSpiFileError);
  EXPECT_EQ(Load("[UNICODE].png", 0, &d, true), kSpiFileError);
}

struct CallbackLog {
  static inline int calls = 0;
  static inline LONG_PTR lastData = 0;
  static inline int answer = 0;
  static int WINAPI Record(int, int, LONG_PTR data) {
    ++calls;
    lastData = data;
    return answer;
  }
};

TEST_F(TarnJpegSpi, CallbackStopAllocatesNothing) {
  const std::string path = Write("cb.jpg", MakeJpeg(Halves()));
  for (const char* name : {path.c_str(), "[UNICODE].jpg"}) {
    for (const bool preview : {false, true}) {
      const SpiGetPicture call = preview ? Spi().getPreview : Spi().getPicture;
      CallbackLog::calls = 0;
      CallbackLog::answer = 1;
      HLOCAL info = nullptr, pixels = nullptr;
      EXPECT_EQ(call(name, 0, 0, &info, &pixels, &CallbackLog::Record, 0x1234), kSpiStopped);
      EXPECT_EQ(CallbackLog::calls, 1) << "stopped at (0, 1)";
      EXPECT_EQ(CallbackLog::lastData, 0x1234);
      EXPECT_TRUE(info == nullptr && pixels == nullptr);

      CallbackLog::calls = 0;
      CallbackLog::answer = 0;
      ASSERT_EQ(call(name, 0, 0, &info, &pixels, &CallbackLog::Record, 7), kSpiOk);
      EXPECT_EQ(CallbackLog::calls, 2);
      EXPECT_TRUE(TakeOver(info, pixels).freed);
    }
  }
}

}  // namespace
}  // namespace tarn
