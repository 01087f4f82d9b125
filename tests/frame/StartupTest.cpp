// Tarn.exe itself: started in a folder of its own, it shows its frame and closes cleanly on
// WM_CLOSE, writing its settings. (Menus are per process under Wine; the frame tests read them.)
#include "tests/plugin_host/HostFixture.h"

namespace tarn::test {
namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process != search->process || std::wcscmp(name, search->className) != 0 || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Waits up to 30 s for a visible top-level window of `className` in `process`.
HWND WaitForWindow(DWORD process, const wchar_t* className) {
  for (int i = 0; i < 300; ++i) {
    Search search{process, className, nullptr};
    EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(100);
  }
  return nullptr;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
  wchar_t text[512] = {};
  GetWindowTextW(child, text, 512);
  *reinterpret_cast<std::wstring*>(data) += text;
  return TRUE;
}

class StartupTest : public HostTest {
 protected:
  bool Start() {
    std::wstring command = L"\"" + ProgramFolder() + L"Tarn.exe\"";
    STARTUPINFOW startup{sizeof startup};
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                          &process_) != FALSE;
  }
  void TearDown() override {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    HostTest::TearDown();
  }
  // Closes the frame as a user would and answers the program's exit code.
  DWORD CloseAndWait(HWND frame) {
    PostMessageW(frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return 999;
    DWORD code = 999;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  PROCESS_INFORMATION process_{};
};

TEST_F(StartupTest, ShowsTheJapaneseFrameAndSavesOnClose) {
  Install(L"TarnBmp.spi", L"TarnBmp.spi");
  WriteFile(L"Tarn.cfg", "");
  WriteFile(L"OpenListUni.tmp", "stale");
  ASSERT_TRUE(Start());
  const HWND frame = WaitForWindow(process_.dwProcessId, L"TarnMainFrame");
  ASSERT_NE(frame, nullptr) << "no frame appeared";
  wchar_t title[64] = {};
  GetWindowTextW(frame, title, 64);
  EXPECT_STREQ(title, L"Tarn");
  EXPECT_NE(GetMenu(frame), nullptr) << "the frame has its menu bar";
  EXPECT_EQ(LogText().rfind(u"; Localized    ", 0), 0u) << "the error log was made at start";
  EXPECT_EQ(GetFileAttributesW((folder_ + L"OpenListUni.tmp").c_str()), INVALID_FILE_ATTRIBUTES)
      << "stale temporary files are deleted at start";

  EXPECT_EQ(CloseAndWait(frame), 0u);
  const std::string cfg = ReadFile(folder_ + L"Tarn.cfg");
  EXPECT_EQ(cfg.rfind("; Localized    ", 0), 0u) << "settings written to the individual file";
  EXPECT_NE(cfg.find("\r\n[Description]\r\n"), std::string::npos);
}

TEST_F(StartupTest, WithoutPlugInsTheMessageComesOnceAndTheFrameStillOpens) {
  WriteFile(L"Tarn.cfg", "");
  ASSERT_TRUE(Start());
  const HWND box = WaitForWindow(process_.dwProcessId, L"#32770");
  ASSERT_NE(box, nullptr);
  std::wstring text;
  EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&text));
  EXPECT_NE(text.find(L"プラグイン組込失敗\nプラグインがカーレントディレクトリに有りません"), std::wstring::npos);
  SendMessageW(box, WM_COMMAND, IDOK, 0);
  const HWND frame = WaitForWindow(process_.dwProcessId, L"TarnMainFrame");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(StartupTest, WithBothSettingsFilesTheSetAsideOneIsDeleted) {
  Install(L"TarnBmp.spi", L"TarnBmp.spi");
  WriteFile(L"Tarn.cfg", "");
  WriteFile(L"Tarn2.cfg", "old");
  ASSERT_TRUE(Start());
  const HWND frame = WaitForWindow(process_.dwProcessId, L"TarnMainFrame");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(GetFileAttributesW((folder_ + L"Tarn2.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

}  // namespace
}  // namespace tarn::test
