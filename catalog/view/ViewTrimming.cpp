// CTarnView: trimming. The command arms the tool; the next drag of the left button frames a part
// of the screen (of the drawn picture on the picture screens), which is captured into the working
// file "TarnTrim.bmp" and saved through the save routine under a name the user confirms.
#include "TarnView.h"

#include <cstdlib>
#include <string>

#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/StatusText.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/save/SaveNames.h"
#include "catalog/view/TrimFrameDialog.h"
#include "catalog/view/TrimResource.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// A pen drawn over the view's client area for one frame: inverting (drawn twice it is gone) or
// white around the frame, outside what the capture takes.
void DrawFrame(HWND view, const TrimBox& frame, bool invert) {
  HDC dc = GetDC(view);
  if (dc == nullptr) return;
  const int rop = SetROP2(dc, invert ? R2_NOT : R2_COPYPEN);
  const HGDIOBJ pen = SelectObject(dc, GetStockObject(WHITE_PEN));
  const HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  if (invert)
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
  else
    Rectangle(dc, frame.left - 1, frame.top - 1, frame.right + 1, frame.bottom + 1);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  SetROP2(dc, rop);
  ReleaseDC(view, dc);
}

}  // namespace

void CTarnView::TrimCommand() {
  if (!ImageToolGuard()) return;
  m_Trim = {};
  m_Trim.armed = true;
}

TrimBox CTarnView::TrimBounds() const {
  RECT client;
  GetClientRect(Handle(), &client);
  const TrimBox window{0, 0, client.right, client.bottom};
  if (!PictureScreenShown() || !g_PictureShown) return window;
  // The picture was drawn in scrolled coordinates.
  const DrawPlacement& drawn = m_Picture->DrawnRect();
  const POINT scroll = ScrollPosition();
  const TrimBox picture{drawn.x - scroll.x, drawn.y - scroll.y, drawn.x - scroll.x + drawn.width,
                        drawn.y - scroll.y + drawn.height};
  return Intersect(picture, window);
}

bool CTarnView::OnTrimButtonDown(POINT client) {
  if (!m_Trim.armed) return false;
  m_Trim.bounds = TrimBounds();
  m_Trim.start = m_Trim.end = ClipToBox({client.x, client.y}, m_Trim.bounds);
  m_Trim.dragging = true;
  SetCapture(Handle());
  return true;
}

bool CTarnView::OnTrimMove(POINT client) {
  if (!m_Trim.dragging) return false;
  SetCursor(LoadCursorW(nullptr, IDC_CROSS));
  if (m_Trim.drawn) DrawFrame(Handle(), FrameOf(m_Trim.start, m_Trim.end), true);
  m_Trim.end = ClipToBox({client.x, client.y}, m_Trim.bounds);
  DrawFrame(Handle(), FrameOf(m_Trim.start, m_Trim.end), true);
  m_Trim.drawn = true;
  StatusContext context;
  context.trimWidth = std::abs(m_Trim.end.x - m_Trim.start.x);
  context.trimHeight = std::abs(m_Trim.end.y - m_Trim.start.y);
  if (statusBar) statusBar(kStatusText, 0, StatusBarText(kStatusTrim, 0, context).value_or(u""));
  return true;
}

bool CTarnView::OnTrimButtonUp(POINT client) {
  if (!m_Trim.dragging) return false;
  m_Trim.end = ClipToBox({client.x, client.y}, m_Trim.bounds);
  EndTrimDrag();
  TrimBox frame = FrameOf(m_Trim.start, m_Trim.end);
  m_Trim.armed = false;
  if (!TrimKept(frame)) {
    if (statusBar) statusBar(kStatusBlank, 0, {});
    return true;
  }
  RestoreTrimScreen();
  if (g_TrimAdjustFlag != 0 && !AdjustTrimFrame(frame)) return true;
  SaveTrimming(frame);
  return true;
}

