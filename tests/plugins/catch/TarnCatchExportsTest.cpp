// TarnCatch.spi as the host meets it: loaded with LoadLibrary, called through its exports, its
// settings dialog driven by messages, its settings in the prefix's "TarnSpi.ini".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/gif/WindowDriver.h"

namespace tarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class F>
F Find(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string ProfileValue(const char* key) {
  char text[256];
  GetPrivateProfileStringA("TarnCatch", key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

struct Marker {
  int result = -9;
  Bytes info, pixels;
};

class TarnCatchSpi : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePrivateProfileStringA("TarnCatch", nullptr, nullptr, "TarnSpi.ini");
    Load();
  }
  void TearDown() override {
    FreeLibrary(module_);
    WritePrivateProfileStringA("TarnCatch", nullptr, nullptr, "TarnSpi.ini");
  }
  void Load() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = LoadLibraryW(L"TarnCatch.spi");
    ASSERT_NE(module_, nullptr);
    getPluginInfo = Find<SpiGetPluginInfo>(module_, "GetPluginInfo");
    isSupported = Find<SpiIsSupported>(module_, "IsSupported");
    getPictureInfo = Find<SpiGetPictureInfo>(module_, "GetPictureInfo");
    getPicture = Find<SpiGetPicture>(module_, "GetPicture");
    configurationDlg = Find<SpiConfigurationDlg>(module_, "ConfigurationDlg");
  }
  // IsSupported from a header buffer, as the host calls it.
  int Claims(const char* name, const Bytes& head) {
    char header[2048] = {};
    std::memcpy(header, head.data(), std::min<std::size_t>(head.size(), sizeof header));
    return isSupported(name, reinterpret_cast<ULONG_PTR>(header));
  }
  Marker Picture(const char* name, SpiProgressCallback callback = nullptr) {
    Marker m;
    HLOCAL info = nullptr, pixels = nullptr;
    m.result = getPicture(name, 0, 0, &info, &pixels, callback, 0);
    if (m.result == kSpiOk) {
      m.info.assign(static_cast<std::uint8_t*>(LocalLock(info)), static_cast<std::uint8_t*>(LocalLock(info)) + LocalSize(info));
      m.pixels.assign(static_cast<std::uint8_t*>(LocalLock(pixels)), static_cast<std::uint8_t*>(LocalLock(pixels)) + LocalSize(pixels));
      LocalUnlock(info);
      LocalUnlock(info);
      LocalUnlock(pixels);
      LocalUnlock(pixels);
      EXPECT_EQ(LocalFree(info), nullptr);
      EXPECT_EQ(LocalFree(pixels), nullptr);
    } else {
      EXPECT_TRUE(info == nullptr && pixels == nullptr);
    }
    return m;
  }
  static Bytes Background(const Marker& m) { return Bytes(m.pixels.begin(), m.pixels.begin() + 3); }

  HMODULE module_ = nullptr;
  SpiGetPluginInfo getPluginInfo = nullptr;
  SpiIsSupported isSupported = nullptr;
  SpiGetPictureInfo getPictureInfo = nullptr;
  SpiGetPicture getPicture = nullptr;
  SpiConfigurationDlg configurationDlg = nullptr;
};

