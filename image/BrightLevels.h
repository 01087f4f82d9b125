// The display's brightness: the level of the shown picture relative to its loaded pixels, the
// change of it made by the brightness dialog's last step, and how the dialog moves them.
#pragma once

namespace tarn {

constexpr int kBrightLevelMin = -128;
constexpr int kBrightLevelMax = 128;

struct BrightLevels {
  int level = 0;
  int delta = 0;
};

// On opening the dialog: a level that is not kept is dropped unless the picture already shows
// it, that is unless the picture was changed at all (`changed`: a work buffer, or a colour table
// brightened in place, which leaves the transform state at 0); the pending step is the whole
// level. Answers the scroll bar's position.
int OpenBrightnessDialog(bool keep, bool changed, BrightLevels& bright);

// The dialog's scroll bar moved one line back (-1) or forward (+1), within the level's range.
int BrightnessLine(int position, int direction);

// Preview or OK with the number read from the edit box: held to the level's range, and the step
// is what it adds to the level in force.
void AcceptBrightness(int value, BrightLevels& bright);

// "変更中止": nothing is left pending or in force.
void CancelBrightness(BrightLevels& bright);

}  // namespace tarn
