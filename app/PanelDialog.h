// A modeless dialog of the main frame: made once with the frame, shown and hidden from then on.
#pragma once

#include "framework/Dialog.h"

namespace tarn {

class CPanelDialog : public CDialog {
 public:
  explicit CPanelDialog(int templateId) : CDialog(templateId) {}
  bool IsOpen() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

 protected:
  void OnCancel() override { ShowWindow(Handle(), SW_HIDE); }
  void OnOK() override { ShowWindow(Handle(), SW_HIDE); }
};

}  // namespace tarn
