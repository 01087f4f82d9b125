// A folder of plug-ins for one test: copies of the test plug-ins and of TarnBmp under the names a
// test needs, the scripted prompt and progress window, and an error log of its own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "plugin_host/PluginRegistry.h"
#include "tests/plugin_host/fakes/FakeControl.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn::test {

inline std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The test plug-ins are built beside the program folder, so that no build ships them.
inline std::wstring FakePath(const wchar_t* file) { return ProgramFolder() + L"..\\fakes\\" + file; }

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::wstring(temp) + L"tarn-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              Widen(info->test_suite_name()) + L"-" + Widen(info->name()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    // A plug-in that was still mapped when an earlier run of this test ended is left behind;
    // Wine gives each run the same process id, so the folder may be there already.
    EmptyFolder();
    g_StartFolder = FromWide(folder_.c_str());
    g_SaveSuppressed = false;
    g_ChgUniFileFlag = 0;
    registry_ = std::make_unique<CPluginRegistry>();
  }

  void TearDown() override {
    registry_.reset();
    EmptyFolder();
    RemoveDirectoryW(folder_.c_str());
  }

  void EmptyFolder() const {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::wstring path = folder_ + found.cFileName;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }

  static std::wstring Widen(const char* s) { return std::wstring(s, s + std::strlen(s)); }

  // Copies a built plug-in into the folder under `name`.
  void Install(const wchar_t* built, const wchar_t* name) {
    // The shipped plug-ins lie beside the test program, the test plug-ins in their own folder.
    const std::wstring from = std::wcsncmp(built, L"Tarn", 4) == 0 ? ProgramFolder() + built : FakePath(built);
    ASSERT_TRUE(CopyFileW(from.c_str(), (folder_ + name).c_str(), FALSE)) << "cannot install " << name;
  }

  // Writes `bytes` to a file of the folder and answers its path.
  std::wstring WriteFile(const std::wstring& name, const std::string& bytes) {
    const std::wstring path = folder_ + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return path;
  }

  std::string ReadFile(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
  }

  // The control block of the loaded copy named `name`.
  static FakeControl* Control(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(name);
    if (module == nullptr) return nullptr;
    auto proc = reinterpret_cast<FakeControlProc>(reinterpret_cast<void*>(GetProcAddress(module, "FakeControlBlock")));
    return proc != nullptr ? proc() : nullptr;
  }

  int Enumerate() { return registry_->Enumerate(folder_.c_str()); }

  // The error log as UTF-16, from its ANSI bytes.
  std::u16string LogText() {
    const std::string bytes = ReadFile(folder_ + L"ErrLog.txt");
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(text.data()), n);
    return text;
  }

  std::wstring folder_;
  std::unique_ptr<CPluginRegistry> registry_;
  ScriptedPrompt prompt_;
  RecordingProgressWindow progress_;
};

}  // namespace tarn::test
