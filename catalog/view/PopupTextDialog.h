// The small window without caption in which the user types a catalog entry's new name: Enter
// hands the text to the frame (request 21), Esc puts the window away.
#pragma once

#include <functional>
#include <string>

#include "framework/PanelDialog.h"

namespace tarn {

class CPopupTextDialog final : public CPanelDialog {
 public:
  CPopupTextDialog();
  // Shows the window at `screen` with `text` in its box, all of it selected.
  void Open(POINT screen, const std::wstring& text);
  // Gets the text when the user presses Enter.
  std::function<void(const std::wstring& text)> accepted;

 protected:
  void OnOK() override;
};

}  // namespace tarn
