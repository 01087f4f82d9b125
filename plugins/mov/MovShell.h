// What TarnMov's exports, frame grabbing, playback window and settings dialog share inside the DLL.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "MovSettings.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginCodes.h"

namespace tarn::mov {

extern HINSTANCE g_module;
MovSettings& Settings();
// Writes what the settings dialog's "終了" writes: the switches, every form key and SampleStart.
void WriteSettings();
// Writes the volume the user left the playback at.
void WriteVolume();
// Writes the window size chosen with the keys 1, 2, 3 and the centring toggled with 5.
void WriteSizeSelect();
void WriteCenter();

// The exchange with the host: its cell (an internal one until the host gives its own) and the
// positions of the last playback, in 100-nanosecond units.
struct SenseState {
  SenseCell internal = 0;
  SenseCell* cell = &internal;
  std::int64_t current = 0;
  std::int64_t stop = 0;
};
SenseState& Sense();

std::wstring Wide(const char* text);
void Tell(const wchar_t* text, const wchar_t* caption);

// A frame of the video `name` at the sample position into `memory`; false when none was had.
bool GetMovieFrame(const char* name, LocalPictureMemory& memory);
// The shell's icon for media type `type` as a 32 x 32 picture; a plug-in return code.
int IconPicture(std::int32_t type, LocalPictureMemory& memory);

// True while a playback window is open.
bool Playing();
// Plays `name` of media type `type` in the "Tarn Movie" window until it closes; false when the
// playback could not start (the user has been told why).
bool PlayMedia(const char* name, std::int32_t type);

void ShowSettingsDialog(HWND parent);

}  // namespace tarn::mov
