#include "PopupTextDialog.h"

#include "base/resource.h"

namespace tarn {

CPopupTextDialog::CPopupTextDialog() : CPanelDialog(IDD_POPUP_DIALOG) {}

void CPopupTextDialog::Open(POINT screen, const std::wstring& text) {
  if (Handle() == nullptr) return;
  SetItemText(IDC_POPUP_TEXT, text);
  SetWindowPos(Handle(), HWND_TOP, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetFocus(Item(IDC_POPUP_TEXT));
  SendItem(IDC_POPUP_TEXT, EM_SETSEL, 0, -1);
}

void CPopupTextDialog::OnOK() {
  const std::wstring text = ItemText(IDC_POPUP_TEXT);
  ShowWindow(Handle(), SW_HIDE);
  if (accepted) accepted(text);
}

}  // namespace tarn
