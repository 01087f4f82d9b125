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
  // The main window's keys work while the message is for it or one of its child windows (the
  // catalog's Delete must not delete while the user types in a dialog or looks at a picture);
  // from the program's other windows only those of `anywhere`. The caller keeps both tables.
  void SetKeys(HWND mainWindow, HACCEL mainKeys, HACCEL anywhere);
  // Runs until WM_QUIT; answers its exit code.
  int Run();
  // Routes one message as the loop would; false when nobody took it and it must be dispatched.
  bool PreTranslate(MSG& message);

 private:
  HWND m_Main = nullptr;
  HACCEL m_MainKeys = nullptr;
  HACCEL m_Anywhere = nullptr;
  std::vector<HWND> m_Modeless;
};

}  // namespace tarn
