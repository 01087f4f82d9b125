// A modeless dialog of the main frame: made once with the frame, shown and hidden from then on.
#pragma once

#include "framework/Dialog.h"

namespace tarn {

class CPanelDialog : public CDialog {
 public:
  explicit CPanelDialog(int templateId) : CDialog(templateId) {}
  bool IsOpen() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

  // Shows the dialog in front of the frame that owns it, and active: the first time with its
  // corner at `origin` on the screen, later where the user left it.
  void ShowInFront(POINT origin) {
    if (Handle() == nullptr) return;
    const UINT move = m_Placed ? SWP_NOMOVE : 0;
    m_Placed = true;
    SetWindowPos(Handle(), HWND_TOP, origin.x, origin.y, 0, 0, move | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetActiveWindow(Handle());
  }

 protected:
  void OnCancel() override { ShowWindow(Handle(), SW_HIDE); }
  void OnOK() override { ShowWindow(Handle(), SW_HIDE); }

 private:
  bool m_Placed = false;
};

}  // namespace tarn
