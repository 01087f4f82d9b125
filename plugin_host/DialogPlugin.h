// CDialogPlugin "ﾌﾟﾗｸﾞｲﾝ": lists the registered plug-ins, switches them on and off, and opens a
// plug-in's own settings or its information.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {

class CDialogPlugin final : public CDialog {
 public:
  // `scratch` loads the selected plug-in on its own; `folder` is the folder the plug-ins came
  // from, ending in a backslash.
  CDialogPlugin(CPluginRegistry& registry, CSPICore& scratch, std::wstring folder);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::wstring LineFor(int index);
  bool ReplaceLine(int index);
  void ShowFormatCount();
  void OnToggle();
  void OnSetAll(int value);
  // Loads the selected plug-in into the scratch core; false (with the message shown) on failure.
  bool LoadSelected(int selection);
  void OnSelectionChange();
  void OnSettings();
  void OnInfo();
  int Selection() const;

  CPluginRegistry& m_Registry;
  CSPICore& m_Scratch;
  std::wstring m_Folder;
};

}  // namespace tarn
