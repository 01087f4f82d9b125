// The frame's display windows: ChildWindowIF opens a picture from the catalog in the single
// display window or, in multiple-window mode, in a new one; the motion-GIF frame timers step
// animations; a window's step keys step as the display/sort dialog does; closed windows are let
// go once their messages are over.
#include <algorithm>

#include "MainFrame.h"
#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileClass.h"
#include "catalog/view/PendingStep.h"
#include "image/DispWin.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

constexpr std::size_t kTrackedWindows = 10;

// The DisplayConti mode of a request: the slide show's continuous display, or a first display;
// in large-screen mode that is the window of the largest size, in which the picture is centred.
int DisplayModeFor(bool continuous) {
  if (continuous) return kDisplayConti;
  return g_MaxSizeFlag != 0 ? kDisplayLargest : kDisplayNew;
}

}  // namespace

int CMainFrame::ChildWindowIF(const std::u16string& path, int request, int index) {
  if (request == kOpenSingle || request == kOpenSlideShow) {
    KillTimer(Handle(), kTimerGifFrame);
    KillTimer(Handle(), kTimerGifContinuous);
  }
  if (g_ScreenMode >= 1 && g_ScreenMode <= 3)
    Say(u"システムエラー ChildWindowIF Switch=" + DecimalText(request) + u" <-M13>");
  const std::u16string name = path.substr(path.find_last_of(u'\\') + 1);
  const int kind = ClassifyFileName(name);
  if (kind == kClassMedia || kind == kClassFlvMp4)
    return PlayMovie(path, kind, request == kOpenSlideShow || request == kNextGifFrameContinuous);
  if (kind != kClassStill) {
    const char16_t* tag = request == kOpenSingle ? u"ChildWindowIF_1" : request == kOpenSlideShow ? u"ChildWindowIF_2"
                                                                                                 : u"ChildWindowIF_3";
    const std::u16string text = std::u16string(tag) + u" ﾌｧｲﾙ名称ｴﾗｰ ret= " + DecimalText(kind) + u"  Title= " + name;
    WriteErrorLog(text);
    Say(text);
    return -1;
  }
  if (g_FlvMp4Playing) {
    Say(u"Load Error ≪FLV/MP4動画の再生を中止してください≫");
    return -1;
  }
  const bool continuous = request == kOpenSlideShow || request == kNextGifFrameContinuous;
  if (g_MultiWindowFlag && continuous) {
    // A slide show shows one picture after the other in one window.
    g_MultiWindowFlag = 0;
    Say(u"「複数画面表示」をOFF します。再実行してください ", u"画面設定変更");
    return -1;
  }

  CDispWin* window = DisplayWindowFor(request);
  if (window == nullptr) {
    // The window the animation played in has been closed: the animation ends with it, cycles
    // and all, so that the next GIF opened starts its own.
    m_Picture.Animation().Forget();
    return 0;
  }
  const int result = window->DisplayConti(AsWide(path), DisplayModeFor(continuous), index);
  if (result != 0) {
    window->Destroy();
    PostMessageW(Handle(), WM_REAP_DISPLAYS, 0, 0);
    return result;
  }
  m_DisplayPath = path;
  m_DisplayIndex = index;
  if (const MotionGif& gif = m_Picture.Animation(); gif.Playing())
    SetTimer(Handle(), continuous ? kTimerGifContinuous : kTimerGifFrame,
             static_cast<UINT>(gif.NextFrameInterval()), nullptr);
  return 0;
}

CDispWin* CMainFrame::DisplayWindowFor(int request) {
  // An animation plays on in the single window it started in, and in no other; several windows
  // show still pictures only.
  if (request == kNextGifFrame || request == kNextGifFrameContinuous)
    return m_DispWin && m_DispWin->Handle() != nullptr ? m_DispWin.get() : nullptr;
  if (!g_MultiWindowFlag) {
    if (!m_DispWin) m_DispWin = std::make_unique<CDispWin>(m_Picture);
    AttachDisplay(*m_DispWin, 0);
    return m_DispWin.get();
  }
  // At most ten windows are tracked: the oldest gives way to the newest.
  if (m_DispWins.size() >= kTrackedWindows) {
    m_DispWins.front()->Destroy();
    m_DispWins.erase(m_DispWins.begin());
  }
  m_DispWins.push_back(std::make_unique<CDispWin>(m_Picture));
  AttachDisplay(*m_DispWins.back(), m_Cascade++ % static_cast<int>(kTrackedWindows));
  return m_DispWins.back().get();
}

void CMainFrame::AttachDisplay(CDispWin& window, int cascade) {
  RECT dialog{};
  if (m_DispDialog.IsOpen()) GetWindowRect(m_DispDialog.Handle(), &dialog);
  window.Attach(Handle(), 0, dialog.right - dialog.left);
  // Over the catalog rather than over the frame's menu bar; several windows step down and right
  // by a caption each, so that every one of them shows its title.
  POINT origin{0, 0};
  ClientToScreen(m_View.Handle(), &origin);
  // A display/sort dialog on the catalog's left half keeps its place; the windows open beside it.
  RECT view{};
  GetWindowRect(m_View.Handle(), &view);
  if (dialog.right > dialog.left && dialog.left < (view.left + view.right) / 2)
    origin.x = std::max<LONG>(origin.x, dialog.right);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  window.SetOrigin({origin.x + cascade * step, origin.y + cascade * step});
}

void CMainFrame::OnGifFrameTimer(UINT_PTR id) {
  KillTimer(Handle(), id);
  // The window may have gone since the last frame; ChildWindowIF then ends the animation.
  if (m_Picture.Animation().StepAfterFrame())
    ChildWindowIF(m_DisplayPath, id == kTimerGifFrame ? kNextGifFrame : kNextGifFrameContinuous, m_DisplayIndex);
}

void CMainFrame::CloseDisplayWindow(int index) {
  if (m_DispWin && m_DispWin->Handle() != nullptr && (!g_MultiWindowFlag || m_DispWin->Index() == index))
    m_DispWin->Destroy();
  for (const auto& window : m_DispWins)
    if (window->Handle() != nullptr && window->Index() == index) {
      window->Destroy();
      break;
    }
  PostMessageW(Handle(), WM_REAP_DISPLAYS, 0, 0);
}

void CMainFrame::StepFromDisplay(bool next) {
  const StepPost step = StepButton(!next, g_SlideShowRun != 0, g_CatalogBuilding != 0);
  OnChangeDialogDisp(step.param, step.request);
}

void CMainFrame::RedrawDisplay() {
  if (m_DispWin && m_DispWin->Handle() != nullptr) m_DispWin->ShowAgain();
}

void CMainFrame::CloseDisplayWindows() {
  KillTimer(Handle(), kTimerGifFrame);
  KillTimer(Handle(), kTimerGifContinuous);
  m_Picture.Animation().Forget();
  if (m_DispWin) m_DispWin->Destroy();
  for (const auto& window : m_DispWins) window->Destroy();
  // Let go once the messages under way are over: the one being handled may be a window's own.
  PostMessageW(Handle(), WM_REAP_DISPLAYS, 0, 0);
}

void CMainFrame::ReapDisplayWindows() {
  if (m_DispWin && m_DispWin->Handle() == nullptr) m_DispWin.reset();
  std::erase_if(m_DispWins, [](const std::unique_ptr<CDispWin>& window) { return window->Handle() == nullptr; });
  if (m_DispWins.empty()) m_Cascade = 0;
}

}  // namespace tarn
