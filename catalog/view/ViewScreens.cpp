// CTarnView: the picture screens that take the catalog's place - the expanded screen (the picture
// fitted or at full size) and the zoom screen (at the zoom dialog's percentage or pixel count) -
// their turns, flips and brightness, and the way back to the catalog where it was left.
#include "TarnView.h"

#include <algorithm>

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "base/resource.h"
#include "catalog/view/CatalogSelection.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/screens/ScreenResource.h"
#include "catalog/screens/ZoomDialog.h"
#include "catalog/screens/ZoomRules.h"
#include "framework/GdiScopes.h"
#include "image/BrightnessDialog.h"
#include "image/DispWinMenus.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

HWND Owner(HWND view) { return GetAncestor(view, GA_ROOT); }

void RefuseNoCatalog() { Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません"); }

}  // namespace

void CTarnView::ScreenCommand(int command) {
  if (IsBusy()) {
    if (statusBar) statusBar(kStatusBusy, kBusyPlaying, {});
    return;
  }
  switch (command) {
    case ID_SCREEN_EXPAND: ExpandCommand(); break;
    case ID_SCREEN_ZOOM: ZoomCommand(); break;
    case ID_SCREEN_CATALOG:
      if (PictureScreenShown()) BackToCatalog();
      break;
    default: break;
  }
}

int CTarnView::SelectFileSearch() const {
  const CatalogTables& tables = TheCatalog();
  const auto shown = [&](int row) { return row >= m_Shown.offset && row < std::min(m_Shown.shownEnd, tables.rows); };
  if (shown(m_Selection.cursor)) return m_Selection.cursor;
  for (int row = m_Shown.offset; shown(row); ++row)
    if (tables.entries[row].state == kEntrySelected) return row;
  return -1;
}

void CTarnView::ExpandCommand() {
  if (!CatalogOnScreen()) return;
  const int row = SelectFileSearch();
  if (row < 0 || !MayOpenRow(TheCatalog(), row, false)) return;
  OpenPictureScreen(row);
}

