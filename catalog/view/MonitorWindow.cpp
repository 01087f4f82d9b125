#include "MonitorWindow.h"

namespace tarn {

bool CMonitorWindow::Open(HWND owner) {
  if (Handle() == nullptr) {
    RegisterClassOnce(L"TarnCatalogMonitor", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT frame{0, 0, kClientWidth, kClientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION, exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (!CreateWin(exStyle, L"TarnCatalogMonitor", L"ｶﾀﾛｸﾞ ﾓﾆﾀ", style, 0, 0, frame.right - frame.left,
                   frame.bottom - frame.top, owner, nullptr))
      return false;
  }
  if (m_Surface.Dc() == nullptr) {
    HDC screen = GetDC(Handle());
    const bool made = m_Surface.MakeContext(screen) && m_Surface.MakeBitmap(screen, kClientWidth, kClientHeight) &&
                      m_Surface.Select();
    ReleaseDC(Handle(), screen);
    if (!made) {
      m_Surface.Release();
      return false;
    }
  }
  RECT client{}, window{};
  GetClientRect(owner, &client);
  MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(Handle(), &window);
  SetWindowPos(Handle(), HWND_TOP, client.right - (window.right - window.left) - 24, client.top + 8, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Clear();
  return true;
}

void CMonitorWindow::Close() {
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
  m_Surface.Release();
}

void CMonitorWindow::Clear() {
  if (!m_Surface.FillWhite()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CMonitorWindow::ShowTitle(std::u16string_view name, HFONT font, int budget) {
  if (m_Surface.Dc() == nullptr) return;
  // The band runs as wide as a cell's, so long titles are cut at the window's edge.
  DrawTitleBand(m_Surface.Dc(), font, 0, 90, kClientWidth, name, budget, TitleColoursOf(0));
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

LRESULT CMonitorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return CWindow::OnMessage(message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  if (m_Surface.Dc() != nullptr) BitBlt(dc, 0, 0, kClientWidth, kClientHeight, m_Surface.Dc(), 0, 0, SRCCOPY);
  EndPaint(Handle(), &ps);
  return 0;
}

}  // namespace tarn
