// Conversions at the Win32 boundary: the core's UTF-16 strings as wchar_t, and the code pages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarn {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* AsWide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string FromWide(const wchar_t* s) {
  return s != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}
inline std::u16string_view WideView(const wchar_t* s) {
  return s != nullptr ? std::u16string_view(reinterpret_cast<const char16_t*>(s)) : std::u16string_view();
}

// Text in the ANSI code page, best effort (for the log and messages).
std::string ToAnsi(std::u16string_view text);

// Whether the text survives the ANSI code page, in which the profile functions store "Tarn.ini":
// stored with a best-fit substitute ("Café" as "Cafe") a path would name another folder.
bool FitsAnsi(std::u16string_view text);

// Code page 932 bytes to UTF-16; false when the bytes are not valid there or the result would
// exceed `limit` characters.
bool MultiByteToWide(std::string_view bytes, std::size_t limit, std::u16string* out);

}  // namespace tarn
