#include "catalog/fileops/FileOperations.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "catalog/cache/Win32ThumbFiles.h"
#include "common/Handles.h"

namespace tarn {
namespace {

// How one file of a run ended: done, left as it was (reported; the run goes on), or the run ends
// cancelled or failed.
enum Step : int { kStepDone, kStepKept, kStepCancelled, kStepEnded };

constexpr char16_t kDeleteFailedText[] = u"ファイル削除に失敗しました";
constexpr char16_t kCopyFailedText[] = u"コピーに失敗しました";
constexpr char16_t kMoveFailedText[] = u"移動に失敗しました";

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

bool SizeOf(const std::u16string& path, ULONGLONG& size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return false;
  size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

// Removes a file this program made (a copy or a staged file), which may carry the read-only
// attribute of the file it was copied from.
void RemoveOwnCopy(const std::u16string& path) {
  SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(AsWide(path));
}

// Copies `source` to `target` and answers true only when the target holds the whole file. A
// target this call created and could not finish is removed, so no partial copy is ever left
// looking like a complete one; a target that existed before is never touched when `keepExisting`.
bool CopyWhole(const std::u16string& source, const std::u16string& target, bool keepExisting) {
  if (keepExisting && Exists(target)) return false;
  if (!CopyFileW(AsWide(source), AsWide(target), keepExisting ? TRUE : FALSE)) {
    // A file that appeared under the name meanwhile is someone else's.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) RemoveOwnCopy(target);
    return false;
  }
  ULONGLONG from = 0, to = 0;
  if (SizeOf(source, from) && SizeOf(target, to) && from == to) return true;
  RemoveOwnCopy(target);
  return false;
}

// Moves `source` to `target` (replacing it only when `replace`). Within a volume this is a rename;
// across volumes the file is copied whole first and the source deleted only then, and when the
// source cannot be deleted the copy goes again, so the file is in exactly one place either way.
bool MoveWhole(const std::u16string& source, const std::u16string& target, bool replace) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExW(AsWide(source), AsWide(target), flags)) return true;
  if (GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
  if (!CopyWhole(source, target, !replace)) return false;
  if (DeleteFileW(AsWide(source))) return true;
  RemoveOwnCopy(target);
  return false;
}

// A fresh empty file in `folder` to stage a replacement in, so that the file it replaces goes only
// once its successor is complete beside it. Empty when none can be made.
std::u16string StagingFile(const std::u16string& folder) {
  wchar_t path[MAX_PATH];
  if (GetTempFileNameW(AsWide(folder), L"trn", 0, path) == 0) return {};
  return FromWide(path);
}

bool SameFolder(std::u16string a, std::u16string b) {
  AppendBackslash(a);
  AppendBackslash(b);
  return CompareStringOrdinal(AsWide(a), -1, AsWide(b), -1, TRUE) == CSTR_EQUAL;
}

// Marks a file run as under way, so that the busy guard keeps the settings it reads from changing
// while the progress window lets messages through.
class MoveRunScope {
 public:
  MoveRunScope() { g_MoveRun = 1; }
  ~MoveRunScope() { g_MoveRun = 0; }
  MoveRunScope(const MoveRunScope&) = delete;
  MoveRunScope& operator=(const MoveRunScope&) = delete;
};

void RefreshCompanions() {
  TheSettingsHost().RefreshTreeDialog();
  TheSettingsHost().RefreshFolderCounters();
}

// The quiet engine run that drops the records of files that left `folder`.
void DropGoneThumbnails(const std::u16string& folder) {
  Win32ThumbFiles files;
  auto index = std::make_unique<ThumbnailIndex>();
  ThumbnailEngine(3, folder, false, files, *index);
}

void DropGoneThumbnails(const CatalogTables& tables, const std::vector<WorkRow>& done) {
  std::vector<int> folders;
  for (const WorkRow& work : done)
    if (std::find(folders.begin(), folders.end(), work.folder) == folders.end()) folders.push_back(work.folder);
  for (int folder : folders) DropGoneThumbnails(FolderPathOf(tables, folder));
}

}  // namespace

int CatalogFileOps::DeleteOneFile(std::u16string_view pathView, int purpose) {
  const std::u16string path(pathView);
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    Say(u"ファイルが有りません<-v28> ", path);
    return kDeleteMissing;
  }
  bool clearedReadOnly = false;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    const std::u16string_view prefix = purpose == kDeleteForCopy ? u"コピー先は" : purpose == kDeleteForMove ? u"移動先は" : u"";
    const int answer = Say(std::u16string(prefix) + u"読取専用ファイル　削除しますか？ ≪ｷｬﾝｾﾙ≫で終了", path, Buttons::kYesNoCancel);
    if (answer == kAnswerCancel) return kDeleteCancelled;
    if (answer == kAnswerNo) return kDeleteSkipped;
    clearedReadOnly = ClearReadOnly(path) == 1;
  }
  bool deleted = false;
  if (g_DustBoxFlag) {
    if (path.starts_with(u"\\\\")) {
      const int answer = Say(u"ゴミ箱に移動できません　削除しますか？　≪ｷｬﾝｾﾙ≫で終了", path, Buttons::kYesNoCancel);
      if (answer == kAnswerCancel) return kDeleteCancelled;
      if (answer == kAnswerNo) return kDeleteSkipped;
    }
    // The shell can answer success for an operation it did not carry out; the file must be gone.
    deleted = RecycleDelete(path) == 0 && !Exists(path);
  } else {
    deleted = DeleteFileW(AsWide(path)) != 0;
  }
  // A file that stays keeps the protection the user had given it.
  if (!deleted && clearedReadOnly) SetFileAttributesW(AsWide(path), attributes);
  return deleted ? kDeleted : kDeleteFailed;
}

