// The folder walk's rules on folders held in memory: limits reached exactly, names at their
// bounds and hostile ones, cut-offs, failures of the list file and the answers they give.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/list/FolderWalk.h"
#include "catalog/list/OpenList.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::CancellingProgress;
using test::ScriptedPrompt;

constexpr char16_t kRoot[] = u"C:\\d\\";

// Folders as a file system would list them: "." and ".." first, then the entries in the order
// they were made. The test plug-in claims names ending in ".fake", in any case.
class MemoryFolders : public FileListSystem {
 public:
  struct Entry {
    std::u16string name;
    bool directory;
  };
  std::map<std::u16string, std::vector<Entry>> folders{{kRoot, {{u".", true}, {u"..", true}}}};
  std::vector<std::u16string> log;
  std::string list;
  bool seekFails = false;
  int appendsLeft = -1;  // appends that succeed before the rest fail; -1 all

  // `folder` ends in "\"; the folder itself is made when missing.
  void File(const std::u16string& folder, const std::u16string& name) { Add(folder, name, false); }
  std::u16string Folder(const std::u16string& parent, const std::u16string& name) {
    Add(parent, name, true);
    const std::u16string path = parent + name + u"\\";
    folders[path] = {{u".", true}, {u"..", true}};
    return path;
  }

  void Entries(std::u16string_view folder, const Visit& visit) override {
    const auto it = folders.find(std::u16string(folder));
    if (it == folders.end()) return;
    for (const Entry& e : it->second)
      if (!visit(e.name, e.directory)) return;
  }
  bool Accepted(std::u16string_view path) override {
    return EndsWithIgnoreCase(path, u".fake");
  }
  void Log(std::u16string_view line) override { log.emplace_back(line); }
  bool SeekListEnd() override { return !seekFails; }
  bool AppendToList(std::string_view records) override {
    if (appendsLeft == 0) return false;
    if (appendsLeft > 0) --appendsLeft;
    list += records;
    return true;
  }

 private:
  void Add(const std::u16string& folder, const std::u16string& name, bool directory) {
    auto& entries = folders[folder];
    if (entries.empty()) entries = {{u".", true}, {u"..", true}};
    entries.push_back({name, directory});
  }
};

class FolderWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_ = std::make_unique<CatalogTables>();
    g_SubFolderOffset = 0;
    g_SuggestedOffset = 0;
  }
  void TearDown() override { g_SubFolderOffset = 0; }

  int Walk(bool subfolders = false, int picked = 0) {
    return WalkFolders({kRoot, subfolders, picked}, *tables_, fs_);
  }
  // The list read back into the table as the catalog would: rows sorted by name.
  int Table() {
    return FillCatalogTable(reinterpret_cast<const std::uint8_t*>(fs_.list.data()), fs_.list.size(), *tables_, {});
  }
  std::u16string Row(int i) const { return tables_->entries[i].name; }
  std::u16string FolderOf(int i) const { return tables_->folders[tables_->entries[i].folder].path; }
  std::u16string Listed() const {
    std::u16string names;
    OpenListEntry entry;
    for (std::size_t at = 0; ReadOpenListEntry(reinterpret_cast<const std::uint8_t*>(fs_.list.data()), fs_.list.size(),
                                               at, kFolderRowsMax, entry) == kOpenListEntry;)
      names += entry.name + u":" + DecimalText(entry.folder) + u"|";
    return names;
  }

  MemoryFolders fs_;
  std::unique_ptr<CatalogTables> tables_;
  ScriptedPrompt prompt_;
  CancellingProgress progress_;
};

