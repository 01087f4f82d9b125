#include "ProgressDialog.h"

#include <commctrl.h>

#include "base/WinText.h"
#include "base/resource.h"
#include "framework/App.h"

namespace tarn {

CProgressDialog::CProgressDialog() : CDialog(IDD_PROGRESS) {}

void CProgressDialog::Open(std::u16string_view text) {
  Close();
  m_Cancelled = false;
  m_Owner = GetActiveWindow();
  if (!Create(m_Owner)) return;
  if (m_Owner != nullptr) EnableWindow(m_Owner, FALSE);
  SetText(text);
  PumpMessages();
}

bool CProgressDialog::OnInitDialog() {
  SendItem(IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
  SendItem(IDC_PROGRESS_BAR, PBM_SETPOS, 0);
  return true;
}

void CProgressDialog::SetText(std::u16string_view text) {
  if (Handle() != nullptr)
    SetItemText(IDC_PROGRESS_TEXT, std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

void CProgressDialog::SetPos(int pos) {
  if (Handle() != nullptr) SendItem(IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(pos));
  PumpMessages();
}

bool CProgressDialog::Cancelled() {
  PumpMessages();
  return m_Cancelled;
}

void CProgressDialog::Close() {
  if (m_Owner != nullptr) EnableWindow(m_Owner, TRUE);
  m_Owner = nullptr;
  Destroy();
}

void CProgressDialog::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the main loop, which ends the program.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (CMessageLoop::Instance().PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tarn
