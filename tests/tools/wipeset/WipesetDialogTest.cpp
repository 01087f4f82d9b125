// The dialog made modeless under the test's display and driven by clicks sent to its buttons;
// every question and result is captured as the bytes handed to the message box.
#include "WipesetFixture.h"

#include "tools/wipeset/WipesetDialog.h"
#include "tools/wipeset/resource.h"

#include <algorithm>

namespace wipeset::test {
namespace {

const std::string kAsk = Sjis(L"ファイルを削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 ");
const std::string kDeleted = Sjis(L"ファイルを削除しました ");
const std::string kNotFound = Sjis(L"ファイルが見つかりません ");
const std::string kFailed = Sjis(L"ファイルの削除失敗 ");
const std::string kAllAsk = Sjis(L"設定ファイルと壁紙を一括削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 ");
const std::string kAllTitle = Sjis(L"設定ファイル・壁紙 一括削除");
const std::string kAllDone = Sjis(L"設定ファイルと壁紙を一括削除しました ");
const std::string kAllNone = Sjis(L"設定ファイルと壁紙が見つかりません ");
const std::string kWallAsk = Sjis(L"壁紙を削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 ");
const std::string kWallTitle = Sjis(L"壁紙ファイル削除");
const std::string kWallDone = Sjis(L"壁紙を削除しました ");
const std::string kWallNone = Sjis(L"壁紙が見つかりません ");

class WipesetDialogTest : public WipesetTest {
 protected:
  void SetUp() override {
    WipesetTest::SetUp();
    dialog_ = CreateWipeset(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dialog_, nullptr) << "the dialog template did not load";
  }
  void TearDown() override {
    if (IsWindow(dialog_)) DestroyWindow(dialog_);
    WipesetTest::TearDown();
  }

  void Click(int id) {
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  }
  std::wstring Text(int id) const {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog_, id, text, 256);
    return text;
  }
  // The messages shown since the last call, as (text, caption) pairs.
  std::vector<std::pair<std::string, std::string>> Taken() {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const Shown& s : shown) pairs.emplace_back(s.text, s.caption);
    shown.clear();
    return pairs;
  }
  using Pairs = std::vector<std::pair<std::string, std::string>>;

  HWND dialog_ = nullptr;
};

TEST_F(WipesetDialogTest, CaptionGroupsButtonsAndLabels) {
  wchar_t caption[64] = {};
  GetWindowTextW(dialog_, caption, 64);
  EXPECT_STREQ(caption, L"Wipeset    V0.3");
  EXPECT_EQ(Text(IDC_WIPESET_GROUP_ALL), L"設定 ・ ﾛｸﾞ ・ 壁紙  一括削除");
  EXPECT_EQ(Text(IDC_WIPESET_ALL), L"一括削除");
  EXPECT_EQ(Text(IDC_WIPESET_ALL_LIST), L"Tarn.ini\nTarnSpi.ini\nTarn.cfg\nErrLog.txt\n壁紙");
  EXPECT_EQ(Text(IDC_WIPESET_GROUP_ONE), L"個別削除");
  EXPECT_EQ(Text(IDC_WIPESET_INI), L"Tarn.ini");
  EXPECT_EQ(Text(IDC_WIPESET_SPI), L"TarnSpi.ini");
  EXPECT_EQ(Text(IDC_WIPESET_CFG), L"Tarn.cfg");
  EXPECT_EQ(Text(IDC_WIPESET_LOG), L"ErrLog.txt");
  EXPECT_EQ(Text(IDC_WIPESET_WALL), L"壁紙");
  EXPECT_EQ(Text(IDC_WIPESET_ONE_LABEL), L"「設定＆ﾛｸﾞ」 削除");
  EXPECT_EQ(Text(IDOK), L"終了");
  EXPECT_NE(SendMessageA(dialog_, WM_GETICON, ICON_BIG, 0), 0);

  RECT box;
  GetWindowRect(dialog_, &box);
  EXPECT_NEAR((box.left + box.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR((box.top + box.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
}

TEST_F(WipesetDialogTest, TextsAreCodePage932Bytes) {
  Click(IDC_WIPESET_WALL);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "\x95\xc7\x8e\x86\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1 ");
  EXPECT_EQ(shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL)) << "questions offer Cancel";
}

TEST_F(WipesetDialogTest, EachSingleFileAskedDeletedAndReported) {
  const std::vector<std::pair<int, std::string>> buttons = {{IDC_WIPESET_INI, windows_ + "Tarn.ini"},
                                                            {IDC_WIPESET_SPI, windows_ + "TarnSpi.ini"},
                                                            {IDC_WIPESET_CFG, folder_ + "Tarn.cfg"},
                                                            {IDC_WIPESET_LOG, folder_ + "ErrLog.txt"}};
  for (const auto& [id, path] : buttons) {
    Put(path, 100);
    answers = {IDCANCEL};
    Click(id);
    EXPECT_EQ(Taken(), (Pairs{{kAsk, path}})) << path;
    EXPECT_EQ(Read(path), std::string(100, 'A')) << "kept after Cancel: " << path;

    Click(id);
    EXPECT_EQ(Taken(), (Pairs{{kAsk, path}, {kDeleted, path}})) << path;
    EXPECT_FALSE(Exists(path)) << path;

    Click(id);
    const std::string title = id == IDC_WIPESET_CFG ? "Tarn.cfg/Tarn2.cfg" : path;
    EXPECT_EQ(Taken(), (Pairs{{kAsk, path}, {kNotFound, title}})) << path;
  }
}

TEST_F(WipesetDialogTest, TarnCfgGoesBeforeTarn2Cfg) {
  Put(folder_ + "Tarn.cfg", 10);
  Put(folder_ + "Tarn2.cfg", 20);
  Click(IDC_WIPESET_CFG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, folder_ + "Tarn.cfg"}, {kDeleted, folder_ + "Tarn.cfg"}}));
  EXPECT_FALSE(Exists(folder_ + "Tarn.cfg"));
  EXPECT_EQ(Read(folder_ + "Tarn2.cfg"), std::string(20, 'A'));
  Click(IDC_WIPESET_CFG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, folder_ + "Tarn.cfg"}, {kDeleted, folder_ + "Tarn2.cfg"}}));
  EXPECT_FALSE(Exists(folder_ + "Tarn2.cfg"));

  // A "Tarn.cfg" another program holds is not found, and the put-aside file stays.
  Put(folder_ + "Tarn.cfg", 10);
  Put(folder_ + "Tarn2.cfg", 20);
  const HANDLE holder = CreateFileA((folder_ + "Tarn.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Click(IDC_WIPESET_CFG);
  CloseHandle(holder);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, folder_ + "Tarn.cfg"}, {kNotFound, "Tarn.cfg/Tarn2.cfg"}}));
  EXPECT_EQ(Read(folder_ + "Tarn.cfg"), std::string(10, 'A'));
  EXPECT_EQ(Read(folder_ + "Tarn2.cfg"), std::string(20, 'A'));
}

