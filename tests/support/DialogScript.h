// Plays the user's part in modal dialogs: a thread timer, which a modal loop dispatches, finds the
// dialog by its caption each time it opens and runs the next step on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "tests/support/OwnWindow.h"

namespace tarn::test {

class DialogScript {
 public:
  using Step = std::function<void(HWND dialog)>;
  DialogScript(std::wstring caption, std::vector<Step> steps) : caption_(std::move(caption)), steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &DialogScript::Tick);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  std::size_t done() const { return next_; }

  static void Press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // A radio button or check box clicked as the user would: it changes state, then tells the dialog.
  static void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
  static bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = current_;
    if (self == nullptr || self->busy_ || self->next_ >= self->steps_.size()) return;
    // An ended opening is hidden until its loop returns.
    const HWND dialog = FindOwnWindow(L"#32770", self->caption_.c_str());
    if (dialog == nullptr || !IsWindowVisible(dialog)) return;
    self->busy_ = true;
    self->steps_[self->next_++](dialog);
    self->busy_ = false;
  }

  static inline DialogScript* current_ = nullptr;
  std::wstring caption_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool busy_ = false;
  UINT_PTR timer_ = 0;
};

}  // namespace tarn::test
