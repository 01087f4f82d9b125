// CMainFrame: the main window. It owns the catalog view, the five modeless dialogs and the hint
// record; it relays the dialogs' and display windows' requests to the view, keeps the status
// bar, and handles the menus that are not the view's.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/FrameMessages.h"
#include "base/RecentFolders.h"
#include "base/Requests.h"
#include "base/Settings.h"
#include "base/TarnDoc.h"
#include "base/resource.h"
#include "catalog/view/DispSortDialog.h"
#include "catalog/view/PopupTextDialog.h"
#include "catalog/view/TarnView.h"
#include "catalog/screens/ZoomDialog.h"
#include "folders/ThumbDialog.h"
#include "folders/TreeDialog.h"
#include "framework/FrameWindow.h"
#include "framework/PanelDialog.h"

namespace tarn {

class CDispWin;
class CPictureWnd;
class CPluginRegistry;
class CSPICore;


enum FrameTimer : UINT_PTR {
  kTimerGifFrame = 8,        // the next frame of a motion GIF in the single display window
  kTimerGifContinuous = 9,   // the next frame of a motion GIF during the slide show
  kTimerBusyNotice = 15,
  kTimerThumbnail = 16,
};

// ChildWindowIF's requests beside the view's kOpenSingle (0) and kOpenSlideShow (3).
enum DisplayRequest : int { kNextGifFrameContinuous = 6, kNextGifFrame = 7 };

class CMainFrame final : public CFrameWindow, private SettingsHost {
 public:
  CMainFrame(CPluginRegistry& registry, CSPICore& scratch, CPictureWnd& picture);
  ~CMainFrame() override;

  bool Create(bool show);
  CTarnView& View() { return m_View; }
  CTarnDoc& Document() { return m_Document; }
  CTreeDialog& TreeDialog() { return m_TreeDialog; }
  CThumbDialog& ThumbDialog() { return m_ThumbDialog; }

  // The first status pane by switch and value; see StatusText.
  void StatusBarSet(StatusSwitch sw, int value, const std::u16string& text = {});
  // Panes 1 to 4: the name, size, picture size and date of the file the catalog points at.
  void ShowFileFacts(const std::array<std::u16string, 4>& panes);
  // True (after the busy notice) while a catalog is built, a slide show or a move runs.
  bool BusyGuard();
  // True (after telling the user) when the clipboard is on show instead of a screen; the screen
  // it covered is shown again.
  bool ClipboardCheck();

  // The relay of each sender; public so that every request path can be driven directly.
  void OnChangeDialogDisp(int param, DispDialogRequest request);
  void OnPopupWinMsg(int param, PopupRequest request);
  void OnChangeDialogThumbNail(int param, ThumbRequest request);
  void OnChangeDialogTree(int param, TreeRequest request);
  void OnDispWinClose(int param, DispWinNotice notice);
  void OnChangeDialogStre(int param, StreRequest request);

  // "開く": the shell's folder browser, then a catalog of the chosen folder.
  void OpenFolderCommand();
  // Catalogs `folder` as a folder chosen in the browser would be (the command line's folder).
  void CatalogFolder(const std::u16string& folder);
  // The folders catalogued last, which the "ﾌｧｲﾙ" menu lists (see MainFrameRecent.cpp).
  const RecentFolders& Recent() const { return m_Recent; }
  // A recent folder chosen from the menu, by its place in the list: catalogued, or taken off the
  // list with a message when it is gone.
  void OpenRecentFolder(std::size_t index);

  // Shows the picture at `path` (table row `index`) in a display window; see OpenRequest and
  // DisplayRequest. 0, or the display's or the name check's failure.
  int ChildWindowIF(const std::u16string& path, int request, int index);
  // The display windows open now (tests look at them).
  CDispWin* SingleDisplay() const { return m_DispWin.get(); }
  std::size_t TrackedDisplays() const { return m_DispWins.size(); }

  // "JPG/BMP形式で保存": refused while busy; closes the display windows or the clipboard view that
  // stand in its way (the command then ends), else the view saves its picture.
  void SaveImageCommand();
  // The image tools of the view (wallpapers, trimming): true when `id` was one of them.
  bool ImageToolCommand(int id);

