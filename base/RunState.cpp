#include "RunState.h"

namespace tarn {

int g_ScreenMode = 0;
int g_CatalogBuilding = 0;
int g_SlideShowRun = 0;
int g_ContiState = 0;
int g_MoveRun = 0;
int g_CatalogShown = 0;
int g_FlvMp4Playing = 0;
int g_HiddenMovieWindow = 0;
int g_ZoomPercent = 100;
int g_PictureShown = 0;
int g_ZoomScreenFlag = 0;
int g_BrightLevel = 0;
int g_BrightDelta = 0;
int g_BrightKeep = 0;

CloseAction CloseRequestAction(bool slideShow, bool hiddenMovieWindow, bool flvMp4Pending, int requests) {
  if (!slideShow) return CloseAction::kClose;
  if (hiddenMovieWindow) return CloseAction::kStopAndClear;
  if (!flvMp4Pending) return CloseAction::kIgnore;
  if (requests <= 1) return CloseAction::kClearScreen;
  if (requests == 2) return CloseAction::kClearWithNotice;
  return CloseAction::kForceClose;
}

int OsKindOf(unsigned major, unsigned minor) {
  if (major == 0) return 0;  // no version could be read
  if (major <= 4) return 1;
  if (major == 5) return 2;
  if (major == 6 && minor <= 2) return 3 + static_cast<int>(minor);
  // Systems newer than 6.2 behave as 6.2 does in everything the kind decides; telling their
  // users at every start that the system is unknown would be wrong.
  return 5;
}

}  // namespace tarn
