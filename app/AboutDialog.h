// The about box: the program's name and version.
#pragma once

#include "base/resource.h"
#include "framework/Dialog.h"

namespace tarn {

constexpr wchar_t kProgramVersion[] = L"Tarn  Version 1.0";

class CAboutDialog final : public CDialog {
 public:
  CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

 protected:
  bool OnInitDialog() override {
    SetItemText(IDC_ABOUT_VERSION, kProgramVersion);
    return true;
  }
};

}  // namespace tarn
