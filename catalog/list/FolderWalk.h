// The folder walk of a catalog request: which folders are visited, which of their files enter
// "OpenListUni.tmp", the limits that cut a request short and the answer the request ends with.
// What the walk needs from the machine (the entries of a folder, the plug-ins' verdict on a name,
// the error log and the list file) comes through FileListSystem.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "catalog/list/CatalogTable.h"

namespace tarn {

class FileListSystem {
 public:
  virtual ~FileListSystem() = default;
  // Answers false to stop the enumeration.
  using Visit = std::function<bool(std::u16string_view name, bool directory)>;
  // Each entry of `folder` (ending in "\"), "." and ".." included, in the order the file system
  // returns them. A folder that cannot be searched has no entries.
  virtual void Entries(std::u16string_view folder, const Visit& visit) = 0;
  // Whether an enabled plug-in accepts the file by its full path.
  virtual bool Accepted(std::u16string_view path) = 0;
  virtual void Log(std::u16string_view line) = 0;
  // The open list: move to its end, append records; false on failure.
  virtual bool SeekListEnd() = 0;
  virtual bool AppendToList(std::string_view records) = 0;
};

enum FileOpenListResult : int {
  kListFailed = -1,
  kListDone = 0,
  kListFolderLimit = 1,  // over 100 subfolders with files: partial list
  kListCancelled = 2,
  kListFileLimit = 3,    // over 4,800 files: partial list
  kListSearchLimit = 4,  // more than 30,000 files searched in one folder
  kListWriteError = 5,   // a write error inside the subfolder walk
};

constexpr int kSearchMax = 30000;  // entries searched in one folder before the walk gives up

// The folder offset suggested at the last cut-off.
extern int g_SuggestedOffset;

// In subfolder mode, asks whether to use the folder offset (Cancel clears it); outside it the
// offset is 0.
void ConfirmFolderOffset(bool subfolderMode);

struct FolderRequest {
  std::u16string folder;  // ends in "\"
  bool subfolderMode = false;
  // Folders picked together in the folder tree list, already written into the folder table; 0
  // when the request names one folder.
  int pickedFolders = 0;
};

// Lists the request's folders into the open list and `tables`' folder table; answers a
// FileOpenListResult. The open list must already be open and empty.
int WalkFolders(const FolderRequest& request, CatalogTables& tables, FileListSystem& system);

}  // namespace tarn
