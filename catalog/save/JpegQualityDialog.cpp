#include "catalog/save/JpegQualityDialog.h"

#include <commctrl.h>

#include "base/Prompt.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/save/SaveResource.h"

namespace tarn {

CJpegQualityDialog::CJpegQualityDialog() : CDialog(IDD_JPEG_QUALITY) {}

bool CJpegQualityDialog::OnInitDialog() {
  SendItem(IDC_QUALITY_SPIN, UDM_SETRANGE32, 0, 100);
  ShowQuality(g_JpegQuality);
  return true;
}

void CJpegQualityDialog::ShowQuality(int quality) const { SetItemText(IDC_QUALITY_EDIT, std::to_wstring(quality)); }

bool CJpegQualityDialog::OnCommand(int id, int code, HWND) {
  if (id != IDC_QUALITY_RESET || code != BN_CLICKED) return false;
  g_JpegQuality = kJpegQualityDefault;
  ShowQuality(g_JpegQuality);
  return true;
}

void CJpegQualityDialog::OnOK() {
  const std::wstring text = ItemText(IDC_QUALITY_EDIT);
  // Digits only: a sign, a blank or a letter is not a quality.
  const bool digits = !text.empty() && text.size() <= 3 && text.find_first_not_of(L"0123456789") == std::wstring::npos;
  const int quality = digits ? std::stoi(text) : -1;
  if (quality < 0 || quality > 100) {
    Say(u"品質は 0 ～ 100 を入力してください", u"入力エラー");
    return;
  }
  g_JpegQuality = quality;
  EndDialog(IDOK);
}

}  // namespace tarn