TEST_F(FolderWalkTest, NamesAtTheirBoundsAreListedInTheOrderTheFolderGivesThem) {
  const std::u16string longest = std::u16string(122, u'z') + u".fake";  // 127 units
  const std::u16string tooLong = std::u16string(123, u'y') + u".fake";  // 128 units
  for (const char16_t* name : {u"b.fake", u"a.FAKE", u"skip.txt", u".fake", u"x.y.fake"}) fs_.File(kRoot, name);
  fs_.File(kRoot, longest);
  fs_.File(kRoot, tooLong);
  fs_.File(fs_.Folder(kRoot, u"sub.fake"), u"inner.fake");
  ASSERT_EQ(Walk(), kListDone);
  EXPECT_EQ(Listed(), u"b.fake:0|a.FAKE:0|x.y.fake:0|" + longest + u":0|") << "directories are not files";
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイル名が短かすぎるか、拡張子が不当です。続行しますか？\n\nPath = C:\\d\\\n\nName = .fake");
  EXPECT_EQ(prompt_.shown[1].caption, u"≪ErrLog.txtに記録≫ ファイル名最大文字数：半角127文字");
  EXPECT_EQ(fs_.log, (std::vector<std::u16string>{u"Length Short:C:\\d\\.fake", u"Length Over:C:\\d\\" + tooLong}));
  EXPECT_EQ(progress_.text, u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・ No=  0");
  EXPECT_EQ(tables_->folderRows, 1);
  EXPECT_EQ(std::u16string(tables_->folders[0].path), kRoot);
}

TEST_F(FolderWalkTest, HostileNamesAndListFailuresEndTheRequest) {
  // A name the list cannot hold fails the request; what was listed before it is written.
  fs_.File(kRoot, u"a.fake");
  fs_.File(kRoot, std::u16string(u"b\0c.fake", 8));
  fs_.File(kRoot, u"c.fake");
  EXPECT_EQ(Walk(), kListFailed);
  EXPECT_EQ(Listed(), u"a.fake:0|");
  fs_.folders[kRoot].erase(fs_.folders[kRoot].begin() + 3);
  fs_.File(kRoot, u"d:e.fake");
  fs_.list.clear();
  EXPECT_EQ(Walk(true), kListWriteError) << "inside the subfolder walk";
  EXPECT_EQ(tables_->folderRows, 1) << "the records written name their folder";

  fs_.folders[kRoot].pop_back();
  fs_.list.clear();
  fs_.seekFails = true;
  EXPECT_EQ(Walk(), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u" シークエラー<-v15> ");
  EXPECT_EQ(prompt_.shown.back().caption, u"OpenListUni.tmp");
  EXPECT_EQ(Walk(true), kListFailed) << "nothing was listed: no folder found either";
  EXPECT_EQ(prompt_.shown.back().text, u"有効なフォルダが見つかりません ");
  EXPECT_EQ(tables_->folderRows, 0);
  fs_.seekFails = false;
  fs_.appendsLeft = 0;
  EXPECT_EQ(Walk(), kListFailed) << "a list that cannot be written";
  EXPECT_TRUE(fs_.list.empty());

  // A folder path with no room in a folder row.
  fs_.appendsLeft = -1;
  EXPECT_EQ(WalkFolders({std::u16string(254, u'p') + u"\\", false, 0}, *tables_, fs_), kListDone) << "255 units fit";
  EXPECT_EQ(WalkFolders({std::u16string(255, u'p') + u"\\", false, 0}, *tables_, fs_), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u"オープンファイルパス・エラー");
  EXPECT_EQ(prompt_.shown.back().caption, u"CTarnView-FileOpenList");
}

TEST_F(FolderWalkTest, AnEmptyFolderListsNothingAndPickedFoldersKeepTheirNumbers) {
  EXPECT_EQ(Walk(), kListDone);
  EXPECT_TRUE(fs_.list.empty());
  EXPECT_EQ(tables_->folderRows, 1) << "the one folder keeps its row";
  fs_.folders.erase(kRoot);
  EXPECT_EQ(Walk(), kListDone) << "a folder that cannot be searched";

  const std::u16string second = u"E:\\more\\";
  fs_.File(kRoot, u"a.fake");
  fs_.File(second, u"b.fake");
  std::copy(second.begin(), second.end(), tables_->folders[1].path);
  EXPECT_EQ(Walk(false, 2), kListDone);
  EXPECT_EQ(Listed(), u"a.fake:0|b.fake:1|");
  EXPECT_EQ(Walk(false, kFolderRowsMax + 5), kListDone);
  EXPECT_EQ(tables_->folderRows, kFolderRowsMax) << "a pick never passes the folder table";
}

TEST_F(FolderWalkTest, CancelAtANameQuestionStopsTheRequest) {
  fs_.File(kRoot, u".fake");
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(Walk(), kListCancelled);
  progress_.cancelAtCheck = progress_.checks + 1;
  fs_.File(kRoot, u"a.fake");
  EXPECT_EQ(Walk(), kListCancelled) << "Cancel in the progress window";
  // Two checks for the root's files, the third at its first entry in the subfolder walk.
  progress_.cancelAtCheck = progress_.checks + 3;
  fs_.File(fs_.Folder(kRoot, u"s"), u"b.fake");
  EXPECT_EQ(Walk(true), kListCancelled);
  EXPECT_EQ(Listed(), u"a.fake:0|") << "the root was listed, its subfolder never reached";
}

TEST_F(FolderWalkTest, The4801stFileStopsTheListing) {
  for (int i = 0; i < 4800; ++i) fs_.File(kRoot, DecimalText(i) + u".fake");
  EXPECT_EQ(Walk(), kListDone) << "exactly 4,800";
  EXPECT_TRUE(prompt_.shown.empty());
  fs_.list.clear();
  fs_.File(kRoot, u"4800.fake");
  prompt_.answers = {kAnswerCancel};
  ASSERT_EQ(Walk(), kListFileLimit);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"下位フォルダ番号≪ 1 ≫をフォルダオフセットに登録しますか ");
  EXPECT_EQ(prompt_.shown[0].caption, u"処理ファイル数オーバー途中打ち切り ≪最大処理数 = 4800 ≫");
  EXPECT_EQ(g_SubFolderOffset, 0) << "Cancel keeps the offset";
  EXPECT_EQ(g_SuggestedOffset, 1);
  EXPECT_EQ(fs_.list.size(), 4800u * 256);
  ASSERT_EQ(Table(), 0);
  EXPECT_EQ(tables_->rows, 4800);
}

