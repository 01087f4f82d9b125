// What TarnGif's exports and its settings dialog share inside the DLL.
#pragma once

#include <windows.h>

#include "GifPlayer.h"

namespace tarn::gif {

// The module, for the dialog's resources.
extern HINSTANCE g_module;
// The decoder with its playback state and the loop setting; one per process.
GifPlayer& Player();

// Shows the settings dialog owned by `parent`; "終了" writes "LoopSelect".
void ShowSettingsDialog(HWND parent);

}  // namespace tarn::gif