void CTarnView::EndTrimDrag() {
  if (m_Trim.drawn) DrawFrame(Handle(), FrameOf(m_Trim.start, m_Trim.end), true);
  m_Trim.drawn = false;
  m_Trim.dragging = false;
  if (GetCapture() == Handle()) ReleaseCapture();
}

void CTarnView::RestoreTrimScreen() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CTarnView::AdjustTrimFrame(TrimBox& frame) {
  for (;;) {
    DrawFrame(Handle(), frame, false);
    POINT corner{frame.left, frame.top};
    ClientToScreen(Handle(), &corner);
    CTrimFrameDialog dialog({corner.x, corner.y, corner.x + frame.Width(), corner.y + frame.Height()});
    const INT_PTR pressed = dialog.DoModal(GetAncestor(Handle(), GA_ROOT));
    RestoreTrimScreen();
    switch (pressed) {
      case IDC_TRIM_LEFT: frame = MoveFrame(frame, -kTrimStep, 0, m_Trim.bounds); break;
      case IDC_TRIM_RIGHT: frame = MoveFrame(frame, kTrimStep, 0, m_Trim.bounds); break;
      case IDC_TRIM_UP: frame = MoveFrame(frame, 0, -kTrimStep, m_Trim.bounds); break;
      case IDC_TRIM_DOWN: frame = MoveFrame(frame, 0, kTrimStep, m_Trim.bounds); break;
      case IDC_TRIM_NEXT: return true;
      default:
        if (statusBar) statusBar(kStatusBlank, 0, {});
        return false;
    }
  }
}

std::u16string CTarnView::TrimFolder() const {
  if (PictureScreenShown() && !m_PicturePath.empty()) return FolderOf(m_PicturePath);
  const CatalogTables& tables = TheCatalog();
  const int row = m_Selection.cursor;
  if (row >= 0 && row < tables.rows) return FolderOf(EntryPath(tables, tables.entries[row]));
  return g_CurrentFolder;
}

void CTarnView::SaveTrimming(const TrimBox& frame) {
  const std::u16string work = TrimmingWorkName(g_StartFolder);
  if (GetFileAttributesW(AsWide(work)) != INVALID_FILE_ATTRIBUTES && !DeleteFileW(AsWide(work))) {
    Say(u"画像ファイルを削除できません<-v82> ");
    return;
  }
  POINT corner{frame.left, frame.top};
  ClientToScreen(Handle(), &corner);
  const RECT area{corner.x, corner.y, corner.x + frame.Width(), corner.y + frame.Height()};
  const int captured = m_Picture->CaptureScreenToBmp(AsWide(work), area, Handle());
  if (captured != kCaptureDone) {
    Say(u"トリミング画面を保存できません -" + FromWide(std::to_wstring(captured).c_str()) + u"  <-v84> ");
  } else if (m_Picture->FileLoad(kSelectStill, AsWide(work)) != 0) {
    Say(u"BMPファイルの読み込み失敗 ");
  } else if (const std::u16string extension = AskSaveExtension(); !extension.empty()) {
    const int saved = m_Saver->SaveImage(TrimFolder(), u"TarnTrim" + extension, kSaveTrimming, false);
    // Saved under its working name, the capture is the user's file now.
    if (saved == 0 && EqualsIgnoreCase(m_Saver->TrimmingPath(), work)) {
      ShowTrimmedScreen();
      return;
    }
  }
  if (GetFileAttributesW(AsWide(work)) != INVALID_FILE_ATTRIBUTES && !DeleteFileW(AsWide(work)))
    Say(u"中間ファイルを削除できません<-v83> ");
  ShowTrimmedScreen();
}

void CTarnView::ShowTrimmedScreen() {
  if (statusBar) statusBar(kStatusBlank, 0, {});
  // The capture took the picture object's place: the picture screens show their own picture again.
  if (!PictureScreenShown() || m_PicturePath.empty()) return;
  g_PictureShown = m_Picture->FileLoad(kSelectStill, AsWide(m_PicturePath)) == 0 ? 1 : 0;
  RedisplayPicture(2);
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace tarn
