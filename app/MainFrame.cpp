// CMainFrame: creation, the menus and their commands, and the end of the frame.
#include "MainFrame.h"

#include "AboutDialog.h"
#include "SettingsDialogs.h"
#include "ThumbSourceDialog.h"
#include "base/AppGlobals.h"
#include "base/FileUtil.h"
#include "base/FolderBrowse.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/RunState.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/screens/ScreenResource.h"
#include "folders/FoldersResource.h"
#include "folders/TreeListFile.h"
#include "image/DispWin.h"
#include "plugin_host/DialogPlugin.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {
namespace {

// Menu items whose features are not in the program yet: shown, but greyed.
constexpr int kNotYetAvailable[] = {
    ID_VIEW_CATALOG_LIMIT,
};

bool IsNotYetAvailable(int id) {
  for (int item : kNotYetAvailable)
    if (item == id) return true;
  return false;
}

TBBUTTON Button(int image, int command) {
  TBBUTTON b{};
  b.iBitmap = image;
  b.idCommand = command;
  b.fsState = TBSTATE_ENABLED;
  b.fsStyle = BTNS_BUTTON;
  return b;
}

}  // namespace

CMainFrame::CMainFrame(CPluginRegistry& registry, CSPICore& scratch, CPictureWnd& picture)
    : m_Registry(registry), m_Scratch(scratch), m_Picture(picture) {
  InstallSettingsHost(this);
  LoadSettings(false);
}

CMainFrame::~CMainFrame() { InstallSettingsHost(nullptr); }

