// What the program is doing right now: the screen on show and the long-running activities that
// lock the settings and most menu commands (the busy guard).
#pragma once

namespace tarn {

// 0 catalog screen, 1-3 the view's single-image screens, 4 the clipboard in place of the catalog
// screen, 5 the clipboard in place of another screen.
extern int g_ScreenMode;

extern int g_CatalogBuilding;   // a catalog is being built
extern int g_SlideShowRun;      // a slide show runs
extern int g_ContiState;        // slide-show steps left (300 at the start); above 0 while its timer runs
extern int g_MoveRun;           // a file move runs
extern int g_CatalogShown;      // a catalog is on the catalog screen
extern int g_FlvMp4Playing;     // an FLV or MP4 slide show is playing
extern int g_HiddenMovieWindow; // a hidden movie window is open
extern int g_ZoomPercent;       // zoom screen percentage
extern int g_PictureShown;      // a picture is loaded for the expanded or zoom screen
extern int g_ZoomScreenFlag;    // the zoom screen ("伸縮画面") is on: its percentage rules drawing

// Brightness of the shown picture against its loaded pixels (-128..+128, 0 unchanged), the step
// the brightness dialog made last, and its "常時有効" option, which keeps the level for the
// pictures that follow.
extern int g_BrightLevel;
extern int g_BrightDelta;
extern int g_BrightKeep;

// True while any activity the busy guard protects is under way.
inline bool IsBusy() { return g_CatalogBuilding != 0 || g_SlideShowRun != 0 || g_MoveRun != 0; }

// What a close request does while a slide show runs.
enum class CloseAction {
  kClose,              // no slide show: close normally
  kStopAndClear,       // a hidden movie window is open: flag the stop, clear the screen
  kIgnore,             // no FLV or MP4 play pending
  kClearScreen,        // first request during FLV/MP4 play
  kClearWithNotice,    // second request: clear, and warn that the third one ends the program
  kForceClose,         // third request
};

// `requests` counts the close requests made during this slide show, this one included.
CloseAction CloseRequestAction(bool slideShow, bool hiddenMovieWindow, bool flvMp4Pending, int requests);

// Platform class from the version: 1 major 4 or lower, 2 major 5, 3 6.0, 4 6.1, 5 6.2 and later;
// 0 when no version could be read.
int OsKindOf(unsigned major, unsigned minor);

}  // namespace tarn
