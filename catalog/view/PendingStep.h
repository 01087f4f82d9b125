// The step buttons of the display/sort dialog and the step they leave pending while a catalog is
// being built, to be made once the build has ended.
#pragma once

#include "base/Requests.h"

namespace tarn {

// 0 none, 1 previous, 2 next.
extern int g_PendingStep;

struct StepPost {
  DispDialogRequest request;  // stop while a slide show runs, else the button's own step
  int param;    // 1 when a step is already pending during a build: the frame only shows the notice
};

// What "△" (`previous`) or "▽" posts, given whether a slide show runs and a catalog is being built.
StepPost StepButton(bool previous, bool slideShow, bool building);

// The pending step, cleared: what the view makes when a build ends.
int TakePendingStep();

}  // namespace tarn
