// The file side of the thumbnail cache as the cache code sees it: open, read, write, seek, the
// size of an image file, rename and the program's wiping delete. Win32 gives the real one; the
// portable cache and engine take whichever they are handed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tarn {

class ThumbFile {
 public:
  virtual ~ThumbFile() = default;
  // Bytes read into `out` (fewer than `count` at the end of the file); -1 on failure.
  virtual long long Read(std::uint8_t* out, std::size_t count) = 0;
  virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
  virtual bool Seek(std::uint64_t offset) = 0;
  virtual bool Length(std::uint64_t& length) = 0;
  virtual bool Close() = 0;
};

enum class OpenMode {
  kRead,       // existing file, reading only
  kReadWrite,  // reading and writing, created when missing
  kCreate,     // a new empty file for writing, replacing any
};

// What a file's size query found.
enum class SizeQuery { kFound, kMissing, kCannotOpen };

class ThumbFileSystem {
 public:
  virtual ~ThumbFileSystem() = default;
  virtual std::unique_ptr<ThumbFile> Open(std::u16string_view path, OpenMode mode) = 0;
  virtual SizeQuery FileSize(std::u16string_view path, std::int64_t& size) = 0;
  virtual bool Exists(std::u16string_view path) = 0;
  virtual bool Rename(std::u16string_view from, std::u16string_view to) = 0;
  // The file utilities: results as WipeDelete (0 deleted, 1 to 6 the failing step; the file is
  // overwritten in blocks of `recordLength`) and ClearReadOnly (0 was not read-only, 1 cleared,
  // 2 status unreadable).
  virtual int WipeDelete(std::u16string_view path, int recordLength) = 0;
  virtual int ClearReadOnly(std::u16string_view path) = 0;
  // Kind of the drive whose root is `root` ("X:\", compared exactly) in the drive table:
  // 1 removable, 2 fixed, 3 remote, 4 CD-ROM, 5 RAM disk; 0 when the table has no such drive.
  virtual int DriveKind(std::u16string_view root) = 0;
};

constexpr int kDriveCdRom = 4;
constexpr char16_t kThumbFileName[] = u"_THUMB_N.TRN";
constexpr char16_t kThumbOldFileName[] = u"_THUMB_OLD.TRN";

}  // namespace tarn
