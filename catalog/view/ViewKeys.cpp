// CTarnView: the keyboard. On the catalog the arrows, Home/End and PgUp/PgDn move the current cell
// (the cursor row) with the selection rules of a click - Shift as a Shift-click, Ctrl moving
// without selecting - Enter opens the current entry as a double click does and Ctrl+Space selects
// or deselects it as a Ctrl-click. On the picture screens Esc goes back to the catalog and, on the
// zoom screen, +/- and Ctrl+wheel press the zoom dialog's "＋" and "－". The current cell wears a
// focus frame while the view has the keyboard.
#include <algorithm>

#include "TarnView.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/resource.h"
#include "catalog/screens/ScreenResource.h"
#include "catalog/screens/ZoomDialog.h"
#include "catalog/view/ViewNotes.h"

namespace tarn {
namespace {

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool CursorKeyOf(WPARAM key, CursorKey& cursorKey) {
  switch (key) {
    case VK_LEFT: cursorKey = CursorKey::kLeft; return true;
    case VK_RIGHT: cursorKey = CursorKey::kRight; return true;
    case VK_UP: cursorKey = CursorKey::kUp; return true;
    case VK_DOWN: cursorKey = CursorKey::kDown; return true;
    case VK_HOME: cursorKey = CursorKey::kHome; return true;
    case VK_END: cursorKey = CursorKey::kEnd; return true;
    case VK_PRIOR: cursorKey = CursorKey::kPageUp; return true;
    case VK_NEXT: cursorKey = CursorKey::kPageDown; return true;
    default: return false;
  }
}

}  // namespace

void CTarnView::OnKeyDown(WPARAM key) {
  if (PictureScreenShown()) {
    OnPictureScreenKey(key);
    return;
  }
  // Under the clipboard's picture the catalog is out of sight: its cells do not move unseen.
  if (!CatalogOnScreen() || ClipboardShown() || IsBusy()) return;
  const int cursor = m_Selection.cursor;
  const bool shown = cursor >= m_Shown.offset && cursor < m_Shown.shownEnd && cursor < TheCatalog().rows;
  if (CursorKey cursorKey; CursorKeyOf(key, cursorKey)) {
    MoveCursorByKey(cursorKey, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
  } else if (key == VK_RETURN && shown) {
    OpenFromCatalog(cursor);
  } else if (key == VK_SPACE && shown && KeyHeld(VK_CONTROL)) {
    ClickCell(TheCatalog(), m_Selection, *this, cursor, true, false, false, -1, g_ContiState > 0);
    CursorMoved(cursor, true);
  }
}

void CTarnView::OnPictureScreenKey(WPARAM key) {
  switch (key) {
    case VK_ESCAPE: ScreenCommand(ID_SCREEN_CATALOG); break;
    case VK_ADD:
    case VK_OEM_PLUS: ZoomByStep(true); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomByStep(false); break;
    default: break;
  }
}

bool CTarnView::ZoomByStep(bool in) {
  if (!PictureScreenShown() || g_ZoomScreenFlag == 0 || m_ZoomDialog == nullptr || !m_ZoomDialog->IsOpen())
    return false;
  // The dialog's own buttons keep its percentage, its scroll bar and the 10-300 bounds together;
  // the zoom request they post comes back to the view.
  SendMessageW(m_ZoomDialog->Handle(), WM_COMMAND, MAKEWPARAM(in ? IDC_ZOOM_PLUS : IDC_ZOOM_MINUS, BN_CLICKED), 0);
  return true;
}

void CTarnView::MoveCursorByKey(CursorKey key, bool shift, bool ctrl) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int before = m_Selection.cursor;
  const int row = KeyedRow(key, before, m_Shown, PageRows(client.bottom, CurrentCatalogGeometry()));
  if (row < 0 || row >= TheCatalog().rows) return;
  const bool alreadyAlone = row == before && m_Selection.selected == 1 && IsSelected(TheCatalog().entries[row].state);
  if (ctrl && !shift) {
    m_Selection.cursor = row;
  } else if (!alreadyAlone || shift) {
    // A plain key selects as a plain click does (the marks question included), without a drag.
    ClickCell(TheCatalog(), m_Selection, *this, row, false, shift, false, -1, g_ContiState > 0);
    m_Selection.dragSource = -1;
  }
  CursorMoved(before, true);
}

void CTarnView::OpenFromCatalog(int row) {
  // A step or show already running owns the display window.
  if (g_ContiState > 0 || row < 0) return;
  OpenEntry(row);
}

void CTarnView::RenameCursorCommand() {
  if (!CatalogOnScreen() || IsBusy()) return;
  RECT frame;
  if (!FocusFrame(m_Selection.cursor, frame)) return;
  // The text window opens over the cell's title, where the cell menu would have been.
  const POINT scroll = ScrollPosition();
  POINT screen{frame.left - scroll.x, frame.bottom - scroll.y};
  ClientToScreen(Handle(), &screen);
  CatalogCommand(ID_CATALOG_RENAME, screen);
}

void CTarnView::TakeKeyboard() {
  if (GetActiveWindow() == GetAncestor(Handle(), GA_ROOT)) SetFocus(Handle());
}

void CTarnView::CursorMoved(int before, bool reveal) {
  // The picture screens keep their own scroll; the catalog's cell is shown again with it.
  if (!CatalogOnScreen()) return;
  if (reveal) ScrollToRow(m_Selection.cursor);
  if (before != m_Selection.cursor) InvalidateFocusFrame(before);
  InvalidateFocusFrame(m_Selection.cursor);
  ReportFileFacts(m_Selection.cursor);
}

bool CTarnView::FocusFrame(int row, RECT& frame) const {
  if (row < m_Shown.offset || row >= m_Shown.shownEnd || m_Shown.columns < 1) return false;
  const int k = row - m_Shown.offset;
  const CatalogGeometry geometry = CurrentCatalogGeometry();
  const CellPoint at = CellOrigin(k % m_Shown.columns, k / m_Shown.columns, geometry);
  // Round the picture and its title, in the margins between the cells.
  frame = {at.x - 2, at.y - 2, at.x + geometry.Cell() + 2, at.y + geometry.RowPitch() - 2};
  return true;
}

void CTarnView::InvalidateFocusFrame(int row) {
  RECT frame;
  if (!FocusFrame(row, frame)) return;
  const POINT scroll = ScrollPosition();
  OffsetRect(&frame, -scroll.x, -scroll.y);
  // Erased and drawn again whole: the frame is drawn inverted, once per paint.
  InvalidateRect(Handle(), &frame, TRUE);
}

void CTarnView::DrawFocusFrame(HDC dc) {
  RECT frame;
  if (FocusFrame(m_Selection.cursor, frame) && m_Selection.cursor < TheCatalog().rows) DrawFocusRect(dc, &frame);
}

void CTarnView::ScrollToRow(int row) {
  RECT frame, client;
  if (!FocusFrame(row, frame)) return;
  GetClientRect(Handle(), &client);
  const POINT scroll = ScrollPosition();
  int y = scroll.y;
  if (frame.top - 2 < y)
    y = frame.top - 2;
  else if (frame.bottom + 2 > y + client.bottom)
    y = frame.bottom + 2 - client.bottom;
  int x = scroll.x;
  if (frame.left - 2 < x)
    x = frame.left - 2;
  else if (frame.right + 2 > x + client.right)
    x = frame.right + 2 - client.right;
  ScrollTo(x, y);
}

void CTarnView::DrawEmptyStartLine(HDC dc) {
  if (IsBusy()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const POINT scroll = ScrollPosition();
  OffsetRect(&client, scroll.x, scroll.y);
  const HGDIOBJ oldFont = SelectObject(dc, m_TitleFont.Get(dc));
  const std::u16string line = kEmptyStartLine;
  const wchar_t* text = reinterpret_cast<const wchar_t*>(line.c_str());
  const int length = static_cast<int>(line.size());
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, text, length, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  const int width = box.right + 24, height = box.bottom + 12;
  box.left = client.left + std::max(0, (static_cast<int>(client.right - client.left) - width) / 2);
  box.top = client.top + std::max(0, (static_cast<int>(client.bottom - client.top) - height) / 2);
  box.right = box.left + width;
  box.bottom = box.top + height;
  // A small box of its own keeps the line readable over any wallpaper.
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &box, GetSysColorBrush(COLOR_GRAYTEXT));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, text, length, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

}  // namespace tarn
