// Copy, move, delete, complete deletion and rename of catalog entries on real files in a folder of
// the test's own: after each run the exact files of the source and the target, with their contents.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/fileops/FileOperations.h"
#include "catalog/cache/ThumbnailFiles.h"
#include "catalog/cache/ThumbnailRecord.h"
#include "tests/plugin_host/HostFixture.h"
#include "tests/support/RecordingCanvas.h"

namespace tarn::test {
namespace {

using Files = std::map<std::wstring, std::string>;

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

bool IsReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

class FileOpsTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    source_ = folder_ + L"source\\";
    target_ = folder_ + L"target\\";
    CreateDirectoryW(source_.c_str(), nullptr);
    CreateDirectoryW(target_.c_str(), nullptr);
    CatalogTables& tables = TheCatalog();
    tables.rows = tables.offeredRows = 0;
    SetFolder(0, source_);
    SetFolder(1, folder_);
    tables.folderRows = 2;
    g_DustBoxFlag = 0;
    g_ThumbNailFlag = 0;
    g_CatRenewFlag = 0;
    g_MultiWindowFlag = 0;
    g_SinglClickFlag = 0;
    g_SlideShowRun = 0;
    g_AppliName[2][0] = u'\0';
  }

  void TearDown() override {
    for (HANDLE h : locks_) CloseHandle(h);
    RemoveTree(source_);
    RemoveTree(target_);
    RemoveTree(folder_ + L"shred dir\\");
    HostTest::TearDown();
  }

  static void SetFolder(int row, const std::wstring& path) {
    const std::u16string p = FromWide(path.c_str());
    std::fill(std::begin(TheCatalog().folders[row].path), std::end(TheCatalog().folders[row].path), u'\0');
    std::copy(p.begin(), p.end(), TheCatalog().folders[row].path);
  }

  // A row for `name` of folder row `folder`, selected unless said otherwise.
  int AddRow(const std::wstring& name, int folder = 0, std::int32_t state = kEntrySelected) {
    CatalogTables& tables = TheCatalog();
    CatalogEntry& e = tables.entries[tables.rows];
    e = CatalogEntry{};
    const std::u16string n = FromWide(name.c_str());
    std::copy(n.begin(), n.end(), e.name);
    e.folder = folder;
    e.state = state;
    e.slot = tables.rows;
    if (state == kEntrySelected) ++state_.selected;
    tables.offeredRows = ++tables.rows;
    ops_.SetShownRange(0, tables.rows);
    return tables.rows - 1;
  }

  void Put(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }

  // Opens the file with no sharing, as a program holding it would, until the test ends.
  void Lock(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    locks_.push_back(h);
  }

