// "  トリミング枠の移動": one move of the trimming frame. It ends with the button pressed (an arrow,
// "画面クリア" or "次へ"; closing it counts as "画面クリア") and opens beside the frame so that the
// frame stays in sight.
#pragma once

#include "framework/Dialog.h"

namespace tarn {

class CTrimFrameDialog final : public CDialog {
 public:
  // `frame` in screen coordinates.
  explicit CTrimFrameDialog(const RECT& frame);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  RECT m_Frame;
};

}  // namespace tarn
