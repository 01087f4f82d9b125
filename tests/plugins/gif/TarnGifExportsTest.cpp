// TarnGif.spi as the host meets it: the plug-in contract on GIF files, and what only TarnGif
// does: its messages, playback through SensePlugIn and lData, its settings in the prefix's
// "TarnSpi.ini" and its settings dialog driven by messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"
#include "tests/plugins/PluginContract.h"
#include "tests/plugins/gif/GifBuilder.h"
#include "tests/plugins/gif/WindowDriver.h"

namespace tarn::test {
namespace {

PluginContract GifContract() {
  Bytes header(kSpiHeaderBufferBytes, 0);
  std::memcpy(header.data(), "GIF87a", 6);
  Bytes gif9 = header;
  std::memcpy(gif9.data(), "GIF9", 4);
  const Bytes pixels = PatternIndices(9, 7, 16);
  GifFile sample{.width = 9, .height = 7, .field = 3};
  sample.images.push_back({.width = 9, .height = 7, .pixels = pixels, .minCodeSize = 4});
  GifFile info{.width = 40, .height = 30, .field = 4};
  info.images.push_back({.left = 2, .top = 3, .width = 20, .height = 10, .pixels = Bytes(200, 1)});
  PluginContract c{
      .dll = L"TarnGif.spi",
      .folderPrefix = "tarngif",
      .versionStart = "TarnGif v0.25u (c) ",
      .patterns = "*.gif",
      .formatName = "GIF file",
      .configurationDlg = true,
      .sensePlugIn = true,
      .support = {{"Z:\\nowhere\\a.GIF", header, 1},
                  {"a.bmp.gif", header, 1},
                  {"a.gifx", header, 0},
                  {"gif", header, 0},
                  {"a.gif", gif9, 0}},
      .handleName = "handle.gif",
      .handleSample = MakeGif({.images = {{.pixels = {0}}}}),
      .sample = MakeGif(sample),
      .checkSample = [pixels](const Delivered& d) {
        ASSERT_EQ(d.info.size(), 104u);
        const DibHeader h = d.Header();
        EXPECT_EQ(h.biWidth, 9);
        EXPECT_EQ(h.biHeight, 7);
        EXPECT_EQ(h.biBitCount, 4);
        ASSERT_EQ(d.pixels.size(), 56u) << "rows of 9 four-bit pixels take 8 bytes";
        EXPECT_EQ(d.pixels[6 * 8] >> 4, pixels[0]) << "the top row is stored last";
        EXPECT_EQ(d.pixels[6 * 8] & 15, pixels[1]);
        EXPECT_EQ(d.pixels[6 * 8 + 4] >> 4, pixels[8]);
        EXPECT_EQ(d.pixels[6 * 8 + 4] & 15, 0);
      },
      .minimumBytes = 4,
      .infoSample = MakeGif(info),
      .infoFromMemory = {{13 + 96 + 5, kSpiNotFormat, "the descriptor passes the end of the memory"}},
      .decodesMemory = false,
      .callsBackOnFiles = false,
      .markers = {"[UNICODE].GIF", "[unicode].gif"},
      .foreignMarker = "[UNICODE].bmp",
  };
  c.info.left = 2;
  c.info.top = 3;
  c.info.width = 20;
  c.info.height = 10;
  c.info.colorDepth = 5;
  return c;
}

INSTANTIATE_TEST_SUITE_P(TarnGif, PluginContractTest, ::testing::Values(GifContract()), ContractName);
INSTANTIATE_TEST_SUITE_P(TarnGif, DecoderContractTest, ::testing::Values(GifContract()), ContractName);

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

// Each test starts without TarnGif's settings and loads the DLL afresh, as at the host's start-up.
class TarnGifSpi : public PluginFolderTest {
 protected:
  TarnGifSpi() : PluginFolderTest(L"TarnGif.spi", "tarngif") {}
  void SetUp() override {
    WritePrivateProfileStringA("TarnGif", nullptr, nullptr, "TarnSpi.ini");
    PluginFolderTest::SetUp();
  }
  void TearDown() override {
    PluginFolderTest::TearDown();
    WritePrivateProfileStringA("TarnGif", nullptr, nullptr, "TarnSpi.ini");
  }
};

TEST_F(TarnGifSpi, MessagesOfTheDecoder) {
  const Bytes gif = MakeGif({.images = {{.pixels = {0}}}});
  HLOCAL info = nullptr, px = nullptr;
  int result = 0;
  test::BoxSeen seen;
  test::Drive(L"エラー",
              [&] { result = Spi().getPicture(reinterpret_cast<LPCSTR>(gif.data()), static_cast<LONG_PTR>(gif.size()), 1, &info, &px, nullptr, 0); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiNotFormat);
  EXPECT_EQ(seen.text, L"ファイル名称が不当です<-1> ");

  const std::string bare = Write("bare.gif", MakeGif({.globalTable = false, .images = {{.pixels = {0}}}}));
  test::Drive(L"エラー", [&] { result = Spi().getPicture(bare.c_str(), 0, 0, &info, &px, nullptr, 0); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiBroken);
  EXPECT_EQ(seen.text, L"カラーテーブルが有りません<-3> ");
  EXPECT_TRUE(info == nullptr && px == nullptr);

  SenseCell cells[8] = {-1};
  test::Drive(L"エラー", [&] { result = Spi().sensePlugIn("TarnGif.spi", (folder_ + "\\missing.gif").c_str(), cells); },
              [&] { seen = test::CloseMessageBox(L"エラー"); });
  EXPECT_EQ(result, kSpiInternal);
  EXPECT_EQ(seen.text, L"ファイルをオープンできません<-5> ");
}

TEST_F(TarnGifSpi, PlaybackThroughSenseAndGetPicture) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  SenseCell* const command = &cells[2];  // the host passes &g_SenseCells[2]

  cells[2] = 77;
  EXPECT_EQ(Spi().sensePlugIn("TarnBmp.spi", path.c_str(), command), kSpiNotProvided);
  EXPECT_EQ(cells[2], 77);
  EXPECT_EQ(Spi().sensePlugIn("TarnGif.spi", "[UNICODE].gif", command), kSpiInternal);

  cells[2] = -1;
  ASSERT_EQ(Spi().sensePlugIn("TarnGif.spi", path.c_str(), command), kSpiOk);
  EXPECT_EQ(cells[2], 3);
  EXPECT_EQ(cells[3], 9 + 2) << "60 hundredths, 3 frames";
  for (int r = 1; r <= 3; ++r) {
    cells[2] = r;
    Delivered d;
    ASSERT_EQ(Load(path, 0, &d, false, reinterpret_cast<LONG_PTR>(command)), kSpiOk) << r;
    const DibHeader h = LoadDibHeader(d.info.data());
    EXPECT_EQ(h.biWidth, 4) << "the whole canvas";
    EXPECT_EQ(cells[5], 10 * r) << "delay";
    EXPECT_EQ(cells[6], 0);
    EXPECT_EQ(cells[7], 0);
    // Column c holds colour c + 1 once frame c has been drawn; the rest stays transparent (0).
    for (int c = 0; c < 4; ++c) EXPECT_EQ(((c & 1) ? d.pixels[c >> 1] & 15 : d.pixels[c >> 1] >> 4), c < r ? c + 1 : 0) << r << "," << c;
  }
  cells[2] = -3;
  ASSERT_EQ(Spi().sensePlugIn("TarnGif.spi", path.c_str(), command), kSpiOk);
  EXPECT_EQ(cells[2], 0);
  EXPECT_EQ(cells[3], 0);
  Delivered still;
  ASSERT_EQ(Load(path, 0, &still), kSpiOk);
  EXPECT_EQ(LoadDibHeader(still.info.data()).biWidth, 1) << "a still load is the first image itself";
}

TEST_F(TarnGifSpi, LoopSelectIsReadFromTheProfileAtAttach) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[6] = {};
  const auto cycles = [&] {
    cells[0] = -1;
    EXPECT_EQ(Spi().sensePlugIn("TarnGif.spi", path.c_str(), cells), kSpiOk);
    return std::make_pair(cells[0], cells[1]);
  };
  EXPECT_EQ(cycles(), std::make_pair(3, 11)) << "absent: standard";
  ASSERT_TRUE(WritePrivateProfileStringA("TarnGif", "LoopSelect", "1", "TarnSpi.ini"));
  EXPECT_EQ(cycles(), std::make_pair(3, 11)) << "read once, at attach";
  Reload();
  EXPECT_EQ(cycles(), std::make_pair(3, 1));
  WritePrivateProfileStringA("TarnGif", "LoopSelect", "3", "TarnSpi.ini");
  Reload();
  EXPECT_EQ(cycles(), std::make_pair(3, 22));
  WritePrivateProfileStringA("TarnGif", "LoopSelect", "0", "TarnSpi.ini");
  Reload();
  EXPECT_EQ(cycles(), std::make_pair(0, 0));
}

TEST_F(TarnGifSpi, SettingsDialogClicksEscapeAndFinish) {
  const std::string path = Write("anim.gif", Animation());
  SenseCell cells[6] = {};
  const auto cyclesNow = [&] {
    cells[0] = -1;
    Spi().sensePlugIn("TarnGif.spi", path.c_str(), cells);
    return cells[1];
  };
  int result = -5;
  bool sawDialog = false, standardMarked = false;
  std::wstring group;
  test::Drive(L"設定ダイアログ", [&] { result = Spi().configurationDlg(nullptr, 1); }, [&] {
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
  test::Drive(L"設定ダイアログ", [&] { result = Spi().configurationDlg(nullptr, 1); }, [&] {
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
  Reload();
  cells[0] = -1;
  Spi().sensePlugIn("TarnGif.spi", path.c_str(), cells);
  EXPECT_EQ(cells[0], 0) << "first image only after a restart";
}

}  // namespace
}  // namespace tarn::test