  // Every file directly in `folder` with its bytes.
  Files FilesIn(const std::wstring& folder) {
    Files files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files[found.cFileName] = ReadFile(folder + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
  }

  std::u16string U(const std::wstring& s) { return FromWide(s.c_str()); }
  std::vector<std::u16string> Texts() {
    std::vector<std::u16string> texts;
    for (const auto& m : prompt_.shown) texts.push_back(m.text);
    return texts;
  }
  std::int32_t State(int row) { return TheCatalog().entries[row].state; }

  std::wstring source_, target_;
  SelectionState state_;
  RecordingCanvas canvas_;
  CancellingProgress cancel_;
  CatalogFileOps ops_{TheCatalog(), state_, canvas_};
  std::vector<HANDLE> locks_;
};

constexpr char16_t kRenameQuestion[] = u"同名のファイルがあります 名称変更して連続コピーしますか？ ≪ｷｬﾝｾﾙ≫で終了";
constexpr char16_t kReplaceCopyQuestion[] = u"同名のファイルがあります　削除＋コピーしますか？ ≪ｷｬﾝｾﾙ≫で終了";
constexpr char16_t kReplaceMoveQuestion[] = u"同名のファイルがあります　削除＋移動しますか？ ≪ｷｬﾝｾﾙ≫で終了";

TEST_F(FileOpsTest, CopyRenamesUnderNumberedNamesUpToFive) {
  Put(source_ + L"a.jpg", "new a");
  Put(source_ + L"b.jpg", "bee");
  Put(source_ + L"c.png", "new c");
  Put(target_ + L"a.jpg", "old a");
  Put(target_ + L"a_1.jpg", "one");
  Put(target_ + L"c.png", "old c");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  AddRow(L"c.png");
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  // One question for the run: the Yes holds for every later file of the same name.
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, kRenameQuestion);
  EXPECT_EQ(prompt_.shown[0].caption, U(target_ + L"a.jpg"));
  EXPECT_EQ(prompt_.shown[0].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(cancel_.opens.front(), u"ﾌｧｲﾙ コピー中・・・");
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"},
                                      {L"a_1.jpg", "one"},
                                      {L"a_2.jpg", "new a"},
                                      {L"b.jpg", "bee"},
                                      {L"c.png", "old c"},
                                      {L"c_1.png", "new c"}}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}, {L"b.jpg", "bee"}, {L"c.png", "new c"}}));
  EXPECT_EQ(State(0), kEntryNormal) << "a copied row is deselected";
  EXPECT_EQ(state_.selected, 0);

  // With a_1 .. a_5 taken the sixth name is not tried.
  for (int k = 3; k <= 5; ++k) Put(target_ + L"a_" + std::to_wstring(k) + L".jpg", "k");
  const Files before = FilesIn(target_);
  prompt_.shown.clear();
  TheCatalog().entries[0].state = kEntrySelected;
  state_.selected = 1;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kRenameQuestion, u"ファイル名称を変更してもコピーできません "}));
  EXPECT_EQ(FilesIn(target_), before);
}

TEST_F(FileOpsTest, CopyNoSkipsAndCancelEnds) {
  Put(source_ + L"a.jpg", "new a");
  Put(source_ + L"b.jpg", "bee");
  Put(target_ + L"a.jpg", "old a");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  prompt_.answers = {kAnswerNo};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}, {L"b.jpg", "bee"}}));

  DeleteFileW((target_ + L"b.jpg").c_str());
  TheCatalog().entries[0].state = TheCatalog().entries[1].state = kEntrySelected;
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpCancelled);
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}})) << "nothing after the Cancel is copied";
  EXPECT_EQ(State(1), kEntrySelected);
}

TEST_F(FileOpsTest, CopyWithDustBoxReplacesOnlyAWholeCopy) {
  g_DustBoxFlag = 1;
  Put(source_ + L"a.jpg", "new a");
  Put(target_ + L"a.jpg", "old a");
  SetFileAttributesW((target_ + L"a.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  AddRow(L"a.jpg");
  // Yes to the replacement, No to deleting the read-only target: the target stays as it was.
  prompt_.answers = {kAnswerYes, kAnswerNo};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kReplaceCopyQuestion,
                                                  u"コピー先は読取専用ファイル　削除しますか？ ≪ｷｬﾝｾﾙ≫で終了",
                                                  u"ファイル削除に失敗しました"}));
  EXPECT_EQ(prompt_.shown[0].caption, U(target_ + L"a.jpg"));
  EXPECT_EQ(prompt_.shown[1].caption, U(target_ + L"a.jpg"));
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}})) << "no staged copy is left behind";
  EXPECT_TRUE(IsReadOnly(target_ + L"a.jpg"));

  // Yes twice: the old target goes to the recycle bin and the copy takes its name.
  prompt_.shown.clear();
  TheCatalog().entries[0].state = kEntrySelected;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  EXPECT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "new a"}}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}}));
}

