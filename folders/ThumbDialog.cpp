// CThumbDialog: opening, the boxes and their settings, the folder, the count and the deletion of
// cache files over one folder or a tree.
#include "ThumbDialog.h"

#include "base/ErrorLog.h"
#include "base/FolderBrowse.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "base/resource.h"
#include "catalog/cache/ThumbnailFiles.h"
#include "catalog/cache/Win32ThumbFiles.h"
#include "folders/CacheSearch.h"
#include "folders/FoldersResource.h"
#include "folders/ThumbCount.h"
#include "folders/Win32Directories.h"

namespace tarn {

CThumbDialog::CThumbDialog() : CPanelDialog(IDD_THUMB_DIALOG) {}

ThumbFileSystem& CThumbDialog::Files() {
  if (!m_Files) m_Files = std::make_unique<Win32ThumbFiles>(driveKind);
  return *m_Files;
}

bool CThumbDialog::OnInitDialog() { return true; }

bool CThumbDialog::Checked(int id) const { return SendItem(id, BM_GETCHECK) == BST_CHECKED; }
void CThumbDialog::Check(int id, bool on) const { SendItem(id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
std::u16string CThumbDialog::Folder() const { return FromWide(ItemText(IDC_THUMB_FOLDER).c_str()); }

void CThumbDialog::Open(HWND frame) {
  if (Handle() == nullptr) return;
  Check(IDC_THUMB_ON, g_ThumbNailFlag != 0);
  Check(IDC_THUMB_OFF, g_ThumbNailFlag == 0);
  Check(IDC_THUMB_LOW, g_ThumbLowFlag != 0);
  Check(IDC_THUMB_CLEAR, g_ClearThumbFlag != 0);
  Check(IDC_THUMB_FLV_COPY, false);
  RECT main;
  GetWindowRect(frame, &main);
  const POINT place{main.left + (GetSystemMetrics(SM_CXSCREEN) - 300) / 2, main.top + 200};
  SetWindowPos(Handle(), HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetActiveWindow(Handle());
}

void CThumbDialog::SetFolder(const std::u16string& folder) {
  if (Handle() == nullptr) return;
  SetItemText(IDC_THUMB_FOLDER, AsWide(folder));
  SetItemText(IDC_THUMB_COUNT_TEXT, L"");
}

std::u16string CThumbDialog::TargetFolder(bool tree) {
  std::u16string folder = Folder();
  if (folder.empty()) {
    Say(u"対象フォルダを≪ﾌｫﾙﾀﾞ選択≫ボタンで設定してください ", u"フォルダパス未入力");
    return {};
  }
  AppendBackslash(folder);
  if (tree && g_ThumbLowFlag && closeDisplay) closeDisplay();
  return folder;
}

bool CThumbDialog::DriveAllowed(const std::u16string& folder, bool deleting) {
  const int kind = folder.size() >= 3 ? Files().DriveKind(std::u16string_view(folder).substr(0, 3)) : 0;
  if (kind == kDriveCdRom) {
    Say(deleting ? u"ＣＤＲＯＭドライブは削除できません " : u"ＣＤＲＯＭドライブは更新できません ",
        deleting ? u"削除不可" : u"更新不可");
    return false;
  }
  if (kind == 0) {
    Say(deleting ? u"ドライブ名称不一致<-32> " : u"ドライブ名称不一致<-x01> ", u"ドライブ種別検索エラー");
    return false;
  }
  return true;
}

void CThumbDialog::Count() {
  std::u16string folder = Folder();
  if (folder.empty()) {
    Say(u"対象フォルダを≪ﾌｫﾙﾀﾞ選択≫ボタンで設定してください ", u"フォルダパス未入力");
    return;
  }
  AppendBackslash(folder);
  const int count = CountThumbnails(folder, g_CatalogSize, Files());
  SetItemText(IDC_THUMB_COUNT_TEXT, count >= 0 ? AsWide(PaddedDecimal(count, 4)) : L"");
}

void CThumbDialog::Delete(std::u16string folder) {
  if (folder.empty()) {
    Say(u"対象フォルダを≪ﾌｫﾙﾀﾞ選択≫ボタンで設定してください ", u"フォルダパス未入力");
    return;
  }
  AppendBackslash(folder);
  if (g_ThumbLowFlag && closeDisplay) closeDisplay();
  if (!DriveAllowed(folder, true)) return;
  CacheSearch search;
  {
    ProgressScope progress(u"");
    Win32Directories directories;
    search = SearchCacheFolders(folder, g_ThumbLowFlag != 0, directories, TheProgress(), WriteErrorLog);
  }
  if (search.result == kCacheSearchCancelled) return;
  if (search.found == 0) {
    Say(u"サムネイルがありません", folder + kThumbFileName);
    return;
  }
  if (g_ThumbLowFlag &&
      Say(u"下位フォルダを含むサムネイルを削除します  ≪ｷｬﾝｾﾙ≫で中止 ",
          u"下位フォルダを含むサムネイル ファイル数 = " + DecimalText(search.folders.Count()), Buttons::kOkCancel) != kAnswerOk)
    return;
  const std::vector<std::u16string> folders = g_ThumbLowFlag ? search.folders.Paths() : std::vector<std::u16string>{folder};
  bool cancelled = false;
  {
    ProgressScope progress(u"ｻﾑﾈｲﾙ 削除中・・・");
    for (std::size_t i = 0; i < folders.size(); ++i) {
      if (TheProgress().Cancelled()) {
        cancelled = true;
        break;
      }
      const std::u16string path = folders[i] + kThumbFileName;
      Files().ClearReadOnly(path);
      if (const int result = Files().WipeDelete(path, RecordLengthOf(g_CatalogSize)); result != 0) {
        Say(u"サムネイルファイルを削除できません ErrNo=" + DecimalText(result) + u"  <-x41> ", path);
        SetItemText(IDC_THUMB_COUNT_TEXT, L"");
        return;
      }
      TheProgress().SetPos(static_cast<int>((i + 1) * 100 / folders.size()));
    }
  }
  if (cancelled)
    Say(u"サムネイルの削除を中止しました ", u"削除中止");
  else
    Say(u"サムネイルを削除しました ", u"削除完了");
  SetItemText(IDC_THUMB_COUNT_TEXT, L"");
}

void CThumbDialog::DeleteCommand(const std::u16string& catalogFolder) {
  if (catalogFolder.empty()) {
    Say(u"対象フォルダを「読出・書込」ダイアログで設定してください ", u"サムネイル削除 フォルダパス未入力");
    return;
  }
  if (Say(u"上記↑↑フォルダのサムネイルを削除しますか？ \n《 元のファイルは消えません 》", catalogFolder, Buttons::kOkCancel) !=
      kAnswerOk)
    return;
  if (g_ThumbLowFlag) {
    if (Say(u"下位フォルダのサムネイルは削除を中止します ", {}, Buttons::kOkCancel) != kAnswerOk) return;
    g_ThumbLowFlag = 0;
    Check(IDC_THUMB_LOW, false);
  }
  Delete(catalogFolder);
}

void CThumbDialog::OnLargeImageOption() {
  g_ClearThumbFlag = Checked(IDC_THUMB_CLEAR) ? 1 : 0;
  std::u16string folder = Folder();
  if (folder.empty()) {
    Say(u"対象フォルダを「読出・書込」ダイアログで設定してから削除してください ", u"古いサムネイル削除 フォルダパス未入力");
    return;
  }
  if (g_ThumbLowFlag) {
    Say(u"下位フォルダのサムネイルは削除を中止します ", u"設定変更 （「下位ﾌｫﾙﾀﾞT」 ON ⇒ OFF ）");
    g_ThumbLowFlag = 0;
    Check(IDC_THUMB_LOW, false);
  }
  if (Say(u"上記↑↑フォルダの古いサムネイルを削除します ", folder, Buttons::kOkCancel) == kAnswerOk) Delete(folder);
}

bool CThumbDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_THUMB_ON:
    case IDC_THUMB_OFF: g_ThumbNailFlag = Checked(IDC_THUMB_ON) ? 1 : 0; return true;
    case IDC_THUMB_LOW: g_ThumbLowFlag = Checked(IDC_THUMB_LOW) ? 1 : 0; return true;
    case IDC_THUMB_CLEAR: OnLargeImageOption(); return true;
    case IDC_THUMB_BROWSE: {
      std::u16string folder;
      if (BrowseForFolder(Handle(), folder) == kFolderChosen) SetFolder(folder);
      return true;
    }
    case IDC_THUMB_UPDATE: Update(false); return true;
    case IDC_THUMB_DELETE: Delete(Folder()); return true;
    case IDC_THUMB_COUNT: Count(); return true;
    default: return false;
  }
}

}  // namespace tarn
