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

void CMessageLoop::SetKeys(HWND mainWindow, HACCEL mainKeys, HACCEL anywhere) {
  m_Main = mainWindow;
  m_MainKeys = mainKeys;
  m_Anywhere = anywhere;
}

bool CMessageLoop::PreTranslate(MSG& message) {
  if (m_Main != nullptr && IsWindow(m_Main)) {
    const bool own = message.hwnd == m_Main || IsChild(m_Main, message.hwnd);
    const HACCEL keys = own ? m_MainKeys : m_Anywhere;
    if (keys != nullptr && TranslateAcceleratorW(m_Main, keys, &message)) return true;
  }
  for (HWND dialog : m_Modeless)
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return true;
  return false;
}

int CMessageLoop::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarn
