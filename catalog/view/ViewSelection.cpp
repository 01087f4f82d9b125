// The catalog's selection by mouse, the drag of one cell onto another, the file operations on the
// selected rows, and the repainting of the cells they change.
#include "TarnView.h"
#include "base/FolderBrowse.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "base/resource.h"
#include "catalog/screens/ScreenResource.h"
#include "catalog/view/ViewNotes.h"

namespace tarn {
namespace {

// A device context of the view in catalog coordinates: the scroll offset is taken off.
class ScrolledDc {
 public:
  ScrolledDc(HWND view, POINT scroll) : view_(view), dc_(GetDC(view)) {
    SetViewportOrgEx(dc_, -scroll.x, -scroll.y, nullptr);
  }
  ~ScrolledDc() { ReleaseDC(view_, dc_); }
  ScrolledDc(const ScrolledDc&) = delete;
  ScrolledDc& operator=(const ScrolledDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND view_;
  HDC dc_;
};

}  // namespace

void CTarnView::OnLeftButton(POINT point, WPARAM keys) {
  if (!CatalogOnScreen()) return;
  const CatalogHit hit = HitTest(point);
  if (hit.row < 0) return;
  const bool running = g_ContiState > 0;
  // In single-click mode a click on the picture already on display opens nothing again.
  const int displayed = displayedRow ? displayedRow() : -1;
  const int before = m_Selection.cursor;
  const ClickResult clicked = ClickCell(TheCatalog(), m_Selection, *this, hit.row, (keys & MK_CONTROL) != 0,
                                        (keys & MK_SHIFT) != 0, g_SinglClickFlag != 0, displayed, running);
  CursorMoved(before, false);
  switch (clicked) {
    case ClickResult::kOpenByTimer: SetTimer(Handle(), kTimerOpenClick, 10, nullptr); break;
    case ClickResult::kStartDrag: {
      // The drag begins once the mouse really moves with the button held; a plain click is a
      // selection and nothing more.
      POINT screen = point;
      ClientToScreen(Handle(), &screen);
      if (DragDetect(Handle(), screen)) DragCatalogCell();
      break;
    }
    default: break;
  }
}

void CTarnView::DropAt(POINT client) {
  DropOnRow(TheCatalog(), m_Selection, *this, HitTest(client).row, g_ContiState > 0);
}

void CTarnView::OnRightButton(POINT point) {
  if (PictureScreenShown() && !IsBusy()) {
    OnPictureRightButton(point);
    return;
  }
  if (!CatalogOnScreen() || IsBusy()) return;
  const CatalogHit hit = HitTest(point);
  if (hit.row < 0) return;
  CatalogTables& tables = TheCatalog();
  // The menu works on the selection; a click on an unselected cell makes that cell the selection.
  if (const int state = tables.entries[hit.row].state; state != kEntrySelected && state != kEntryUnusableSelected)
    ClickCell(tables, m_Selection, *this, hit.row, false, false, false, -1, false);
  const int before = m_Selection.cursor;
  m_Selection.cursor = hit.row;
  CursorMoved(before, false);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, ID_SCREEN_EXPAND, L"展開画面(&P)");
  AppendMenuW(menu, MF_STRING, ID_SCREEN_SAVE, L"JPG/BMP保存(&A)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_CATALOG_COPY, L"コピー(&C)...");
  AppendMenuW(menu, MF_STRING, ID_CATALOG_MOVE, L"移動(&M)...");
  AppendMenuW(menu, MF_STRING, ID_CATALOG_DELETE, L"削除(&D)");
  AppendMenuW(menu, MF_STRING, ID_CATALOG_RENAME, L"名称変更(&N)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_CATALOG_COMPLETE_DELETE, L"完全削除ｱﾌﾟﾘ(&E)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_CATALOG_PROPERTY, L"プロパティ(&P)");
  POINT screen = point;
  ClientToScreen(Handle(), &screen);
  const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
  CatalogCommand(command, screen);
}

void CTarnView::CatalogCommand(int command, POINT screen) {
  switch (command) {
    case ID_CATALOG_COPY:
    case ID_CATALOG_MOVE: {
      std::u16string folder;
      if (BrowseForFolder(Handle(), folder) == kFolderChosen)
        FileRequest(command == ID_CATALOG_COPY ? kOpCopy : kOpMove, std::wstring(AsWide(folder)));
      break;
    }
    case ID_CATALOG_DELETE: FileRequest(kOpDelete, {}); break;
    case ID_CATALOG_RENAME:
      if (renameAsked && m_Selection.cursor < TheCatalog().rows)
        renameAsked(screen, std::u16string(EntryName(TheCatalog().entries[m_Selection.cursor])));
      break;
    case ID_CATALOG_COMPLETE_DELETE: CompleteDeleteCommand(); break;
    case ID_CATALOG_PROPERTY: PropertyCommand(m_Selection.cursor); break;
    case ID_SCREEN_EXPAND: ExpandCommand(); break;
    case ID_SCREEN_SAVE: PostMessageW(GetAncestor(Handle(), GA_ROOT), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_IMAGE, 0), 0); break;
    default: break;
  }
}

void CTarnView::FileRequest(FileOperation operation, const std::wstring& target) {
  int result = kOpRefused, done = 0;
  RunFileOperation([&](CatalogFileOps& ops) {
    result = ops.CopyMoveDelete(operation, WideView(target.c_str()));
    done = ops.Done();
  });
  // A copy or move that went through says so where the user looks next; failures and a Cancel
  // have had their own messages.
  if (result == kOpDone && done > 0 && operation != kOpDelete && statusBar)
    statusBar(kStatusText, 0, FilesDoneText(done, WideView(target.c_str()), operation == kOpMove));
}

void CTarnView::RenameRequest(const std::wstring& name) {
  RunFileOperation([&](CatalogFileOps& ops) { ops.RenameEntry(WideView(name.c_str())); });
}

void CTarnView::DeleteShownEntry(int row, const std::wstring& path) {
  RunFileOperation([&](CatalogFileOps& ops) { ops.DeleteEntry(row, WideView(path.c_str())); });
}

void CTarnView::CompleteDeleteCommand() {
  RunFileOperation([](CatalogFileOps& ops) { ops.CompleteDelete(); });
}

void CTarnView::RunFileOperation(const std::function<void(CatalogFileOps&)>& operation) {
  // A build, slide show or move in progress owns the catalog.
  if (IsBusy()) return;
  CatalogFileOps ops(TheCatalog(), m_Selection, *this);
  ops.SetShownRange(m_Shown.offset, m_Shown.shownEnd);
  operation(ops);
  m_DrawnRows -= ops.Vacated();
  m_HoverRow = -1;  // rows moved under the mouse
  ReportFileFacts(m_Selection.cursor);
  if (tableChanged) tableChanged();
  if (statusBar) statusBar(CatalogOnScreen() ? kStatusCatalog : kStatusBlank, 0, {});
}

void CTarnView::RepaintTitle(int row) { RepaintCell(row); }

bool CTarnView::RepaintCell(int row) {
  if (!CatalogOnScreen()) return false;
  ScrolledDc dc(Handle(), ScrollPosition());
  const bool drawn = DrawCatalogCell(dc.Get(), row - m_Shown.offset) == 0;
  // The focus frame crosses the title band just drawn over it.
  if (row == m_Selection.cursor && GetFocus() == Handle()) InvalidateFocusFrame(row);
  return drawn;
}

void CTarnView::PaintCellWhite(int row) {
  CellBlock block;
  if (!VacatedCellBlock(row, m_Shown, CurrentCatalogGeometry(), block)) return;
  ScrolledDc dc(Handle(), ScrollPosition());
  PatBlt(dc.Get(), block.x, block.y, block.width, block.height, WHITENESS);
}

void CTarnView::RepaintView() { InvalidateRect(Handle(), nullptr, TRUE); }

}  // namespace tarn
