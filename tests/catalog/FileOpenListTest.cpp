// The folder walk and the table builder on real folders, with the test plug-in claiming ".fake".
// The walk's limits and cut-offs are tested on folders in memory (FolderWalkTest).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/ErrorLog.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileOpenList.h"
#include "tests/catalog/CatalogFixture.h"
#include "tests/plugin_host/HostFixture.h"

namespace tarn::test {
namespace {

class FileListTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Install(L"FakePlugin.spi", L"FakePlugin.spi");
    ASSERT_EQ(Enumerate(), 1);
    CreateErrorLog();
    data_ = folder_ + L"d\\";
    CreateDirectoryW(data_.c_str(), nullptr);
    sources_ = FileListSources{};
    g_SubFolderOffset = 0;
    g_MinFileSize = g_MaxFileSize = 0;
    g_ExtRestrict = 0;
    g_SequenceFlag = 0;
    TheCatalog().rows = TheCatalog().offeredRows = TheCatalog().folderRows = 0;
  }

  void TearDown() override {
    TheFileListSources() = FileListSources{};
    RemoveTree(data_);
    HostTest::TearDown();
  }

  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    // The long-name prefix reaches folders whose paths pass the usual limit.
    const std::wstring longDir = dir.rfind(L"\\\\?\\", 0) == 0 ? dir : L"\\\\?\\" + dir;
    HANDLE search = FindFirstFileW((longDir + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(longDir + name + L"\\");
        else
          DeleteFileW((longDir + name).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(longDir.c_str());
  }

  static void Put(const std::wstring& path, std::size_t bytes = 4) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot make a test file";
    const std::string content(bytes, 'x');
    DWORD written = 0;
    ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }

  std::wstring ListFile() const { return folder_ + L"OpenListUni.tmp"; }
  bool ListExists() const { return GetFileAttributesW(ListFile().c_str()) != INVALID_FILE_ATTRIBUTES; }

  int Open(int mode = 0) {
    TheFileListSources() = sources_;
    return FileOpenList(mode, FromWide(data_.c_str()), *registry_);
  }
  int Table() { return ListFileTable(FromWide(ListFile().c_str())); }

  std::u16string Row(int i) const { return TheCatalog().entries[i].name; }
  std::u16string FolderOf(int i) const { return TheCatalog().folders[TheCatalog().entries[i].folder].path; }

  std::wstring data_;
  FileListSources sources_;
};

TEST_F(FileListTest, OneFolderListsClaimedNamesAndAsksAboutBadOnes) {
  const std::wstring longest = std::wstring(122, L'z') + L".fake";  // 127 units
  const std::wstring tooLong = std::wstring(123, L'y') + L".fake";  // 128 units
  Put(data_ + L"b.fake");
  Put(data_ + L"A.FAKE");
  Put(data_ + L"skip.txt");
  Put(data_ + L".fake");
  Put(data_ + longest);
  Put(data_ + tooLong);
  CreateDirectoryW((data_ + L"sub.fake").c_str(), nullptr);
  Put(data_ + L"sub.fake\\inner.fake");

  ASSERT_EQ(Open(), kListDone);
  const std::string list = ReadFile(ListFile());
  // b, A: one record each; the longest name runs on into a second record.
  EXPECT_EQ(list.size(), 4u * 256);
  ASSERT_EQ(prompt_.shown.size(), 2u) << "one question per refused name";
  for (const ShownMessage& m : prompt_.shown) {
    EXPECT_EQ(m.buttons, Buttons::kOkCancel);
    if (m.caption == u"≪ErrLog.txtに記録≫ ファイル名最大文字数：半角127文字") {
      EXPECT_EQ(m.text, u"ファイル名が長すぎます。続行しますか？\n\nPath = " + FromWide(data_.c_str()) +
                            u"\n\nName = " + FromWide(tooLong.c_str()));
    } else {
      EXPECT_EQ(m.caption, u"≪ErrLog.txtに記録≫ ファイル名最小文字数：半角1文字+拡張子");
      EXPECT_EQ(m.text, u"ファイル名が短かすぎるか、拡張子が不当です。続行しますか？\n\nPath = " +
                            FromWide(data_.c_str()) + u"\n\nName = .fake");
    }
  }
  const std::u16string log = LogText();
  EXPECT_NE(log.find(u"Length Over:" + FromWide(data_.c_str()) + FromWide(tooLong.c_str())), std::u16string::npos);
  EXPECT_NE(log.find(u"Length Short:" + FromWide(data_.c_str()) + u".fake"), std::u16string::npos);
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.closed, 1);
  EXPECT_EQ(progress_.text, u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・ No=  0");

  ASSERT_EQ(Table(), 0);
  EXPECT_FALSE(ListExists()) << "the list is deleted once read";
  ASSERT_EQ(TheCatalog().rows, 3);
  EXPECT_EQ(TheCatalog().offeredRows, 3);
  EXPECT_EQ(Row(0), u"A.FAKE");
  EXPECT_EQ(Row(1), u"b.fake");
  EXPECT_EQ(Row(2), FromWide(longest.c_str())) << "the longest listed name comes back whole";
  EXPECT_EQ(TheCatalog().folderRows, 1);
  EXPECT_EQ(FolderOf(0), FromWide(data_.c_str()));
  EXPECT_EQ(g_CurrentFolder, FromWide(data_.c_str()));
}

TEST_F(FileListTest, SizeLimitsKeepEqualSizesInDescendingOrder) {
  Put(data_ + L"exact.fake", 1000);
  Put(data_ + L"small.fake", 999);
  Put(data_ + L"big.fake", 5000);
  Put(data_ + L"top.fake", 100000);
  Put(data_ + L"over.fake", 100001);
  g_MinFileSize = 1000;
  g_MaxFileSize = 100000;
  g_SequenceFlag = 1;
  ASSERT_EQ(Open(), kListDone);
  ASSERT_EQ(Table(), 0);
  ASSERT_EQ(TheCatalog().rows, 3);
  EXPECT_EQ(Row(0), u"top.fake");
  EXPECT_EQ(TheCatalog().entries[0].size, 100000);
  EXPECT_EQ(Row(1), u"exact.fake");
  EXPECT_EQ(Row(2), u"big.fake");

  // A listed file that disappears before the table is read.
  g_SequenceFlag = 0;
  ASSERT_EQ(Open(), kListDone);
  DeleteFileW((data_ + L"big.fake").c_str());
  EXPECT_EQ(Table(), -1);
  EXPECT_EQ(prompt_.shown.back().text, FromWide(data_.c_str()) + u"big.fake が有りません");
  EXPECT_EQ(prompt_.shown.back().caption, u"ファイル異常");
}

TEST_F(FileListTest, BmpExclusionDropsTheExtensionInAnyCase) {
  FakeControl* control = Control(L"FakePlugin.spi");
  ASSERT_NE(control, nullptr);
  std::strcpy(control->extension, "");  // an empty tail: every name is claimed
  Put(data_ + L"a.bmp");
  Put(data_ + L"b.BmP");
  Put(data_ + L"c.bmp.bak");
  Put(data_ + L"d.bak");
  g_ExtRestrict = 1;
  ASSERT_EQ(Open(), kListDone);
  ASSERT_EQ(Table(), 0);
  ASSERT_EQ(TheCatalog().rows, 2);
  EXPECT_EQ(Row(0), u"c.bmp.bak");
  EXPECT_EQ(Row(1), u"d.bak");
}

TEST_F(FileListTest, BrokenListStopsWithTheColonMessage) {
  Put(data_ + L"a.fake");
  ASSERT_EQ(Open(), kListDone);
  std::string list = ReadFile(ListFile());
  ASSERT_EQ(list.size(), 256u);
  list[12] = 'x';  // the colon of "a.fake:0"
  WriteFile(L"OpenListUni.tmp", list);
  EXPECT_EQ(Table(), 3);
  EXPECT_EQ(prompt_.shown.back().text, u"ファイルパス番号を検出できません<-v30> ");
  EXPECT_EQ(prompt_.shown.back().caption, u"コロン検出エラー");

  DeleteFileW(ListFile().c_str());
  EXPECT_EQ(Table(), -1);
  EXPECT_EQ(prompt_.shown.back().text, u"ファイル " + FromWide(ListFile().c_str()) + u" が開けません");
}

TEST_F(FileListTest, WrongModeAndNoPluginFail) {
  EXPECT_EQ(Open(1), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u"オープンファイルパス・エラー");
  EXPECT_EQ(prompt_.shown.back().caption, u"CTarnView-FileOpenList");
  CPluginRegistry empty;
  EXPECT_EQ(FileOpenList(0, FromWide(data_.c_str()), empty), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u"プラグインファイルを検出できません");
}

TEST_F(FileListTest, SubfolderModeWithAnOffsetPassesOverFoldersButWalksBelowThem) {
  // A chain d\1\2\3\4: visiting order is fixed whatever order the file system lists entries in.
  std::wstring dir = data_;
  for (int level = 0; level <= 4; ++level) {
    if (level > 0) {
      dir += std::to_wstring(level) + L"\\";
      CreateDirectoryW(dir.c_str(), nullptr);
    }
    Put(dir + L"f" + std::to_wstring(level) + L".fake");
  }
  CreateDirectoryW((dir + L"empty").c_str(), nullptr);
  sources_.subfolderMode = true;
  g_SubFolderOffset = 3;
  ASSERT_EQ(Open(), kListDone);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = ≪ 3 ≫ を使いますか？ ≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱ ");
  EXPECT_EQ(prompt_.shown[0].caption, u"「下位ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」確認");
  ASSERT_EQ(Table(), 0);
  ASSERT_EQ(TheCatalog().rows, 2);
  EXPECT_EQ(Row(0), u"f3.fake");
  EXPECT_EQ(Row(1), u"f4.fake");
  EXPECT_EQ(FolderOf(1), FromWide((dir).c_str()));
  EXPECT_EQ(TheCatalog().folderRows, 2) << "the empty folder gets no row";

  // Cancel at the offset question clears it: every folder is listed.
  prompt_.answers = {kAnswerCancel};
  ASSERT_EQ(Open(), kListDone);
  EXPECT_EQ(g_SubFolderOffset, 0);
  ASSERT_EQ(Table(), 0);
  EXPECT_EQ(TheCatalog().rows, 5);

  // An offset past every folder with files.
  g_SubFolderOffset = 9;
  EXPECT_EQ(Open(), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u"「ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」 が大き過ぎます。「設定」で変更してください ");
  EXPECT_EQ(prompt_.shown.back().caption, u"下位ﾌｫﾙﾀﾞ未検出   ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = 9");
}

using BrowsedFolderTest = CatalogTest;

// "開く" and the command line hand their folder to the request itself.
TEST_F(BrowsedFolderTest, ThePickedFolderTravelsWithTheRequest) {
  Picture(L"blue.bmp", 20, 20, RGB(0, 0, 255));
  frame_->CatalogFolder(FromWide(data_.c_str()));
  const HintRecord& request = frame_->View().LastRequest();
  EXPECT_EQ(request.request, 3);
  EXPECT_EQ(request.param1, 0) << "the browsed folder's mode";
  EXPECT_EQ(request.folder, data_);
  ASSERT_EQ(TheCatalog().rows, 1);
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"blue.bmp");
  EXPECT_EQ(g_CurrentFolder, FromWide(data_.c_str()));
}

}  // namespace
}  // namespace tarn::test
