#include "PendingStep.h"

namespace tarn {

int g_PendingStep = 0;

StepPost StepButton(bool previous, bool slideShow, bool building) {
  if (slideShow) return {kDispStop, 0};
  const DispDialogRequest request = previous ? kDispPrevious : kDispNext;
  if (g_PendingStep != 0) {
    if (building) return {request, 1};
    // The build that the step waited for is over; the step is made now instead.
    g_PendingStep = 0;
    return {request, 0};
  }
  if (building) g_PendingStep = previous ? 1 : 2;
  return {request, 0};
}

int TakePendingStep() {
  const int step = g_PendingStep;
  g_PendingStep = 0;
  return step;
}

}  // namespace tarn