TEST_F(FileOpsTest, CopyIntoAVanishedFolderTouchesNothing) {
  Put(source_ + L"a.jpg", "a");
  Put(source_ + L"b.jpg", "b");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  const std::wstring gone = folder_ + L"gone\\";
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(gone)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"コピーに失敗しました", u"コピーに失敗しました"}));
  EXPECT_EQ(GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}, {L"b.jpg", "b"}}));
}

TEST_F(FileOpsTest, SameFolderIsRefusedBeforeAnyFileMoves) {
  Put(folder_ + L"x.jpg", "x");
  Put(source_ + L"a.jpg", "a");
  AddRow(L"x.jpg", 1);
  AddRow(L"a.jpg", 0);
  // The same folder written without its backslash and in other letters is still the same folder.
  std::wstring same = source_.substr(0, source_.size() - 1);
  CharUpperW(same.data());
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(same)), kOpRefused);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"移動元と移動先が同一です");
  EXPECT_EQ(prompt_.shown[0].caption, u"　フォルダ指定エラー");
  EXPECT_EQ(FilesIn(folder_).count(L"x.jpg"), 1u) << "the row before the refused one did not move";
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));
  EXPECT_EQ(State(0), kEntrySelected);

  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(source_)), kOpRefused);
  EXPECT_EQ(prompt_.shown[1].text, u"コピー元とコピー先が同一です");
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));
}

TEST_F(FileOpsTest, MoveOntoAnExistingName) {
  Put(source_ + L"a.jpg", "new a");
  Put(source_ + L"b.jpg", "bee");
  Put(target_ + L"a.jpg", "old a");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  prompt_.answers = {kAnswerNo};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kReplaceMoveQuestion}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}}));
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}, {L"b.jpg", "bee"}}));
  EXPECT_EQ(State(0), kEntrySelected) << "a skipped row stays selected";
  EXPECT_EQ(State(1), kEntryVacated);
  EXPECT_EQ(canvas_.whites, (std::vector<int>{1}));
  EXPECT_EQ(TheCatalog().offeredRows, 1);
  EXPECT_EQ(TheCatalog().rows, 2) << "the vacated row stays in the table until compaction";
  EXPECT_EQ(ops_.Vacated(), 1);
  EXPECT_EQ(state_.selected, 1);

  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpCancelled);
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}}));

  prompt_.answers = {kAnswerYes};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  EXPECT_TRUE(FilesIn(source_).empty());
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "new a"}, {L"b.jpg", "bee"}}));
  EXPECT_EQ(State(0), kEntryVacated);
  EXPECT_EQ(state_.selected, 0);
}

TEST_F(FileOpsTest, MoveOntoAReadOnlyTargetDeclinedPutsTheSourceBack) {
  Put(source_ + L"a.jpg", "new a");
  Put(target_ + L"a.jpg", "old a");
  SetFileAttributesW((target_ + L"a.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  AddRow(L"a.jpg");
  prompt_.answers = {kAnswerYes, kAnswerNo};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kReplaceMoveQuestion,
                                                  u"移動先は読取専用ファイル　削除しますか？ ≪ｷｬﾝｾﾙ≫で終了",
                                                  u"ファイル削除に失敗しました"}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}}));
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}}));
  EXPECT_EQ(State(0), kEntrySelected);

  // Cancel at the read-only question ends the run, again with the source back in place.
  prompt_.answers = {kAnswerYes, kAnswerCancel};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpCancelled);
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "new a"}}));
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "old a"}}));
  EXPECT_TRUE(IsReadOnly(target_ + L"a.jpg"));
}

TEST_F(FileOpsTest, FailedMovesLeaveTheSource) {
  Put(source_ + L"a.jpg", "a");
  Put(source_ + L"b.jpg", "b");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  Lock(source_ + L"a.jpg");
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"移動に失敗しました"}));
  EXPECT_EQ(prompt_.shown[0].caption, U(target_ + L"a.jpg"));
  EXPECT_EQ(FilesIn(target_), (Files{{L"b.jpg", "b"}})) << "the run goes on after a failed file";
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(State(1), kEntryVacated);
  CloseHandle(locks_.back());
  locks_.pop_back();
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));

  prompt_.shown.clear();
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(folder_ + L"gone\\")), kOpDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"移動に失敗しました"}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));
}

