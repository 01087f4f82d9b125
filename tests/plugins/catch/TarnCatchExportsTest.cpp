// TarnCatch.spi as the host meets it: the plug-in contract, the files it claims and the marker it
// draws for them, its settings in the prefix's "TarnSpi.ini" and its settings dialog driven by
// messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/gif/WindowDriver.h"

namespace tarn::test {
namespace {

const Bytes kJpegHead = {0xFF, 0xD8, 0xFF, 0xE0};
const Bytes kText = {'h', 'e', 'l', 'l', 'o'};

PluginContract CatchContract() {
  return {
      .dll = L"TarnCatch.spi",
      .folderPrefix = "tarncatch",
      .versionStart = "TarnCatch v0.20u (c) ",
      .patterns = "*.bmp; *.jpg; *.gif; *.flv; *.mp4; *.bak",
      .formatName = "JPG GIFfile(*.BMP; *.JPG; *.GIF; *.BAK)",
      .configurationDlg = true,
      .previewIsPicture = true,
      .support = {{"x.jpg", kJpegHead, 0},
                  {"x.tif", {'I', 'I', 42, 0}, 0},
                  {"x.txt", kText, 0}},  // no pattern by default
      .handleName = "x.gif",
      .handleSample = {'G', 'I', 'F', '8', '9', 'a'},
      .claimsUnsigned = true,
  };
}

INSTANTIATE_TEST_SUITE_P(TarnCatch, PluginContractTest, ::testing::Values(CatchContract()), ContractName);
// It decodes nothing: the decoders' promises are not its own.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DecoderContractTest);

std::string ProfileValue(const char* key) {
  char text[256];
  GetPrivateProfileStringA("TarnCatch", key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

// Each test starts without TarnCatch's settings and loads the DLL afresh, as at the host's start-up.
class TarnCatchSpi : public PluginFolderTest {
 protected:
  TarnCatchSpi() : PluginFolderTest(L"TarnCatch.spi", "tarncatch") {}
  void SetUp() override {
    WritePrivateProfileStringA("TarnCatch", nullptr, nullptr, "TarnSpi.ini");
    PluginFolderTest::SetUp();
  }
  void TearDown() override {
    PluginFolderTest::TearDown();
    WritePrivateProfileStringA("TarnCatch", nullptr, nullptr, "TarnSpi.ini");
  }
  // The first pixel (blue, green, red) of the marker drawn for `name`.
  Bytes Background(const char* name) {
    Delivered d;
    EXPECT_EQ(Load(name, 0, &d), kSpiOk) << name;
    return d.pixels.size() >= 3 ? Bytes(d.pixels.begin(), d.pixels.begin() + 3) : Bytes{};
  }
};

TEST_F(TarnCatchSpi, ClaimsUnsignedFilesAndColoursTheMarker) {
  ASSERT_EQ(Claims("x.jpg", kText), 1);
  Delivered m;
  ASSERT_EQ(Load("C:\\x.jpg", 0, &m), kSpiOk);
  EXPECT_EQ(Bytes(m.pixels.begin(), m.pixels.begin() + 3), (Bytes{255, 240, 210}));
  ASSERT_EQ(m.info.size(), 40u);
  ASSERT_EQ(m.pixels.size(), 12288u);
  const DibHeader h = m.Header();
  EXPECT_EQ(h.biWidth, 64);
  EXPECT_EQ(h.biHeight, 64);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biSizeImage, 0u);

  EXPECT_EQ(Claims("x.bak", kJpegHead), 1);
  EXPECT_EQ(Background("x.bak"), (Bytes{200, 200, 200}));
  EXPECT_EQ(Claims("x.tif", {'M', 'M', 0, 42}), 1);
  EXPECT_EQ(Background("x.tif"), (Bytes{235, 255, 235}));
  EXPECT_EQ(Claims("x.txt", kText), 0);
  EXPECT_EQ(Background("x.txt"), (Bytes{0, 0, 0})) << "nothing caught";
  EXPECT_EQ(Background("[UNICODE].jpg"), (Bytes{200, 210, 255}));

  // It never reads the file: the record is fixed, and memory input is not taken.
  PictureInfo info;
  EXPECT_EQ(Spi().getPictureInfo("anything.jpg", 0, 0, &info), kSpiOk);
  EXPECT_EQ(info.width, 80u);
  EXPECT_EQ(info.height, 80u);
  EXPECT_EQ(info.colorDepth, 24);
  EXPECT_EQ(Spi().getPictureInfo("anything.jpg", 0, 1, &info), kSpiNotProvided);
  HLOCAL a = nullptr, b = nullptr;
  EXPECT_EQ(Spi().getPicture("x.jpg", 0, 1, &a, &b, nullptr, 0), kSpiNotProvided);
}

struct StopAt {
  static inline int calls = 0, answerOn = -1;
  static int WINAPI Call(int num, int, LONG_PTR) {
    ++calls;
    return num == answerOn ? 1 : 0;
  }
};

TEST_F(TarnCatchSpi, CallbackCanStopTheMarker) {
  const auto picture = [&] {
    HLOCAL info = nullptr, pixels = nullptr;
    const int result = Spi().getPicture("x.bak", 0, 0, &info, &pixels, &StopAt::Call, 0);
    if (result == kSpiOk) TakeOver(info, pixels);
    else EXPECT_TRUE(info == nullptr && pixels == nullptr);
    return result;
  };
  for (int stop : {0, 1}) {
    StopAt::calls = 0;
    StopAt::answerOn = stop;
    EXPECT_EQ(picture(), kSpiStopped);
    EXPECT_EQ(StopAt::calls, stop + 1);
  }
  StopAt::answerOn = -1;
  EXPECT_EQ(picture(), kSpiOk);
}

// A handle that cannot be read from: the message names the file in its caption.
TEST_F(TarnCatchSpi, UnreadableHandleIsToldAndRefused) {
  const std::string path = Write("unreadable.gif", {});
  HANDLE writeOnly = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  int result = -9;
  test::BoxSeen seen;
  test::Drive(L"unreadable.gif", [&] { result = Spi().isSupported("unreadable.gif", reinterpret_cast<ULONG_PTR>(writeOnly)); },
              [&] { seen = test::CloseMessageBox(L"unreadable.gif"); });
  CloseHandle(writeOnly);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(seen.text, L"ファイルが読めません");
}

TEST_F(TarnCatchSpi, SettingsAreReadAtAttach) {
  WritePrivateProfileStringA("TarnCatch", "TifFlag", "0", "TarnSpi.ini");
  WritePrivateProfileStringA("TarnCatch", "ExtInData", "PS?", "TarnSpi.ini");
  EXPECT_EQ(Claims("x.psd", {'8'}), 0) << "not before the DLL is loaded again";
  Reload();
  EXPECT_EQ(Claims("x.tif", {'M', 'M'}), 0);
  EXPECT_EQ(Claims("x.psd", {'8'}), 1);
  EXPECT_EQ(Background("x.psd"), (Bytes{240, 255, 255}));
  EXPECT_EQ(Claims("x.bak", {}), 1) << "keys left absent keep their defaults";
}

TEST_F(TarnCatchSpi, SettingsDialogControlsMessagesAndWriting) {
  const wchar_t* kCaption = L" TarnCatch 拡張子設定";
  bool allOn = false, edited = false, cleared = false, reset = false;
  std::wstring priority, pattern;
  test::BoxSeen wildcard, length;
  int result = -9;
  test::Drive(kCaption, [&] { result = Spi().configurationDlg(nullptr, 1); }, [&] {
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
  test::Drive(kCaption, [&] { Spi().configurationDlg(nullptr, 1); }, [&] {
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
}  // namespace tarn::test
