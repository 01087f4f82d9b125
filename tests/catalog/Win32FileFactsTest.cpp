// The sorts' file facts on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/WinText.h"
#include "catalog/order/Win32FileFacts.h"

namespace tarn::test {
namespace {

std::u16string TempPath(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return FromWide(temp) + FromWide(name);
}

TEST(Win32FileFacts, SizeAndWriteTimeOfAFile) {
  const std::u16string path = TempPath(L"tarn-facts-\u5199\u771f.jpg");
  HANDLE file = CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string bytes(1234, 'x');
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  // 2020-01-15 12:00:00 UTC, seconds 1579089600 since 1970, in 100-ns units since 1601.
  const unsigned long long stamp = 1579089600ULL * 10000000ULL + 116444736000000000ULL;
  const FILETIME time{static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);

  Win32FileFacts source;
  FileFacts facts;
  ASSERT_TRUE(source.Facts(path, facts));
  EXPECT_EQ(facts.size, 1234);
  // Through local time and back the stamp stays, but for a daylight-saving hour between then and now.
  EXPECT_LE(std::llabs(facts.modified - 1579089600LL), 3600) << facts.modified;
  DeleteFileW(AsWide(path));

  EXPECT_FALSE(source.Facts(path, facts)) << "a file that has gone";
  EXPECT_FALSE(source.Facts(TempPath(L""), facts)) << "a folder is no file";
}

}  // namespace
}  // namespace tarn::test