// A path the byte-string calls cannot hold (260 characters with its end) is not found; it is never
// cut short into the name of some other file.
TEST_F(WipesetDialogTest, PathsUpToTheLimit) {
  ASSERT_LT(folder_.size(), 240u);
  std::string deep = folder_;
  while (deep.size() < 251) {
    const std::size_t left = 251 - deep.size();
    deep += std::string(left - 1 <= 100 ? left - 1 : std::min<std::size_t>(100, left - 3), 'd') + "\\";
  }
  ASSERT_EQ(deep.size(), 251u);
  const auto wide = [](const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); };
  for (std::size_t end = folder_.size(); (end = deep.find('\\', end + 1)) != std::string::npos;) {
    CreateDirectoryW(wide(deep.substr(0, end)).c_str(), nullptr);
  }
  ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str()));
  const auto put = [&](const char* name) {
    const HANDLE h = CreateFileW(wide(deep + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  };
  const auto there = [&](const char* name) { return GetFileAttributesW(wide(deep + name).c_str()) != INVALID_FILE_ATTRIBUTES; };

  put("Tarn.cfg");  // 259 characters: the longest path there is
  put("Tarn2.cfg");  // 260
  put("ErrLog.txt");  // 261
  Click(IDC_WIPESET_CFG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, deep + "Tarn.cfg"}, {kDeleted, deep + "Tarn.cfg"}}));
  Click(IDC_WIPESET_CFG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, deep + "Tarn.cfg"}, {kNotFound, "Tarn.cfg/Tarn2.cfg"}}));
  Click(IDC_WIPESET_LOG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, deep + "ErrLog.txt"}, {kNotFound, deep + "ErrLog.txt"}}));
  EXPECT_TRUE(there("Tarn2.cfg") && there("ErrLog.txt"));

  SetCurrentDirectoryA(folder_.c_str());
  DeleteFileW(wide(deep + "Tarn2.cfg").c_str());
  DeleteFileW(wide(deep + "ErrLog.txt").c_str());
  for (std::size_t end = deep.size() - 1; end > folder_.size(); end = deep.rfind('\\', end - 1)) {
    RemoveDirectoryW(wide(deep.substr(0, end)).c_str());
  }
}

TEST_F(WipesetDialogTest, FilesOfAnotherFolderAreNotFound) {
  CreateDirectoryA((folder_ + "other").c_str(), nullptr);
  Put(folder_ + "other\\ErrLog.txt", 10);
  Click(IDC_WIPESET_LOG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, folder_ + "ErrLog.txt"}, {kNotFound, folder_ + "ErrLog.txt"}}));
  EXPECT_TRUE(Exists(folder_ + "other\\ErrLog.txt"));
}