TEST_F(TarnCatchSpi, ExportsAllButSensePlugInWithGetPreviewBeingGetPicture) {
  EXPECT_NE(getPluginInfo, nullptr);
  EXPECT_NE(isSupported, nullptr);
  EXPECT_NE(getPictureInfo, nullptr);
  EXPECT_NE(getPicture, nullptr);
  EXPECT_NE(configurationDlg, nullptr);
  EXPECT_EQ(GetProcAddress(module_, "GetPreview"), GetProcAddress(module_, "GetPicture"));
  EXPECT_EQ(GetProcAddress(module_, "SensePlugIn"), nullptr);
  char buf[256];
  EXPECT_EQ(getPluginInfo(0, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "00IN");
  getPluginInfo(1, buf, sizeof buf);
  EXPECT_EQ(std::string(buf).rfind("TarnCatch v0.20u (c) ", 0), 0u) << buf;
  getPluginInfo(2, buf, sizeof buf);
  EXPECT_STREQ(buf, "*.bmp; *.jpg; *.gif; *.flv; *.mp4; *.bak");
  getPluginInfo(3, buf, sizeof buf);
  EXPECT_STREQ(buf, "JPG GIFfile(*.BMP; *.JPG; *.GIF; *.BAK)");
  EXPECT_EQ(getPluginInfo(4, buf, sizeof buf), 0);
}

TEST_F(TarnCatchSpi, ClaimsUnsignedFilesAndColoursTheMarker) {
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0}, text = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(Claims("x.jpg", jpeg), 0);
  ASSERT_EQ(Claims("x.jpg", text), 1);
  Marker m = Picture("C:\\x.jpg");
  ASSERT_EQ(m.result, kSpiOk);
  EXPECT_EQ(Background(m), (Bytes{255, 240, 210}));
  ASSERT_EQ(m.info.size(), 40u);
  ASSERT_EQ(m.pixels.size(), 12288u);
  const DibHeader h = LoadDibHeader(m.info.data());
  EXPECT_EQ(h.biWidth, 64);
  EXPECT_EQ(h.biHeight, 64);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biSizeImage, 0u);

  EXPECT_EQ(Claims("x.bak", jpeg), 1);
  EXPECT_EQ(Background(Picture("x.bak")), (Bytes{200, 200, 200}));
  EXPECT_EQ(Claims("x.tif", {'M', 'M', 0, 42}), 1);
  EXPECT_EQ(Background(Picture("x.tif")), (Bytes{235, 255, 235}));
  EXPECT_EQ(Claims("x.tif", {'I', 'I', 42, 0}), 0);
  EXPECT_EQ(Claims("x.txt", text), 0) << "no pattern by default";
  EXPECT_EQ(Background(Picture("x.txt")), (Bytes{0, 0, 0})) << "nothing caught";
  EXPECT_EQ(Background(Picture("[UNICODE].jpg")), (Bytes{200, 210, 255}));

  PictureInfo info;
  EXPECT_EQ(getPictureInfo("anything.jpg", 0, 0, &info), kSpiOk);
  EXPECT_EQ(info.width, 80u);
  EXPECT_EQ(info.height, 80u);
  EXPECT_EQ(info.colorDepth, 24);
  EXPECT_EQ(getPictureInfo("anything.jpg", 0, 1, &info), kSpiNotProvided);
  HLOCAL a = nullptr, b = nullptr;
  EXPECT_EQ(getPicture("x.jpg", 0, 1, &a, &b, nullptr, 0), kSpiNotProvided);
}

struct StopAt {
  static inline int calls = 0, answerOn = -1;
  static int WINAPI Call(int num, int, LONG_PTR) {
    ++calls;
    return num == answerOn ? 1 : 0;
  }
};

TEST_F(TarnCatchSpi, CallbackCanStopTheMarker) {
  for (int stop : {0, 1}) {
    StopAt::calls = 0;
    StopAt::answerOn = stop;
    EXPECT_EQ(Picture("x.bak", &StopAt::Call).result, kSpiStopped);
    EXPECT_EQ(StopAt::calls, stop + 1);
  }
  StopAt::answerOn = -1;
  EXPECT_EQ(Picture("x.bak", &StopAt::Call).result, kSpiOk);
}

TEST_F(TarnCatchSpi, HeaderFromAHandleAndAnUnreadableOne) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "tarncatch-" + std::to_string(GetCurrentProcessId()) + ".gif";
  HANDLE w = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(w, "xxGIF89a", 8, &written, nullptr);
  CloseHandle(w);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_LT(reinterpret_cast<ULONG_PTR>(h), 0x10000u);
  EXPECT_EQ(isSupported("x.gif", reinterpret_cast<ULONG_PTR>(h)), 1);
  SetFilePointer(h, 2, nullptr, FILE_BEGIN);
  EXPECT_EQ(isSupported("x.gif", reinterpret_cast<ULONG_PTR>(h)), 0);
  CloseHandle(h);
  DeleteFileA(path.c_str());

  // A handle that cannot be read from: the message names the file in its caption.
  HANDLE writeOnly = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  int result = -9;
  test::BoxSeen seen;
  test::Drive(L"unreadable.gif", [&] { result = isSupported("unreadable.gif", reinterpret_cast<ULONG_PTR>(writeOnly)); },
              [&] { seen = test::CloseMessageBox(L"unreadable.gif"); });
  CloseHandle(writeOnly);
  DeleteFileA(path.c_str());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(seen.text, L"ファイルが読めません");
}

