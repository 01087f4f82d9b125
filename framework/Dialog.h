// CDialog: a dialog from a resource template, modal or modeless. Concrete dialogs override the
// handlers they need; each answers whether it handled the message.
#pragma once

#include <windows.h>

#include <string>

namespace tarn {

class CDialog {
 public:
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  virtual ~CDialog();

  // Runs the dialog modally; answers the value passed to EndDialog, or -1 when it cannot be made.
  INT_PTR DoModal(HWND parent);
  // Creates the dialog modeless and shows it; the message loop routes its keys.
  bool Create(HWND parent);
  void Destroy();
  HWND Handle() const { return m_hWnd; }

 protected:
  explicit CDialog(int templateId) : m_TemplateId(templateId) {}

  virtual bool OnInitDialog() { return true; }
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  // Any other message; answer true with *result set when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR* /*result*/) { return false; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  void EndDialog(INT_PTR result);
  HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
  void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(m_hWnd, id, text.c_str()); }
  std::wstring ItemText(int id) const;
  void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }
  LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
  }

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int m_TemplateId;
  HWND m_hWnd = nullptr;
  bool m_Modal = false;
};

}  // namespace tarn
