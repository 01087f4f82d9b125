// TarnFlv.spi and TarnMp4.spi as the host meets them: the names they take, the pictogram, the
// sense exchange, and a movie opened in a stand-in player whose recorded command line is checked
// while cell 2 is watched from another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/plugins/gif/WindowDriver.h"
#include "tests/support/PluginHarness.h"

namespace tarn::test {
namespace {

std::string Profile(const char* section, const char* key) {
  char text[256];
  GetPrivateProfileStringA(section, key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// Each test starts without the library's settings, and loads the DLL afresh as the host does.
class PlayerSpi : public PluginFolderTest {
 protected:
  PlayerSpi(const wchar_t* dll, const char* section) : PluginFolderTest(dll, "tarnplayer"), section_(section) {}
  void SetUp() override {
    WritePrivateProfileStringA(section_, nullptr, nullptr, "TarnSpi.ini");
    PluginFolderTest::SetUp();
  }
  void TearDown() override {
    PluginFolderTest::TearDown();
    WritePrivateProfileStringA(section_, nullptr, nullptr, "TarnSpi.ini");
    SetEnvironmentVariableA("TARN_STANDIN_LOG", nullptr);
  }

  // The stand-in player copied into a folder whose name has a blank, so its path must be quoted.
  std::string InstallPlayer() {
    const std::string folder = folder_ + "\\my player";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string player = folder + "\\standin_player.exe";
    EXPECT_TRUE(CopyFileA(BesideThisProgram("standin_player.exe").c_str(), player.c_str(), FALSE));
    log_ = folder_ + "\\commands.txt";
    SetEnvironmentVariableA("TARN_STANDIN_LOG", log_.c_str());
    cleanup_ = {player, log_, folder};
    return player;
  }
  std::vector<std::string> Commands() const {
    std::ifstream in(log_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // GetPicture as FileLoad calls it for select 6, with cell 2 watched until it returns.
  int Play(const std::string& file, std::vector<int>* states) {
    SenseCell cells[3] = {-1, -2, -3};
    EXPECT_EQ(Claims(file.c_str(), {}), 1);
    EXPECT_EQ(Spi().sensePlugIn(SpiName(), file.c_str(), cells), 0);
    EXPECT_EQ(cells[2], 0);
    std::atomic<bool> done{false};
    std::thread watch([&] {
      int last = 0;
      while (!done) {
        const int now = static_cast<volatile SenseCell&>(cells[2]);
        if (now != last) states->push_back(last = now);
        Sleep(5);
      }
    });
    HLOCAL info = nullptr, bits = nullptr;
    const int result = Spi().getPicture(file.c_str(), 0, 0, &info, &bits, nullptr, reinterpret_cast<LONG_PTR>(cells));
    done = true;
    watch.join();
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(bits, nullptr);
    finalCell_ = cells[2];
    return result;
  }
  void TidyUp() {
    DeleteFileA(cleanup_[0].c_str());
    DeleteFileA(cleanup_[1].c_str());
    RemoveDirectoryA(cleanup_[2].c_str());
  }
  virtual const char* SpiName() const = 0;

  const char* section_;
  std::string log_;
  std::vector<std::string> cleanup_;
  int finalCell_ = -9;
};

class TarnFlvSpi : public PlayerSpi {
 protected:
  TarnFlvSpi() : PlayerSpi(L"TarnFlv.spi", "TarnFlv") {}
  const char* SpiName() const override { return "TarnFlv.spi"; }
};

class TarnMp4Spi : public PlayerSpi {
 protected:
  TarnMp4Spi() : PlayerSpi(L"TarnMp4.spi", "TarnMp4") {}
  const char* SpiName() const override { return "TarnMp4.spi"; }
};

TEST_F(TarnFlvSpi, DefaultsAreWrittenWhenMissing) {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  EXPECT_EQ(Profile("TarnFlv", "ApSel"), "0");
  EXPECT_EQ(Profile("TarnFlv", "AppliSelReg_0"), std::string(folder) + "\\mplayerc.exe");
  EXPECT_EQ(Profile("TarnFlv", "AppliSelSW_0"), "/play /close");
  EXPECT_EQ(Profile("TarnFlv", "AppliSelReg_1"), "Nothing");
}

TEST_F(TarnFlvSpi, PreviewFollowsTheLastNameAndSenseAnswersOnlyItsOwnName) {
  char buf[32];
  EXPECT_EQ(Spi().getPluginInfo(2, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "*.flv");
  ASSERT_EQ(Claims("C:\\x.FLV", {}), 1);
  Delivered d;
  ASSERT_EQ(Load("C:\\x.FLV", 0, &d, true), kSpiOk);
  ASSERT_EQ(d.pixels.size(), 12288u);
  EXPECT_EQ(d.Header().biWidth, 64);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{240, 255, 255}));
  EXPECT_EQ(d.Pixel(18, 20), (std::array<int, 3>{0, 0, 255})) << "the letters are red";
  ASSERT_EQ(Load("[UNICODE].flv", 0, &d, true), kSpiOk);
  EXPECT_EQ(d.Pixel(0, 0), (std::array<int, 3>{200, 210, 255}));
  EXPECT_EQ(d.Pixel(18, 20), (std::array<int, 3>{200, 200, 200}));

  // Another name forgets the FLV: the plug-in no longer serves what it has not taken.
  EXPECT_EQ(Claims("C:\\x.mp4", {}), 0);
  EXPECT_EQ(Load("C:\\x.FLV", 0, &d, true), kSpiNotFormat);
  PictureInfo info{};
  EXPECT_EQ(Spi().getPictureInfo("C:\\x.FLV", 0, 0, &info), kSpiNotFormat);

  SenseCell cells[3] = {-1, -2, -3};
  EXPECT_EQ(Spi().sensePlugIn("tarnflv.spi", "x.flv", cells), -1);
  EXPECT_EQ(Spi().sensePlugIn("TarnMp4.spi", "x.flv", cells), -1);
  EXPECT_EQ(cells[2], -3) << "a refused exchange touches nothing";
  EXPECT_EQ(Spi().sensePlugIn("TarnFlv.spi", "x.flv", cells), 0);
  EXPECT_EQ(cells[2], 0);

  // Without the host's cells nothing starts.
  SenseCell idle[3] = {0, 0, 0};
  HLOCAL a = nullptr, b = nullptr;
  EXPECT_EQ(Spi().getPicture("C:\\x.flv", 0, 0, &a, &b, nullptr, reinterpret_cast<LONG_PTR>(idle)), kSpiInternal);
  EXPECT_EQ(Spi().getPicture("C:\\x.flv", 0, 0, &a, &b, nullptr, 0), kSpiInternal);
}

TEST_F(TarnFlvSpi, PlaysInTheChosenPlayerWithQuotedPartsAndCellTwoFollowing) {
  const std::string player = InstallPlayer();
  WritePrivateProfileStringA("TarnFlv", "ApSel", "1", "TarnSpi.ini");
  WritePrivateProfileStringA("TarnFlv", "AppliSelReg_1", player.c_str(), "TarnSpi.ini");
  WritePrivateProfileStringA("TarnFlv", "AppliSelSW_1", "/play /close", "TarnSpi.ini");
  Reload();
  const std::string movie = Write("my clip.flv", {'F', 'L', 'V', 1});
  std::vector<int> states;
  EXPECT_EQ(Play(movie, &states), kSpiOk);
  const std::vector<std::string> commands = Commands();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0], "\"" + player + "\" \"" + movie + "\" /play /close");
  EXPECT_EQ(states, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(finalCell_, 0);
  TidyUp();
}

TEST_F(TarnFlvSpi, PresetSwitchStartsThePlayerAloneFirstAndEndsWithThree) {
  const std::string player = InstallPlayer();
  WritePrivateProfileStringA("TarnFlv", "ApSel", "0", "TarnSpi.ini");
  WritePrivateProfileStringA("TarnFlv", "AppliSelReg_0", player.c_str(), "TarnSpi.ini");
  WritePrivateProfileStringA("TarnFlv", "AppliSelSW_0", "/ps", "TarnSpi.ini");
  Reload();
  const std::string movie = Write("clip.flv", {'F', 'L', 'V', 1});
  std::vector<int> states;
  EXPECT_EQ(Play(movie, &states), kSpiOk);
  Sleep(500);  // the preset start is not waited for
  const std::vector<std::string> commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0], "\"" + player + "\"");
  EXPECT_EQ(commands[1], "\"" + player + "\" " + movie) << "no switches after a preset start";
  EXPECT_EQ(finalCell_, 3);
  TidyUp();
}

TEST_F(TarnMp4Spi, MissingPlayerIsToldAndNothingStarts) {
  WritePrivateProfileStringA("TarnMp4", "AppliData", "C:\\nowhere\\player.exe", "TarnSpi.ini");
  Reload();
  const std::string movie = Write("clip.mp4", {0, 0, 0, 24});
  BoxSeen seen;
  std::vector<int> states;
  int result = -9;
  Drive(L"C:\\nowhere\\player.exe", [&] { result = Play(movie, &states); },
        [&] { seen = CloseMessageBox(L"C:\\nowhere\\player.exe"); });
  EXPECT_EQ(result, kSpiInternal);
  EXPECT_EQ(seen.text, L"「MP4起動アプリ」の設定を確認してください [TarnMp4.spi]");
  EXPECT_TRUE(states.empty()) << "cell 2 never left idle";
}

TEST_F(TarnMp4Spi, RegisterWritesBothKeysAndCloses) {
  EXPECT_EQ(Profile("TarnMp4", "AppliSW"), "/play /close") << "defaults written at start";
  Drive(L"ﾀﾞｲｱﾛｸﾞ", [&] { EXPECT_EQ(Spi().configurationDlg(nullptr, 1), 0); },
        [&] {
          HWND dialog = WaitForWindow(L"ﾀﾞｲｱﾛｸﾞ");
          ASSERT_NE(dialog, nullptr);
          SetDlgItemTextW(dialog, 6403, L"D:\\tools\\play.exe");
          SetDlgItemTextW(dialog, 6404, L"/fullscreen");
          ClickLater(dialog, 6405);
          EXPECT_TRUE(WaitUntilGone(dialog)) << "登録 closes the dialog";
        });
  EXPECT_EQ(Profile("TarnMp4", "AppliData"), "D:\\tools\\play.exe");
  EXPECT_EQ(Profile("TarnMp4", "AppliSW"), "/fullscreen");
}

}  // namespace
}  // namespace tarn::test
