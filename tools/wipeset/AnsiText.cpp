#include "tools/wipeset/AnsiText.h"

namespace wipeset {

MessageBoxProc g_MessageBox = ::MessageBoxA;

std::string Cp932(const wchar_t* text) {
  const int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(size) - 1);
  return bytes;
}

bool AskOkCancel(HWND owner, const std::string& text, const std::string& caption) {
  return g_MessageBox(owner, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Tell(HWND owner, const std::string& text, const std::string& caption) {
  g_MessageBox(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void TellFailure(HWND owner, const std::string& text, const std::string& caption) {
  g_MessageBox(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace wipeset
