// The transform state of the current picture and how each kind of change moves it:
//   0 untouched: the loaded bits are current and there is no work buffer
//   1 turned or flipped
//   2 brightness changed only: the work buffer holds the loaded bits brightened by the level
//   3 turned or flipped and brightness changed
// Returning to the first state goes to 0 from anywhere.
#pragma once

namespace tarn {

enum TransState : int { kTransUntouched = 0, kTransTurned = 1, kTransBright = 2, kTransTurnedBright = 3 };

// After a turn or flip.
TransState TransStateAfterTurn(TransState before);

// How a brightness change of 24-bit and 32-bit pixels is made from a given state. Without a turn
// it is taken from the loaded bits by the whole level, so it is absolute; after a turn the loaded
// bits are no longer in the current orientation, so the step is added to the current pixels.
struct BrightnessPlan {
  bool fromLoadedBits;   // else the current pixels of the work buffer
  bool byLevel;          // offset: the whole level, else the dialog's last step
  TransState after;
};
BrightnessPlan PlanBrightness(TransState before);

}  // namespace tarn
