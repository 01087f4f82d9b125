// CMainFrame: the save command's guards, the image tools' routing, the clipboard and print commands,
// the cleanup tool, the plug-ins' own settings, the help file, and closing the frame.
#include "MainFrame.h"

#include <htmlhelp.h>

#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"
#include "catalog/view/TrimResource.h"
#include "image/DispWin.h"
#include "plugin_host/SPICore.h"

namespace tarn {

void CMainFrame::SaveImageCommand() {
  if (BusyGuard()) return;
  if (g_MultiWindowFlag) {
    CloseDisplayWindows();
    g_MultiWindowFlag = 0;
    Say(u"「複数画面表示」を OFF します ", u"画面設定変更");
    return;
  }
  if (m_DispWin && m_DispWin->Handle() != nullptr) {
    CloseDisplayWindow(m_DispWin->Index());
    Say(u"子ウインドウを閉じます ", u"画面設定変更");
    return;
  }
  if (!ClipboardCheck()) m_View.SaveCommand();
}

bool CMainFrame::ImageToolCommand(int id) {
  switch (id) {
    case ID_FILE_WALL_SAVE: m_View.WallpaperSaveCommand(); return true;
    case ID_FILE_WALL_DELETE: m_View.WallpaperDeleteCommand(); return true;
    case ID_VIEW_TRIM: m_View.TrimCommand(); return true;
    default: return false;
  }
}

void CMainFrame::ClipboardCommand(int id) {
  // Clearing also ends the clipboard view, so that view does not stop it.
  if (id == ID_FILE_CLIP_CLEAR ? BusyGuard() || m_View.CatalogMissing() : !m_View.ImageToolGuard()) return;
  switch (id) {
    case ID_FILE_CLIP_OPEN: m_View.ClipboardOpenCommand(); break;
    case ID_FILE_CLIP_SAVE: m_View.ClipboardSaveCommand(); break;
    case ID_FILE_CLIP_CLEAR: m_View.ClipboardClearCommand(); break;
    case ID_FILE_CLIP_IMAGE: m_View.ClipboardImageCommand(); break;
    default: break;
  }
}

void CMainFrame::PrintCommand(bool preview) {
  if (BusyGuard()) return;
  const std::u16string what = preview ? u"印刷プレビュー" : u"印刷";
  if (m_DispWin && m_DispWin->Handle() != nullptr) {
    CloseDisplayWindows();
    Say(u"個別画像は「展開画面」で" + what + u"できます ", u"表示画面変更");
    return;
  }
  if (m_View.ClipboardShown()) {
    Say(u"カタログ画面に戻ります ", u"表示画面不一致");
    m_View.LeaveClipboardView();
  }
  if (m_View.CatalogMissing()) return;
  if (preview)
    m_View.PrintPreviewCommand();
  else
    m_View.PrintCommand();
}

bool CMainFrame::StartWipeset() {
  if (BusyGuard()) return false;
  if (m_DispWin) CloseDisplayWindow(m_DispWin->Index());
  const std::u16string path = g_StartFolder + u"Wipeset.exe";
  if (GetFileAttributesW(AsWide(path)) == INVALID_FILE_ATTRIBUTES) {
    Say(u"Tarn.exe のあるフォルダに入れてください ", u"Wipeset.exe プログラム未検出");
    return false;
  }
  if (Say(u"次に表示される画面で削除できます ", u"設定＆ログファイル一括削除", Buttons::kOkCancel) != kAnswerOk)
    return false;
  SaveSettings();
  g_SaveSuppressed = true;
  std::wstring command = AsWide(path);
  if (HasBlank(path)) command = L"\"" + command + L"\"";
  STARTUPINFOW startup{sizeof startup};
  ProcessHandles process;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process.Fill())) {
    Say(u"Wipeset.exe 起動失敗<-M23> ", u"エラー");
    return false;
  }
  PostMessageW(Handle(), WM_CLOSE, 0, 0);
  return true;
}

void CMainFrame::ConfigurePlugin(bool catchPlugin) {
  if (BusyGuard() || ClipboardCheck()) return;
  const wchar_t* wanted = catchPlugin ? L"TarnCatch.spi" : L"TarnFlv.spi";
  std::wstring found;
  WIN32_FIND_DATAW entry;
  const FindHandle search(FindFirstFileW((std::wstring(AsWide(g_StartFolder)) + L"*.*").c_str(), &entry));
  if (search.IsOpen()) {
    do {
      if (EqualsIgnoreCase(WideView(entry.cFileName), WideView(wanted))) found = entry.cFileName;
    } while (found.empty() && FindNextFileW(search.Get(), &entry));
  }
  const std::u16string path = g_StartFolder + FromWide(found.empty() ? wanted : found.c_str());
  if (found.empty()) {
    Say(u"プラグインがありません ", path);
    return;
  }
  CSPICore plugin;
  if (!plugin.Load(AsWide(path))) {
    Say(catchPlugin ? u"プラグインの操作失敗<-M22> " : u"プラグインの操作失敗<-M25> ", path);
    return;
  }
  if (plugin.ConfigurationDlg(Handle(), 1) == -1)
    Say(catchPlugin ? u"プラグイン・オープンエラー<-M21> " : u"プラグイン・オープンエラー<-M26> ", path);
}

void CMainFrame::OpenHelp() {
  const std::u16string file = g_StartFolder + u"Tarn.chm";
  // The viewer answers no window when the file is missing or unreadable, and says nothing itself.
  if (HtmlHelpW(Handle(), (std::wstring(AsWide(file)) + L"::/Tarn.htm").c_str(), HH_DISPLAY_TOPIC, 0) == nullptr)
    Say(u"ヘルプファイルを開けません ", file);
}

void CMainFrame::OnClose() {
  // The program cannot go while a plug-in plays inside one of its calls: the playback is ended
  // (or the user told how to end it) and the close waits for the next request.
  if (EndMovie()) return;
  CloseDisplayWindows();
  if (!g_SlideShowRun) m_CloseRequests = 0;
  switch (CloseRequestAction(g_SlideShowRun != 0, g_HiddenMovieWindow != 0, g_FlvMp4Playing != 0,
                             g_SlideShowRun ? ++m_CloseRequests : 0)) {
    case CloseAction::kClose:
    case CloseAction::kForceClose: DestroyWindow(Handle()); break;
    case CloseAction::kStopAndClear:
      g_SlideShowRun = 0;
      ClearScreen();
      break;
    case CloseAction::kIgnore: break;
    case CloseAction::kClearScreen: ClearScreen(); break;
    case CloseAction::kClearWithNotice:
      ClearScreen();
      StatusBarSet(kStatusBusy, kBusyHiddenMovieLastCall);
      break;
  }
}

}  // namespace tarn
