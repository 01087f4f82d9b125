// The about box: the program's name and version.
#pragma once

#include "base/resource.h"
#include "common/Version.h"
#include "framework/Dialog.h"

namespace tarn {

// The same number as the version resource of every file, from the one place it is kept.
constexpr wchar_t kProgramVersion[] = L"Tarn  Version " TARN_VERSION_TEXT;

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