int CatalogFileOps::CopyRenamed(const std::u16string& source, const std::u16string& folder, std::u16string_view name) {
  const std::size_t period = name.rfind(u'.');
  if (period == std::u16string_view::npos) {
    Say(u"拡張子の位置を検出できません ", source);
    return kStepKept;
  }
  const std::u16string base(name.substr(0, period));
  const std::u16string extension(name.substr(period));
  for (int k = 1; k <= 5; ++k)
    if (CopyWhole(source, folder + base + u"_" + DecimalText(k) + extension, true)) return kStepDone;
  Say(u"ファイル名称を変更してもコピーできません ", source);
  return kStepKept;
}

int CatalogFileOps::ReplaceByCopy(const std::u16string& source, const std::u16string& target, const std::u16string& folder) {
  const std::u16string staged = StagingFile(folder);
  if (staged.empty() || !CopyWhole(source, staged, false)) {
    if (!staged.empty()) RemoveOwnCopy(staged);
    Say(kCopyFailedText, target);
    return kStepKept;
  }
  const int deleted = DeleteOneFile(target, kDeleteForCopy);
  if (deleted != kDeleted) {
    RemoveOwnCopy(staged);
    if (deleted == kDeleteCancelled) return kStepCancelled;
    Say(kDeleteFailedText, target);
    return kStepKept;
  }
  if (!MoveFileExW(AsWide(staged), AsWide(target), MOVEFILE_WRITE_THROUGH)) {
    RemoveOwnCopy(staged);
    Say(kCopyFailedText, target);
    return kStepKept;
  }
  return kStepDone;
}

