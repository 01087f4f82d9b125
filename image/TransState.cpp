#include "TransState.h"

namespace tarn {

TransState TransStateAfterTurn(TransState before) {
  return before == kTransBright || before == kTransTurnedBright ? kTransTurnedBright : kTransTurned;
}

BrightnessPlan PlanBrightness(TransState before) {
  if (before == kTransTurned || before == kTransTurnedBright)
    return {.fromLoadedBits = false, .byLevel = false, .after = kTransTurnedBright};
  return {.fromLoadedBits = true, .byLevel = true, .after = kTransBright};
}

}  // namespace tarn
