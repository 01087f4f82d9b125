#include "WinText.h"

namespace tarn {

constexpr UINT kJapaneseCodePage = 932;

std::string ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const wchar_t* w = reinterpret_cast<const wchar_t*>(text.data());
  const int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool FitsAnsi(std::u16string_view text) {
  if (text.empty()) return true;
  BOOL substituted = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.data()),
                                    static_cast<int>(text.size()), nullptr, 0, nullptr, &substituted);
  return n > 0 && !substituted;
}

bool MultiByteToWide(std::string_view bytes, std::size_t limit, std::u16string* out) {
  out->clear();
  if (bytes.empty()) return true;
  const int n = MultiByteToWideChar(kJapaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0 || static_cast<std::size_t>(n) > limit) return false;
  out->resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(kJapaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(out->data()), n);
  return true;
}

}  // namespace tarn
