// Finds a top-level window of this test process only. Test suites run side by side on one display,
// and another suite's program opens the same dialogs with the same captions: a plain FindWindow
// would find, click or cancel that suite's window.
#pragma once

#include <windows.h>

#include <cwchar>

namespace tarn::test {

struct OwnWindowSearch {
  const wchar_t* windowClass;
  const wchar_t* caption;
  HWND found;
};

inline BOOL CALLBACK MatchOwnWindow(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<OwnWindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  wchar_t text[256] = {};
  if (s.windowClass != nullptr && (GetClassNameW(window, text, 256) == 0 || wcscmp(text, s.windowClass) != 0))
    return TRUE;
  if (s.caption != nullptr && (GetWindowTextW(window, text, 256), wcscmp(text, s.caption) != 0)) return TRUE;
  s.found = window;
  return FALSE;
}

// The first top-level window of this process, in z-order, of `windowClass` with `caption`;
// a null argument matches any. Null when there is none.
inline HWND FindOwnWindow(const wchar_t* windowClass, const wchar_t* caption) {
  OwnWindowSearch search{windowClass, caption, nullptr};
  EnumWindows(&MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tarn::test
