// CMainFrame: movies and sounds opened from the catalog or reached by the slide show. The plug-in
// plays inside the load and keeps the program's windows alive with a message loop of its own, so
// everything that could start a second playback meanwhile is turned away here.
#include "MainFrame.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/WinText.h"
#include "catalog/list/FileClass.h"
#include "image/PictureWnd.h"
#include "plugin_host/SenseState.h"

namespace tarn {

int CMainFrame::PlayMovie(const std::u16string& path, int kind, bool continuous) {
  if (g_FlvMp4Playing) {
    Say(u"Load Error ≪FLV/MP4動画の再生を中止してください≫");
    return -1;
  }
  if (g_MovieRun) {
    StatusBarSet(kStatusBusy, kBusyPlaying);
    return -1;
  }
  const bool external = kind == kClassFlvMp4;
  g_MovieRun = 1;
  if (external) {
    g_FlvMp4Playing = 1;
    g_HiddenMovieWindow = 1;
    StatusBarSet(kStatusBusy, continuous ? kBusyMovieShow : kBusyHiddenMovie);
  }
  const int result = m_Picture.FileLoad(external ? kSelectFlvMp4 : kSelectMedia, AsWide(path));
  g_MovieRun = 0;
  g_FlvMp4Playing = 0;
  g_HiddenMovieWindow = 0;
  // Nothing stays to be drawn: a played movie leaves no picture behind.
  m_Picture.FileLoad(kSelectRelease, nullptr);
  if (g_CatalogShown && !g_SlideShowRun) StatusBarSet(kStatusCatalog, 0);
  return result;
}

bool CMainFrame::EndMovie() {
  if (!g_MovieRun) return false;
  if (g_MovSensed) g_SenseCells[kCellMovLoad] = 1;
  if (g_FlvMp4Playing) StatusBarSet(kStatusBusy, kBusyHiddenMovie);
  return true;
}

}  // namespace tarn
