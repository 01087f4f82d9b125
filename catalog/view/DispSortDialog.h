// The display/sort dialog "表示/並替": the slide show's start and stop, the steps, the screen
// switch, the sorts and the screen clear. It does nothing itself; every button posts its request
// to the main frame.
#pragma once

#include "base/Requests.h"
#include "framework/PanelDialog.h"

namespace tarn {

class CDispSortDialog final : public CPanelDialog {
 public:
  CDispSortDialog();
  // Beside "ﾌｧｲﾙ数": the files the catalog table still names (FilesInTable).
  void RefreshCount();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Post(DispDialogRequest request, int param = 0) const;
};

}  // namespace tarn
