#include "MovSettings.h"

#include <cstdlib>
#include <cstring>

namespace tarn::mov {

int RangeFromProfile(const char* text, int low, int high, int current) {
  if (text == nullptr || std::strcmp(text, "Nothing") == 0) return current;
  const int value = std::atoi(text);
  return value >= low && value <= high ? value : current;
}

int SwitchFromProfile(const char* text) { return text != nullptr && std::strcmp(text, "1") == 0 ? 1 : 0; }

double RateFor(int rateSelect) { return rateSelect == 1 ? 2.0 : rateSelect == 2 ? 0.5 : 1.0; }

}  // namespace tarn::mov
