// TarnBmp.spi as the host meets it: loaded with LoadLibrary and called through its exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/PluginHarness.h"

namespace tarn::test {
namespace {


const PluginExports& Spi() {
  static const PluginExports exports(L"TarnBmp.spi");
  return exports;
}

class TarnBmpSpi : public PluginFolderTest {
 protected:
  TarnBmpSpi() : PluginFolderTest(Spi(), "tarnbmp") {}
};

TEST_F(TarnBmpSpi, ExportsTheFiveFunctionsAndInformationStrings) {
  ExpectStillImagePlugin(Spi(), "TarnBmp v0.14u (c) ", "*.bmp; *.dib", "BMP file");

  // The version line cut to what the caller offers, terminator included.
  char buf[256];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(Spi().getPluginInfo(1, buf, 5), 4);
  EXPECT_STREQ(buf, "Tarn");
  EXPECT_EQ(buf[5], 'x');
}

TEST_F(TarnBmpSpi, IsSupportedFromAHeaderPointerReadsNothingFromDisk) {
  const Bytes file = MakeBmp({.width = 2, .height = 2, .pixels = PatternPixels(2, 2, 24)});
  char header[2048] = {};
  std::memcpy(header, file.data(), file.size());
  const ULONG_PTR dw = reinterpret_cast<ULONG_PTR>(header);
  EXPECT_EQ(Spi().isSupported("Z:\\no\\such\\folder\\picture.BMP", dw), 1);
  EXPECT_EQ(Spi().isSupported("picture.jpeg.dib", dw), 1);
  EXPECT_EQ(Spi().isSupported("picture.bmpx", dw), 0);
  EXPECT_EQ(Spi().isSupported("picture", dw), 0);
  header[14] = 12;  // an OS/2 header
  EXPECT_EQ(Spi().isSupported("picture.bmp", dw), 0);
}

TEST_F(TarnBmpSpi, IsSupportedFromAHandleReadsAtItsPosition) {
  const Bytes file = Prefixed(128, MakeBmp({.width = 2, .height = 2, .pixels = PatternPixels(2, 2, 24)}));
  const std::string path = Write("offset.bmp", file);
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

TEST_F(TarnBmpSpi, GetPictureInfoFromFileAndMemory) {
  const Bytes bmp = MakeBmp({.width = 300, .height = -200, .bitCount = 8, .xPelsPerMeter = 3780,
                             .palette = RampPalette(256), .pixels = PatternPixels(300, -200, 8)});
  const Bytes shifted = Prefixed(128, bmp);
  const std::string plain = Write("info.bmp", bmp);
  const std::string offset = Write("info128.bmp", shifted);

  unsigned char record[kPictureInfoReserve];
  for (const auto& [name, len] : {std::pair{plain, LONG_PTR{0}}, std::pair{offset, LONG_PTR{128}}}) {
    std::memset(record, 0xAB, sizeof record);
    PictureInfo* info = reinterpret_cast<PictureInfo*>(record);
    ASSERT_EQ(Spi().getPictureInfo(name.c_str(), len, 0, info), kSpiOk);
    EXPECT_EQ(info->left, 0);
    EXPECT_EQ(info->top, 0);
    EXPECT_EQ(info->width, 300u);
    EXPECT_EQ(static_cast<LONG>(info->height), -200) << "the height as stored";
    EXPECT_EQ(info->x_density, 0);
    EXPECT_EQ(info->y_density, 0);
    EXPECT_EQ(info->colorDepth, 8);
    EXPECT_EQ(info->hInfo, nullptr);
  }
  PictureInfo info;
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(bmp.data()), static_cast<LONG_PTR>(bmp.size()), 1, &info), kSpiOk);
  EXPECT_EQ(info.width, 300u);
  EXPECT_EQ(Spi().getPictureInfo(reinterpret_cast<LPCSTR>(bmp.data()), 57, 1, &info), kSpiNotFormat);
  EXPECT_EQ(Spi().getPictureInfo(offset.c_str(), 0, 0, &info), kSpiNotFormat) << "junk at 0";
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), 1 << 20, 0, &info), kSpiNotFormat) << "past the end";
  EXPECT_EQ(Spi().getPictureInfo((folder_ + "\\missing.bmp").c_str(), 0, 0, &info), kSpiFileError);
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), -1, 0, &info), kSpiFileError) << "no such position";
}

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
  forms.push_back({"bit fields 16", {.width = 5, .height = 3, .bitCount = 16, .compression = 3,
                                     .palette = {0x7C00, 0x03E0, 0x001F}, .pixels = PatternPixels(5, 3, 16)}, {}});
  forms.push_back({"bit fields 32", {.width = 5, .height = -3, .bitCount = 32, .compression = 3,
                                     .palette = {0xFF0000, 0xFF00, 0xFF}, .pixels = PatternPixels(5, -3, 32)}, {}});
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
    EXPECT_TRUE(d.unlocked);
    EXPECT_TRUE(d.freed);
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

