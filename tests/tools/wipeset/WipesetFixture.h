// A current folder of the test's own, files placed in the Windows folder and put back as they
// were, and a message box that records every text as the bytes Wipeset passed and answers from
// a script.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tools/wipeset/AnsiText.h"

namespace wipeset::test {

struct Shown {
  std::string text, caption;  // code page 932 bytes, as MessageBoxA received them
  UINT type;
};

// The program's texts as code page 932 bytes, written here independently of the program.
inline std::string Sjis(const wchar_t* text) {
  char bytes[512] = {};
  WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

class WipesetTest : public ::testing::Test {
 public:
  static inline std::vector<Shown> shown;
  static inline std::deque<int> answers;  // then IDOK

  static int WINAPI Record(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    shown.push_back({text, caption, type});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

 protected:
  void SetUp() override {
    shown.clear();
    answers.clear();
    g_MessageBox = Record;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::string(temp) + "wipeset-" + std::to_string(GetCurrentProcessId()) + "-" + info->name() + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, previous_);
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    windows_ = std::string(windows) + "\\";
    // A settings file some other program of this Wine prefix left is moved aside, not lost.
    for (const char* name : {"Tarn.ini", "TarnSpi.ini"}) {
      const std::string path = windows_ + name;
      if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ASSERT_TRUE(MoveFileA(path.c_str(), Aside(name).c_str())) << path;
        setAside_.push_back(name);
      }
    }
  }

  void TearDown() override {
    g_MessageBox = ::MessageBoxA;
    SetCurrentDirectoryA(previous_);
    for (const std::string& folder : {folder_, folder_ + "other\\"}) {
      WIN32_FIND_DATAA found;
      const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) continue;
      do {
        SetFileAttributesA((folder + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((folder + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA((folder_ + "other").c_str());
    RemoveDirectoryA(folder_.c_str());
    for (const char* name : {"Tarn.ini", "TarnSpi.ini"}) {
      SetFileAttributesA((windows_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((windows_ + name).c_str());
    }
    for (const std::string& name : setAside_) MoveFileA(Aside(name).c_str(), (windows_ + name).c_str());
  }

  std::string Aside(const std::string& name) const {
    return windows_ + name + ".wipeset-test-" + std::to_string(GetCurrentProcessId());
  }


 public:
  static std::string Put(const std::string& path, std::size_t size, char fill = 'A') {
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string bytes(size, fill);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return path;
  }
  static std::string Read(const std::string& path) {
    std::string bytes;
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
  }
  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

 protected:

  std::string folder_, windows_;
  char previous_[MAX_PATH] = {};
  std::vector<std::string> setAside_;
};

}  // namespace wipeset::test
