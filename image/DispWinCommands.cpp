// CDispWin: the right-button menus, their commands, and the transforms of the picture shown.
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "image/BrightnessDialog.h"
#include "image/DispWin.h"
#include "image/DispWinMenus.h"
#include "image/PictureTransforms.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// The main frame's motion-GIF frame timers.
constexpr UINT_PTR kGifTimers[] = {8, 9};

void OpenMenu(const OwnedMenu& menu, HWND owner, POINT at) {
  TrackPopupMenu(GetSubMenu(menu.Get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner,
                 nullptr);
}

}  // namespace

void CDispWin::OnRightButton(POINT click) {
  // Several windows share one frame; their menus would act on whichever picture is current.
  if (g_MultiWindowFlag != 0) return;
  SetForegroundWindow(Handle());
  if (g_ContiState > 0) Post(kNoticePause);
  POINT screen = click;
  ClientToScreen(Handle(), &screen);
  // The animation stops where it is: the frame's timers go, its frame count stays, so the
  // transform commands still know the picture is a motion GIF.
  if (m_pMainFrame != nullptr)
    for (const UINT_PTR timer : kGifTimers) KillTimer(m_pMainFrame, timer);
  if (m_ContiFlag != 0) {
    m_LastClick = screen;
    OpenSlideShowMenu({screen.x + 10, screen.y});
    return;
  }
  g_ContiState = 0;
  if (g_SinglClickFlag != 0) {
    StopCommand();
    return;
  }
  OpenMenu(WindowMenu(), Handle(), {screen.x + 10, screen.y});
}

void CDispWin::OpenSlideShowMenu(POINT at) { OpenMenu(SlideShowMenu(), Handle(), at); }

void CDispWin::StopCommand() {
  ReleaseMemoryDc();
  Post(kNoticeStop, static_cast<WPARAM>(m_Index));
}

void CDispWin::OnCommand(int id) {
  switch (id) {
    case ID_CONTI_STOP: StopCommand(); break;
    case ID_CONTI_RESTART:
      m_MenuReopen = false;
      Post(kNoticeRestart);
      break;
    case ID_CONTI_PAUSE: break;  // the right button already paused the slide show
    case ID_CONTI_PREVIOUS:
      m_MenuReopen = true;
      Post(kNoticePrevious);
      break;
    case ID_CONTI_NEXT:
      m_MenuReopen = true;
      Post(kNoticeNext);
      break;
    case ID_CONTI_MARK_NEXT:
      m_MenuReopen = true;
      Post(kNoticeMarkNext);
      break;
    case ID_CONTI_CLEAR: Post(kNoticeClear); break;
    case ID_DISP_DELETE:
      StopCommand();
      Post(kNoticeDelete, static_cast<WPARAM>(m_Index));
      break;
    case ID_DISP_ROTATE_RIGHT:
    case ID_DISP_ROTATE_LEFT:
    case ID_DISP_ROTATE_HALF:
    case ID_DISP_RESTORE:
    case ID_DISP_FLIP_VERT:
    case ID_DISP_FLIP_HORZ:
    case ID_DISP_BRIGHT: Transform(id); break;
    default: break;
  }
}

int CDispWin::Redisplay() { return DisplayConti(L"", kDisplayAgain, m_Index); }

void CDispWin::ShowAgain() {
  bool reloaded = false;
  if (TakeBackPicture(reloaded)) Redisplay();
}

void CDispWin::Transform(int id) {
  if (m_Picture.Animation().Playing()) {
    const bool flip = id == ID_DISP_FLIP_VERT || id == ID_DISP_FLIP_HORZ;
    Say(id == ID_DISP_BRIGHT ? u"モーションGIFは輝度変更できません "
        : flip               ? u"モーションGIFは反転できません "
                             : u"モーションGIFは回転できません ");
    return;
  }
  bool reloaded = false;
  if (!TakeBackPicture(reloaded)) return;
  // What the window shows is this file as loaded now; there is nothing further to return from.
  if (reloaded && id == ID_DISP_RESTORE) {
    Redisplay();
    return;
  }
  switch (id) {
    case ID_DISP_BRIGHT: {
      const auto redisplay = [this] { Redisplay(); };
      BrightnessLoop(m_Picture, Handle(), redisplay, redisplay);
      return;
    }
    case ID_DISP_RESTORE:
      // A palette picture whose colours were changed is still state 0, yet has something to undo.
      if (!m_Picture.Changed()) {
        StopCommand();
        return;
      }
      break;
    default: break;
  }
  if (m_Picture.RotateMap(RotateOpOfCommand(id)) == 0) Redisplay();
}

bool CDispWin::TakeBackPicture(bool& reloaded) {
  // The catalog decodes its thumbnails through the same picture object, so a build since this
  // window loaded its file has left another picture there.
  reloaded = m_Picture.LoadCount() != m_LoadCount;
  if (!reloaded) return true;
  if (m_Picture.FileLoad(kSelectStill, m_FilePath.c_str()) != 0) return false;
  m_LoadCount = m_Picture.LoadCount();
  return true;
}


}  // namespace tarn
