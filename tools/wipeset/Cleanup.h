// What each button of Wipeset deletes, with its questions and result messages.
#pragma once

#include <windows.h>

#include <string>

namespace wipeset {

// The files Wipeset deletes, numbered as the program has always numbered them (there is no 2).
enum FileKind : int {
  kTarnIni = 0,    // "Tarn.ini" in the Windows folder
  kTarnSpiIni = 1, // "TarnSpi.ini" in the Windows folder
  kTarnCfg = 3,    // "Tarn.cfg", or "Tarn2.cfg" without it, in the current folder
  kErrLog = 4,     // "ErrLog.txt" in the current folder
  kWallpaper1 = 5, // "TarnWall1.jpg" in the current folder
  kWallpaper2 = 6, // "TarnWall2.jpg" in the current folder
};

// Single: one of the individual buttons, which asks and reports per file. All: the delete-all
// button, which asks once and reports once at the end.
enum class Mode { kSingle, kAll };

enum class Outcome { kDeleted, kNotFound, kCancelled, kFailed };

// The folder a kind lives in, ending in a backslash; empty when the system gives none that fits
// a path.
std::string FolderOf(FileKind kind);

Outcome DeleteOne(HWND owner, FileKind kind, Mode mode);

// "一括削除": every kind, one question first and one message at the end.
void DeleteAll(HWND owner);

// "壁紙": both wallpapers, one question first and one message at the end.
void DeleteWallpapers(HWND owner);

}  // namespace wipeset
