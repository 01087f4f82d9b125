// CDispWin: the top-level window a picture from the catalog is shown in, and the surface of the
// slide show and of motion-GIF playback. It loads through the picture object, sizes itself,
// composes the picture once in a memory bitmap, paints and scrolls by copying from it, offers its
// right-button menus and its keys, and tells the main frame of every user action by a numbered
// notification.
#pragma once

#include <windows.h>

#include <string>

#include "base/FrameMessages.h"
#include "base/Requests.h"
#include "framework/MemoryBitmap.h"
#include "framework/Window.h"

namespace tarn {

class CPictureWnd;

// DisplayConti's modes and its own failures (a loader failure is passed back as it is).
enum DisplayMode : int { kDisplayNew = 0, kDisplayLargest = 1, kDisplayAgain = 2, kDisplayConti = 3 };
constexpr int kDisplayNoHeader = -2;
constexpr int kDisplayNoBitmap = -3;
constexpr int kDisplayNoMemoryDc = -4;

class CDispWin final : public CWindow {
 public:
  explicit CDispWin(CPictureWnd& picture);
  ~CDispWin() override;

  // Stores the frame that receives notifications and the largest client size: the whole screen
  // in large-screen mode while the display/sort dialog is closed, else the screen less the
  // frame's side area (`sideWidth`), the dialog (`dialogWidth`, 0 when closed), the caption and
  // the menu. With the dialog open, notification 48 follows.
  void Attach(HWND frame, int sideWidth, int dialogWidth);
  // Where the window opens: its top-left corner on the screen, moved in as far as it takes for a
  // new window to fit on the screen. Large-screen mode always opens at the screen's corner.
  void SetOrigin(POINT origin) { m_Origin = origin; }
  // Shows `path` (modes 0, 1, 3) or the current picture again (mode 2, after a transform):
  // 0, the loader's result, kDisplayNoHeader, kDisplayNoBitmap or kDisplayNoMemoryDc.
  int DisplayConti(const wchar_t* path, int mode, int index);
  int Index() const { return m_Index; }
  // Draws this window's picture again under the current settings (AUTO size, say), reading its
  // file again when the picture object holds another by now.
  void ShowAgain();

  // What the window shows, for the frame's status text and for tests.
  HDC MemoryDc() const { return m_Memory.Dc(); }
  int MemWidth() const { return m_MemWidth; }
  int MemHeight() const { return m_MemHeight; }
  int Zoom() const { return m_Zoom; }
  int ScrollMode() const { return m_ScrollMode; }
  int ScrollX() const { return m_ScrollX; }
  int ScrollY() const { return m_ScrollY; }
  int ViewWidth() const { return m_ViewWidth; }
  int ViewHeight() const { return m_ViewHeight; }
  int PicWidth() const { return m_PicWidth; }
  int PicHeight() const { return m_PicHeight; }
  int MaxWidth() const { return m_MaxWidth; }
  int MaxHeight() const { return m_MaxHeight; }
  bool ContiFlag() const { return m_ContiFlag != 0; }
  bool MenuReopen() const { return m_MenuReopen; }
  const std::wstring& FilePath() const { return m_FilePath; }
  std::wstring Title() const;
  // Where the picture was last drawn into the memory bitmap.
  RECT DrawRect() const { return m_DrawRect; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Posted to itself when a slide-show step should bring the slide-show menu back.
  static constexpr UINT kReopenSlideShowMenu = WM_APP + 1;

  // The system's layout values, read once.
  struct Layout {
    int frameWidth, frameHeight, caption, menu, vBar, hBar;
  };
  static const Layout& System();

  // DisplayConti's steps (DispWin.cpp).
  void SizePictureArea(int mode);
  int PrepareMemoryBitmap();
  void ComposePicture(int frameX, int frameY);
  int PlaceWindow(const wchar_t* path, int mode);
  void SetScrollBars();

  // Painting and scrolling (DispWinPaint.cpp).
  void OnPaint();
  void OnScroll(int bar, int code, int thumb);
  void OnClose();
  void OnDestroy();

  // The keyboard and the wheel (DispWinKeys.cpp); OnKeyDown is false for a key left alone.
  bool OnKeyDown(WPARAM key);
  void OnWheel(int delta, WPARAM keys);
  // Asks the frame for the previous or next entry, as the display/sort dialog's "△" and "▽" do.
  void Step(bool next) const;

  // Menus and commands (DispWinCommands.cpp).
  void OnRightButton(POINT click);
  void OpenSlideShowMenu(POINT at);
  void OnCommand(int id);
  void StopCommand();
  void Transform(int id);
  // Loads this window's file again when the picture object has been given another since; false
  // (after the loader's message) when that fails.
  bool TakeBackPicture(bool& reloaded);
  int Redisplay();

  void Post(DispWinNotice code, WPARAM wParam = 0) const;
  void Send(DispWinNotice code, WPARAM wParam) const;
  void ReleaseMemoryDc();

  CPictureWnd& m_Picture;
  HWND m_pMainFrame = nullptr;  // not owned
  int m_ScrollMode = 0;
  int m_MaxWidth = 0, m_MaxHeight = 0;
  int m_ViewWidth = 0, m_ViewHeight = 0;
  int m_ScrollX = 0, m_ScrollY = 0;
  int m_PicWidth = 0, m_PicHeight = 0;
  int m_Zoom = 100;
  std::wstring m_FilePath;
  RECT m_DrawRect{};
  int m_MemWidth = 0, m_MemHeight = 0;
  int m_ContiFlag = 0;
  int m_Index = 0;
  POINT m_Origin{};
  unsigned m_LoadCount = 0;  // the picture object's load count when this window's picture was loaded
  bool m_MenuReopen = false;
  POINT m_LastClick{};
  int m_WheelRest = 0;  // wheel turn short of a whole notch, kept for the next turn the same way
  MemoryBitmap m_Memory;  // the memory device context and its bitmap, from first display to close
};

}  // namespace tarn
