// "ｻﾑﾈｲﾙ作成用設定" ("BMP画像ｻｲｽﾞ設定(&M)"): the BMP size of the thumbnail-source change and the
// two switches of its batch form.
#pragma once

#include "framework/Dialog.h"

namespace tarn {

class CThumbSourceDialog final : public CDialog {
 public:
  CThumbSourceDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
};

void RunThumbSourceDialog(HWND owner);

}  // namespace tarn
