#include "App.h"

#include <algorithm>

namespace tarn {

CMessageLoop& CMessageLoop::Instance() {
  static CMessageLoop loop;
  return loop;
}

void CMessageLoop::AddModeless(HWND dialog) {
  if (std::find(m_Modeless.begin(), m_Modeless.end(), dialog) == m_Modeless.end()) m_Modeless.push_back(dialog);
}

void CMessageLoop::RemoveModeless(HWND dialog) {
  m_Modeless.erase(std::remove(m_Modeless.begin(), m_Modeless.end(), dialog), m_Modeless.end());
}

bool CMessageLoop::PreTranslate(MSG& message) {
  if (m_Accelerators != nullptr && m_Main != nullptr && TranslateAcceleratorW(m_Main, m_Accelerators, &message))
    return true;
  for (HWND dialog : m_Modeless)
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return true;
  return false;
}

int CMessageLoop::Run(HWND mainWindow, HACCEL accelerators) {
  m_Main = mainWindow;
  m_Accelerators = accelerators;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarn
