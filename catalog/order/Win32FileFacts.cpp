#include "Win32FileFacts.h"

#include <windows.h>

#include <string>

#include "base/WinText.h"

namespace tarn {

namespace {

constexpr long long kFileTimeAt1970 = 116444736000000000LL;  // 100-ns units from 1601
constexpr long long kFileTimePerSecond = 10000000LL;

long long FileTimeValue(const FILETIME& time) {
  return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// The write time as the user's calendar shows it, turned back into seconds since 1970 by the time
// zone rules of that date. Across a daylight-saving change this may differ from the file's own
// stamp by the change, as it always has; dates keep their order within one season.
bool LocalRoundTrip(const FILETIME& written, long long& seconds) {
  FILETIME local{}, back{};
  SYSTEMTIME calendar{}, universal{};
  if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &calendar) ||
      !TzSpecificLocalTimeToSystemTime(nullptr, &calendar, &universal) || !SystemTimeToFileTime(&universal, &back))
    return false;
  seconds = (FileTimeValue(back) - kFileTimeAt1970) / kFileTimePerSecond;
  return true;
}

}  // namespace

bool Win32FileFacts::Facts(std::u16string_view path, FileFacts& facts) {
  const std::u16string name(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(name), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  facts.size = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  return LocalRoundTrip(data.ftLastWriteTime, facts.modified);
}

}  // namespace tarn
