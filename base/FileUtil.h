// File utilities: the wiping delete of the program's own files, read-only clearing, recycling.
#pragma once

#include <functional>
#include <string_view>

namespace tarn {

enum WipeResult : int {
  kWipeDeleted = 0,
  kWipeCannotOpen = 1,
  kWipeCannotSeek = 2,
  kWipeCannotWrite = 3,
  kWipeCannotTruncate = 4,
  kWipeCannotRedate = 5,
  kWipeCannotDelete = 6,
};

// Overwrites the file with zeros in blocks of `recordLength` bytes (the thumbnail record length of
// the catalog size; below size S's, size M's), truncates it, dates it 1980-01-01 00:00:00 and
// deletes it. Answers a WipeResult.
int WipeDelete(std::u16string_view path, int recordLength);

// 0 the file was not read-only, 1 the attribute was removed, 2 its attributes cannot be read.
int ClearReadOnly(std::u16string_view path);

// Calls `visit` with every entry of `folder` (which ends in a backslash; "." and ".." included, as
// the system lists them) until it answers false.
void ListFolderEntries(std::u16string_view folder, const std::function<bool(std::u16string_view name, bool directory)>& visit);

// Whether `path` (with or without a trailing backslash) names an existing folder.
bool IsFolder(std::u16string_view path);

// Moves one file to the recycle bin without questions or progress; the shell's result.
int RecycleDelete(std::u16string_view path);

}  // namespace tarn
