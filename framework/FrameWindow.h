// CFrameWindow: the main window with its menu, a tool bar on top, a status bar of several panes
// at the bottom, and one view filling the rest.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "Window.h"

namespace tarn {

class CFrameWindow : public CWindow {
 public:
  HWND ToolBar() const { return m_ToolBar; }
  HWND StatusBar() const { return m_StatusBar; }
  void SetStatusText(int pane, const std::wstring& text);
  std::wstring StatusText(int pane) const;
  void ShowBar(HWND bar, bool show);
  bool IsBarShown(HWND bar) const { return bar != nullptr && IsWindowVisible(bar); }
  // The frame's keys: the menu shows them, the tool bar's tips name them. The frame owns the table.
  void SetAccelerators(HACCEL table);
  HACCEL Accelerators() const { return m_Accelerators; }

 protected:
  bool CreateFrame(const wchar_t* className, const wchar_t* title, HMENU menu, HICON icon, int x, int y,
                   int width, int height);
  // Tool bar buttons over the system's standard small images; status panes by right edge.
  void CreateBars(const TBBUTTON* buttons, int buttonCount, const int* paneRights, int paneCount);
  void SetView(HWND view) { m_View = view; }
  void RecalcLayout();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Puts the frame's visible owned windows (dialogs, picture windows) back above it, in their
  // order. Windows keeps them there itself; a display without a window manager (Wine's unmanaged
  // X windows) raises the frame alone when it is clicked, and they would stay hidden behind it.
  void RaiseOwnedWindows() const;
  // A menu item highlighted, in the frame's menus or in those of a window that passes its
  // WM_MENUSELECT on: the first pane shows the item's prompt (the string resource of the same id,
  // up to a "\n"), and its own text again once the menu has closed.
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);

  // A tool bar button's tip, kept while the tip window shows it.
  LRESULT OnToolTip(NMHDR& header);

  std::wstring m_PaneBeforeMenu;  // the first pane's text while a menu is open
  bool m_MenuOpen = false;

  HWND m_ToolBar = nullptr;    // child windows, destroyed with the frame
  HWND m_StatusBar = nullptr;
  HWND m_View = nullptr;
  HACCEL m_Accelerators = nullptr;
  std::wstring m_Tip;
};

}  // namespace tarn
