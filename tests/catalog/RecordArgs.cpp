// Stands in for the complete-deletion program in the tests: writes the command line it was started
// with, as UTF-16, to the file named by TARN_RECORD_ARGS, and deletes nothing.
#include <windows.h>

int wmain() {
  wchar_t record[MAX_PATH];
  if (GetEnvironmentVariableW(L"TARN_RECORD_ARGS", record, MAX_PATH) == 0) return 1;
  HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 3;
}
