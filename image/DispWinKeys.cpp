// CDispWin: the keys and the wheel. Esc closes the window as its close box does; the step keys
// and the wheel ask the frame for the previous or next entry, which it takes exactly as the
// display/sort dialog's "△" and "▽", busy state and all.
#include <cstdlib>

#include "image/DispWin.h"
#include "image/DisplayWindowArea.h"

namespace tarn {
namespace {

// Scroll-bar lines per wheel notch, as the user set them; 0 when a notch turns a whole page.
int WheelLines() {
  UINT lines = 3;
  if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return 3;
  return lines == WHEEL_PAGESCROLL ? 0 : static_cast<int>(lines);
}

}  // namespace

bool CDispWin::OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_ESCAPE: OnClose(); return true;
    case VK_RIGHT:
    case VK_SPACE:
    case VK_NEXT: Step(true); return true;
    case VK_LEFT:
    case VK_BACK:
    case VK_PRIOR: Step(false); return true;
    default: return false;
  }
}

void CDispWin::OnWheel(int delta, WPARAM keys) {
  // A display window has no zoom of its own: Ctrl with the wheel leaves the picture as it is.
  if ((keys & MK_CONTROL) != 0) return;
  // Fine-grained wheels turn in parts of a notch; a turn the other way starts afresh.
  if (delta == 0) return;
  if ((m_WheelRest < 0) != (delta < 0)) m_WheelRest = 0;
  m_WheelRest += delta;
  const int notches = m_WheelRest / WHEEL_DELTA;
  m_WheelRest %= WHEEL_DELTA;
  if (notches == 0) return;
  const bool towardsUser = notches < 0;
  // A picture larger than the window scrolls under the wheel, so that all of it can be seen
  // without the bars; Shift with the wheel steps, as the wheel alone does when nothing scrolls.
  if (m_ScrollMode != kScrollNone && (keys & MK_SHIFT) == 0) {
    const int bar = (m_ScrollMode & kScrollVertical) != 0 ? SB_VERT : SB_HORZ;
    const int lines = WheelLines();
    const int code = lines == 0 ? (towardsUser ? SB_PAGEDOWN : SB_PAGEUP) : (towardsUser ? SB_LINEDOWN : SB_LINEUP);
    const int times = std::abs(notches) * (lines == 0 ? 1 : lines);
    for (int i = 0; i < times; ++i) OnScroll(bar, code, 0);
    return;
  }
  // One step however fast the wheel turned: each step loads a picture, and a spin should not
  // leave a queue of them behind.
  Step(towardsUser);
}

void CDispWin::Step(bool next) const { Post(kNoticeStepKey, next ? 1 : 0); }

}  // namespace tarn
