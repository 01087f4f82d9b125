// The promises every plug-in makes the host, run on each plug-in that instantiates these suites.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/support/BmpBuilder.h"

namespace tarn::test {

void CheckRedAndClearHalves(const Delivered& d) {
  ASSERT_EQ(d.info.size(), 40u);
  EXPECT_EQ(d.Header().biWidth, 6);
  EXPECT_EQ(d.Header().biHeight, 4);
  EXPECT_EQ(d.Header().biBitCount, 24);
  ASSERT_EQ(d.pixels.size(), 20u * 4);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(d.Pixel(5, 3), (std::array<int, 3>{255, 255, 255})) << "clear over white";
}

namespace {

TEST_P(PluginContractTest, ExportsAndInformationStrings) {
  const PluginContract& c = Contract();
  EXPECT_NE(Spi().getPluginInfo, nullptr);
  EXPECT_NE(Spi().isSupported, nullptr);
  EXPECT_NE(Spi().getPictureInfo, nullptr);
  EXPECT_NE(Spi().getPicture, nullptr);
  EXPECT_NE(Spi().getPreview, nullptr);
  EXPECT_EQ(Spi().configurationDlg != nullptr, c.configurationDlg);
  EXPECT_EQ(Spi().sensePlugIn != nullptr, c.sensePlugIn);
  EXPECT_EQ(Spi().getPreview == Spi().getPicture, c.previewIsPicture);
  ASSERT_NE(Spi().getPluginInfo, nullptr);

  char buf[256];
  EXPECT_EQ(Spi().getPluginInfo(0, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "00IN");
  ASSERT_GT(Spi().getPluginInfo(1, buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf).rfind(c.versionStart, 0), 0u) << buf;
  EXPECT_NE(std::string(buf).find(" (c) "), std::string::npos) << buf;
  EXPECT_EQ(Spi().getPluginInfo(2, buf, sizeof buf), static_cast<int>(std::strlen(c.patterns)));
  EXPECT_STREQ(buf, c.patterns);
  EXPECT_EQ(Spi().getPluginInfo(3, buf, sizeof buf), static_cast<int>(std::strlen(c.formatName)));
  EXPECT_STREQ(buf, c.formatName);
  std::strcpy(buf, "untouched");
  EXPECT_EQ(Spi().getPluginInfo(4, buf, sizeof buf), 0) << "one format only";
  EXPECT_EQ(Spi().getPluginInfo(-1, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "untouched");

  // The version line cut to what the caller offers, terminator included, nothing written past it.
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(Spi().getPluginInfo(1, buf, 5), 4);
  EXPECT_STREQ(buf, "Tarn");
  EXPECT_EQ(buf[5], 'x');
}

// From a header buffer nothing is read from disk: the names may point nowhere.
TEST_P(PluginContractTest, IsSupportedFromAHeaderBuffer) {
  for (const FileCase& s : Contract().support) EXPECT_EQ(Claims(s.name, s.bytes), s.expected) << s.name;
}

TEST_P(PluginContractTest, IsSupportedReadsFromTheHandlePosition) {
  const PluginContract& c = Contract();
  const int onSample = c.claimsUnsigned ? 0 : 1;
  const std::string path = Write(c.handleName, Prefixed(128, c.handleSample));
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_LT(reinterpret_cast<ULONG_PTR>(h), 0x10000u) << "the host's handles are small numbers";
  const ULONG_PTR dw = reinterpret_cast<ULONG_PTR>(h);
  EXPECT_EQ(Spi().isSupported(c.handleName, dw), 1 - onSample) << "junk at 0";
  SetFilePointer(h, 128, nullptr, FILE_BEGIN);
  EXPECT_EQ(Spi().isSupported(c.handleName, dw), onSample);
  SetFilePointer(h, -4, nullptr, FILE_END);
  EXPECT_EQ(Spi().isSupported(c.handleName, dw), 1 - onSample) << "too little to read";
  SetFilePointer(h, 0, nullptr, FILE_END);
  EXPECT_EQ(Spi().isSupported(c.handleName, dw), 1 - onSample) << "nothing to read";
  CloseHandle(h);
}

TEST_P(PluginContractTest, MissingOutVariablesAnswerEight) {
  const std::string path = Write(Contract().handleName, Contract().handleSample);
  HLOCAL handle = nullptr;
  EXPECT_EQ(Spi().getPicture(path.c_str(), 0, 0, nullptr, &handle, nullptr, 0), kSpiInternal);
  EXPECT_EQ(Spi().getPicture(path.c_str(), 0, 0, &handle, nullptr, nullptr, 0), kSpiInternal);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(Spi().getPictureInfo(path.c_str(), 0, 0, nullptr), kSpiInternal);
}

// Every other plug-in's format offered under this plug-in's own name.
TEST_P(DecoderContractTest, RefusesTheOtherFormats) {
  const struct {
    const wchar_t* owner;
    Bytes header;
  } headers[] = {
      {L"TarnBmp.spi", MakeBmp({.width = 2, .height = 2, .pixels = PatternPixels(2, 2, 24)})},
      {L"TarnJpeg.spi", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0}},
      {L"TarnPng.spi", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
      {L"TarnGif.spi", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}},
      {L"TarnWebp.spi", {'R', 'I', 'F', 'F', 30, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', 'L'}},
      {L"TarnTiff.spi", {'I', 'I', 42, 0, 8, 0, 0, 0}},
      {L"", {'h', 'e', 'l', 'l', 'o'}},
  };
  int offered = 0;
  for (const auto& [owner, header] : headers) {
    if (std::wcscmp(owner, Contract().dll) == 0) continue;
    ++offered;
    EXPECT_EQ(Claims(Contract().handleName, header), 0) << offered;
  }
  EXPECT_EQ(offered, static_cast<int>(std::size(headers)) - 1);
}

TEST_P(DecoderContractTest, GetPictureInfoFromFileOffsetAndMemory) {
  const PluginContract& c = Contract();
  const std::string plain = Write("info", c.infoSample);
  const std::string offset = Write("info128", Prefixed(128, c.infoSample));
  for (const auto& [name, len] : {std::pair{plain, LONG_PTR{0}}, std::pair{offset, LONG_PTR{128}}}) {
    unsigned char record[kPictureInfoReserve];
    std::memset(record, 0xAB, sizeof record);
    PictureInfo* info = reinterpret_cast<PictureInfo*>(record);
    ASSERT_EQ(Spi().getPictureInfo(name.c_str(), len, 0, info), kSpiOk) << len;
    EXPECT_EQ(info->left, c.info.left);
    EXPECT_EQ(info->top, c.info.top);
    EXPECT_EQ(info->width, c.info.width);
    EXPECT_EQ(static_cast<LONG>(info->height), static_cast<LONG>(c.info.height)) << "the height as stored";
    EXPECT_EQ(info->x_density, c.info.x_density);
    EXPECT_EQ(info->y_density, c.info.y_density);
    EXPECT_EQ(info->colorDepth, c.info.colorDepth);
    EXPECT_EQ(info->hInfo, nullptr);
  }
  const LPCSTR memory = reinterpret_cast<LPCSTR>(c.infoSample.data());
  PictureInfo info;
  ASSERT_EQ(Spi().getPictureInfo(memory, static_cast<LONG_PTR>(c.infoSample.size()), 1, &info), kSpiOk);
  EXPECT_EQ(info.width, c.info.width);
  for (const MemoryCase& m : c.infoFromMemory)
    EXPECT_EQ(Spi().getPictureInfo(memory, m.length, 1, &info), m.expected) << m.why;
  EXPECT_EQ(Spi().getPictureInfo(offset.c_str(), 0, 0, &info), kSpiNotFormat) << "junk at 0";
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), 1 << 20, 0, &info), kSpiNotFormat) << "past the end";
  EXPECT_EQ(Spi().getPictureInfo((folder_ + "\\missing").c_str(), 0, 0, &info), kSpiFileError);
  EXPECT_EQ(Spi().getPictureInfo(plain.c_str(), -1, 0, &info), kSpiFileError) << "no such position";
  EXPECT_EQ(Spi().getPictureInfo(nullptr, 0, 0, &info), kSpiInternal);
}

TEST_P(DecoderContractTest, GetPictureFromFileOffsetAndMemory) {
  const PluginContract& c = Contract();
  const Bytes shifted = Prefixed(100, c.sample);
  const std::string path = Write("shifted", shifted);
  Delivered d;
  for (const auto& [name, len] : {std::pair{Write("plain", c.sample), LONG_PTR{0}}, std::pair{path, LONG_PTR{100}}}) {
    ASSERT_EQ(Load(name, len, &d), kSpiOk) << len;
    c.checkSample(d);
  }
  const LONG_PTR tooFew = static_cast<LONG_PTR>(c.minimumBytes) - 1;
  EXPECT_EQ(Load(path, 0, &d), kSpiNotFormat) << "junk at 0";
  EXPECT_EQ(Load(path, static_cast<LONG_PTR>(shifted.size()) - tooFew, &d), kSpiNotFormat) << "too little left";
  EXPECT_EQ(Load(path, 1 << 30, &d), kSpiNotFormat) << "offset beyond the file";
  EXPECT_EQ(Load(path, -4, &d), kSpiFileError) << "no such position";
  EXPECT_EQ(Load(Write("short", Bytes(c.sample.begin(), c.sample.begin() + tooFew)), 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(folder_ + "\\missing", 0, &d), kSpiFileError);
  HLOCAL info = nullptr, pixels = nullptr;
  EXPECT_EQ(Spi().getPicture(nullptr, 0, 0, &info, &pixels, nullptr, 0), kSpiInternal);
  if (!c.decodesMemory) return;

  Delivered fromMemory;
  ASSERT_EQ(LoadMemory(c.sample, static_cast<LONG_PTR>(c.sample.size()), &fromMemory), kSpiOk);
  c.checkSample(fromMemory);
  EXPECT_EQ(LoadMemory(c.sample, tooFew, &d), kSpiNotFormat);
  EXPECT_EQ(LoadMemory(c.sample, -1, &d), kSpiNotFormat);
}

TEST_P(DecoderContractTest, MarkerNamesGetThePlaceholder) {
  const PluginContract& c = Contract();
  for (const char* marker : c.markers) {
    for (const bool preview : {false, true}) {
      Delivered d;
      ASSERT_EQ(Load(marker, 0, &d, preview), kSpiOk) << marker << (preview ? " preview" : "");
      ASSERT_EQ(d.info.size(), 40u);
      EXPECT_EQ(d.pixels.size(), 12288u);
      EXPECT_EQ(d.Header().biWidth, 64);
      EXPECT_EQ(d.Header().biHeight, 64);
      EXPECT_EQ(d.Header().biBitCount, 24);
      EXPECT_EQ(d.pixels[0], 200);
      EXPECT_EQ(d.pixels[1], 210);
      EXPECT_EQ(d.pixels[2], 255);
    }
  }
  Delivered d;
  EXPECT_EQ(Load(c.foreignMarker, 0, &d), kSpiFileError);
  EXPECT_EQ(Load(c.foreignMarker, 0, &d, true), c.previewDecodes ? kSpiFileError : kSpiNotProvided);
  if (!c.previewDecodes) {
    EXPECT_EQ(Load(Write("real", c.sample), 0, &d, true), kSpiNotProvided) << "no reduced pictures";
  }
  HLOCAL handle = nullptr;
  EXPECT_EQ(Spi().getPreview(c.markers[0], 0, 0, nullptr, &handle, nullptr, 0), kSpiInternal);
  EXPECT_EQ(Spi().getPreview(c.markers[0], 0, 0, &handle, nullptr, nullptr, 0), kSpiInternal);
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

// A callback that answers 1 at (0, 1) stops the call before anything is allocated.
TEST_P(DecoderContractTest, ProgressCallbackCanStopTheCall) {
  const PluginContract& c = Contract();
  const std::string path = Write("cb", c.sample);
  for (const char* name : {path.c_str(), c.markers[0]}) {
    const bool file = name == path.c_str();
    // TarnGif takes lData for its sense cells: a file load gets none.
    const LONG_PTR data = file && !c.callsBackOnFiles ? 0 : 0x1234;
    for (const bool preview : {false, true}) {
      if (preview && file && !c.previewDecodes) continue;
      SCOPED_TRACE(std::string(name) + (preview ? " preview" : ""));
      const SpiGetPicture call = preview ? Spi().getPreview : Spi().getPicture;
      const bool asks = !file || c.callsBackOnFiles;
      CallbackLog::calls = 0;
      CallbackLog::answer = 1;
      HLOCAL info = nullptr, pixels = nullptr;
      const int stopped = call(name, 0, 0, &info, &pixels, &CallbackLog::Record, data);
      if (asks) {
        EXPECT_EQ(stopped, kSpiStopped);
        EXPECT_EQ(CallbackLog::calls, 1) << "stopped at (0, 1)";
        EXPECT_EQ(CallbackLog::lastData, 0x1234);
        EXPECT_TRUE(info == nullptr && pixels == nullptr);
      } else {
        ASSERT_EQ(stopped, kSpiOk) << "decoded without asking the callback";
        EXPECT_EQ(CallbackLog::calls, 0);
        TakeOver(info, pixels);
        continue;
      }
      CallbackLog::calls = 0;
      CallbackLog::answer = 0;
      ASSERT_EQ(call(name, 0, 0, &info, &pixels, &CallbackLog::Record, data), kSpiOk);
      EXPECT_EQ(CallbackLog::calls, 2) << "(0, 1) and (1, 1)";
      TakeOver(info, pixels);
    }
  }
}

// A file cut anywhere gets a return code, and what is delivered is a whole picture.
TEST_P(DecoderContractTest, CutFilesAnswerCodesAndWholePictures) {
  const PluginContract& c = Contract();
  const std::size_t size = c.sample.size();
  for (std::size_t length = c.minimumBytes; length < size; length += std::max<std::size_t>(1, size / 40)) {
    Delivered d;
    const int result = Load(Write("cut", Bytes(c.sample.begin(), c.sample.begin() + length)), 0, &d);
    EXPECT_TRUE(result == kSpiOk || result == kSpiNotFormat || result == kSpiBroken) << length << ": " << result;
    if (result != kSpiOk) continue;
    ASSERT_GE(d.info.size(), 40u) << length;
    const DibHeader h = d.Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(d.info.size(), 40u + PaletteEntries(h.biBitCount) * 4) << length;
    EXPECT_EQ(d.pixels.size(), DibRowBytes(h.biWidth, h.biBitCount) * static_cast<std::uint32_t>(std::abs(h.biHeight)))
        << length;
  }
}

// The decoding library's failures come back as codes through the real exports, call after call,
// and leave it fit to decode the next picture.
TEST_P(DecoderContractTest, DamagedFilesAnswerCodesCallAfterCall) {
  const PluginContract& c = Contract();
  for (int round = 0; round < 3; ++round) {
    for (const FileCase& damaged : c.damaged) {
      Delivered d;
      EXPECT_EQ(Load(Write(damaged.name, damaged.bytes), 0, &d), damaged.expected) << damaged.name;
      // A broken file is broken at any scale; a picture too large whole may fit reduced.
      if (c.previewDecodes && damaged.expected == kSpiBroken) {
        EXPECT_EQ(Load(Write(damaged.name, damaged.bytes), 0, &d, true), damaged.expected) << damaged.name;
      }
    }
    Delivered d;
    ASSERT_EQ(Load(Write("sound", c.sample), 0, &d), kSpiOk);
    c.checkSample(d);
  }
}

}  // namespace
}  // namespace tarn::test
