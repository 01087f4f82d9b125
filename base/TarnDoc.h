// CTarnDoc, the single document, and the hint record the frame passes with every request it
// forwards to the view (update-all-views with hint 1).
#pragma once

#include <string>

#include "framework/Document.h"

namespace tarn {

constexpr LPARAM kHintRequest = 1;

struct HintRecord {
  int request = 0;
  int param1 = 0;
  int param2 = 0;
  std::wstring folder;  // the folder dialog's target folder (requests 7 and 8)
};

class CTarnDoc final : public CDocument {};

}  // namespace tarn
