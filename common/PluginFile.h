// File access of the plug-ins: byte-string names, shared reading, and local-memory blocks.
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

// A fixed local-memory block, freed on destruction.
class LocalBlock {
 public:
  explicit LocalBlock(std::size_t bytes)
      : data_(static_cast<std::uint8_t*>(LocalAlloc(LMEM_FIXED, bytes))) {}
  LocalBlock(const LocalBlock&) = delete;
  LocalBlock& operator=(const LocalBlock&) = delete;
  ~LocalBlock() { LocalFree(data_); }
  std::uint8_t* Data() const { return data_; }

 private:
  std::uint8_t* data_;  // owned; null when the allocation failed
};

}  // namespace tarn
