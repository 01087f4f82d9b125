// CDispWin: messages, painting as a plain copy of the memory bitmap, scrolling over it, closing.
#include <windowsx.h>

#include "base/RunState.h"
#include "base/Settings.h"
#include "framework/GdiScopes.h"
#include "image/DispWin.h"
#include "image/DisplayScroll.h"
#include "image/DisplayWindowArea.h"

namespace tarn {

LRESULT CDispWin::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // the copy covers the whole client area
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_RBUTTONDOWN: OnRightButton({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case kReopenSlideShowMenu: OpenSlideShowMenu({m_LastClick.x + 8, m_LastClick.y}); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_MENUSELECT:
      // The frame's status bar gives the prompt of the highlighted item.
      if (m_pMainFrame != nullptr) SendMessageW(m_pMainFrame, WM_MENUSELECT, wParam, lParam);
      return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_MOUSEWHEEL: OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam)); return 0;
    case WM_DESTROY: OnDestroy(); break;
    default: break;
  }
  return Default(message, wParam, lParam);
}

void CDispWin::OnPaint() {
  {
    const PaintDc dc(Handle());
    if (m_Memory.Dc() != nullptr) {
      BitBlt(dc, 0, 0, m_MaxWidth, m_MaxHeight, m_Memory.Dc(), m_ScrollX, m_ScrollY, SRCCOPY);
    } else {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(g_BlackFlag != 0 ? BLACK_BRUSH : WHITE_BRUSH)));
    }
  }
  if (g_MaxSizeFlag != 0 || m_ContiFlag != 0) return;
  if (g_ScreenMode == 0)
    Send(kNoticeCatalogZoom, static_cast<WPARAM>(m_Zoom));
  else if (g_ScreenMode <= 3 && g_ZoomScreenFlag == 0)
    Send(kNoticeExpandedZoom, static_cast<WPARAM>(m_Zoom));
}

void CDispWin::OnScroll(int bar, int code, int thumb) {
  const bool across = bar == SB_HORZ;
  const int picture = across ? m_PicWidth : m_PicHeight;
  const int view = across ? m_ViewWidth : m_ViewHeight;
  // With both bars, each covers the far edge of the other direction's view.
  const int covering = across ? System().vBar : System().hBar;
  const int step = ScrollStep(picture, view);
  const int limit = ScrollLimit(picture, view, m_ScrollMode == kScrollBoth, covering);
  int& offset = across ? m_ScrollX : m_ScrollY;
  offset = ScrollPosition(code, offset, thumb, step, limit);
  SetScrollPos(Handle(), bar, offset, TRUE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CDispWin::OnClose() {
  // The frame may delete this object while it hears of the close, so nothing of it is touched
  // after the notification.
  const HWND window = Handle();
  ReleaseMemoryDc();
  Send(kNoticeClosed, static_cast<WPARAM>(m_Index));
  if (IsWindow(window)) DestroyWindow(window);
}

void CDispWin::OnDestroy() {
  ReleaseMemoryDc();
  if (m_Zoom < 100 && g_MaxSizeFlag == 0 && m_ContiFlag == 0) Send(kNoticeReduced, 0);
}

}  // namespace tarn
