// CMainFrame: the requests of the modeless dialogs and display windows. Most become view
// requests through the hint record; some change the status bar or the dialogs first.
#include "MainFrame.h"
#include "image/DispWin.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/WinText.h"
#include "catalog/order/TableOrder.h"
#include "plugin_host/SenseState.h"

namespace tarn {

void CMainFrame::OnChangeDialogTree(int param, TreeRequest request) {
  switch (request) {
    case kTreeCatalogAgain: CatalogAgain(); break;
    case kTreeCatalogFolder:
      RestoreIfZoomed();
      if (g_CatalogShown) ClearCatalogTable();
      HidePanel(m_ThumbDialog);
      m_TreeDialog.HandOverPicks();
      Forward(kViewOpenFolder, 2, 0, AsWide(m_TreeDialog.TargetFolder()));
      RememberCatalogFolder();
      break;
    case kTreeCopy: Forward(kViewCopy, 0, 0, AsWide(m_TreeDialog.TargetFolder())); break;
    case kTreeMove: Forward(kViewMove, 0, 0, AsWide(m_TreeDialog.TargetFolder())); break;
    case kTreeDelete: Forward(kViewDelete); break;
    case kTreeClearScreen:
      ClearCatalogTable();
      Forward(kViewClearScreen);
      break;
    case kTreeFolderChanged: m_ThumbDialog.SetFolder(m_TreeDialog.SelectedFolder()); break;
    case kTreeBusy: StatusBarSet(kStatusBusy, kBusyPlaying); break;
    case kTreeRefresh: Forward(kViewRefresh, param != 0 ? 1 : 0); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogTree", request));
  }
}

void CMainFrame::OnChangeDialogThumbNail(int param, ThumbRequest request) {
  if (request != kThumbCatalogAgain) {
    Say(SwitchMessage(u"CMainFrame::OnChangeDialogThumbNail", request));
    return;
  }
  HidePanel(m_ThumbDialog);
  Forward(kViewCatalogAgain);
  // The FLV/MP4 copy goes on once the catalog shows the renamed first-frame images.
  if (param == 1) SetTimer(Handle(), kTimerThumbnail, 200, nullptr);
}

void CMainFrame::OnDispWinClose(int param, DispWinNotice notice) {
  switch (notice) {
    case kNoticeDelete:
      // The window's delete is for the picture it showed, not for what the catalog has selected.
      Forward(kViewDelete, kDeleteShownEntry, param,
              param == m_DisplayIndex ? std::wstring(AsWide(m_DisplayPath)) : L"");
      break;
    case kNoticePause: Forward(kViewStop); break;
    case kNoticeMarkNext: Forward(kViewMarkNext); break;
    case kNoticeRestart:
      if (g_CatalogShown) Forward(kViewSlideShow, 1);
      break;
    case kNoticeClear: ClearScreen(); break;
    case kNoticePrevious:
    case kNoticeNext:
      if (g_CatalogShown) Forward(kViewStep, notice == kNoticePrevious ? 2 : 3);
      break;
    case kNoticeStop:
      CloseDisplayWindow(param);
      [[fallthrough]];
    case kNoticeClosed:
      // A display window was closed: the slide show and the busy state end with it.
      PostMessageW(Handle(), WM_REAP_DISPLAYS, 0, 0);
      g_SlideShowRun = 0;
      if (g_CatalogShown) StatusBarSet(kStatusCatalog, 0);
      Forward(kViewWindowClosed);
      break;
    case kNoticeCatalogZoom: StatusBarSet(kStatusReduced, param); break;
    case kNoticeExpandedZoom: StatusBarSet(kStatusExpanded, param); break;
    case kNoticeReduced: break;
    case kNoticeDialogOpen: m_DispDialog.RefreshCount(); break;
    case kNoticeStepKey: StepFromDisplay(param != 0); break;
    default: Say(SwitchMessage(u"CMainFrame::OnDispWinClose", notice));
  }
}

void CMainFrame::OnChangeDialogDisp(int param, DispDialogRequest request) {
  switch (request) {
    case kDispSortArea: Forward(kViewSortArea); break;
    case kDispSortSize: Forward(kViewSort, kSortSize); break;
    case kDispSortName: Forward(kViewSort, kSortName); break;
    case kDispSortKind: Forward(kViewSort, kSortKind); break;
    case kDispSortDate: Forward(kViewSort, kSortDate); break;
    case kDispSlideShow:
      if (!g_CatalogShown)
        Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
      else if (g_ScreenMode <= 1)
        Forward(kViewSlideShow);
      break;
    case kDispStop: {
      EndMovie();
      const bool slideShow = g_SlideShowRun != 0;
      g_SlideShowRun = 0;
      if (!g_MultiWindowFlag && m_DispWin) CloseDisplayWindow(m_DispWin->Index());
      if (slideShow && g_FlvMp4Playing)
        StatusBarSet(kStatusBusy, g_HiddenMovieWindow ? kBusyHiddenMovie : kBusyHiddenMovieNext);
      else if (g_CatalogShown)
        StatusBarSet(kStatusCatalog, 0);
      Forward(kViewStop);
      break;
    }
    case kDispClear:
      ClearCatalogTable();
      Forward(kViewClearScreen);
      break;
    case kDispPrevious:
    case kDispNext:
      // A movie plays inside the picture object's load, which a step would enter a second time.
      if (g_MovieRun && !g_SlideShowRun)
        StatusBarSet(kStatusBusy, kBusyPlaying);
      // A step pressed again while the pending one waits for the build only earns the notice.
      else if (param != 0)
        StatusBarSet(kStatusBusy, g_FlvMp4Playing ? kBusyHiddenMovieNext : kBusyPlaying);
      else
        Forward(kViewStep, request == kDispPrevious ? 0 : 1);
      break;
    case kDispSwitchScreen: Forward(kViewSwitchScreen, param); break;
    case kDispBusy: StatusBarSet(kStatusBusy, kBusyPlaying); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogDisp", request));
  }
}

void CMainFrame::OnChangeDialogStre(int param, StreRequest request) {
  switch (request) {
    case kStreZoom:
      if (g_PictureShown)
        Forward(kViewZoom, param != 0 ? 1 : 0);
      else if (g_CatalogShown)
        Say(u"リストから選択し、表示してください", u"グラフィックファイルが表示されていません");
      else
        Say(u"メインメニューの「表示ﾌｧｲﾙ《選択》」からフォルダを指定してください", u"グラフィックリストがありません");
      break;
    case kStreCancel:
      Forward(kViewZoom, 2);
      if (g_CatalogShown) StatusBarSet(kStatusCatalog, 0);
      break;
    case kStreBackToCatalog:
      Forward(kViewSwitchScreen, 1);
      StatusBarSet(kStatusCatalog, 0);
      break;
    case kStreThumbSource: Forward(kViewThumbSource, 1); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogStre", request));
  }
}

void CMainFrame::OnPopupWinMsg(int, PopupRequest request) {
  if (request != kPopupRename) {
    Say(SwitchMessage(u"CMainFrame::OnPopupWinMsg", request));
    return;
  }
  HidePanel(m_PopupDialog);
  Forward(kViewRename, 0, 0, m_PopupText);
}

}  // namespace tarn