void CTarnView::OpenPictureScreen(int row) {
  m_CatalogScroll = ScrollPosition();
  TheSettingsHost().CloseDisplayWindows();
  if (g_MultiWindowFlag) {
    Say(u"「複数画面表示」を OFF します ", u"画面設定変更");
    g_MultiWindowFlag = 0;
  }
  StopSlideShow();
  g_CatalogShown = 0;
  g_ScreenMode = 1;
  m_Selection.cursor = row;
  TheSettingsHost().RefreshFolderCounters();
  const CatalogTables& tables = TheCatalog();
  m_PicturePath = EntryPath(tables, tables.entries[row]);
  // A picture opened from the catalog starts at its loaded brightness unless the level is kept.
  if (!g_BrightKeep) g_BrightLevel = 0;
  LoadShownPicture();
  RedisplayPicture(1);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CTarnView::LoadShownPicture() {
  g_PictureShown = m_Picture->FileLoad(kSelectStill, AsWide(m_PicturePath)) == 0 ? 1 : 0;
  if (g_PictureShown && g_BrightLevel != 0) m_Picture->RotateMap(kRotateKeptBrightness);
}

void CTarnView::RedisplayPicture(int mode) {
  if (mode == 1 || mode == 2) {
    if (g_AdjustSizeFlag != 0 && g_ZoomScreenFlag == 0) {
      SetScrollSizes(100, 100);
    } else {
      const PluginPicture& loaded = m_Picture->Loaded();
      SetScrollSizes(loaded.Width() * g_ZoomPercent / 100, loaded.Rows() * g_ZoomPercent / 100);
    }
    ScrollTo(0, 0);
  }
  if (mode == 1 && catalogFolder) catalogFolder(m_PicturePath);
}

void CTarnView::DrawPicture(HDC dc) {
  if (!g_PictureShown) return;
  RECT client;
  GetClientRect(Handle(), &client);
  m_Picture->StretchDraw(dc, 0, 0, client.right, client.bottom);
  // The zoom screen keeps the zoom dialog's text.
  if (g_ZoomScreenFlag == 0 && g_MaxSizeFlag == 0 && !IsBusy() && statusBar)
    statusBar(kStatusExpanded, m_Picture->ShownPercent(), {});
}

void CTarnView::LeavePictureScreen() {
  DropClipboardView();
  if (!PictureScreenShown() && g_PictureShown == 0) return;
  if (m_Picture != nullptr) m_Picture->FileLoad(kSelectRelease, nullptr);
  g_PictureShown = 0;
  g_ScreenMode = 0;
  m_PicturePath.clear();
  if (m_ZoomDialog != nullptr && m_ZoomDialog->IsOpen()) m_ZoomDialog->Dismiss();
}

void CTarnView::BackToCatalog() {
  LeavePictureScreen();
  ShowCatalogAgain();
}

void CTarnView::ShowCatalogAgain() {
  g_CatalogShown = m_Catalog.Dc() != nullptr ? 1 : 0;
  if (statusBar) statusBar(kStatusCatalog, 0, {});
  if (catalogFolder) catalogFolder(g_CurrentFolder);
  const Extent extent = CatalogScrollSize(m_Shown.columns, m_Shown.shownEnd - m_Shown.offset, CurrentCatalogGeometry());
  SetScrollSizes(extent.width, extent.height);
  ScrollTo(m_CatalogScroll.x, m_CatalogScroll.y);
  InvalidateRect(Handle(), nullptr, TRUE);
  TakeKeyboard();
}

void CTarnView::ZoomCommand() {
  if (g_ScreenMode == kScreenClipboardOverCatalog) {
    Say(u"伸縮画面ではクリップボードを表示できません ", u"クリップボードの表示制限");
    return;
  }
  if (m_ZoomDialog == nullptr) return;
  if (g_ZoomScreenFlag != 0) {
    SetActiveWindow(m_ZoomDialog->Handle());
    if (statusBar) statusBar(kStatusZoom, 1, {});
    return;
  }
  if (CatalogOnScreen()) {
    const int row = SelectFileSearch();
    if (row < 0) return;
    if (ClassifyFileName(EntryName(TheCatalog().entries[row])) != kClassStill) {
      Say(u"動画・音楽ファイル以外を選択してください ", u"画像選択不可");
      return;
    }
    m_ZoomDialog->Open(Owner(Handle()));
    OpenPictureScreen(row);
    if (statusBar) statusBar(kStatusZoom, 1, {});
    return;
  }
  if (!PictureScreenShown()) {
    RefuseNoCatalog();
    return;
  }
  m_ZoomDialog->Open(Owner(Handle()));
  if (statusBar) statusBar(kStatusZoom, 1, {});
  if (g_AdjustSizeFlag != 0) {
    m_Picture->m_ZoomWidth = m_Picture->m_ZoomHeight = 0;
    SetScrollSizes(m_Picture->Loaded().Width(), m_Picture->Loaded().Rows());
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

void CTarnView::ZoomRequest(int param) {
  if (!g_PictureShown || m_Picture->Loaded().Info() == nullptr) return;
  if (param == 2) {
    SetTimer(Handle(), kTimerPictureLayout, 10, nullptr);
    return;
  }
  const int width = m_Picture->Loaded().Width();
  const int height = m_Picture->Loaded().Rows();
  ZoomSize zoomed;
  if (param == 1) {
    const PixelZoom zoom = ZoomByPixels(width, height, m_ZoomDialog != nullptr ? m_ZoomDialog->PixelCount() : 0);
    g_ZoomPercent = zoom.percent;
    if (m_ZoomDialog != nullptr) m_ZoomDialog->Refresh(zoom.percent);
    if (zoom.percent > kZoomHighest) return;
    zoomed = {zoom.width, zoom.height};
    m_Picture->m_ZoomWidth = zoom.width;
    m_Picture->m_ZoomHeight = zoom.height;
  } else {
    zoomed = {width * g_ZoomPercent / 100, height * g_ZoomPercent / 100};
    m_Picture->m_ZoomWidth = m_Picture->m_ZoomHeight = 0;
  }
  SetScrollSizes(zoomed.width, zoomed.height);
  // A picture larger than the window is shown from its middle.
  RECT client;
  GetClientRect(Handle(), &client);
  ScrollTo(std::max(0, (zoomed.width - static_cast<int>(client.right)) / 2),
           std::max(0, (zoomed.height - static_cast<int>(client.bottom)) / 2));
  if (statusBar) statusBar(kStatusZoom, 0, {});
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CTarnView::ScrollSizeRequest(int param) {
  if (param == 1) {
    RECT client;
    GetClientRect(Handle(), &client);
    SetScrollSizes(client.right, client.bottom);
  } else {
    SetScrollSizes(m_Picture->Loaded().Width(), m_Picture->Loaded().Rows());
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CTarnView::OnPictureRightButton(POINT point) {
  OwnedMenu menu(CreatePopupMenu());
  HMENU popup = menu.Get();
  AppendMenuW(popup, MF_STRING, ID_SCREEN_CATALOG, L"ｶﾀﾛｸﾞに戻る(&U)");
  AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(popup, MF_STRING, ID_DISP_ROTATE_RIGHT, L"右90度(&R)");
  AppendMenuW(popup, MF_STRING, ID_DISP_ROTATE_LEFT, L"左90度(&L)");
  AppendMenuW(popup, MF_STRING, ID_DISP_ROTATE_HALF, L"180度(&T)");
  AppendMenuW(popup, MF_STRING, ID_DISP_FLIP_VERT, L"上下反転(&V)");
  AppendMenuW(popup, MF_STRING, ID_DISP_FLIP_HORZ, L"左右反転(&H)");
  AppendMenuW(popup, MF_STRING, ID_DISP_RESTORE, L"元に戻す(&U)");
  AppendMenuW(popup, MF_STRING, ID_DISP_BRIGHT, L"輝度変更(&B)");
  AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(popup, MF_STRING, ID_SCREEN_ZOOM, L"伸縮画面(&S)");
  AppendMenuW(popup, MF_STRING, ID_SCREEN_SAVE, L"JPG/BMP保存(&A)");
  POINT screen = point;
  ClientToScreen(Handle(), &screen);
  const int command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
  if (command == ID_SCREEN_SAVE)
    PostMessageW(Owner(Handle()), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_IMAGE, 0), 0);
  else if (RotateOpOfCommand(command) >= 0 || command == ID_DISP_BRIGHT)
    PictureTransform(command);
  else if (command != 0)
    ScreenCommand(command);
}

void CTarnView::PictureTransform(int command) {
  if (!g_PictureShown) return;
  const auto repaint = [this] { InvalidateRect(Handle(), nullptr, TRUE); };
  if (command == ID_DISP_BRIGHT) {
    BrightnessLoop(*m_Picture, Owner(Handle()), repaint, [this, repaint] {
      RedisplayPicture(2);
      repaint();
    });
    return;
  }
  if (m_Picture->RotateMap(RotateOpOfCommand(command)) != 0) return;
  RedisplayPicture(2);
  repaint();
}

}  // namespace tarn