TEST_F(TarnCatchSpi, SettingsAreReadAtAttach) {
  WritePrivateProfileStringA("TarnCatch", "TifFlag", "0", "TarnSpi.ini");
  WritePrivateProfileStringA("TarnCatch", "ExtInData", "PS?", "TarnSpi.ini");
  EXPECT_EQ(Claims("x.psd", {'8'}), 0) << "not before the DLL is loaded again";
  Load();
  EXPECT_EQ(Claims("x.tif", {'M', 'M'}), 0);
  EXPECT_EQ(Claims("x.psd", {'8'}), 1);
  EXPECT_EQ(Background(Picture("x.psd")), (Bytes{240, 255, 255}));
  EXPECT_EQ(Claims("x.bak", {}), 1) << "keys left absent keep their defaults";
}

TEST_F(TarnCatchSpi, SettingsDialogControlsMessagesAndWriting) {
  const wchar_t* kCaption = L" TarnCatch 拡張子設定";
  bool allOn = false, edited = false, cleared = false, reset = false;
  std::wstring priority, pattern;
  test::BoxSeen wildcard, length;
  int result = -9;
  test::Drive(kCaption, [&] { result = configurationDlg(nullptr, 1); }, [&] {
    HWND d = test::WaitForWindow(kCaption);
    if (d == nullptr) return;
    allOn = test::IsChecked(d, 1000) && test::IsChecked(d, 1001) && test::IsChecked(d, 1002) &&
            test::IsChecked(d, 1003) && test::IsChecked(d, 1009) && test::TextOf(d, 1005).empty();
    test::Click(d, 1012);  // "クリア" of the check boxes
    cleared = !test::IsChecked(d, 1000) && !test::IsChecked(d, 1009);
    test::Click(d, 1010);  // "初期化"
    reset = test::IsChecked(d, 1000) && test::IsChecked(d, 1009);
    test::Click(d, 1011);  // "全て"
    edited = test::TextOf(d, 1005) == L"*";
    test::Click(d, 1006);  // "クリア" of the edit box
    edited = edited && test::TextOf(d, 1005).empty();
    test::Click(d, 1000);  // BAK off
    test::Click(d, 1002);  // JPG off
    SetDlgItemTextW(d, 1005, L"*ab");
    test::ClickLater(d, IDOK);
    wildcard = test::CloseMessageBox(L"個別指定文字数エラー");
    SetDlgItemTextW(d, 1005, L"abcdef");
    test::ClickLater(d, IDOK);
    length = test::CloseMessageBox(L"個別指定文字数エラー");
    SetDlgItemTextW(d, 1005, L"p?d");
    test::Click(d, IDOK);
    test::WaitUntilGone(d);
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(allOn);
  EXPECT_TRUE(cleared);
  EXPECT_TRUE(reset);
  EXPECT_TRUE(edited);
  EXPECT_EQ(wildcard.text, L"ワイルドカード '*' は１文字のみ入力して下さい ");
  EXPECT_EQ(length.text, L"文字数を「2～5」にして下さい");
  EXPECT_EQ(ProfileValue("BakFlag"), "0");
  EXPECT_EQ(ProfileValue("BmpFlag"), "1");
  EXPECT_EQ(ProfileValue("JpgFlag"), "0");
  EXPECT_EQ(ProfileValue("GifFlag"), "1");
  EXPECT_EQ(ProfileValue("TifFlag"), "1");
  EXPECT_EQ(ProfileValue("ExtInData"), "P?D");
  EXPECT_EQ(Claims("x.psd", {}), 1) << "in force without a restart";

  // Escape writes nothing, but check box changes stay in memory.
  bool bakOff = false;
  test::Drive(kCaption, [&] { configurationDlg(nullptr, 1); }, [&] {
    HWND d = test::WaitForWindow(kCaption);
    if (d == nullptr) return;
    bakOff = !test::IsChecked(d, 1000) && test::TextOf(d, 1005) == L"P?D";
    test::Click(d, 1003);  // GIF off
    SetDlgItemTextW(d, 1005, L"xyz");
    test::PressEscape(d);
    test::WaitUntilGone(d);
  });
  EXPECT_TRUE(bakOff);
  EXPECT_EQ(ProfileValue("GifFlag"), "1");
  EXPECT_EQ(ProfileValue("ExtInData"), "P?D");
  EXPECT_EQ(Claims("x.gif", {'x'}), 0) << "GIF off in memory";
  EXPECT_EQ(Claims("x.psd", {}), 1) << "the pattern was not taken";
}

}  // namespace
}  // namespace tarn