int CatalogFileOps::CopyOne(const std::u16string& source, const std::u16string& folder, std::u16string_view name,
                            bool& renameRun) {
  const std::u16string target = folder + std::u16string(name);
  if (CopyWhole(source, target, true)) return kStepDone;
  if (!Exists(target)) {
    Say(kCopyFailedText, target);
    return kStepKept;
  }
  if (g_DustBoxFlag) {
    const int answer = Say(u"同名のファイルがあります　削除＋コピーしますか？ ≪ｷｬﾝｾﾙ≫で終了", target, Buttons::kYesNoCancel);
    if (answer == kAnswerCancel) return kStepCancelled;
    if (answer == kAnswerNo) return kStepKept;
    return ReplaceByCopy(source, target, folder);
  }
  if (!renameRun) {
    const int answer = Say(u"同名のファイルがあります 名称変更して連続コピーしますか？ ≪ｷｬﾝｾﾙ≫で終了", target, Buttons::kYesNoCancel);
    if (answer == kAnswerCancel) return kStepCancelled;
    if (answer == kAnswerNo) return kStepKept;
    renameRun = true;
  }
  return CopyRenamed(source, folder, name);
}

int CatalogFileOps::MoveOne(const std::u16string& source, const std::u16string& target, const std::u16string& folder) {
  if (MoveWhole(source, target, false)) return kStepDone;
  if (!Exists(target) || !Exists(source)) {
    Say(kMoveFailedText, target);
    return kStepKept;
  }
  const int answer = Say(u"同名のファイルがあります　削除＋移動しますか？ ≪ｷｬﾝｾﾙ≫で終了", target, Buttons::kYesNoCancel);
  if (answer == kAnswerCancel) return kStepCancelled;
  if (answer == kAnswerNo) return kStepKept;
  // The source goes beside the target first; the target is deleted only once that worked, and
  // every way back returns the source to its folder.
  const std::u16string staged = StagingFile(folder);
  if (staged.empty() || !MoveWhole(source, staged, true)) {
    if (!staged.empty()) RemoveOwnCopy(staged);
    Say(kMoveFailedText, target);
    return kStepKept;
  }
  const int deleted = DeleteOneFile(target, kDeleteForMove);
  if (deleted == kDeleted && MoveFileExW(AsWide(staged), AsWide(target), MOVEFILE_WRITE_THROUGH)) return kStepDone;
  if (!MoveWhole(staged, source, false)) Say(kMoveFailedText, staged);
  if (deleted == kDeleteCancelled) return kStepCancelled;
  Say(deleted == kDeleted ? kMoveFailedText : kDeleteFailedText, target);
  return kStepKept;
}

void CatalogFileOps::RowGone(int row) {
  tables_.offeredRows = std::max(0, tables_.offeredRows - 1);
  if (canvas_.CatalogShown()) {
    // A display window's delete may take a row that was never selected.
    if (IsSelected(tables_.entries[row].state)) state_.selected = std::max(0, state_.selected - 1);
    VacateCell(tables_, canvas_, row);
  } else {
    tables_.entries[row].state = kEntryVacated;
  }
  ++vacated_;
  RefreshCompanions();
}

void CatalogFileOps::AfterRun(bool filesLeft, const std::vector<WorkRow>& done) {
  if (g_CatRenewFlag && vacated_ > 0) CloseGaps(tables_, state_, canvas_, offset_, shownEnd_, true);
  if (state_.marked > 0) ClearMarks(tables_, state_, canvas_, kClearMarks);
  if (g_ThumbNailFlag && filesLeft) DropGoneThumbnails(tables_, done);
}

int CatalogFileOps::CopyMoveDelete(int operation, std::u16string_view target) { return Run(operation, target, nullptr); }

int CatalogFileOps::DeleteEntry(int row, std::u16string_view path) {
  const int found = FindEntryRow(tables_, row, path);
  if (found < 0) {
    Say(u"ファイルが有りません<-v28> ", path);
    return kOpRefused;
  }
  const WorkRow work{.row = found, .position = found - offset_, .folder = tables_.entries[found].folder};
  return Run(kOpDelete, {}, &work);
}