TEST_F(FileOpsTest, DeleteAsksThenDeletesDirectly) {
  Put(source_ + L"a.jpg", "a");
  Put(source_ + L"b.jpg", "b");
  Put(source_ + L"c.jpg", "c");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg", 0, kEntryNormal);
  AddRow(L"c.jpg");
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpCancelled);
  EXPECT_EQ(prompt_.shown[0].text, u"複数ファイルを削除しますか ");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイル数   2");
  EXPECT_EQ(prompt_.shown[0].buttons, Buttons::kOkCancel);
  EXPECT_EQ(FilesIn(source_).size(), 3u);

  g_CatRenewFlag = 1;
  state_.cursor = 2;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpDone);
  EXPECT_EQ(cancel_.opens.back(), u"画像ｶﾀﾛｸﾞ 再配置中・・・");
  EXPECT_EQ(FilesIn(source_), (Files{{L"b.jpg", "b"}}));
  // The gaps closed: b.jpg moved up to row 0; the cursor on a deleted row went to the first free row.
  EXPECT_EQ(EntryName(TheCatalog().entries[0]), u"b.jpg");
  EXPECT_EQ(State(0), kEntryNormal);
  EXPECT_EQ(State(1), kEntryVacated);
  EXPECT_EQ(State(2), kEntryVacated);
  EXPECT_EQ(state_.cursor, 1);
  EXPECT_EQ(canvas_.views, 1);
  EXPECT_EQ(ops_.Vacated(), 2);
}

TEST_F(FileOpsTest, MovesAndDeletesDropTheThumbnailsOfFilesThatLeft) {
  g_ThumbNailFlag = 1;
  g_CatalogSize = 1;
  const ThumbGeometry geometry = GeometryOf(1);
  std::string cache;
  for (const char16_t* name : {u"a.jpg", u"b.jpg", u"c.jpg"}) {
    std::string record(static_cast<std::size_t>(geometry.recordLength), '\0');
    ASSERT_TRUE(WriteHeader(4, LiveCode(1), 0, 1, name, reinterpret_cast<std::uint8_t*>(record.data())));
    cache += record;
  }
  Put(source_ + L"_THUMB_N.TRN", cache);
  for (const wchar_t* name : {L"a.jpg", L"b.jpg", L"c.jpg"}) Put(source_ + name, "x");
  AddRow(L"a.jpg");
  AddRow(L"b.jpg");
  AddRow(L"c.jpg", 0, kEntryNormal);
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  // The quiet engine run kept the one record whose file is still there.
  const std::string left = ReadFile(source_ + L"_THUMB_N.TRN");
  ASSERT_EQ(left.size(), static_cast<std::size_t>(geometry.recordLength));
  EXPECT_EQ(left, cache.substr(2 * left.size()));
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "x"}, {L"b.jpg", "x"}}));
}

TEST_F(FileOpsTest, DeleteToTheRecycleBin) {
  g_DustBoxFlag = 1;
  Put(source_ + L"a b.jpg", "a");
  Put(source_ + L"c.jpg", "c");
  AddRow(L"a b.jpg");
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpDone);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイルをゴミ箱に移しますか ");
  EXPECT_EQ(prompt_.shown[0].caption, u"a b.jpg");
  EXPECT_EQ(cancel_.opens.front(), u"ﾌｧｲﾙ ゴミ箱に移中・・・");
  EXPECT_EQ(FilesIn(source_), (Files{{L"c.jpg", "c"}}));
  EXPECT_EQ(State(0), kEntryVacated);
}

