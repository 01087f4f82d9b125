#include "tools/wipeset/WipeFile.h"

#include <windows.h>

#include <cstring>

#include "common/Handles.h"

namespace wipeset {

WipeObserver* g_WipeObserver = nullptr;

namespace {

bool SeekToStart(HANDLE file) {
  LARGE_INTEGER zero{};
  return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != FALSE;
}

// One pass over the whole length: full blocks, then the remainder in one piece. The pass is
// flushed so that the bytes reach the disk before the file is cut; otherwise the truncation could
// drop them from the cache unwritten and leave the old contents where they were.
bool WritePass(HANDLE file, unsigned char fill, std::uint64_t length) {
  unsigned char block[kWipeBlock];
  std::memset(block, fill, sizeof block);
  std::uint64_t offset = 0;
  while (offset < length) {
    const std::uint64_t left = length - offset;
    const DWORD size = left >= kWipeBlock ? kWipeBlock : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, block, size, &written, nullptr) || written != size) return false;
    if (g_WipeObserver != nullptr) g_WipeObserver->Wrote(fill, offset, size);
    offset += size;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

int WipeDelete(const std::string& path) {
  // A read-only file is one the user protected: it is refused before a single byte is written,
  // also where the file system would let the write through (an administrator, a network drive).
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return kWipeOpenFailed;
  {
    // Readers may look on while the passes run; nobody may write in between.
    tarn::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return kWipeOpenFailed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return kWipeOpenFailed;
    const auto length = static_cast<std::uint64_t>(size.QuadPart);

    for (const unsigned char fill : {static_cast<unsigned char>(0xFF), static_cast<unsigned char>(0x00)}) {
      if (!SeekToStart(file.Get())) return kWipeSeekFailed;
      if (!WritePass(file.Get(), fill, length)) return kWipeWriteFailed;
      if (g_WipeObserver != nullptr) g_WipeObserver->PassDone(fill);
    }
    if (!SeekToStart(file.Get()) || !SetEndOfFile(file.Get())) return kWipeTruncateFailed;
  }

  // The emptied file carries no trace of when the settings were last written.
  {
    tarn::FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return kWipeRedateFailed;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    if (!SetFileTime(file.Get(), nullptr, &now, &now)) return kWipeRedateFailed;
  }

  return DeleteFileA(path.c_str()) ? kWipeDone : kWipeDeleteFailed;
}

}  // namespace wipeset