int CatalogFileOps::Run(int operation, std::u16string_view targetView, const WorkRow* only) {
  vacated_ = 0;
  done_ = 0;
  if (g_MultiWindowFlag) {
    g_MultiWindowFlag = 0;
    Say(u"「複数画面表示」を OFF します。再実行してください ", u"画面設定変更");
    return kOpRefused;
  }
  TheSettingsHost().CloseDisplayWindows();
  if (tables_.rows <= 0) {
    Say(u"メニューの「読出・書込」でカタログを表示してください");
    return kOpRefused;
  }
  const std::u16string_view op = OperationName(operation, g_DustBoxFlag != 0);
  if (op.empty()) {
    Say(u"該当処理無しエラー");
    return kOpRefused;
  }
  const bool shown = canvas_.CatalogShown();
  const std::vector<WorkRow> rows = only != nullptr ? std::vector<WorkRow>{*only} : CollectWorkRows(tables_, state_.marked > 0, offset_);
  if (rows.empty()) {
    const std::u16string text = g_SinglClickFlag && shown
                                    ? u"≪設定(S)≫の≪ｼﾝｸﾞﾙ・ｸﾘｯｸ≫を解除して \n\nカタログから" + std::u16string(op) + u"ファイルを選択してください "
                                    : u"カタログから" + std::u16string(op) + u"ファイルを選択してください ";
    Say(text, u"ファイル未選択");
    return kOpRefused;
  }
  if (operation == kOpDeletionList) {
    const DeletionList list = BuildDeletionList(tables_, rows, deletionLine_);
    deletionLine_ = list.line;
    deletionListed_ = list.listed;
    if (!list.listed.empty()) deletionFolder_ = FolderPathOf(tables_, list.listed.front().folder);
    return list.cut ? kOpListCut : kOpDone;
  }
  std::u16string target(targetView);
  AppendBackslash(target);
  if (operation == kOpCopy || operation == kOpMove) {
    // Every row is checked before the first file is touched, so a refusal leaves all as it was.
    for (const WorkRow& work : rows) {
      if (SameFolder(FolderPathOf(tables_, work.folder), target)) {
        Say(operation == kOpCopy ? u"コピー元とコピー先が同一です" : u"移動元と移動先が同一です", u"　フォルダ指定エラー");
        return kOpRefused;
      }
    }
  }
  if (operation == kOpDelete && shown) {
    const bool one = rows.size() == 1;
    const std::u16string caption = one ? std::u16string(EntryName(tables_.entries[rows[0].row]))
                                       : u"ファイル数   " + DecimalText(static_cast<long long>(rows.size()));
    if (Say(std::u16string(one ? u"ファイルを" : u"複数ファイルを") + std::u16string(op) + u"しますか ", caption,
            Buttons::kOkCancel) != kAnswerOk)
      return kOpCancelled;
  }

  int result = kOpDone;
  bool renameRun = false;
  std::vector<WorkRow> done;
  {
    MoveRunScope busy;
    ProgressScope progress(u"ﾌｧｲﾙ " + std::u16string(op) + u"中・・・");
    for (std::size_t i = 0; i < rows.size(); ++i) {
      TheProgress().SetPos(static_cast<int>(i * 100 / rows.size()));
      if (TheProgress().Cancelled()) break;
      const WorkRow& work = rows[i];
      const std::u16string folder = FolderPathOf(tables_, work.folder);
      const std::u16string_view name = EntryName(tables_.entries[work.row]);
      const std::u16string source = folder + std::u16string(name);
      const int step = operation == kOpCopy   ? CopyOne(source, target, name, renameRun)
                       : operation == kOpMove ? MoveOne(source, target + std::u16string(name), target)
                                              : DeleteRow(source);
      if (step == kStepCancelled || step == kStepEnded) {
        result = step == kStepCancelled ? kOpCancelled : kOpRefused;
        break;
      }
      if (step == kStepDone) ++done_;
      if (operation == kOpCopy) {
        // Marked rows stay marked until the run ends and turns the marks into selections.
        if (shown && state_.marked == 0) InvTitleColor(tables_, state_, canvas_, work.row, {}, kTitleDeselectCounted);
        TheSettingsHost().RefreshTreeDialog();
      } else if (step == kStepDone) {
        RowGone(work.row);
        done.push_back(work);
      }
    }
  }
  AfterRun(operation == kOpMove || operation == kOpDelete, done);
  return result;
}