TEST_F(FileOpsTest, DeleteReadOnlyMissingAndLockedFiles) {
  Put(source_ + L"r.jpg", "r");
  SetFileAttributesW((source_ + L"r.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  AddRow(L"r.jpg");
  prompt_.answers = {kAnswerOk, kAnswerNo};
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpDone);
  EXPECT_EQ(prompt_.shown[1].text, u"読取専用ファイル　削除しますか？ ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_EQ(prompt_.shown[1].caption, U(source_ + L"r.jpg"));
  EXPECT_EQ(FilesIn(source_), (Files{{L"r.jpg", "r"}}));
  EXPECT_TRUE(IsReadOnly(source_ + L"r.jpg"));
  EXPECT_EQ(State(0), kEntrySelected);

  // A missing file and then a locked one: each ends the run, the files after it stay.
  Put(source_ + L"l.jpg", "l");
  Put(source_ + L"z.jpg", "z");
  TheCatalog().entries[0].state = kEntryNormal;
  AddRow(L"gone.jpg");
  AddRow(L"z.jpg");
  prompt_.shown.clear();
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpRefused);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"複数ファイルを削除しますか ", u"ファイルが有りません<-v28> ",
                                                  u"削除失敗 CopyMoveDelete Error<-v27> "}));
  EXPECT_EQ(prompt_.shown[1].caption, U(source_ + L"gone.jpg"));

  TheCatalog().entries[1].state = TheCatalog().entries[2].state = kEntryNormal;
  AddRow(L"l.jpg");
  Lock(source_ + L"l.jpg");
  prompt_.shown.clear();
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpRefused);
  EXPECT_EQ(prompt_.shown.back().text, u"削除失敗 CopyMoveDelete Error<-v27> ");
  CloseHandle(locks_.back());
  locks_.pop_back();
  EXPECT_EQ(FilesIn(source_), (Files{{L"l.jpg", "l"}, {L"r.jpg", "r"}, {L"z.jpg", "z"}}));
  EXPECT_EQ(State(3), kEntrySelected);
}

TEST_F(FileOpsTest, CancelAfterTheFirstFileKeepsItDone) {
  for (const wchar_t* name : {L"a.jpg", L"b.jpg", L"c.jpg"}) {
    Put(source_ + name, "x");
    AddRow(name);
  }
  cancel_.cancelAtCheck = 2;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpDone);
  EXPECT_EQ(FilesIn(target_), (Files{{L"a.jpg", "x"}}));
  EXPECT_EQ(FilesIn(source_), (Files{{L"b.jpg", "x"}, {L"c.jpg", "x"}}));
  EXPECT_EQ(cancel_.positions, (std::vector<int>{0, 33}));
  EXPECT_EQ(State(0), kEntryVacated);
  EXPECT_EQ(State(1), kEntrySelected);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(FileOpsTest, TheBusyGuardHoldsWhileFilesAreWorkedOn) {
  struct Probe : RecordingProgressWindow {
    std::vector<int> busy;
    void SetPos(int) override { busy.push_back(g_MoveRun); }
  } probe;
  Put(source_ + L"a.jpg", "a");
  AddRow(L"a.jpg");
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpDone);
  EXPECT_EQ(probe.busy, (std::vector<int>{1}));
  EXPECT_EQ(g_MoveRun, 0);
}

TEST_F(FileOpsTest, RefusalsBeforeAnyFile) {
  Put(source_ + L"a.jpg", "a");
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpRefused);
  AddRow(L"a.jpg", 0, kEntryNormal);
  g_SinglClickFlag = 1;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpMove, U(target_)), kOpRefused);
  g_SinglClickFlag = 0;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpDelete), kOpRefused);
  EXPECT_EQ(ops_.CopyMoveDelete(10), kOpRefused);
  g_MultiWindowFlag = 1;
  EXPECT_EQ(ops_.CopyMoveDelete(kOpCopy, U(target_)), kOpRefused);
  EXPECT_EQ(g_MultiWindowFlag, 0);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{
                         u"メニューの「読出・書込」でカタログを表示してください",
                         u"≪設定(S)≫の≪ｼﾝｸﾞﾙ・ｸﾘｯｸ≫を解除して \n\nカタログから移動ファイルを選択してください ",
                         u"カタログから削除ファイルを選択してください ",
                         u"該当処理無しエラー",
                         u"「複数画面表示」を OFF します。再実行してください ",
                     }));
  EXPECT_EQ(prompt_.shown[1].caption, u"ファイル未選択");
  EXPECT_EQ(prompt_.shown[4].caption, u"画面設定変更");
  EXPECT_TRUE(FilesIn(target_).empty());
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));
}

