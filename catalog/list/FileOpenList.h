// Building the file list of a catalog request on the machine's folders: the walk that writes
// "OpenListUni.tmp" and the reading of that list into the catalog table.
#pragma once

#include <string>
#include <string_view>

#include "catalog/list/FolderWalk.h"

namespace tarn {

class CPluginRegistry;

// What a catalog request takes besides its folder: the subfolder mode and the folders picked
// together in the folder tree list.
struct FileListSources {
  bool subfolderMode = false;    // "下位ﾌｫﾙﾀﾞ": the folder and every folder below it
  // Folders picked together in the folder tree list; the picker has already written them into the
  // folder table. Cleared once a request has taken them.
  int pickedFolders = 0;
};
FileListSources& TheFileListSources();

// The folder of the last request.
extern std::u16string g_CurrentFolder;

// Writes the open list of `folder` for folder mode 0, a folder picked in the shell's folder
// browser, or mode 2, the folder tree list's pick. Answers a FileOpenListResult.
int FileOpenList(int mode, std::u16string_view folder, CPluginRegistry& registry);

// The open list's path: "OpenListUni.tmp" in the start folder.
std::u16string OpenListPath();

// Reads the open list into the catalog table, filters and sorts it and deletes the list.
// 0 done, 2 cancelled, 3 a record without a colon, -1 failure.
int ListFileTable(const std::u16string& path);

}  // namespace tarn
