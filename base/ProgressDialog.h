// The small modeless window every long operation shows: a bar from 0 to 100, one line of text and
// Cancel. Its owner is disabled while it is up, and every step lets pending messages through.
#pragma once

#include "base/Prompt.h"
#include "framework/Dialog.h"

namespace tarn {

class CProgressDialog final : public CDialog, public ProgressWindow {
 public:
  CProgressDialog();

  void Open(std::u16string_view text) override;
  void SetText(std::u16string_view text) override;
  void SetPos(int pos) override;
  bool Cancelled() override;
  void Close() override;

 protected:
  bool OnInitDialog() override;
  void OnCancel() override { m_Cancelled = true; }

 private:
  void PumpMessages();

  HWND m_Owner = nullptr;
  bool m_Cancelled = false;
};

}  // namespace tarn