class CompleteDeleteTest : public FileOpsTest {
 protected:
  void SetUp() override {
    FileOpsTest::SetUp();
    CreateDirectoryW((folder_ + L"shred dir\\").c_str(), nullptr);
    SetEnvironmentVariableW(L"TARN_RECORD_ARGS", (folder_ + L"args.txt").c_str());
  }
  void SetProgram(const std::wstring& path) {
    const std::u16string p = U(path);
    std::fill(std::begin(g_AppliName[2]), std::end(g_AppliName[2]), u'\0');
    std::copy(p.begin(), p.end(), g_AppliName[2]);
  }
  std::wstring Recorded() {
    const std::string bytes = ReadFile(folder_ + L"args.txt");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  }
};

TEST_F(CompleteDeleteTest, TheProgramGetsTheSelectedPaths) {
  const std::wstring program = folder_ + L"shred dir\\Shredit.exe";
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"RecordArgs.exe").c_str(), program.c_str(), FALSE));
  SetProgram(program);
  Put(source_ + L"a.jpg", "a");
  Put(source_ + L"b c.jpg", "b");
  Put(source_ + L"d.jpg", "d");
  AddRow(L"a.jpg");
  AddRow(L"b c.jpg");
  AddRow(L"d.jpg", 0, kEntryNormal);
  EXPECT_EQ(ops_.CompleteDelete(), kOpDone);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(Recorded(), L"\"" + program + L"\" <Tarn> " + source_ + L"a.jpg \"" + source_ + L"b c.jpg\" ");
  EXPECT_EQ(State(0), kEntryVacated);
  EXPECT_EQ(State(1), kEntryVacated);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(ops_.DeletionFolder(), U(source_));
  EXPECT_EQ(FilesIn(source_).size(), 3u) << "only the program deletes";
}

TEST_F(CompleteDeleteTest, ALongListIsCutAt24000CharactersAndTheRestStaysSelected) {
  const std::wstring program = folder_ + L"shred dir\\Shredit.exe";
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"RecordArgs.exe").c_str(), program.c_str(), FALSE));
  SetProgram(program);
  // Names of 120 units: far fewer than 300 paths fit the program's line.
  constexpr int kFiles = 300;
  for (int i = 0; i < kFiles; ++i) {
    const std::wstring name = std::to_wstring(1000 + i) + std::wstring(112, L'x') + L".jpg";
    Put(source_ + name, "p");
    AddRow(name.c_str());
  }
  EXPECT_EQ(ops_.CompleteDelete(), kOpListCut);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"削除するファイルパスが長いので途中打切します");
  const std::wstring line = Recorded();
  EXPECT_LE(line.size(), 24000u);
  int listed = 0;
  while (listed < kFiles && State(listed) == kEntryVacated) ++listed;
  ASSERT_GT(listed, 0);
  ASSERT_LT(listed, kFiles);
  EXPECT_EQ(prompt_.shown[0].caption, u"完全削除ファイル数 = " + DecimalText(listed));
  for (int row = listed; row < kFiles; ++row) ASSERT_EQ(State(row), kEntrySelected) << row;
  // The line names exactly the listed files, and one more would not have fitted.
  const std::wstring next = source_ + std::to_wstring(1000 + listed) + std::wstring(112, L'x') + L".jpg";
  EXPECT_EQ(line.find(next), std::wstring::npos);
  EXPECT_GT(line.size() + next.size() + 5, 24000u);
  EXPECT_EQ(FilesIn(source_).size(), static_cast<std::size_t>(kFiles)) << "only the program deletes";
}

