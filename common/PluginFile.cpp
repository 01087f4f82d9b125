#include "PluginFile.h"

namespace tarn {

ReadOnlyFile::ReadOnlyFile(const char* name)
    : file_(name != nullptr ? CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr)
                            : INVALID_HANDLE_VALUE) {}

std::int64_t ReadOnlyFile::Size() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(file_.Get(), &size) ? size.QuadPart : -1;
}

bool ReadOnlyFile::SeekTo(std::int64_t offset) const {
  LARGE_INTEGER to, at;
  to.QuadPart = offset;
  return SetFilePointerEx(file_.Get(), to, &at, FILE_BEGIN) && at.QuadPart == offset;
}

bool ReadSome(HANDLE file, void* dst, DWORD bytes, DWORD* got) {
  *got = 0;
  return ReadFile(file, dst, bytes, got, nullptr) != FALSE;
}

}  // namespace tarn
