// What TarnCatch's exports and its settings dialog share inside the DLL.
#pragma once

#include <windows.h>

#include <string>

#include "CatchRules.h"

namespace tarn::catchall {

extern HINSTANCE g_module;
// The settings in force, read from "TarnSpi.ini" at attach; one per process.
CatchSettings& Settings();

std::wstring Wide(const char* text, UINT codePage);

// Shows the settings dialog owned by `parent`; "終了" writes the section "TarnCatch".
void ShowSettingsDialog(HWND parent);

}  // namespace tarn::catchall
