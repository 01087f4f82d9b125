#include "Win32ThumbFiles.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/FileUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"

namespace tarn {
namespace {

class Win32ThumbFile : public ThumbFile {
 public:
  explicit Win32ThumbFile(HANDLE h) : file_(h) {}

  long long Read(std::uint8_t* out, std::size_t count) override {
    std::size_t total = 0;
    while (total < count) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - total, 1u << 20));
      DWORD got = 0;
      if (!ReadFile(file_.Get(), out + total, want, &got, nullptr)) return -1;
      if (got == 0) break;
      total += got;
    }
    return static_cast<long long>(total);
  }
  bool Write(const std::uint8_t* bytes, std::size_t count) override {
    DWORD done = 0;
    return WriteFile(file_.Get(), bytes, static_cast<DWORD>(count), &done, nullptr) && done == count;
  }
  bool Seek(std::uint64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN) != 0;
  }
  bool Length(std::uint64_t& length) override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.Get(), &size)) return false;
    length = static_cast<std::uint64_t>(size.QuadPart);
    return true;
  }
  bool Close() override { return file_.Close(); }

 private:
  FileHandle file_;
};

}  // namespace

int SystemDriveKind(std::u16string_view root) {
  if (root.size() != 3 || root[0] < u'A' || root[0] > u'Z' || root[1] != u':' || root[2] != u'\\') return 0;
  if (!(GetLogicalDrives() & (1u << (root[0] - u'A')))) return 0;
  switch (GetDriveTypeW(AsWide(std::u16string(root)))) {
    case DRIVE_REMOVABLE: return 1;
    case DRIVE_FIXED: return 2;
    case DRIVE_REMOTE: return 3;
    case DRIVE_CDROM: return 4;
    case DRIVE_RAMDISK: return 5;
    default: return 0;
  }
}

int CountFolderFiles(const std::u16string& folder) {
  WIN32_FIND_DATAW found;
  const FindHandle find(FindFirstFileW(AsWide(folder + u"*"), &found));
  if (!find.IsOpen()) return 0;
  int count = 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(find.Get(), &found));
  return count;
}

Win32ThumbFiles::Win32ThumbFiles(std::function<int(std::u16string_view)> driveKind)
    : driveKind_(driveKind ? std::move(driveKind) : SystemDriveKind) {}

std::unique_ptr<ThumbFile> Win32ThumbFiles::Open(std::u16string_view pathView, OpenMode mode) {
  const std::u16string path(pathView);
  DWORD access = GENERIC_READ, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
  if (mode == OpenMode::kReadWrite) {
    access = GENERIC_READ | GENERIC_WRITE;
    share = 0;
    disposition = OPEN_ALWAYS;
  } else if (mode == OpenMode::kCreate) {
    access = GENERIC_WRITE;
    share = 0;
    disposition = CREATE_ALWAYS;
  }
  HANDLE h = CreateFileW(AsWide(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32ThumbFile>(h);
}

SizeQuery Win32ThumbFiles::FileSize(std::u16string_view pathView, std::int64_t& size) {
  // One query of the directory entry: every cached thumbnail of a catalog asks this once, and
  // opening each picture only to learn its size would cost several times as much.
  const std::u16string path(pathView);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
               ? SizeQuery::kMissing
               : SizeQuery::kCannotOpen;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return SizeQuery::kMissing;
  size = static_cast<std::int64_t>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
  return SizeQuery::kFound;
}

bool Win32ThumbFiles::Exists(std::u16string_view path) {
  return GetFileAttributesW(AsWide(std::u16string(path))) != INVALID_FILE_ATTRIBUTES;
}

bool Win32ThumbFiles::Rename(std::u16string_view from, std::u16string_view to) {
  return MoveFileW(AsWide(std::u16string(from)), AsWide(std::u16string(to))) != 0;
}

int Win32ThumbFiles::WipeDelete(std::u16string_view path, int recordLength) {
  return tarn::WipeDelete(path, recordLength);
}

int Win32ThumbFiles::ClearReadOnly(std::u16string_view path) { return tarn::ClearReadOnly(path); }

int Win32ThumbFiles::DriveKind(std::u16string_view root) { return driveKind_(root); }

}  // namespace tarn