TEST_F(CompleteDeleteTest, NothingIsHandedOverWhenTheProgramCannotStart) {
  Put(source_ + L"a.jpg", "a");
  EXPECT_EQ(ops_.CompleteDelete(), kOpRefused);
  AddRow(L"a.jpg");
  EXPECT_EQ(ops_.CompleteDelete(), kOpRefused);
  SetProgram(folder_ + L"shred dir\\missing.exe");
  EXPECT_EQ(ops_.CompleteDelete(), kOpRefused);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"カタログからファイルを選択してください",
                                                  u"「完全削除アプリ」を設定してください",
                                                  u"「完全削除アプリ」の設定を確認してください_5 "}));
  EXPECT_EQ(prompt_.shown[1].caption, u"起動アプリ未設定");
  EXPECT_EQ(State(0), kEntrySelected) << "the row stays selected for another try";
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}}));
}

TEST_F(FileOpsTest, RenameNeverReplacesAFile) {
  Put(source_ + L"a.jpg", "a");
  Put(source_ + L"b.jpg", "b");
  state_.cursor = AddRow(L"a.jpg", 0, kEntryNormal);
  AddRow(L"b.jpg", 0, kEntryNormal);
  EXPECT_EQ(ops_.RenameEntry(u"b.jpg"), kRenameRefused);
  EXPECT_EQ(ops_.RenameEntry(u"..\\a.jpg"), kRenameRefused);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"名称変更できません1", u"名称変更できません1"}));
  EXPECT_EQ(prompt_.shown[0].caption, U(source_ + L"b.jpg"));
  EXPECT_EQ(FilesIn(source_), (Files{{L"a.jpg", "a"}, {L"b.jpg", "b"}}));
  EXPECT_TRUE(FilesIn(folder_).count(L"a.jpg") == 0);
  EXPECT_EQ(EntryName(TheCatalog().entries[0]), u"a.jpg");

  EXPECT_EQ(ops_.RenameEntry(u"A.JPG"), kRenameUnchanged);
  EXPECT_EQ(ops_.RenameEntry(u""), kRenameUnchanged);
  EXPECT_EQ(ops_.RenameEntry(u"a.photo2"), kRenameRefused);
  EXPECT_EQ(ops_.RenameEntry(u"c.jpeg"), kRenamed);
  EXPECT_EQ(FilesIn(source_), (Files{{L"b.jpg", "b"}, {L"c.jpeg", "a"}}));
  EXPECT_EQ(EntryName(TheCatalog().entries[0]), u"c.jpeg");
  EXPECT_EQ(canvas_.titles, (std::vector<int>{0}));

  SetFileAttributesW((source_ + L"c.jpeg").c_str(), FILE_ATTRIBUTE_READONLY);
  prompt_.shown.clear();
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(ops_.RenameEntry(u"d.jpg"), kRenameCancelled);
  EXPECT_EQ(prompt_.shown[0].text, u"読み取り専用ファイルです。名前を変更しますか");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイル名の変更確認");
  EXPECT_EQ(FilesIn(source_), (Files{{L"b.jpg", "b"}, {L"c.jpeg", "a"}}));

  SetFileAttributesW((source_ + L"c.jpeg").c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW((source_ + L"c.jpeg").c_str());
  EXPECT_EQ(ops_.RenameEntry(u"d.jpg"), kRenameRefused);
  EXPECT_EQ(prompt_.shown.back().text, u"ファイルが有りません<-v26> ");
  EXPECT_EQ(prompt_.shown.back().caption, U(source_ + L"c.jpeg"));
}

}  // namespace
}  // namespace tarn::test
