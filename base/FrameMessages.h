// The main frame's private messages, shared by the frame and every window that posts to it:
// wParam carries a parameter, lParam the request code.
#pragma once

#include <windows.h>

namespace tarn {

enum FrameMessage : UINT {
  WM_DISP_DIALOG = WM_USER + 5,
  WM_POPUP_WIN = WM_USER + 6,
  WM_THUMB_DIALOG = WM_USER + 7,
  WM_TREE_DIALOG = WM_USER + 8,
  WM_DISP_WIN = WM_USER + 10,
  WM_STRE_DIALOG = WM_USER + 11,
  WM_STARTUP_FOLDER = WM_APP + 1,  // the command line's folder, catalogued once the loop runs
  WM_REAP_DISPLAYS = WM_APP + 2,   // closed display windows are let go once their messages are over
};

}  // namespace tarn
