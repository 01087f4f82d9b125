// File access of the plug-ins: byte-string names and shared reading.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/Handles.h"

namespace tarn {

// A file opened for reading with others allowed to read too; closed on destruction.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const char* name);

  bool IsOpen() const { return file_.IsOpen(); }
  HANDLE Handle() const { return file_.Get(); }
  // The size in bytes, or -1 when it cannot be had.
  std::int64_t Size() const;
  // Moves to `offset` and answers whether the file position is now exactly there.
  bool SeekTo(std::int64_t offset) const;

 private:
  FileHandle file_;
};

// Reads up to `bytes` from the current position of `file`; false when the read itself fails.
bool ReadSome(HANDLE file, void* dst, DWORD bytes, DWORD* got);

}  // namespace tarn
