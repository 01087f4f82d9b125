// "輝度変更": the brightness dialog. One opening sets one level; the display window runs the loop
// around it (apply, reopen after a preview, undo after "変更中止").
#pragma once

#include <windows.h>

#include "framework/Dialog.h"

namespace tarn {

class CBrightnessDialog final : public CDialog {
 public:
  // `pictureChanged`: whether the picture shows any change (CPictureWnd::Changed), which decides
  // whether an unkept level stays.
  explicit CBrightnessDialog(bool pictureChanged);

  // After an OK end: true for "ﾌﾟﾚﾋﾞｭｰ" (or a scroll-bar change), false for "OK".
  bool Preview() const { return m_Preview; }

  // Where the dialog opens: where it was last left by preview or OK, (35, 70) before that and
  // after "変更中止".
  static POINT Place();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void ShowLevel(int level);
  void Accept(bool preview);
  void OnScroll(int code, int thumb);

  bool m_PictureChanged;
  int m_Position = 0;
  bool m_Preview = false;
};

}  // namespace tarn
