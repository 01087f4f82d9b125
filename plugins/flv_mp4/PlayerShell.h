// What TarnFlv's or TarnMp4's exports, player start and settings dialog share inside the DLL. The
// one source builds both libraries; TARN_PLAYER_MP4 chooses TarnMp4.
#pragma once

#include <windows.h>

#include <string>

#include "PlayerRules.h"
#include "common/PluginCodes.h"

namespace tarn::player {

#ifdef TARN_PLAYER_MP4
constexpr Library kThisLibrary = Library::kMp4;
#else
constexpr Library kThisLibrary = Library::kFlv;
#endif
inline const LibraryTraits& This() { return Traits(kThisLibrary); }

// One player application: the program and its switches.
struct PlayerSlot {
  std::string path;
  std::string switches;
};

// The settings in force: TarnFlv keeps three slots and the selected one, TarnMp4 only slot 0.
struct PlayerSettings {
  PlayerSlot slots[kSlotCount];
  int selected = 0;
  std::string startFolder;  // the current folder when the DLL was attached, with a trailing "\"
  PlayerSlot Defaults() const { return {startFolder + kDefaultPlayer, kDefaultSwitches}; }
};

extern HINSTANCE g_module;
PlayerSettings& Settings();

// "TarnSpi.ini" in the Windows folder, section "TarnFlv" or "TarnMp4".
std::string ReadProfile(const char* key);
void WriteProfile(const char* key, const std::string& value);

// A byte string of the Japanese code page as UTF-16, for message boxes.
std::wstring Wide(const std::string& text);
void Tell(const wchar_t* text, const std::string& caption);

// Starts the selected player for `file` and returns when it has ended; cell 2 of `cells` follows
// the player's state. Answers false when the player could not be started.
bool PlayAndWait(const std::string& file, SenseCell* cells);
// SensePlugIn's fresh start: no preset player, no running player remembered.
void ForgetPlayState();

// Shows the settings dialog (resource 101) owned by `parent`.
void ShowSettingsDialog(HWND parent);

}  // namespace tarn::player
