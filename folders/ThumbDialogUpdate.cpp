// CThumbDialog: "更新": the engine run over one folder or every cache file of a tree, and the
// FLV/MP4 copy, whose first phase gives the catalog's first-frame images their movie names and has
// the frame build the catalog again before the second phase updates.
#include "ThumbDialog.h"

#include <windows.h>

#include <memory>

#include "base/ErrorLog.h"
#include "base/FrameMessages.h"
#include "base/Prompt.h"
#include "base/Requests.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileClass.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "folders/CacheSearch.h"
#include "folders/FirstFrameName.h"
#include "folders/FoldersResource.h"
#include "folders/Win32Directories.h"

namespace tarn {

void CThumbDialog::StartMovieCopy() {
  Check(IDC_THUMB_FLV_COPY, true);
  Update(true);
}

void CThumbDialog::ContinueMovieCopy() {
  Check(IDC_THUMB_FLV_COPY, true);
  Update(false);
}

void CThumbDialog::Update(bool renameFirst) {
  const bool copyMode = Checked(IDC_THUMB_FLV_COPY);
  if (copyMode) {
    if (!g_ThumbNailFlag) {
      Say(u"サムネイルを 「有効」 にしてカタログを再表示してください", u"サムネイルの設定不一致");
      return;
    }
    if (g_ThumbLowFlag) {
      if (Say(u"≪下位フォルダＴ≫フラグ を OFF します ", u"FLV/MP4コピー処理 （「下位ﾌｫﾙﾀﾞT」 ON ⇒ OFF ）",
              Buttons::kOkCancel) != kAnswerOk)
        return;
      g_ThumbLowFlag = 0;
      Check(IDC_THUMB_LOW, false);
    }
  }
  const std::u16string folder = TargetFolder(true);
  if (folder.empty() || !DriveAllowed(folder, false)) return;
  if (copyMode && renameFirst) {
    const int renamed = RenameFirstFrames();
    if (renamed == 1) {
      PostMessageW(GetWindow(Handle(), GW_OWNER), WM_THUMB_DIALOG, 1, kThumbCatalogAgain);
      return;
    }
    if (renamed != 0) {
      Check(IDC_THUMB_FLV_COPY, false);
      return;
    }
  }
  RunUpdate(folder, copyMode);
}

void CThumbDialog::RunUpdate(const std::u16string& folder, bool copyMode) {
  const bool tree = g_ThumbLowFlag != 0;
  CacheSearch search;
  {
    ProgressScope progress(u"");
    Win32Directories directories;
    search = SearchCacheFolders(folder, tree, directories, TheProgress(), WriteErrorLog);
  }
  if (search.result == kCacheSearchCancelled) return;
  if (search.found == 0) {
    Say(u"サムネイルがありません", folder + kThumbFileName);
    return;
  }
  if (tree && Say(u"下位フォルダを含むサムネイルを更新します  ≪ｷｬﾝｾﾙ≫で中止 ",
                  u"下位フォルダを含むサムネイル ファイル数 = " + DecimalText(search.folders.Count()),
                  Buttons::kOkCancel) != kAnswerOk)
    return;
  const std::vector<std::u16string> folders = tree ? search.folders.Paths() : std::vector<std::u16string>{folder};
  std::u16string frames;
  if (copyMode) {
    Win32Directories directories;
    frames = FirstFrameFolder(folder, directories);
    if (frames.empty()) {
      Check(IDC_THUMB_FLV_COPY, false);
      Say(u"下位フォルダ↑↑でサムネイルを作成してください", folder + u"bmp-*\\" + kThumbFileName);
      return;
    }
  }
  const auto index = std::make_unique<ThumbnailIndex>();
  int records = 0;
  for (const std::u16string& each : folders) {
    const int result = ThumbnailEngine(0, each, tree, Files(), *index, &records, frames);
    if (copyMode) {
      Check(IDC_THUMB_FLV_COPY, false);
      if (result == kEngineCompacted) ShowWindow(Handle(), SW_HIDE);
    }
    switch (result) {
      case kEngineCompacted: continue;
      case kEngineNothingToDo: Say(u"更新不要です（差異がありません） ", each + kThumbFileName); return;
      case kEngineCancelled: Say(u"途中で中止しました ", u"キャンセル終了"); return;
      case kEngineDeletedMismatch:
        if (tree) continue;
        Say(u"サムネイルを削除しました ", u"更新完了");
        return;
      case kEngineCopied:
        Say(u"サムネイルを書き換えました ", u"コピー完了");
        PostMessageW(GetWindow(Handle(), GW_OWNER), WM_THUMB_DIALOG, 0, kThumbCatalogAgain);
        return;
      case kEngineDeclined:
        if (tree) continue;
        return;
      default: return;
    }
  }
  SetItemText(IDC_THUMB_COUNT_TEXT, tree ? L"" : AsWide(PaddedDecimal(records, 4)));
  Say(u"サムネイルを更新しました ", u"更新完了");
}

int CThumbDialog::RenameFirstFrames() {
  CatalogTables& tables = TheCatalog();
  const auto [first, end] = shownRows ? shownRows() : std::pair<int, int>{0, tables.rows};
  int renamed = 0;
  for (int row = std::max(first, 0); row < std::min(end, tables.rows); ++row) {
    CatalogEntry& entry = tables.entries[row];
    const std::u16string name(EntryName(entry));
    if (IsDroppedState(entry.state) || ClassifyFileName(name) != kClassStill) continue;
    std::u16string newName;
    const FirstFrameName rule = FirstFrameRename(name, newName);
    if (rule == FirstFrameName::kNoExtension) {
      Say(u"拡張子' . 'が検出できません ");
      return -1;
    }
    if (rule != FirstFrameName::kRename) continue;
    const std::u16string folder = FolderPathOf(tables, entry.folder);
    if (MoveFileW(AsWide(folder + name), AsWide(folder + newName))) {
      std::copy(newName.begin(), newName.end(), entry.name);
      entry.name[newName.size()] = u'\0';
      ++renamed;
    } else if (Say(u"同名のファイルがあります。スキップしますか？ ≪ｷｬﾝｾﾙ≫で終了", folder + newName, Buttons::kOkCancel) !=
               kAnswerOk) {
      return 2;
    }
  }
  return renamed > 0 ? 1 : 0;
}

}  // namespace tarn