int CatalogFileOps::DeleteRow(const std::u16string& source) {
  switch (DeleteOneFile(source, kDeletePlain)) {
    case kDeleted:
      return kStepDone;
    case kDeleteSkipped:
      return kStepKept;
    case kDeleteCancelled:
      return kStepCancelled;
    default:
      Say(u"削除失敗 CopyMoveDelete Error<-v27> ");
      return kStepEnded;
  }
}

int CatalogFileOps::CompleteDelete() {
  vacated_ = 0;
  if (g_SlideShowRun) return kOpRefused;
  if (CollectWorkRows(tables_, state_.marked > 0, offset_).empty()) {
    Say(u"カタログからファイルを選択してください");
    return kOpRefused;
  }
  const std::u16string program(g_AppliName[2], std::find(std::begin(g_AppliName[2]), std::end(g_AppliName[2]), u'\0'));
  if (program.empty()) {
    Say(u"「完全削除アプリ」を設定してください", u"起動アプリ未設定");
    return kOpRefused;
  }
  deletionLine_ = DeletionProgramPrefix(program);
  const int listed = CopyMoveDelete(kOpDeletionList);
  if (listed != kOpDone && listed != kOpListCut) return listed;
  if (listed == kOpListCut)
    Say(u"削除するファイルパスが長いので途中打切します",
        u"完全削除ファイル数 = " + DecimalText(static_cast<long long>(deletionListed_.size())));

  std::u16string line = deletionLine_;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ProcessHandles process;
  if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, process.Fill())) {
    // Nothing was handed over: the rows stay selected in the catalog.
    Say(u"「完全削除アプリ」の設定を確認してください_5 ");
    return kOpRefused;
  }
  WaitForSingleObject(process.Process(), INFINITE);
  for (const WorkRow& work : deletionListed_) RowGone(work.row);
  AfterRun(true, deletionListed_);
  return listed;
}

int CatalogFileOps::RenameEntry(std::u16string_view newName) {
  const int row = state_.cursor;
  if (row < 0 || row >= std::min(tables_.rows, kCatalogRowsMax)) return kRenameUnchanged;
  const std::u16string oldName(EntryName(tables_.entries[row]));
  if (newName.empty() || EqualsIgnoreCase(newName, oldName)) return kRenameUnchanged;
  if (!CheckNewName(newName)) return kRenameRefused;
  const std::u16string folder = FolderPathOf(tables_, tables_.entries[row].folder);
  const std::u16string oldPath = folder + oldName;
  const std::u16string newPath = folder + std::u16string(newName);
  // A name that names another folder would move the file out of its own.
  if (newName.find_first_of(u"\\/:*?\"<>|") != std::u16string_view::npos) {
    Say(u"名称変更できません1", newPath);
    return kRenameRefused;
  }
  const DWORD attributes = GetFileAttributesW(AsWide(oldPath));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    Say(u"ファイルが有りません<-v26> ", oldPath);
    return kRenameRefused;
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) &&
      Say(u"読み取り専用ファイルです。名前を変更しますか", u"ファイル名の変更確認", Buttons::kOkCancel) != kAnswerOk)
    return kRenameCancelled;
  // Never replaces: a file already holding the new name stays as it is.
  if (!MoveFileExW(AsWide(oldPath), AsWide(newPath), 0)) {
    Say(u"名称変更できません1", newPath);
    return kRenameRefused;
  }
  InvTitleColor(tables_, state_, canvas_, row, newName, kTitleRename);
  return kRenamed;
}

}  // namespace tarn