  // "印刷" (or its preview): refused while busy and with a display window open (which is
  // closed); from the clipboard view the screen it covered comes back first.
  void PrintCommand(bool preview);
  // The four clipboard commands (ID_FILE_CLIP_...), after the image tools' checks.
  void ClipboardCommand(int id);

  // Starts the cleanup tool after saving; answers true when it was started and the frame closes.
  bool StartWipeset();
  // Opens the settings dialog of "TarnCatch.spi" (catch = true) or "TarnFlv.spi".
  void ConfigurePlugin(bool catchPlugin);
  // "Tarn Help": the help file's topic in the help viewer, or a message when it cannot be shown.
  void OpenHelp();

  std::wstring m_PopupText;   // the popup text window's text (request 21)
  int m_MoveDialogLeft = 0;   // where the display/sort dialog goes when moved

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Fills the hint record and passes it to the view.
  void Forward(ViewRequest request, int param1 = 0, int param2 = 0, const std::wstring& folder = {});
  void OnCommand(int id);
  void OnInitMenuPopup(HMENU menu);
  void OnClose();
  void OnDestroy();
  void OnTimer(UINT_PTR id);
  void ClearCatalogTable();
  void ShowPanel(CPanelDialog& panel);
  void OpenThumbDialog();
  void HidePanel(CPanelDialog& panel);
  void ToggleSetting(int& flag);
  void RestoreIfZoomed();
  CDispWin* DisplayWindowFor(int request);
  // Attaches a display window and sets where it opens: over the view, `cascade` steps in.
  void AttachDisplay(CDispWin& window, int cascade);
  void OnGifFrameTimer(UINT_PTR id);
  // The catalog just built goes first in the recent folders, the file and the menu.
  void RememberCatalogFolder();
  // The "ﾌｧｲﾙ" menu's recent folders, above its last item.
  void ShowRecentFolders();
  // "再ｶﾀﾛｸﾞ" of the menu and of the folder dialog: the catalog built again.
  void CatalogAgain();
  // A movie or sound from the catalog: played by TarnMov in its own window, or by TarnFlv or
  // TarnMp4 in the external player; returns when the playback has ended.
  int PlayMovie(const std::u16string& path, int kind, bool continuous);
  // A close or stop request while a movie plays: TarnMov is told to finish; an external player
  // can only be closed by the user, who is told so. True when a movie was playing.
  bool EndMovie();
  // Closes the display window showing row `index` (the single window unless several are open).
  void CloseDisplayWindow(int index);
  // A display window's step key or wheel: what "△" (`next` false) or "▽" of the display/sort
  // dialog would ask for now.
  void StepFromDisplay(bool next);
  void ReapDisplayWindows();

  // SettingsHost.
  void ClearScreen() override;
  void CloseDisplayWindows() override;
  void RedrawDisplay() override;
  void MoveDisplayDialog() override;
  void ClearAndRedrawView() override;
  void RefreshTreeDialog() override { m_TreeDialog.RefreshFromSettings(); }
  void RefreshFolderCounters() override { m_TreeDialog.RefreshCounters(); }

  CPluginRegistry& m_Registry;
  CSPICore& m_Scratch;
  CPictureWnd& m_Picture;
  CTarnDoc m_Document;
  CTarnView m_View;
  HintRecord m_Hint;
  CDispSortDialog m_DispDialog;
  CTreeDialog m_TreeDialog;
  CPopupTextDialog m_PopupDialog;
  CThumbDialog m_ThumbDialog;
  CZoomDialog m_StreDialog;
  std::unique_ptr<CDispWin> m_DispWin;                // the single display window
  std::vector<std::unique_ptr<CDispWin>> m_DispWins;   // multiple-window mode, oldest first, at most 10
  std::u16string m_DisplayPath;                        // the picture shown last, for its GIF frames
  int m_DisplayIndex = -1;
  int m_Cascade = 0;  // the next multiple window's step down from the view's corner
  int m_CloseRequests = 0;
  int m_CurrentBusyNotice = -1;
  RecentFolders m_Recent;
};

}  // namespace tarn
