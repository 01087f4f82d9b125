#include "MessageBoxPrompt.h"

#include <windows.h>

#include <string>

namespace tarn {

int MessageBoxPrompt::Show(std::u16string_view text, std::u16string_view caption, Buttons buttons) {
  UINT type = MB_OK;
  switch (buttons) {
    case Buttons::kOk: type = MB_OK; break;
    case Buttons::kOkCancel: type = MB_OKCANCEL; break;
    case Buttons::kYesNo: type = MB_YESNO; break;
    case Buttons::kYesNoCancel: type = MB_YESNOCANCEL; break;
  }
  const std::wstring wideText(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  const std::wstring wideCaption =
      caption.empty() ? std::wstring(L"Tarn") : std::wstring(reinterpret_cast<const wchar_t*>(caption.data()), caption.size());
  return MessageBoxW(GetActiveWindow(), wideText.c_str(), wideCaption.c_str(), type);
}

}  // namespace tarn
