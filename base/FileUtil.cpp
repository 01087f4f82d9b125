#include "FileUtil.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "WinText.h"
#include "base/RecordBuffer.h"
#include "common/Handles.h"

namespace tarn {
namespace {

constexpr int kRetries = 3;
constexpr DWORD kRetryPauseMs = 100;

// Runs `attempt` once and then up to kRetries more times while it fails with `retryOn`.
template <class Attempt>
bool WithRetries(DWORD retryOn, Attempt attempt) {
  for (int tries = 0;; ++tries) {
    if (attempt()) return true;
    if (GetLastError() != retryOn || tries == kRetries) return false;
    Sleep(kRetryPauseMs);
  }
}

bool OpenForWriting(const std::u16string& path, DWORD access, FileHandle& file) {
  file = FileHandle(CreateFileW(AsWide(path), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsOpen();
}

}  // namespace

int WipeDelete(std::u16string_view pathView, int recordLength) {
  const std::u16string path(pathView);
  // A read-only file is refused before anything is written, also where the file system would
  // let its owner write anyway: the caller clears the attribute when it means to delete.
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return kWipeCannotOpen;
  FileHandle file;
  if (!WithRetries(ERROR_ACCESS_DENIED, [&] { return OpenForWriting(path, GENERIC_WRITE, file); }))
    return kWipeCannotOpen;

  LARGE_INTEGER size{}, zero{};
  if (!GetFileSizeEx(file.Get(), &size) || !SetFilePointerEx(file.Get(), zero, nullptr, FILE_BEGIN))
    return kWipeCannotSeek;
  const bool written = WriteZeroBlocks(
      static_cast<std::uint64_t>(size.QuadPart), recordLength,
      [&](const std::uint8_t* block, std::size_t n) {
        DWORD done = 0;
        return WriteFile(file.Get(), block, static_cast<DWORD>(n), &done, nullptr) && done == n;
      });
  if (!written) return kWipeCannotWrite;

  const bool truncated = WithRetries(ERROR_ACCESS_DENIED, [&] {
    return SetFilePointerEx(file.Get(), zero, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
  });
  if (!truncated) return kWipeCannotTruncate;
  file.Close();

  FileHandle dated;
  if (!WithRetries(ERROR_SHARING_VIOLATION, [&] { return OpenForWriting(path, FILE_WRITE_ATTRIBUTES, dated); }))
    return GetLastError() == ERROR_SHARING_VIOLATION ? kWipeCannotOpen : kWipeCannotRedate;
  const SYSTEMTIME epoch{1980, 1, 2, 1, 0, 0, 0, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&epoch, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(dated.Get(), &utc, &utc, &utc);
  dated.Close();

  for (int tries = 0; tries < 4; ++tries) {
    if (DeleteFileW(AsWide(path))) return kWipeDeleted;
    Sleep(kRetryPauseMs);
  }
  return kWipeCannotDelete;
}

int ClearReadOnly(std::u16string_view pathView) {
  const std::u16string path(pathView);
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return 2;
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return 0;
  SetFileAttributesW(AsWide(path), attributes & ~FILE_ATTRIBUTE_READONLY);
  return 1;
}

int RecycleDelete(std::u16string_view pathView) {
  std::u16string from(pathView);
  from.push_back(u'\0');  // the list ends in a double terminator
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = AsWide(from);
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
  return SHFileOperationW(&op);
}

void ListFolderEntries(std::u16string_view folder, const std::function<bool(std::u16string_view name, bool directory)>& visit) {
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(AsWide(std::u16string(folder) + u"*.*"), &found));
  if (!search.IsOpen()) return;
  do {
    if (!visit(WideView(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return;
  } while (FindNextFileW(search.Get(), &found));
}

bool IsFolder(std::u16string_view path) {
  const DWORD attributes = GetFileAttributesW(AsWide(std::u16string(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tarn
