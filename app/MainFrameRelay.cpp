// CMainFrame: the requests of the modeless dialogs and display windows. Most become view
// requests through the hint record; some change the status bar or the dialogs first.
#include "MainFrame.h"
#include "image/DispWin.h"

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/WinText.h"

namespace tarn {

void CMainFrame::OnChangeDialogTree(int param, int request) {
  switch (request) {
    case 2:
      HidePanel(m_ThumbDialog);
      Forward(2);
      break;
    case 3:
      RestoreIfZoomed();
      if (g_CatalogShown) ClearCatalogTable();
      HidePanel(m_ThumbDialog);
      Forward(3, 2);
      break;
    case 7:
    case 8: Forward(request, 0, 0, m_TreeFolder); break;
    case 9: Forward(9); break;
    case 13:
      ClearCatalogTable();
      Forward(13);
      break;
    case 39: break;  // the thumbnail dialog has no folder field yet
    case 42: StatusBarSet(8, 0); break;
    case 48: Forward(48, param != 0 ? 1 : 0); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogTree", request));
  }
}

void CMainFrame::OnChangeDialogThumbNail(int, int request) {
  if (request != 2) {
    Say(SwitchMessage(u"CMainFrame::OnChangeDialogThumbNail", request));
    return;
  }
  HidePanel(m_ThumbDialog);
  Forward(2);
}

void CMainFrame::OnDispWinClose(int param, int request) {
  switch (request) {
    case 9:
      // The window's delete is for the picture it showed, not for what the catalog has selected.
      Forward(9, kDeleteShownEntry, param, param == m_DisplayIndex ? std::wstring(AsWide(m_DisplayPath)) : L"");
      break;
    case 12:
    case 41: Forward(request); break;
    case 10:
      if (g_CatalogShown) Forward(10, 1);
      break;
    case 13: ClearScreen(); break;
    case 15:
    case 16:
      if (g_CatalogShown) Forward(15, request == 15 ? 2 : 3);
      break;
    case 27:
      CloseDisplayWindow(param);
      [[fallthrough]];
    case 28:
      // A display window was closed: the slide show and the busy state end with it.
      PostMessageW(Handle(), WM_REAP_DISPLAYS, 0, 0);
      g_SlideShowRun = 0;
      if (g_CatalogShown) StatusBarSet(1, 0);
      Forward(28);
      break;
    case 29: StatusBarSet(2, param); break;
    case 42: StatusBarSet(3, param); break;
    case 45: break;
    case 48: m_DispDialog.RefreshCount(); break;
    default: Say(SwitchMessage(u"CMainFrame::OnDispWinClose", request));
  }
}

void CMainFrame::OnChangeDialogDisp(int param, int request) {
  switch (request) {
    case 4: Forward(4); break;
    case 6: Forward(6, 0); break;
    case 24: Forward(6, 1); break;
    case 38: Forward(6, 2); break;
    case 43: Forward(6, 4); break;
    case 10:
      if (!g_CatalogShown)
        Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
      else if (g_ScreenMode <= 1)
        Forward(10);
      break;
    case 12: {
      const bool slideShow = g_SlideShowRun != 0;
      g_SlideShowRun = 0;
      if (!g_MultiWindowFlag && m_DispWin) CloseDisplayWindow(m_DispWin->Index());
      if (slideShow && g_FlvMp4Playing)
        StatusBarSet(8, g_HiddenMovieWindow ? 1 : 2);
      else if (g_CatalogShown)
        StatusBarSet(1, 0);
      Forward(12);
      break;
    }
    case 13:
      ClearCatalogTable();
      Forward(13);
      break;
    case 15:
    case 16:
      // A step pressed again while the pending one waits for the build only earns the notice.
      if (param != 0)
        StatusBarSet(8, g_FlvMp4Playing ? 2 : 0);
      else
        Forward(15, request == 15 ? 0 : 1);
      break;
    case 36: Forward(36, param); break;
    case 42: StatusBarSet(8, 0); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogDisp", request));
  }
}

void CMainFrame::OnChangeDialogStre(int param, int request) {
  switch (request) {
    case 19:
      if (g_PictureShown)
        Forward(30, param != 0 ? 1 : 0);
      else if (g_CatalogShown)
        Say(u"リストから選択し、表示してください", u"グラフィックファイルが表示されていません");
      else
        Say(u"メインメニューの「表示ﾌｧｲﾙ《選択》」からフォルダを指定してください", u"グラフィックリストがありません");
      break;
    case 20:
      Forward(30, 2);
      if (g_CatalogShown) StatusBarSet(1, 0);
      break;
    case 36:
      Forward(36, 1);
      StatusBarSet(1, 0);
      break;
    case 49: Forward(49, 1); break;
    default: Say(SwitchMessage(u"CMainFrame::OnChangeDialogStre", request));
  }
}

void CMainFrame::OnPopupWinMsg(int, int request) {
  if (request != 21) {
    Say(SwitchMessage(u"CMainFrame::OnPopupWinMsg", request));
    return;
  }
  HidePanel(m_PopupDialog);
  Forward(21, 0, 0, m_PopupText);
}

}  // namespace tarn
