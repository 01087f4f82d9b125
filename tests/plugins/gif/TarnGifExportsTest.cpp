// TarnGif.spi as the host meets it: loaded with LoadLibrary, called through its exports, its
// settings dialog driven by messages, its settings in the prefix's "TarnSpi.ini".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/gif/GifBuilder.h"
#include "tests/plugins/gif/WindowDriver.h"

namespace tarn {
namespace {

using test::Bytes;
using test::GifFile;
using test::GifImage;
using test::MakeGif;

template <class F>
F Find(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Delivered {
  Bytes info, pixels;
};

Bytes CopyOut(HLOCAL h) {
  Bytes bytes(LocalSize(h));
  const void* p = LocalLock(h);
  if (p != nullptr) std::memcpy(bytes.data(), p, bytes.size());
  LocalUnlock(h);
  return bytes;
}

Delivered TakeOver(HLOCAL info, HLOCAL pixels) {
  EXPECT_EQ(LocalFlags(info) & LMEM_LOCKCOUNT, 0u) << "delivered unlocked";
  Delivered d{CopyOut(info), CopyOut(pixels)};
  EXPECT_EQ(LocalFree(info), nullptr);
  EXPECT_EQ(LocalFree(pixels), nullptr);
  return d;
}

std::string ProfileValue(const char* key) {
  char text[256];
  GetPrivateProfileStringA("TarnGif", key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

// An animation of three 4 x 4 frames, transparent, with delays 10, 20, 30.
Bytes Animation() {
  GifFile f{.width = 4, .height = 4, .field = 3, .application = true};
  for (int i = 0; i < 3; ++i)
    f.images.push_back({.left = static_cast<std::uint16_t>(i), .width = 1, .height = 4,
                        .pixels = Bytes(4, static_cast<std::uint8_t>(i + 1)), .localField = -1,
                        .minCodeSize = 4, .control = true, .transparent = true, .transparentIndex = 0,
                        .delay = static_cast<std::uint16_t>(10 * (i + 1))});
  return MakeGif(f);
}

class TarnGifSpi : public ::testing::Test {
 protected:
  // Each test loads the DLL afresh, so that it reads "TarnSpi.ini" as at the host's start-up.
  void SetUp() override {
    WritePrivateProfileStringA("TarnGif", nullptr, nullptr, "TarnSpi.ini");
    Load();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tarngif-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    FreeLibrary(module_);
    WritePrivateProfileStringA("TarnGif", nullptr, nullptr, "TarnSpi.ini");
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  void Load() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = LoadLibraryW(L"TarnGif.spi");
    ASSERT_NE(module_, nullptr);
    getPluginInfo = Find<SpiGetPluginInfo>(module_, "GetPluginInfo");
    isSupported = Find<SpiIsSupported>(module_, "IsSupported");
    getPictureInfo = Find<SpiGetPictureInfo>(module_, "GetPictureInfo");
    getPicture = Find<SpiGetPicture>(module_, "GetPicture");
    getPreview = Find<SpiGetPreview>(module_, "GetPreview");
    configurationDlg = Find<SpiConfigurationDlg>(module_, "ConfigurationDlg");
    sensePlugIn = Find<SpiSensePlugIn>(module_, "SensePlugIn");
  }
  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = folder_ + "\\" + name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    files_.push_back(path);
    return path;
  }
  int Load(const std::string& name, LONG_PTR offset, LONG_PTR lData, Delivered* out) {
    HLOCAL info = nullptr, pixels = nullptr;
    const int result = getPicture(name.c_str(), offset, 0, &info, &pixels, nullptr, lData);
    if (result == kSpiOk) *out = TakeOver(info, pixels);
    else EXPECT_TRUE(info == nullptr && pixels == nullptr);
    return result;
  }

  HMODULE module_ = nullptr;
  SpiGetPluginInfo getPluginInfo = nullptr;
  SpiIsSupported isSupported = nullptr;
  SpiGetPictureInfo getPictureInfo = nullptr;
  SpiGetPicture getPicture = nullptr;
  SpiGetPreview getPreview = nullptr;
  SpiConfigurationDlg configurationDlg = nullptr;
  SpiSensePlugIn sensePlugIn = nullptr;
  std::string folder_;
  std::vector<std::string> files_;
};

TEST_F(TarnGifSpi, ExportsAllSevenAndItsInformationStrings) {
  for (void* f : {reinterpret_cast<void*>(getPluginInfo), reinterpret_cast<void*>(isSupported),
                  reinterpret_cast<void*>(getPictureInfo), reinterpret_cast<void*>(getPicture),
                  reinterpret_cast<void*>(getPreview), reinterpret_cast<void*>(configurationDlg),
                  reinterpret_cast<void*>(sensePlugIn)})
    EXPECT_NE(f, nullptr);
  char buf[256];
  EXPECT_EQ(getPluginInfo(0, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "00IN");
  ASSERT_GT(getPluginInfo(1, buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf).rfind("TarnGif v0.25u (c) ", 0), 0u) << buf;
  EXPECT_EQ(getPluginInfo(2, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "*.gif");
  EXPECT_EQ(getPluginInfo(3, buf, sizeof buf), 8);
  EXPECT_STREQ(buf, "GIF file");
  std::strcpy(buf, "untouched");
  EXPECT_EQ(getPluginInfo(4, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "untouched");
}

TEST_F(TarnGifSpi, IsSupportedByExtensionAndSignature) {
  char header[2048] = "GIF87a";
  const ULONG_PTR dw = reinterpret_cast<ULONG_PTR>(header);
  EXPECT_EQ(isSupported("Z:\\nowhere\\a.GIF", dw), 1);
  EXPECT_EQ(isSupported("a.bmp.gif", dw), 1);
  EXPECT_EQ(isSupported("a.gifx", dw), 0);
  EXPECT_EQ(isSupported("gif", dw), 0);
  std::memcpy(header, "GIF9", 4);
  EXPECT_EQ(isSupported("a.gif", dw), 0);

  Bytes file(100, 'x');
  const Bytes gif = MakeGif({.images = {{.pixels = {0}}}});
  file.insert(file.end(), gif.begin(), gif.end());
  const std::string path = Write("handle.gif", file);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_LT(reinterpret_cast<ULONG_PTR>(h), 0x10000u);
  EXPECT_EQ(isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 0);
  SetFilePointer(h, 100, nullptr, FILE_BEGIN);
  EXPECT_EQ(isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h)), 1);
  CloseHandle(h);
}

TEST_F(TarnGifSpi, GetPictureInfoFromFileOffsetAndMemory) {
  GifFile f{.width = 40, .height = 30, .field = 4};
  f.images.push_back({.left = 2, .top = 3, .width = 20, .height = 10, .pixels = Bytes(200, 1)});
  const Bytes gif = MakeGif(f);
  Bytes shifted(128, 0);
  shifted.insert(shifted.end(), gif.begin(), gif.end());
  const std::string plain = Write("info.gif", gif), offset = Write("info128.gif", shifted);
  for (const auto& [name, len] : {std::pair{plain, LONG_PTR{0}}, std::pair{offset, LONG_PTR{128}}}) {
    unsigned char record[kPictureInfoReserve];
    std::memset(record, 0xAB, sizeof record);
    PictureInfo* info = reinterpret_cast<PictureInfo*>(record);
    ASSERT_EQ(getPictureInfo(name.c_str(), len, 0, info), kSpiOk);
    EXPECT_EQ(info->left, 2);
    EXPECT_EQ(info->top, 3);
    EXPECT_EQ(info->width, 20u);
    EXPECT_EQ(info->height, 10u);
    EXPECT_EQ(info->colorDepth, 5);
    EXPECT_EQ(info->x_density, 0);
    EXPECT_EQ(info->hInfo, nullptr);
  }
  PictureInfo info;
  EXPECT_EQ(getPictureInfo(reinterpret_cast<LPCSTR>(gif.data()), static_cast<LONG_PTR>(gif.size()), 1, &info), kSpiOk);
  EXPECT_EQ(info.width, 20u);
  EXPECT_EQ(getPictureInfo(reinterpret_cast<LPCSTR>(gif.data()), 13 + 96 + 5, 1, &info), kSpiNotFormat)
      << "the descriptor passes the end of the memory";
  EXPECT_EQ(getPictureInfo(offset.c_str(), 0, 0, &info), kSpiNotFormat);
  EXPECT_EQ(getPictureInfo(plain.c_str(), 1 << 20, 0, &info), kSpiNotFormat) << "negative data size";
  EXPECT_EQ(getPictureInfo((folder_ + "\\missing.gif").c_str(), 0, 0, &info), kSpiFileError);
}

TEST_F(TarnGifSpi, GetPictureDecodesFilesAndServesThePlaceholder) {
  const Bytes pixels = test::PatternIndices(9, 7, 16);
  GifFile f{.width = 9, .height = 7, .field = 3};
  f.images.push_back({.width = 9, .height = 7, .pixels = pixels, .minCodeSize = 4});
  const Bytes gif = MakeGif(f);
  Bytes shifted(100, 0x47);
  shifted.insert(shifted.end(), gif.begin(), gif.end());
  for (const auto& [name, len] : {std::pair{Write("p.gif", gif), LONG_PTR{0}}, std::pair{Write("p100.gif", shifted), LONG_PTR{100}}}) {
    Delivered d;
    ASSERT_EQ(Load(name, len, 0, &d), kSpiOk) << len;
    ASSERT_EQ(d.info.size(), 104u);
    const DibHeader h = LoadDibHeader(d.info.data());
    EXPECT_EQ(h.biWidth, 9);
    EXPECT_EQ(h.biHeight, 7);
    EXPECT_EQ(h.biBitCount, 4);
    ASSERT_EQ(d.pixels.size(), 56u) << "rows of 9 four-bit pixels take 8 bytes";
    EXPECT_EQ(d.pixels[6 * 8] >> 4, pixels[0]) << "the top row is stored last";
    EXPECT_EQ(d.pixels[6 * 8] & 15, pixels[1]);
    EXPECT_EQ(d.pixels[6 * 8 + 4] >> 4, pixels[8]);
    EXPECT_EQ(d.pixels[6 * 8 + 4] & 15, 0);
  }
  Delivered d;
  EXPECT_EQ(Load(Write("text.gif", Bytes(50, 'a')), 0, 0, &d), kSpiNotFormat);
  EXPECT_EQ(Load(folder_ + "\\missing.gif", 0, 0, &d), kSpiFileError);
  EXPECT_EQ(Load(Write("p.gif", gif), 1 << 20, 0, &d), kSpiNotFormat);

  for (const char* marker : {"[UNICODE].GIF", "[unicode].gif"}) {
    for (SpiGetPicture call : {getPicture, getPreview}) {
      HLOCAL info = nullptr, px = nullptr;
      ASSERT_EQ(call(marker, 0, 0, &info, &px, nullptr, 0), kSpiOk) << marker;
      const Delivered m = TakeOver(info, px);
      EXPECT_EQ(m.pixels.size(), 12288u);
      EXPECT_EQ(LoadDibHeader(m.info.data()).biWidth, 64);
    }
  }
  HLOCAL info = nullptr, px = nullptr;
  EXPECT_EQ(getPreview(Write("p.gif", gif).c_str(), 0, 0, &info, &px, nullptr, 0), kSpiNotProvided);
  EXPECT_EQ(getPicture("[UNICODE].bmp", 0, 0, &info, &px, nullptr, 0), kSpiFileError);
}

struct CountingCallback {
  static inline int calls = 0;
  static int WINAPI Stop(int, int, LONG_PTR) {
    ++calls;
    return 1;
  }
};

TEST_F(TarnGifSpi, ProgressCallbackServesOnlyThePlaceholder) {
  const std::string path = Write("cb.gif", MakeGif({.images = {{.pixels = {0}}}}));
  HLOCAL info = nullptr, px = nullptr;
  CountingCallback::calls = 0;
  ASSERT_EQ(getPicture(path.c_str(), 0, 0, &info, &px, &CountingCallback::Stop, 0), kSpiOk)
      << "a real GIF is decoded without asking the callback";
  EXPECT_EQ(CountingCallback::calls, 0);
  TakeOver(info, px);
  info = px = nullptr;
  EXPECT_EQ(getPicture("[UNICODE].gif", 0, 0, &info, &px, &CountingCallback::Stop, 0), kSpiStopped);
  EXPECT_EQ(CountingCallback::calls, 1);
  EXPECT_TRUE(info == nullptr && px == nullptr);
}

TEST_F(TarnGifSpi, MessagesOfTheDecoder) {
  const Bytes gif = MakeGif({.images = {{.pixels = {0}}}});
  HLOCAL info = nullptr, px = nullptr;
  int result = 0;
  test::BoxSeen seen;
  test::Drive(L"エラー",
              [&] { result = getPicture(reinterpret_cast<LPCSTR>(gif.data()), static_cast<LONG_PTR>(gif.size()), 1, &info, &px, nullptr, 0); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiNotFormat);
  EXPECT_EQ(seen.text, L"ファイル名称が不当です<-1> ");

  const std::string bare = Write("bare.gif", MakeGif({.globalTable = false, .images = {{.pixels = {0}}}}));
  test::Drive(L"エラー", [&] { result = getPicture(bare.c_str(), 0, 0, &info, &px, nullptr, 0); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiBroken);
  EXPECT_EQ(seen.text, L"カラーテーブルが有りません<-3> ");
  EXPECT_TRUE(info == nullptr && px == nullptr);

  SenseCell cells[8] = {-1};
  test::Drive(L"エラー", [&] { result = sensePlugIn("TarnGif.spi", (folder_ + "\\missing.gif").c_str(), cells); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiInternal);
  EXPECT_EQ(seen.text, L"ファイルをオープンできません<-5> ");
}

TEST_F(TarnGifSpi, PlaybackThroughSenseAndGetPicture) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  SenseCell* const command = &cells[2];  // the host passes &g_SenseCells[2]

  cells[2] = 77;
  EXPECT_EQ(sensePlugIn("TarnBmp.spi", path.c_str(), command), kSpiNotProvided);
  EXPECT_EQ(cells[2], 77);
  EXPECT_EQ(sensePlugIn("TarnGif.spi", "[UNICODE].gif", command), kSpiInternal);

  cells[2] = -1;
  ASSERT_EQ(sensePlugIn("TarnGif.spi", path.c_str(), command), kSpiOk);
  EXPECT_EQ(cells[2], 3);
  EXPECT_EQ(cells[3], 9 + 2) << "60 hundredths, 3 frames";
  for (int r = 1; r <= 3; ++r) {
    cells[2] = r;
    Delivered d;
    ASSERT_EQ(Load(path, 0, reinterpret_cast<LONG_PTR>(command), &d), kSpiOk) << r;
    const DibHeader h = LoadDibHeader(d.info.data());
    EXPECT_EQ(h.biWidth, 4) << "the whole canvas";
    EXPECT_EQ(cells[5], 10 * r) << "delay";
    EXPECT_EQ(cells[6], 0);
    EXPECT_EQ(cells[7], 0);
    // Column c holds colour c + 1 once frame c has been drawn; the rest stays transparent (0).
    for (int c = 0; c < 4; ++c) EXPECT_EQ(((c & 1) ? d.pixels[c >> 1] & 15 : d.pixels[c >> 1] >> 4), c < r ? c + 1 : 0) << r << "," << c;
  }
  cells[2] = -3;
  ASSERT_EQ(sensePlugIn("TarnGif.spi", path.c_str(), command), kSpiOk);
  EXPECT_EQ(cells[2], 0);
  EXPECT_EQ(cells[3], 0);
  Delivered still;
  ASSERT_EQ(Load(path, 0, 0, &still), kSpiOk);
  EXPECT_EQ(LoadDibHeader(still.info.data()).biWidth, 1) << "a still load is the first image itself";
}

TEST_F(TarnGifSpi, LoopSelectIsReadFromTheProfileAtAttach) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[6] = {};
  const auto cycles = [&] {
    cells[0] = -1;
    EXPECT_EQ(sensePlugIn("TarnGif.spi", path.c_str(), cells), kSpiOk);
    return std::make_pair(cells[0], cells[1]);
  };
  EXPECT_EQ(cycles(), std::make_pair(3, 11)) << "absent: standard";
  ASSERT_TRUE(WritePrivateProfileStringA("TarnGif", "LoopSelect", "1", "TarnSpi.ini"));
  EXPECT_EQ(cycles(), std::make_pair(3, 11)) << "read once, at attach";
  Load();
  EXPECT_EQ(cycles(), std::make_pair(3, 1));
  WritePrivateProfileStringA("TarnGif", "LoopSelect", "3", "TarnSpi.ini");
  Load();
  EXPECT_EQ(cycles(), std::make_pair(3, 22));
  WritePrivateProfileStringA("TarnGif", "LoopSelect", "0", "TarnSpi.ini");
  Load();
  EXPECT_EQ(cycles(), std::make_pair(0, 0));
}

TEST_F(TarnGifSpi, SettingsDialogClicksEscapeAndFinish) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[6] = {};
  const auto cyclesNow = [&] {
    cells[0] = -1;
    sensePlugIn("TarnGif.spi", path.c_str(), cells);
    return cells[1];
  };
  int result = -5;
  bool sawDialog = false, standardMarked = false;
  std::wstring group;
  test::Drive(L"設定ダイアログ", [&] { result = configurationDlg(nullptr, 1); }, [&] {
    HWND d = test::WaitForWindow(L"設定ダイアログ");
    if (d == nullptr) return;
    sawDialog = true;
    standardMarked = test::IsChecked(d, 1001) && !test::IsChecked(d, 1000) && !test::IsChecked(d, 1004);
    wchar_t text[64];
    GetDlgItemTextW(d, 1002, text, 64);
    group = text;
    test::Click(d, 1000);  // "１巡"
    test::PressEscape(d);
    test::WaitUntilGone(d);
  });
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(standardMarked);
  EXPECT_EQ(group, L"標準×2");
  EXPECT_EQ(ProfileValue("LoopSelect"), "Nothing") << "Escape writes nothing";
  EXPECT_EQ(cyclesNow(), 1) << "the click took effect at once";

  bool oneCycleMarked = false, standardAfterReset = false;
  test::Drive(L"設定ダイアログ", [&] { result = configurationDlg(nullptr, 1); }, [&] {
    HWND d = test::WaitForWindow(L"設定ダイアログ");
    if (d == nullptr) return;
    oneCycleMarked = test::IsChecked(d, 1000);
    test::Click(d, 1003);  // "初期化"
    standardAfterReset = test::IsChecked(d, 1001) && !test::IsChecked(d, 1000);
    test::Click(d, 1004);  // "先頭画像"
    test::Click(d, IDOK);  // "終了"
    test::WaitUntilGone(d);
  });
  EXPECT_TRUE(oneCycleMarked);
  EXPECT_TRUE(standardAfterReset);
  EXPECT_EQ(ProfileValue("LoopSelect"), "0");
  Load();
  cells[0] = -1;
  sensePlugIn("TarnGif.spi", path.c_str(), cells);
  EXPECT_EQ(cells[0], 0) << "first image only after a restart";
}

}  // namespace
}  // namespace tarn
