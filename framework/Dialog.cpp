#include "Dialog.h"

#include "App.h"

namespace tarn {

CDialog::~CDialog() {
  if (!m_Modal) Destroy();
}

INT_PTR CDialog::DoModal(HWND parent) {
  m_Modal = true;
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_TemplateId), parent, &CDialog::Proc,
                         reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
  m_Modal = false;
  const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_TemplateId), parent,
                                         &CDialog::Proc, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) return false;
  CMessageLoop::Instance().AddModeless(window);
  ShowWindow(window, SW_SHOW);
  return true;
}

void CDialog::Destroy() {
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
}

void CDialog::EndDialog(INT_PTR result) {
  if (m_Modal)
    ::EndDialog(m_hWnd, result);
  else
    Destroy();
}

std::wstring CDialog::ItemText(int id) const {
  const HWND item = Item(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

INT_PTR CALLBACK CDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->m_hWnd = window;
    return dialog->OnInitDialog() ? TRUE : FALSE;
  }
  auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    if (!dialog->m_Modal) CMessageLoop::Instance().RemoveModeless(window);
    SetWindowLongPtrW(window, DWLP_USER, 0);
    dialog->m_hWnd = nullptr;
  }
  return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (OnCommand(id, code, reinterpret_cast<HWND>(lParam))) return TRUE;
    if (id == IDOK && code == BN_CLICKED) {
      OnOK();
      return TRUE;
    }
    if (id == IDCANCEL) {
      OnCancel();
      return TRUE;
    }
    return FALSE;
  }
  INT_PTR result = 0;
  return OnMessage(message, wParam, lParam, &result) ? result : FALSE;
}

}  // namespace tarn