TEST_F(WipesetDialogTest, DeleteAll) {
  const std::vector<std::string> files = {windows_ + "Tarn.ini", windows_ + "TarnSpi.ini", folder_ + "Tarn.cfg",
                                          folder_ + "ErrLog.txt", folder_ + "TarnWall1.jpg", folder_ + "TarnWall2.jpg"};
  for (const std::string& f : files) Put(f, 3000);
  Put(folder_ + "Tarn2.cfg", 10);

  answers = {IDCANCEL};
  Click(IDC_WIPESET_ALL);
  EXPECT_EQ(Taken(), (Pairs{{kAllAsk, kAllTitle}})) << "no final message after Cancel";
  for (const std::string& f : files) EXPECT_TRUE(Exists(f)) << f;

  Click(IDC_WIPESET_ALL);
  EXPECT_EQ(Taken(), (Pairs{{kAllAsk, kAllTitle}, {kAllDone, kAllTitle}}));
  for (const std::string& f : files) EXPECT_FALSE(Exists(f)) << f;
  EXPECT_TRUE(Exists(folder_ + "Tarn2.cfg")) << "one individual settings file per press";

  Click(IDC_WIPESET_ALL);
  EXPECT_EQ(Taken(), (Pairs{{kAllAsk, kAllTitle}, {kAllDone, kAllTitle}})) << "Tarn2.cfg this time";
  EXPECT_FALSE(Exists(folder_ + "Tarn2.cfg"));

  Click(IDC_WIPESET_ALL);
  EXPECT_EQ(Taken(), (Pairs{{kAllAsk, kAllTitle}, {kAllNone, kAllTitle}}));

  // A failure is told even in all mode; the rest still goes.
  Put(folder_ + "ErrLog.txt", 10);
  SetFileAttributesA((folder_ + "ErrLog.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Put(folder_ + "TarnWall2.jpg", 10);
  Click(IDC_WIPESET_ALL);
  EXPECT_EQ(Taken(), (Pairs{{kAllAsk, kAllTitle}, {kFailed, folder_ + "ErrLog.txt"}, {kAllDone, kAllTitle}}));
  EXPECT_EQ(Read(folder_ + "ErrLog.txt"), std::string(10, 'A'));
  EXPECT_FALSE(Exists(folder_ + "TarnWall2.jpg"));
}

TEST_F(WipesetDialogTest, Wallpapers) {
  Put(folder_ + "TarnWall1.jpg", 10);
  Put(folder_ + "TarnWall2.jpg", 10);
  answers = {IDCANCEL};
  Click(IDC_WIPESET_WALL);
  EXPECT_EQ(Taken(), (Pairs{{kWallAsk, kWallTitle}}));
  EXPECT_TRUE(Exists(folder_ + "TarnWall1.jpg") && Exists(folder_ + "TarnWall2.jpg"));

  Click(IDC_WIPESET_WALL);
  EXPECT_EQ(Taken(), (Pairs{{kWallAsk, kWallTitle}, {kWallDone, kWallTitle}}));
  EXPECT_FALSE(Exists(folder_ + "TarnWall1.jpg") || Exists(folder_ + "TarnWall2.jpg"));

  Put(folder_ + "TarnWall2.jpg", 10);
  Click(IDC_WIPESET_WALL);
  EXPECT_EQ(Taken(), (Pairs{{kWallAsk, kWallTitle}, {kWallDone, kWallTitle}})) << "the second alone";
  EXPECT_FALSE(Exists(folder_ + "TarnWall2.jpg"));

  Click(IDC_WIPESET_WALL);
  EXPECT_EQ(Taken(), (Pairs{{kWallAsk, kWallTitle}, {kWallNone, kWallTitle}}));
}

TEST_F(WipesetDialogTest, FailureIsToldAndTheFileKept) {
  Put(folder_ + "ErrLog.txt", 10);
  SetFileAttributesA((folder_ + "ErrLog.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Click(IDC_WIPESET_LOG);
  EXPECT_EQ(Taken(), (Pairs{{kAsk, folder_ + "ErrLog.txt"}, {kFailed, folder_ + "ErrLog.txt"}}));
  EXPECT_EQ(Read(folder_ + "ErrLog.txt"), std::string(10, 'A'));
}

TEST_F(WipesetDialogTest, QuitRepaintsTheScreenAndCloses) {
  const HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                                     nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  ValidateRect(other, nullptr);
  ASSERT_FALSE(GetUpdateRect(other, nullptr, FALSE));
  Click(IDOK);
  EXPECT_TRUE(GetUpdateRect(other, nullptr, FALSE)) << "another program's window is to be painted again";
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_TRUE(shown.empty());
  DestroyWindow(other);
}

}  // namespace
}  // namespace wipeset::test
