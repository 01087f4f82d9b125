// A start folder of its own per test, "Tarn.ini" of the Windows folder taken away before and put
// back after, the scripted prompt and a settings host that records what the frame was asked.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "base/SettingsKeys.h"
#include "base/WinText.h"
#include "tests/support/RecordingSettingsHost.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn::test {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::wstring(temp) + L"tarn-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              Widen(info->test_suite_name()) + L"-" + Widen(info->name()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    g_StartFolder = FromWide(folder_.c_str());
    g_SaveSuppressed = false;
    g_ShreditFound = 0;
    g_IndividualFlag = 0;
    SetDefaults();
    InstallSettingsHost(&host_);

    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    ini_ = std::wstring(windows) + L"\\Tarn.ini";
    FlushProfile();
    savedIni_ = ReadFile(ini_);
    hadIni_ = GetFileAttributesW(ini_.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(ini_.c_str());
  }

  void TearDown() override {
    InstallSettingsHost(nullptr);
    FlushProfile();
    DeleteFileW(ini_.c_str());
    if (hadIni_) WriteFile(ini_, savedIni_);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring path = folder_ + found.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryW(path.c_str());
        else
          DeleteFileW(path.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
    g_SaveSuppressed = false;
    g_IndividualFlag = 0;
    g_ShreditFound = 0;
    SetDefaults();
  }

  // The profile functions may keep a file in memory; this writes it out and forgets it.
  static void FlushProfile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarn.ini"); }

  static std::wstring Widen(const char* s) { return std::wstring(s, s + std::strlen(s)); }

  static void WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }

  static std::string ReadFile(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
  }

  bool Exists(const std::wstring& name) const {
    return GetFileAttributesW((folder_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool IniExists() const { return GetFileAttributesW(ini_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  // A value of "Tarn.ini" as the profile functions see it, "Nothing" when absent.
  static std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
    wchar_t value[512];
    GetPrivateProfileStringW(section, key, L"Nothing", value, 512, L"Tarn.ini");
    return value;
  }
  static void SetIniValue(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WritePrivateProfileStringW(section, key, value, L"Tarn.ini");
  }

  // Code page 932 bytes of UTF-16 text.
  static std::string Cp932(const std::wstring& text) {
    const int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
  }

  static std::u16string Path(const char16_t* buffer) { return std::u16string(SettingText(buffer, kPathChars)); }

  std::wstring folder_;
  std::wstring ini_;
  std::string savedIni_;
  bool hadIni_ = false;
  ScriptedPrompt prompt_;
  RecordingSettingsHost host_;
};

}  // namespace tarn::test
