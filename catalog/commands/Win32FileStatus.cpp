#include "Win32FileStatus.h"

#include <windows.h>

#include "base/WinText.h"
#include "common/Handles.h"

namespace tarn {
namespace {

const wchar_t* Path(const std::u16string& path) { return AsWide(path); }

// A local date and time as the file system keeps it (UTC).
bool ToFileTime(const StampTime& t, FILETIME& utc) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(t.year);
  local.wMonth = static_cast<WORD>(t.month);
  local.wDay = static_cast<WORD>(t.day);
  local.wHour = static_cast<WORD>(t.hour);
  local.wMinute = static_cast<WORD>(t.minute);
  local.wSecond = static_cast<WORD>(t.second);
  SYSTEMTIME universal;
  return TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) && SystemTimeToFileTime(&universal, &utc);
}

}  // namespace

StampTime LocalStamp(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME t{};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

bool Win32FileStatus::Rename(std::u16string_view from, std::u16string_view to) {
  return MoveFileW(Path(std::u16string(from)), Path(std::u16string(to))) != 0;
}

bool Win32FileStatus::Attributes(std::u16string_view path, std::uint32_t& attributes) {
  const DWORD found = GetFileAttributesW(Path(std::u16string(path)));
  if (found == INVALID_FILE_ATTRIBUTES) return false;
  attributes = found;
  return true;
}

bool Win32FileStatus::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
  return SetFileAttributesW(Path(std::u16string(path)), attributes) != 0;
}

bool Win32FileStatus::SetTime(std::u16string_view path, StampChoice choice, const StampTime& time) {
  FILETIME stamp;
  if (!ToFileTime(time, stamp)) return false;
  FileHandle file(CreateFileW(Path(std::u16string(path)), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.IsOpen()) return false;
  const bool all = choice == kStampAll;
  return SetFileTime(file.Get(), all || choice == kStampCreation ? &stamp : nullptr,
                     all || choice == kStampAccess ? &stamp : nullptr,
                     all || choice == kStampModification ? &stamp : nullptr) != 0;
}

}  // namespace tarn
