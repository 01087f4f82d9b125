// Starting the external player for GetPicture. A thread of its own starts the player and waits
// for it, while GetPicture keeps the caller's thread alive in the message loop of a hidden
// window; the window goes when the thread says the player has ended (or never started).
#include <windows.h>

#include "PlayerShell.h"
#include "common/Handles.h"

namespace tarn::player {
namespace {

constexpr UINT kPlayerEnded = WM_USER;
constexpr DWORD kPresetPause = 250;

// State of the one playback a host can run at a time.
struct PlayState {
  std::string commandLine;
  SenseCell* cells = nullptr;  // the host's movie cells, for the thread to write cell 2
  HWND window = nullptr;
  volatile LONG preset = 0;   // the player was started in preset mode
  volatile LONG running = 0;  // the player process runs
  volatile LONG failed = 0;   // the thread could not start the player
};
PlayState g_play;

void SetCell2(SenseCell value) { InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_play.cells[2]), value); }

bool StartProcess(std::string commandLine, ProcessHandles& process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, process.Fill()) != 0;
}

DWORD WINAPI PlayerThread(LPVOID) {
  ProcessHandles process;
  if (!StartProcess(g_play.commandLine, process)) {
    Tell(L"画像再生アプリ起動失敗", This().caption);
    g_play.failed = 1;
    // Only the window's own thread can destroy it: it is asked to.
    PostMessageW(g_play.window, kPlayerEnded, 0, 0);
    return 0;
  }
  SetCell2(1);
  g_play.running = 1;
  WaitForSingleObject(process.Process(), INFINITE);
  // The cell is final before the window goes, so that the host reads it settled when GetPicture
  // returns.
  SetCell2(g_play.preset ? 3 : 0);
  g_play.running = 0;
  PostMessageW(g_play.window, kPlayerEnded, 0, 0);
  return 0;
}

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      g_play.window = window;
      const HANDLE thread = CreateThread(nullptr, 0, PlayerThread, nullptr, 0, nullptr);
      if (thread == nullptr) {
        Tell(L"動画再生用スレッド作成失敗", This().caption);
        return -1;
      }
      CloseHandle(thread);
      return 0;
    }
    case kPlayerEnded: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The check the player path has always had: it must open for reading.
bool PlayerExists(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsOpen();
}

// Starts the player alone, not waited for; the file follows in a second start.
bool StartPreset(const std::string& player) {
  ProcessHandles process;
  if (!StartProcess(Quoted(player), process)) {
    Tell(L"起動アプリのプリセット失敗", This().caption);
    SetCell2(0);
    return false;
  }
  SetCell2(2);
  g_play.preset = 1;
  Sleep(kPresetPause);
  return true;
}

bool RunHiddenWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ChildProc;
  wc.hInstance = g_module;
  wc.lpszClassName = L"Child";
  RegisterClassW(&wc);  // already there from an earlier playback is fine
  const HWND window = CreateWindowW(L"Child", L"Child Window", WS_CHILD | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 100, 50, GetDesktopWindow(), nullptr, g_module, nullptr);
  if (window == nullptr) return false;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return g_play.failed == 0;
}

}  // namespace

void ForgetPlayState() {
  g_play.preset = 0;
  g_play.running = 0;
}

bool PlayAndWait(const std::string& file, SenseCell* cells) {
  const PlayerSettings& s = Settings();
  const PlayerSlot& slot = s.slots[kThisLibrary == Library::kFlv ? s.selected : 0];
  if (!PlayerExists(slot.path)) {
    Tell(kThisLibrary == Library::kFlv ? L"「FLV起動アプリ」の設定を確認してください [TarnFlv.spi]"
                                       : L"「MP4起動アプリ」の設定を確認してください [TarnMp4.spi]",
         slot.path);
    return false;
  }
  g_play.cells = cells;
  g_play.failed = 0;
  std::string switches = slot.switches;
  if (kThisLibrary == Library::kFlv && HasPresetSwitch(switches)) {
    if (!StartPreset(slot.path)) return false;
    switches.clear();
  }
  g_play.commandLine = CommandLine(slot.path, file, switches);
  // "Launch prepared" is told before the thread can tell "running", never after it.
  SetCell2(2);
  return RunHiddenWindow();
}

}  // namespace tarn::player