TEST_F(TarnBmpSpi, GetPictureHonoursTheOffsetAndMemoryInput) {
  const BmpFile f{.width = 3, .height = 3, .bitCount = 24, .pixels = PatternPixels(3, 3, 24)};
  const Bytes bmp = MakeBmp(f);
  const Bytes shifted = Prefixed(100, bmp);
  const std::string path = Write("shifted.bmp", shifted);
  Delivered d;
  ASSERT_EQ(Load(path, 100, &d), kSpiOk);
  EXPECT_EQ(d.pixels, f.pixels);
  EXPECT_EQ(Load(path, 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(path, static_cast<LONG_PTR>(shifted.size()) - 57, &d), kSpiNotFormat);
  EXPECT_EQ(Load(path, 1 << 30, &d), kSpiNotFormat) << "offset beyond the file";
  EXPECT_EQ(Load(path, -4, &d), kSpiFileError) << "no such position";
  EXPECT_EQ(Load(Write("short.bmp", Bytes(bmp.begin(), bmp.begin() + 57)), 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(folder_ + "\\missing.bmp", 0, &d), kSpiFileError);

  HLOCAL info = nullptr, pixels = nullptr;
  ASSERT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(bmp.data()), static_cast<LONG_PTR>(bmp.size()), 1,
                             &info, &pixels, nullptr, 0), kSpiOk);
  EXPECT_EQ(TakeOver(info, pixels).pixels, f.pixels);
  info = pixels = nullptr;
  EXPECT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(bmp.data()), 57, 1, &info, &pixels, nullptr, 0),
            kSpiNotFormat);
  EXPECT_EQ(Spi().getPicture(reinterpret_cast<LPCSTR>(bmp.data()), -1, 1, &info, &pixels, nullptr, 0),
            kSpiNotFormat);
}

TEST_F(TarnBmpSpi, MarkerNamesGetThePlaceholder) {
  for (const char* marker : {"[UNICODE].BMP", "[unicode].dib"}) {
    for (bool preview : {false, true}) {
      HLOCAL info = nullptr, pixels = nullptr;
      const SpiGetPicture call = preview ? Spi().getPreview : Spi().getPicture;
      ASSERT_EQ(call(marker, 0, 0, &info, &pixels, nullptr, 0), kSpiOk) << marker;
      const Delivered d = TakeOver(info, pixels);
      EXPECT_TRUE(d.freed);
      ASSERT_EQ(d.info.size(), 40u);
      EXPECT_EQ(d.pixels.size(), 12288u);
      const DibHeader h = LoadDibHeader(d.info.data());
      EXPECT_EQ(h.biWidth, 64);
      EXPECT_EQ(h.biHeight, 64);
      EXPECT_EQ(h.biBitCount, 24);
      EXPECT_EQ(d.pixels[0], 200);
      EXPECT_EQ(d.pixels[1], 210);
      EXPECT_EQ(d.pixels[2], 255);
    }
  }
  HLOCAL info = nullptr, pixels = nullptr;
  EXPECT_EQ(Spi().getPicture("[UNICODE].gif", 0, 0, &info, &pixels, nullptr, 0), kSpiFileError);
  EXPECT_EQ(Spi().getPreview("[UNICODE].gif", 0, 0, &info, &pixels, nullptr, 0), kSpiNotProvided);
  const std::string real = Write("real.bmp", MakeBmp({.pixels = Bytes(4)}));
  EXPECT_EQ(Spi().getPreview(real.c_str(), 0, 0, &info, &pixels, nullptr, 0), kSpiNotProvided);
  EXPECT_TRUE(info == nullptr && pixels == nullptr);
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

TEST_F(TarnBmpSpi, CallbackStopAllocatesNothing) {
  const std::string path = Write("cb.bmp", MakeBmp({.width = 2, .height = 2, .pixels = PatternPixels(2, 2, 24)}));
  for (const char* name : {path.c_str(), "[UNICODE].bmp"}) {
    CallbackLog::calls = 0;
    CallbackLog::answer = 1;
    HLOCAL info = nullptr, pixels = nullptr;
    EXPECT_EQ(Spi().getPicture(name, 0, 0, &info, &pixels, &CallbackLog::Record, 0x1234), kSpiStopped);
    EXPECT_EQ(CallbackLog::calls, 1) << "stopped at (0, 1)";
    EXPECT_EQ(CallbackLog::lastData, 0x1234);
    EXPECT_TRUE(info == nullptr && pixels == nullptr);

    CallbackLog::calls = 0;
    CallbackLog::answer = 0;
    ASSERT_EQ(Spi().getPicture(name, 0, 0, &info, &pixels, &CallbackLog::Record, 7), kSpiOk);
    EXPECT_EQ(CallbackLog::calls, 2);
    EXPECT_TRUE(TakeOver(info, pixels).freed);
  }
}

}  // namespace
}  // namespace tarn::test
