#include "ScrollView.h"

#include <algorithm>

namespace tarn {

bool CScrollView::CreateView(HWND parent, const wchar_t* className) {
  RegisterClassOnce(className, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return CreateWin(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0,
                   parent, nullptr);
}

void CScrollView::SetScrollSizes(int width, int height) {
  m_Width = std::max(width, 0);
  m_Height = std::max(height, 0);
  UpdateBars();
}

void CScrollView::ScrollTo(int x, int y) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int newX = std::clamp(x, 0, std::max(0, m_Width - static_cast<int>(client.right)));
  const int newY = std::clamp(y, 0, std::max(0, m_Height - static_cast<int>(client.bottom)));
  if (newX == m_PosX && newY == m_PosY) return;
  ScrollWindowEx(Handle(), m_PosX - newX, m_PosY - newY, nullptr, nullptr, nullptr, nullptr,
                 SW_INVALIDATE | SW_ERASE);
  m_PosX = newX;
  m_PosY = newY;
  UpdateBars();
}

void CScrollView::UpdateBars() {
  if (Handle() == nullptr) return;
  RECT client;
  GetClientRect(Handle(), &client);
  m_PosX = std::clamp(m_PosX, 0, std::max(0, m_Width - static_cast<int>(client.right)));
  m_PosY = std::clamp(m_PosY, 0, std::max(0, m_Height - static_cast<int>(client.bottom)));
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
  info.nMax = m_Width > 0 ? m_Width - 1 : 0;
  info.nPage = static_cast<UINT>(client.right);
  info.nPos = m_PosX;
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  info.nMax = m_Height > 0 ? m_Height - 1 : 0;
  info.nPage = static_cast<UINT>(client.bottom);
  info.nPos = m_PosY;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void CScrollView::Scroll(int bar, int code) {
  SCROLLINFO info{sizeof info, SIF_ALL};
  GetScrollInfo(Handle(), bar, &info);
  int pos = info.nPos;
  switch (code) {
    case SB_LINEUP: pos -= m_Line; break;
    case SB_LINEDOWN: pos += m_Line; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(pos, m_PosY);
  else
    ScrollTo(m_PosX, pos);
}

void CScrollView::Paint(HDC dc) {
  POINT old;
  SetViewportOrgEx(dc, -m_PosX, -m_PosY, &old);
  OnDraw(dc);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

LRESULT CScrollView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      UpdateBars();
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(m_PosX, m_PosY - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * m_Line);
      return 0;
    default:
      return CView::OnMessage(message, wParam, lParam);
  }
}

}  // namespace tarn
