// A settings host that records, in order, what the settings asked of the frame.
#pragma once

#include <string>
#include <vector>

#include "base/Settings.h"

namespace tarn::test {

class RecordingSettingsHost : public SettingsHost {
 public:
  std::vector<std::string> calls;
  void ClearScreen() override { calls.push_back("ClearScreen"); }
  void CloseDisplayWindows() override { calls.push_back("CloseDisplayWindows"); }
  void RedrawDisplay() override { calls.push_back("RedrawDisplay"); }
  void MoveDisplayDialog() override { calls.push_back("MoveDisplayDialog"); }
  void RefreshTreeDialog() override { calls.push_back("RefreshTreeDialog"); }
  void RefreshFolderCounters() override { calls.push_back("RefreshFolderCounters"); }
  void ClearAndRedrawView() override { calls.push_back("ClearAndRedrawView"); }
};

}  // namespace tarn::test
