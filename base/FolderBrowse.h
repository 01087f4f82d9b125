// Choosing a folder in the shell's folder browser, rooted at the special folder the folder-tree
// root setting names.
#pragma once

#include <windows.h>

#include <string>

namespace tarn {

enum FolderBrowseResult : int { kFolderChosen = 0, kFolderCancelled = 1, kFolderRefused = -1 };

// Asks for a folder, opened at `folder` when it names one below the root; `folder` receives the
// one chosen. Typed-by-hand roots, paths of 256
// characters or more and failures are refused after the program's message.
int BrowseForFolder(HWND owner, std::u16string& folder);

}  // namespace tarn