TEST_F(FolderWalkTest, MoreThan30000FilesSearchedInOneFolderStopTheRequest) {
  for (int i = 0; i < kSearchMax; ++i) fs_.File(kRoot, DecimalText(i) + u".txt");
  EXPECT_EQ(Walk(), kListDone) << "exactly 30,000 files";
  fs_.File(kRoot, u"last.txt");
  EXPECT_EQ(Walk(), kListSearchLimit);
  EXPECT_EQ(prompt_.shown.back().text, u"検索ファイルが多過ぎるので中止します ");
  EXPECT_EQ(prompt_.shown.back().caption, u"最大検索ファイル数 = 30000");

  // The subfolder walk counts every entry of a folder, "." and ".." too.
  prompt_.shown.clear();
  fs_.folders[kRoot].resize(kSearchMax);  // the two dot entries and 29,998 files
  fs_.folders[kRoot].back().name = u"z.fake";
  EXPECT_EQ(Walk(true), kListDone);
  fs_.File(kRoot, u"one.txt");
  EXPECT_EQ(Walk(true), kListSearchLimit);
  EXPECT_TRUE(prompt_.shown.empty()) << "the walk stops without a message";
}

TEST_F(FolderWalkTest, The101stFolderWithFilesEndsTheWalkWithTheOffsetQuestion) {
  for (int i = 0; i < 100; ++i) fs_.File(fs_.Folder(kRoot, DecimalText(i)), u"p.fake");
  EXPECT_EQ(Walk(true), kListDone) << "exactly 100 folders";
  fs_.list.clear();
  fs_.File(fs_.Folder(kRoot, u"100"), u"p.fake");
  ASSERT_EQ(Walk(true), kListFolderLimit);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown.back().text, u"下位フォルダ番号≪ 101 ≫をフォルダオフセットに登録しますか ");
  EXPECT_EQ(prompt_.shown.back().caption, u"下位フォルダ数オーバー　途中打ち切り");
  EXPECT_EQ(g_SubFolderOffset, 101) << "the root held no file: one invalid folder";
  EXPECT_EQ(g_SuggestedOffset, 101);
  ASSERT_EQ(Table(), 0);
  EXPECT_EQ(tables_->folderRows, 100);
  EXPECT_EQ(tables_->rows, 100);

  // A suggestion above 800 is only shown.
  for (int i = 101; i < 806; ++i) fs_.File(fs_.Folder(kRoot, DecimalText(i)), u"p.fake");
  g_SubFolderOffset = 705;
  ASSERT_EQ(Walk(true), kListFolderLimit);
  EXPECT_EQ(prompt_.shown.back().text, u"下位フォルダ番号は ≪ 805 ≫ です ");
  EXPECT_EQ(prompt_.shown.back().buttons, Buttons::kOk);
  EXPECT_EQ(g_SubFolderOffset, 705);
  EXPECT_EQ(g_SuggestedOffset, 805);
}

TEST_F(FolderWalkTest, ASubfolderPathOf255UnitsIsLoggedAndSkippedWithItsSubtree) {
  fs_.File(kRoot, u"top.fake");
  const std::size_t root = std::u16string_view(kRoot).size();
  const std::u16string fits = fs_.Folder(kRoot, std::u16string(254 - root - 1, u'f'));
  const std::u16string deep = fs_.Folder(kRoot, std::u16string(255 - root - 1, u'q'));
  ASSERT_EQ(fits.size(), 254u);
  ASSERT_EQ(deep.size(), 255u);
  fs_.File(fits, u"kept.fake");
  fs_.File(deep, u"hidden.fake");
  fs_.File(fs_.Folder(deep, u"below"), u"hidden2.fake");
  ASSERT_EQ(Walk(true), kListDone);
  const std::u16string line = u"kodomo4 ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= 255\n" + deep;
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, line);
  EXPECT_EQ(fs_.log, std::vector<std::u16string>{line});
  ASSERT_EQ(Table(), 0);
  ASSERT_EQ(tables_->rows, 2);
  EXPECT_EQ(Row(0), u"kept.fake");
  EXPECT_EQ(FolderOf(0), fits);
  EXPECT_EQ(Row(1), u"top.fake");
  EXPECT_EQ(tables_->folderRows, 2);
}

TEST_F(FolderWalkTest, SubfolderModeWithoutAcceptedFilesFindsNoFolder) {
  fs_.File(fs_.Folder(kRoot, u"x"), u"note.txt");
  EXPECT_EQ(Walk(true), kListFailed);
  EXPECT_EQ(prompt_.shown.back().text, u"有効なフォルダが見つかりません ");
  EXPECT_EQ(prompt_.shown.back().caption, u"下位ﾌｫﾙﾀﾞ未検出   無効ﾌｫﾙﾀﾞ数 = 2");
}

}  // namespace
}  // namespace tarn
