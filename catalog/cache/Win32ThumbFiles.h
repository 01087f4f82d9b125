// The thumbnail cache's files on Windows: the folder's "_THUMB_N.TRN" through the file API, the
// program's wiping delete and read-only clearing, and the drive table's kinds.
#pragma once

#include <functional>
#include <string>

#include "catalog/cache/ThumbnailFiles.h"

namespace tarn {

class Win32ThumbFiles : public ThumbFileSystem {
 public:
  // `driveKind` answers the drive table's kind for a root; by default the drives of the machine
  // as the table is built (upper-case letter, colon, backslash, compared exactly).
  explicit Win32ThumbFiles(std::function<int(std::u16string_view)> driveKind = {});

  std::unique_ptr<ThumbFile> Open(std::u16string_view path, OpenMode mode) override;
  SizeQuery FileSize(std::u16string_view path, std::int64_t& size) override;
  bool Exists(std::u16string_view path) override;
  bool Rename(std::u16string_view from, std::u16string_view to) override;
  int WipeDelete(std::u16string_view path, int recordLength) override;
  int ClearReadOnly(std::u16string_view path) override;
  int DriveKind(std::u16string_view root) override;

 private:
  std::function<int(std::u16string_view)> driveKind_;
};

// The machine's drive kind for "X:\" (1 removable, 2 fixed, 3 remote, 4 CD-ROM, 5 RAM disk), or
// 0 when no such drive exists or the root is not written that way.
int SystemDriveKind(std::u16string_view root);

// Files (not folders) directly in `folder`, which ends in "\".
int CountFolderFiles(const std::u16string& folder);

}  // namespace tarn
