#include "ThumbSourceDialog.h"

#include "ThumbSourceResource.h"
#include "base/Prompt.h"
#include "base/WinText.h"
#include "catalog/save/ThumbSource.h"

namespace tarn {

CThumbSourceDialog::CThumbSourceDialog() : CDialog(IDD_THUMB_SOURCE) {}

bool CThumbSourceDialog::OnInitDialog() {
  CheckDlgButton(Handle(), IDC_THUMBSRC_QUIET, g_ThumbQuietFlag ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_THUMBSRC_OVERWRITE, g_ThumbOverwriteFlag ? BST_CHECKED : BST_UNCHECKED);
  SetItemText(IDC_THUMBSRC_SIZE, std::to_wstring(g_BmpSize));
  return true;
}

bool CThumbSourceDialog::OnCommand(int id, int code, HWND) {
  if (id != IDC_THUMBSRC_DEFAULT || code != BN_CLICKED) return false;
  g_BmpSize = kBmpSizeDefault;
  SetItemText(IDC_THUMBSRC_SIZE, std::to_wstring(g_BmpSize));
  return true;
}

void CThumbSourceDialog::OnOK() {
  const std::wstring text = ItemText(IDC_THUMBSRC_SIZE);
  int size = 0;
  if (!ParseBmpSize(FromWide(text.c_str()), size)) {
    Say(u"画素サイズは 160 ～ 480 を入力してください", FromWide(text.c_str()));
    return;
  }
  g_BmpSize = size;
  g_ThumbQuietFlag = IsDlgButtonChecked(Handle(), IDC_THUMBSRC_QUIET) == BST_CHECKED ? 1 : 0;
  g_ThumbOverwriteFlag = IsDlgButtonChecked(Handle(), IDC_THUMBSRC_OVERWRITE) == BST_CHECKED ? 1 : 0;
  EndDialog(IDOK);
}

void RunThumbSourceDialog(HWND owner) {
  CThumbSourceDialog dialog;
  dialog.DoModal(owner);
}

}  // namespace tarn
