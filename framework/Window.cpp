#include "Window.h"

namespace tarn {

CWindow::~CWindow() { Destroy(); }

void CWindow::Destroy() {
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
}

void CWindow::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon) {
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.style = style;
  wc.lpfnWndProc = &CWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

bool CWindow::CreateWin(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menu) {
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT CWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT CALLBACK CWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_hWnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = self->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->m_hWnd = nullptr;
    self->OnFinalDestroy();
  }
  return result;
}

}  // namespace tarn
