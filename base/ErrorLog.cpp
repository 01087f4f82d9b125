#include "ErrorLog.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "AppGlobals.h"
#include "Prompt.h"
#include "WinText.h"
#include "common/Handles.h"

namespace tarn {
namespace {

std::u16string LogPath() { return g_StartFolder + u"ErrLog.txt"; }

// Writes `text` in the ANSI code page to the log opened with `access`; every failure is told.
void WriteLog(DWORD disposition, std::u16string_view text) {
  const std::u16string path = LogPath();
  FileHandle file(CreateFileW(AsWide(path), FILE_APPEND_DATA | GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    Say(u"ファイル " + path + u" を開けません");
    return;
  }
  const std::string bytes = ToAnsi(text);
  DWORD written = 0;
  SetFilePointer(file.Get(), 0, nullptr, FILE_END);
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  if (!file.Close()) Say(u"ファイル " + path + u" をクローズ出来ません");
}

}  // namespace

void CreateErrorLog() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t stamp[64];
  swprintf(stamp, 64, L"%02d/%02d/%02d  %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
           now.wMinute, now.wSecond);
  WriteLog(CREATE_ALWAYS, u"; Localized    " + FromWide(stamp) +
                              u"    Tarn_ErrLog.txt\n\n***読出エラーが発生したファイル***\n");
}

void WriteErrorLog(std::u16string_view text) {
  if (g_SaveSuppressed) return;
  WriteLog(OPEN_ALWAYS, std::u16string(text) + u"\n");
}

}  // namespace tarn
