// The external player in the tests: appends its command line, one per line, to the file named by
// TARN_STANDIN_LOG and ends after a moment, as a player that plays a short clip would.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TARN_STANDIN_LOG", log, sizeof log) > 0) {
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
  }
  Sleep(400);
  return 0;
}
