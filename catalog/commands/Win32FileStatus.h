// The catalog commands' files on the Win32 file system: renames that never replace a file, the
// attribute byte, and the three times of a file.
#pragma once

#include <windows.h>

#include "catalog/commands/BatchRename.h"
#include "catalog/commands/TimeStamps.h"

namespace tarn {

class Win32FileStatus final : public FileRenamer, public FileStatusStore {
 public:
  bool Rename(std::u16string_view from, std::u16string_view to) override;
  bool Attributes(std::u16string_view path, std::uint32_t& attributes) override;
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override;
  bool SetTime(std::u16string_view path, StampChoice choice, const StampTime& time) override;
};

// A file time (UTC) as the user's calendar and clock show it.
StampTime LocalStamp(const FILETIME& utc);

}  // namespace tarn
