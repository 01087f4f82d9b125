// "JPEG量子化率設定": the JPEG quality, 0 to 100, with "初期化" back to 90.
#pragma once

#include "framework/Dialog.h"

namespace tarn {

class CJpegQualityDialog final : public CDialog {
 public:
  CJpegQualityDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  void ShowQuality(int quality) const;
};

}  // namespace tarn
