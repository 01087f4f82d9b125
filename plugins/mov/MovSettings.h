// TarnMov's settings as "TarnSpi.ini" holds them, with the rules that take a stored text in.
// Portable.
#pragma once

#include "MediaForms.h"

namespace tarn::mov {

struct MovSettings {
  int SizeSelect = 0;   // 0 actual size, 1 double, 2 fit to the screen
  int RateSelect = 0;   // 0 normal, 1 double, 2 half
  int Center = 1;
  int TopMost = 1;
  int SampleStart = 10;  // tenths of a second
  int SoundVR = 90;      // 1..100
  EnabledForms forms;
};

// A stored number taken in when it lies in [low, high]; the current value otherwise.
int RangeFromProfile(const char* text, int low, int high, int current);
// "1" is on, anything else off.
int SwitchFromProfile(const char* text);

// The playback rate of a RateSelect: 1.0, 2.0 or 0.5.
double RateFor(int rateSelect);

}  // namespace tarn::mov
