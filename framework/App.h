// The message loop of the user-interface thread: accelerators for the main window, and dialog
// keys (Tab, Enter, Escape) for every modeless dialog that is registered.
#pragma once

#include <windows.h>

#include <vector>

namespace tarn {

class CMessageLoop {
 public:
  static CMessageLoop& Instance();

  void AddModeless(HWND dialog);
  void RemoveModeless(HWND dialog);
  // Runs until WM_QUIT; answers its exit code.
  int Run(HWND mainWindow, HACCEL accelerators);
  // Routes one message as the loop would; false when nobody took it and it must be dispatched.
  bool PreTranslate(MSG& message);

 private:
  HWND m_Main = nullptr;
  HACCEL m_Accelerators = nullptr;
  std::vector<HWND> m_Modeless;
};

}  // namespace tarn
