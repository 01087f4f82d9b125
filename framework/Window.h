// CWindow: a window whose messages reach the object that made it. A class derives, registers
// its window class once and overrides OnMessage for the messages it handles.
#pragma once

#include <windows.h>

namespace tarn {

class CWindow {
 public:
  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;
  virtual ~CWindow();

  HWND Handle() const { return m_hWnd; }
  void Destroy();

 protected:
  // Registers `className` with this framework's window procedure (once per process).
  static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon = nullptr);
  bool CreateWin(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                 int width, int height, HWND parent, HMENU menu);

  // Any message; the default passes it to DefWindowProc.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
  }
  // Called after the window is gone; the object may then be reused or deleted.
  virtual void OnFinalDestroy() {}

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
};

}  // namespace tarn
