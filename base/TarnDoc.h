// CTarnDoc, the single document, and the hint record the frame passes with every request it
// forwards to the view (update-all-views with hint 1).
#pragma once

#include <string>

#include "base/Requests.h"
#include "framework/Document.h"

namespace tarn {

constexpr LPARAM kHintRequest = 1;

struct HintRecord {
  ViewRequest request{};
  int param1 = 0;
  int param2 = 0;
  std::wstring folder;  // a target folder, a path or a new name, as the request says
};

class CTarnDoc final : public CDocument {};

}  // namespace tarn
