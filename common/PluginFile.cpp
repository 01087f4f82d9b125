#include "PluginFile.h"

namespace tarn {

ReadOnlyFile::ReadOnlyFile(const char* name) {
  if (name != nullptr)
    handle_ = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (IsOpen()) CloseHandle(handle_);
}

std::int64_t ReadOnlyFile::Size() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
}

bool ReadOnlyFile::SeekTo(std::int64_t offset) const {
  LARGE_INTEGER to, at;
  to.QuadPart = offset;
  return SetFilePointerEx(handle_, to, &at, FILE_BEGIN) && at.QuadPart == offset;
}

bool ReadSome(HANDLE file, void* dst, DWORD bytes, DWORD* got) {
  *got = 0;
  return ReadFile(file, dst, bytes, got, nullptr) != FALSE;
}

}  // namespace tarn
