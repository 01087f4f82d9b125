// "輝度変更": the brightness dialog. One opening sets one level; the display window runs the loop
// around it (apply, reopen after a preview, undo after "変更中止").
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Dialog.h"

namespace tarn {

class CPictureWnd;

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

// "輝度変更" on a surface that shows `picture` (a display window, the catalog view's picture
// screens): each OK end with a changed level brightens the picture and calls `shown`; a preview
// opens the dialog again; "変更中止" takes the picture back to how it was loaded, turns and flips
// included, and calls `restored`.
void BrightnessLoop(CPictureWnd& picture, HWND owner, const std::function<void()>& shown,
                    const std::function<void()>& restored);

}  // namespace tarn
