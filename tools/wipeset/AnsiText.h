// Wipeset is a byte-string program: every text it shows goes to MessageBoxA as code page 932
// bytes, and every path is the ANSI form the system hands out.
#pragma once

#include <windows.h>

#include <string>

namespace wipeset {

// The program's own texts are written as wide literals so that the source stays readable UTF-8;
// they become the code page 932 bytes a Japanese system shows, whatever the build host's charset.
std::string Cp932(const wchar_t* text);

// The message box every question and result goes through. Tests put a recorder here; the
// program leaves it at MessageBoxA.
using MessageBoxProc = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
extern MessageBoxProc g_MessageBox;

// A question with OK and Cancel; true when the answer is OK.
bool AskOkCancel(HWND owner, const std::string& text, const std::string& caption);
void Tell(HWND owner, const std::string& text, const std::string& caption);
void TellFailure(HWND owner, const std::string& text, const std::string& caption);

}  // namespace wipeset
