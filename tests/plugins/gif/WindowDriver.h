// Drives a plug-in's modal dialogs and message boxes from a second thread, the way a user would:
// the test thread sits in the plug-in's call while the driver finds the window by its caption,
// clicks, types and closes it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include "tests/support/OwnWindow.h"

namespace tarn::test {

// A top-level dialog-class window with this caption, waited for up to `ms`; null when none came.
inline HWND WaitForWindow(const wchar_t* caption, DWORD ms = 15000) {
  for (DWORD waited = 0; waited < ms; waited += 20) {
    if (HWND w = FindOwnWindow(L"#32770", caption); w != nullptr && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return nullptr;
}

inline bool WaitUntilGone(HWND w, DWORD ms = 15000) {
  for (DWORD waited = 0; waited < ms; waited += 20) {
    if (!IsWindow(w)) return true;
    Sleep(20);
  }
  return false;
}

inline std::wstring TextOf(HWND w, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(w, id, text, 512);
  return text;
}

inline std::wstring CaptionOf(HWND w) {
  wchar_t text[512] = {};
  GetWindowTextW(w, text, 512);
  return text;
}

inline bool IsChecked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A click that returns when the dialog has handled it.
inline void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// A click whose handling opens a message box, which would block a sent click.
inline void ClickLater(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Escape as the keyboard sends it, through the dialog's own message loop.
inline void PressEscape(HWND dialog) {
  PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYUP, VK_ESCAPE, 0);
}

// The text and caption of the next message box with caption `caption`, which is then closed with
// OK. Empty text when none appeared.
struct BoxSeen {
  std::wstring text, caption;
};
inline BoxSeen CloseMessageBox(const wchar_t* caption, DWORD ms = 15000) {
  BoxSeen seen;
  HWND box = WaitForWindow(caption, ms);
  if (box == nullptr) return seen;
  seen.caption = CaptionOf(box);
  seen.text = TextOf(box, 0xFFFF);  // the text control of a message box
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitUntilGone(box);
  return seen;
}

// Runs `modal` (a call that shows a window and returns when it closes) on this thread and
// `driver` on another. Whatever the driver does, a dialog with `caption` that is still open when
// the driver ends is cancelled, so a failing driver cannot hang the test.
inline void Drive(const wchar_t* caption, const std::function<void()>& modal, const std::function<void()>& driver) {
  std::thread t([&] {
    driver();
    for (int i = 0; i < 50; ++i) {
      HWND left = FindOwnWindow(L"#32770", caption);
      if (left == nullptr) break;
      PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
      Sleep(100);
    }
  });
  modal();
  t.join();
}

}  // namespace tarn::test
