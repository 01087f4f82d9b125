// The zoom dialog " 伸縮": the zoom screen's percentage (10 to 300) by edit box, buttons and scroll
// bar, or a pixel count for the picture's longer side (150 to 2048); "ｻﾑﾈｲﾙ用変更" asks for the
// thumbnail-source change of the picture shown. It posts its requests to the
// frame; the view reads the pixel count and reports the percentage a pixel count gave.
#pragma once

#include "base/Requests.h"
#include "framework/PanelDialog.h"

namespace tarn {

class CZoomDialog final : public CPanelDialog {
 public:
  CZoomDialog();

  // Shows the dialog beside the frame: 100 % unless the zoom screen is already on; the zoom
  // screen is on from here.
  void Open(HWND frame);
  // The pixel count last applied with "更新".
  int PixelCount() const { return m_PixelCount; }
  // Puts `pixels` into the size box as if typed and applied (the thumbnail-source change).
  void SetPixelCount(int pixels);
  // After a zoom by pixel count: the percentage it gave, or the refusal of one above 300 and the
  // return to 100 %.
  void Refresh(int percent);
  // Closes the dialog from the view's side (back to the catalog): the zoom back to 100 % and the
  // zoom screen off, with no request.
  void Dismiss();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
  void OnCancel() override { Leave(kStreCancel); }

 private:
  // Shows `percent`, takes it as the zoom and asks for the zoom by percentage.
  void SetPercent(int percent);
  void ShowPercent(int percent) const;
  void Apply();
  void OnScroll(int code, int thumb);
  // "ｷｬﾝｾﾙ" and "ｶﾀﾛｸﾞに戻る": the zoom back to 100 %, the zoom screen off, the dialog closed.
  void Leave(StreRequest request);
  void Post(StreRequest request, int param) const;

  int m_PixelCount = 0;
};

}  // namespace tarn