bool CMainFrame::Create(bool show) {
  // Full screen width; the height a maximised window has, so the frame fits above the task bar.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN) - (GetSystemMetrics(SM_CYMAXIMIZED) - GetSystemMetrics(SM_CYFULLSCREEN));
  if (g_OsKind >= 4) height += GetSystemMetrics(SM_CYFRAME);
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  if (!CreateFrame(L"TarnMainFrame", L"Tarn", menu, LoadIconW(nullptr, IDI_APPLICATION), 0, 0, width, height))
    return false;
  SetAccelerators(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  m_Recent = LoadRecentFolders();
  ShowRecentFolders();

  const TBBUTTON buttons[] = {Button(STD_FILEOPEN, ID_FILE_OPEN_FOLDER), Button(STD_FILESAVE, ID_FILE_SAVE_IMAGE),
                              Button(STD_PRINT, ID_FILE_PRINT), Button(STD_PROPERTIES, ID_SET_OTHER),
                              Button(STD_HELP, ID_HELP_ABOUT)};
  const int panes[] = {width / 2, width / 2 + width / 8, width / 2 + width / 4, width / 2 + 3 * width / 8, -1};
  CreateBars(buttons, 5, panes, 5);

  if (!m_View.Create(Handle())) return false;
  m_View.Bind(m_Registry, m_Picture);
  m_View.SetZoomDialog(m_StreDialog);
  m_View.statusBar = [this](StatusSwitch sw, int value, const std::u16string& text) { StatusBarSet(sw, value, text); };
  m_View.tableChanged = [this] { m_DispDialog.RefreshCount(); };
  m_View.fileFacts = [this](const std::array<std::u16string, 4>& panes) { ShowFileFacts(panes); };
  m_View.openInWindow = [this](const std::u16string& path, int request, int row) { ChildWindowIF(path, request, row); };
  m_View.displayedRow = [this] { return m_DispWin && m_DispWin->Handle() != nullptr ? m_DispWin->Index() : -1; };
  m_View.renameAsked = [this](POINT screen, const std::u16string& name) {
    m_PopupDialog.Open(screen, std::wstring(AsWide(name)));
  };
  m_PopupDialog.accepted = [this](const std::wstring& text) {
    m_PopupText = text;
    PostMessageW(Handle(), WM_POPUP_WIN, 0, kPopupRename);
  };
  m_View.catalogFolder = [this](const std::u16string& folder) {
    SetWindowTextW(Handle(), AsWide(folder + u" - Tarn"));
  };
  m_TreeDialog.closeDisplay = [this] { CloseDisplayWindows(); };
  m_ThumbDialog.closeDisplay = [this] { CloseDisplayWindows(); };
  m_ThumbDialog.shownRows = [this] { return std::pair<int, int>{m_View.Shown().offset, m_View.Shown().shownEnd}; };
  m_Document.AddView(&m_View);
  SetView(m_View.Handle());
  for (CPanelDialog* panel : std::initializer_list<CPanelDialog*>{&m_DispDialog, &m_TreeDialog, &m_PopupDialog,
                                                                  &m_ThumbDialog, &m_StreDialog}) {
    panel->Create(Handle());
    ShowWindow(panel->Handle(), SW_HIDE);
  }
  RecalcLayout();
  StatusBarSet(kStatusBlank, 0);
  if (show) {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
  }
  return true;
}

void CMainFrame::Forward(ViewRequest request, int param1, int param2, const std::wstring& folder) {
  m_Hint.request = request;
  m_Hint.param1 = param1;
  m_Hint.param2 = param2;
  m_Hint.folder = folder;
  m_Document.UpdateAllViews(nullptr, kHintRequest, &m_Hint);
}

void CMainFrame::ShowPanel(CPanelDialog& panel) {
  // First over the catalog's corner, not over the frame's menu bar.
  POINT origin{0, 0};
  ClientToScreen(m_View.Handle(), &origin);
  panel.ShowInFront(origin);
}

void CMainFrame::OpenThumbDialog() {
  m_ThumbDialog.Open(Handle());
  m_ThumbDialog.SetFolder(g_CurrentFolder);
}

void CMainFrame::HidePanel(CPanelDialog& panel) {
  if (panel.IsOpen()) ShowWindow(panel.Handle(), SW_HIDE);
}

void CMainFrame::ClearScreen() {
  ClearCatalogTable();
  Forward(kViewClearScreen);
}

void CMainFrame::ClearAndRedrawView() {
  ClearScreen();
  InvalidateRect(m_View.Handle(), nullptr, TRUE);
}

void CMainFrame::MoveDisplayDialog() {
  if (!m_DispDialog.IsOpen()) return;
  RECT frame, dialog;
  GetWindowRect(Handle(), &frame);
  GetWindowRect(m_DispDialog.Handle(), &dialog);
  const int x = g_DispDlgMoveFlag ? frame.left + m_MoveDialogLeft : frame.right - (dialog.right - dialog.left);
  SetWindowPos(m_DispDialog.Handle(), nullptr, x, dialog.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::ClearCatalogTable() { m_View.ClearCatalog(); }

void CMainFrame::OpenFolderCommand() {
  if (BusyGuard()) return;
  std::u16string folder = g_CurrentFolder;
  if (BrowseForFolder(Handle(), folder) == kFolderChosen) CatalogFolder(folder);
}

void CMainFrame::CatalogFolder(const std::u16string& folder) {
  RestoreIfZoomed();
  if (g_CatalogShown) ClearCatalogTable();
  HidePanel(m_ThumbDialog);
  Forward(kViewOpenFolder, 0, 0, AsWide(folder));
  RememberCatalogFolder();
}

void CMainFrame::RestoreIfZoomed() {
  if (IsZoomed(Handle()) && !ShowWindow(Handle(), SW_RESTORE) && IsZoomed(Handle()))
    Say(u" at FileOpen Zoomed Error<-M27> ");
}

void CMainFrame::ToggleSetting(int& flag) {
  if (BusyGuard()) return;
  flag = flag ? 0 : 1;
}

void CMainFrame::OnInitMenuPopup(HMENU menu) {
  const auto check = [menu](int id, bool on) { CheckMenuItem(menu, static_cast<UINT>(id), on ? MF_CHECKED : MF_UNCHECKED); };
  check(ID_FILE_WALL_SELECT2, g_WallSelect2Flag != 0);
  check(ID_VIEW_TOOLBAR_BAR, IsBarShown(ToolBar()));
  check(ID_VIEW_STATUS_BAR_BAR, IsBarShown(StatusBar()));
  check(ID_SET_SINGLE_CLICK, g_SinglClickFlag != 0);
  check(ID_SET_AUTO_SIZE, g_AdjustSizeFlag != 0);
  check(ID_SET_DISP_MOVE, g_DispDlgMoveFlag != 0);
  check(ID_SET_MAX_SIZE, g_MaxSizeFlag != 0);
  check(ID_SET_MULTI_WINDOW, g_MultiWindowFlag != 0);
  check(ID_SET_MONITOR, g_MonitorFlag != 0);
  for (int i = 0; i < 4; ++i) check(ID_SET_SIZE_S + i, g_CatalogSize == i);
  for (int i = 0; i < 5; ++i) check(ID_SET_TIMER_0 + i, m_TimerFlag[i] != 0);
  check(ID_SET_LIMIT_NONE, g_MinFileSize == 0 && g_MaxFileSize == 0);
  check(ID_SET_LIMIT_MIN_1K, g_MinFileSize == 1000 && g_MaxFileSize == 0);
  check(ID_SET_LIMIT_MIN_100K, g_MinFileSize == 100000 && g_MaxFileSize == 0);
  check(ID_SET_LIMIT_MAX_1K, g_MinFileSize == 0 && g_MaxFileSize == 1000);
  check(ID_SET_LIMIT_MAX_100K, g_MinFileSize == 0 && g_MaxFileSize == 100000);
  for (int i = 0; i < 4; ++i) check(ID_SET_EXT_NONE + i, g_ExtRestrict == i);
  check(ID_SET_THUMBNAIL, g_ThumbNailFlag != 0);
  for (int i = 0; i < 6; ++i) check(ID_HOLDER_0 + i, m_HolderFlag[i] != 0);
  for (int id : kNotYetAvailable) EnableMenuItem(menu, static_cast<UINT>(id), MF_GRAYED);
}

void CMainFrame::OnCommand(int id) {
  if (IsNotYetAvailable(id) || ImageToolCommand(id)) return;
  if (id >= ID_SCREEN_EXPAND && id <= ID_SCREEN_CATALOG) {
    m_View.ScreenCommand(id);
    return;
  }
  if (id >= ID_FILE_RECENT_FIRST && id < ID_FILE_RECENT_FIRST + static_cast<int>(RecentFolders::kLimit)) {
    OpenRecentFolder(static_cast<std::size_t>(id - ID_FILE_RECENT_FIRST));
    return;
  }
  if (id >= ID_SET_SIZE_S && id < ID_SET_SIZE_S + 4) {
    if (BusyGuard()) return;
    SelectCatalogSize(id - ID_SET_SIZE_S);
    if (g_CatalogShown) Forward(kViewCatalogAgain);
    return;
  }
  if (id >= ID_SET_TIMER_0 && id < ID_SET_TIMER_0 + 5) {
    if (!BusyGuard()) SelectSlideInterval(id - ID_SET_TIMER_0);
    return;
  }
  if (id >= ID_SET_EXT_NONE && id < ID_SET_EXT_NONE + 4) {
    if (!BusyGuard()) g_ExtRestrict = id - ID_SET_EXT_NONE;
    return;
  }
  if (id >= ID_HOLDER_0 && id < ID_HOLDER_0 + 6) {
    if (!BusyGuard()) SelectHolder(id - ID_HOLDER_0);
    return;
  }
  const auto sizeLimit = [this](long long minimum, long long maximum) {
    if (BusyGuard()) return;
    g_MinFileSize = minimum;
    g_MaxFileSize = maximum;
  };
  switch (id) {
    case ID_FILE_WALL_SELECT2:
      ToggleSetting(g_WallSelect2Flag);
      m_View.WallpaperChanged();
      break;
    case ID_FILE_OPEN_FOLDER: OpenFolderCommand(); break;
    case ID_FILE_SAVE_IMAGE: SaveImageCommand(); break;
    case ID_FILE_PRINT: PrintCommand(false); break;
    case ID_FILE_PRINT_PREVIEW: PrintCommand(true); break;
    case ID_FILE_PRINT_SETUP:
      if (!BusyGuard()) m_View.PrinterSetupCommand();
      break;
    case ID_FILE_BMP_SIZE:
      if (!BusyGuard()) RunThumbSourceDialog(Handle());
      break;
    case ID_EDIT_SIZE_CHANGE:
      if (m_View.ImageToolGuard()) Forward(kViewThumbSource, 0);
      break;
    case ID_FILE_CLIP_OPEN:
    case ID_FILE_CLIP_SAVE:
    case ID_FILE_CLIP_CLEAR:
    case ID_FILE_CLIP_IMAGE: ClipboardCommand(id); break;
    case ID_FILE_JPEG_QUALITY:
      if (!BusyGuard()) m_View.JpegQualityCommand();
      break;
    case ID_EDIT_DELETE:
      if (!BusyGuard()) Forward(kViewDelete);
      break;
    case ID_EDIT_COMPLETE_DELETE:
      if (!BusyGuard()) m_View.CompleteDeleteCommand();
      break;
    case ID_EDIT_SELECT_ALL:
    case ID_EDIT_SELECT_NONE:
    case ID_EDIT_SELECT_INVERT:
    case ID_EDIT_SELECT_ONLY:
      if (BusyGuard()) break;
      HidePanel(m_PopupDialog);
      m_View.SelectionCommand(id);
      break;
    case ID_EDIT_SELECT_STRING:
      if (!BusyGuard()) Forward(kViewSelectByString);
      break;
    case ID_EDIT_SELECT_ATTRIBUTE:
      if (!BusyGuard()) Forward(kViewSelectByAttribute);
      break;
    case ID_EDIT_RENAME_ALL:
      if (!BusyGuard()) Forward(kViewBatchRename);
      break;
    case ID_EDIT_TIME_STAMP:
      if (!BusyGuard()) Forward(kViewTimeStamps);
      break;
    case ID_APP_EXIT_TARN: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
    case ID_VIEW_TOOLBAR_BAR: ShowBar(ToolBar(), !IsBarShown(ToolBar())); break;
    case ID_VIEW_STATUS_BAR_BAR: ShowBar(StatusBar(), !IsBarShown(StatusBar())); break;
    case ID_MENU_TREE_DIALOG:
      ShowPanel(m_TreeDialog);
      m_TreeDialog.RefreshCounters();
      break;
    case ID_MENU_DISP_DIALOG:
      ShowPanel(m_DispDialog);
      MoveDisplayDialog();
      break;
    case ID_EDIT_RENAME:
      if (!BusyGuard()) m_View.RenameCursorCommand();
      break;
    case ID_VIEW_RECATALOG:
      if (!BusyGuard() && m_View.CatalogOnScreen()) CatalogAgain();
      break;
    case ID_MENU_CLEAR:
    case ID_TOP_CLEAR:
      if (!BusyGuard()) ClearScreen();
      break;
    case ID_MENU_WIPESET: StartWipeset(); break;
    case ID_SET_SINGLE_CLICK: ToggleSetting(g_SinglClickFlag); break;
    case ID_SET_AUTO_SIZE: ToggleSetting(g_AdjustSizeFlag); break;
    case ID_SET_MONITOR: ToggleSetting(g_MonitorFlag); break;
    case ID_SET_DISP_MOVE:
      if (BusyGuard()) break;
      g_DispDlgMoveFlag = g_DispDlgMoveFlag ? 0 : 1;
      MoveDisplayDialog();
      break;
    case ID_SET_MAX_SIZE:
      // Large-screen display and multiple windows exclude each other; the windows of the old
      // way of showing go first.
      if (BusyGuard()) break;
      CloseDisplayWindows();
      g_MaxSizeFlag = g_MaxSizeFlag ? 0 : 1;
      if (g_MaxSizeFlag) g_MultiWindowFlag = 0;
      break;
    case ID_SET_MULTI_WINDOW:
      if (BusyGuard()) break;
      CloseDisplayWindows();
      g_MultiWindowFlag = g_MultiWindowFlag ? 0 : 1;
      if (g_MultiWindowFlag) g_MaxSizeFlag = 0;
      break;
    case ID_SET_THUMBNAIL:
      if (!BusyGuard()) OpenThumbDialog();
      break;
    case ID_EDIT_THUMB_COPY:
      if (BusyGuard()) break;
      OpenThumbDialog();
      m_ThumbDialog.StartMovieCopy();
      break;
    case ID_THUMB_DELETE:
      if (!BusyGuard()) m_ThumbDialog.DeleteCommand(g_CatalogShown ? g_CurrentFolder : std::u16string());
      break;
    case ID_SET_LIMIT_NONE: sizeLimit(0, 0); break;
    case ID_SET_LIMIT_MIN_1K: sizeLimit(1000, 0); break;
    case ID_SET_LIMIT_MIN_100K: sizeLimit(100000, 0); break;
    case ID_SET_LIMIT_MAX_1K: sizeLimit(0, 1000); break;
    case ID_SET_LIMIT_MAX_100K: sizeLimit(0, 100000); break;
    case ID_SET_LIMIT_TYPED:
      if (!BusyGuard()) RunSizeLimitDialog(Handle());
      break;
    case ID_SET_CATALOG_OFFSET:
      if (!BusyGuard() && RunCatalogOffsetDialog(Handle()) && g_CatalogShown) Forward(kViewCatalogAgain);
      break;
    case ID_SET_FOLDER_OFFSET:
      if (!BusyGuard()) RunSubFolderOffsetDialog(Handle());
      break;
    case ID_SET_PLUGIN: {
      if (BusyGuard()) break;
      CDialogPlugin dialog(m_Registry, m_Scratch, std::wstring(AsWide(g_StartFolder)));
      dialog.DoModal(Handle());
      break;
    }
    case ID_SET_CATCH_CONFIG:
    case ID_SET_FLV_CONFIG: ConfigurePlugin(id == ID_SET_CATCH_CONFIG); break;
    case ID_SET_APPLICATION:
      if (!BusyGuard()) RunApplicationDialog(Handle());
      break;
    case ID_SET_OTHER:
      if (!BusyGuard()) RunOtherSettingsDialog(Handle());
      break;
    case ID_SET_RESET: {
      if (BusyGuard()) break;
      const int size = g_CatalogSize;
      ResetSettings();
      // A catalog drawn at another size is shown again at the size the reset chose.
      if (g_CatalogShown && g_CatalogSize != size) Forward(kViewCatalogAgain);
      break;
    }
    case ID_HELP_TARN: OpenHelp(); break;
    case ID_HELP_ABOUT: {
      CAboutDialog about;
      about.DoModal(Handle());
      break;
    }
    default: break;
  }
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int param = static_cast<int>(wParam);
  const int request = static_cast<int>(lParam);
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_DISP_DIALOG: OnChangeDialogDisp(param, static_cast<DispDialogRequest>(request)); return 0;
    case WM_POPUP_WIN: OnPopupWinMsg(param, static_cast<PopupRequest>(request)); return 0;
    case WM_THUMB_DIALOG: OnChangeDialogThumbNail(param, static_cast<ThumbRequest>(request)); return 0;
    case WM_TREE_DIALOG: OnChangeDialogTree(param, static_cast<TreeRequest>(request)); return 0;
    case WM_DISP_WIN: OnDispWinClose(param, static_cast<DispWinNotice>(request)); return 0;
    case WM_STRE_DIALOG: OnChangeDialogStre(param, static_cast<StreRequest>(request)); return 0;
    case WM_STARTUP_FOLDER: CatalogFolder(g_StartupFolder); return 0;
    case WM_REAP_DISPLAYS: ReapDisplayWindows(); return 0;
    default: return CFrameWindow::OnMessage(message, wParam, lParam);
  }
}

void CMainFrame::OnDestroy() {
  CloseDisplayWindows();
  KillTimer(Handle(), kTimerGifFrame);
  KillTimer(Handle(), kTimerGifContinuous);
  KillTimer(Handle(), kTimerBusyNotice);
  KillTimer(Handle(), kTimerThumbnail);
  for (int number : {5, 6, 12, 13})
    if (!DeleteTreeListFile(number)) Say(u"削除失敗<-M24> ");
  SaveSettings();
  PostQuitMessage(0);
}

}  // namespace tarn
