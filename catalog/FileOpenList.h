// Building the file list of a catalog request: the folder walk that writes "OpenListUni.tmp" and
// the reading of that list into the catalog table.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

class CPluginRegistry;

// What a catalog request takes besides its folder: the folder tree list's pick and the subfolder
// mode.
struct FileListSources {
  std::u16string treeFolder;     // folder picked in the folder tree list (mode 2)
  bool subfolderMode = false;    // "下位ﾌｫﾙﾀﾞ": the folder and every folder below it
  // Folders picked together in the folder tree list; the picker has already written them into the
  // folder table. Cleared once a request has taken them.
  int pickedFolders = 0;
};
FileListSources& TheFileListSources();

// The folder of the last request, and the folder offset suggested at the last cut-off.
extern std::u16string g_CurrentFolder;
extern int g_SuggestedOffset;

enum FileOpenListResult : int {
  kListFailed = -1,
  kListDone = 0,
  kListFolderLimit = 1,  // over 100 subfolders with files: partial list
  kListCancelled = 2,
  kListFileLimit = 3,    // over 4,800 files: partial list
  kListSearchLimit = 4,  // more than 30,000 files searched in one folder
  kListWriteError = 5,   // a write error inside the subfolder walk
};

// Writes the open list for folder mode 0, the folder picked in the shell's folder browser
// (`browsedFolder`), or mode 2, the folder tree list's pick.
int FileOpenList(int mode, std::u16string_view browsedFolder, CPluginRegistry& registry);

// The open list's path: "OpenListUni.tmp" in the start folder.
std::u16string OpenListPath();

// Reads the open list into the catalog table, filters and sorts it and deletes the list.
// 0 done, 2 cancelled, 3 a record without a colon, -1 failure.
int ListFileTable(const std::u16string& path);

}  // namespace tarn
