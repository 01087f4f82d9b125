#include "PropertyText.h"

#include <cstdio>

#include "base/TextUtil.h"

namespace tarn {
namespace {

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

}  // namespace

std::u16string PropertyLines(std::u16string_view text, int osKind) {
  const std::size_t first = static_cast<std::size_t>(FitWidth(text, kPropertyColumns, osKind));
  std::u16string lines(text.substr(0, first));
  std::u16string_view rest = text.substr(first);
  if (rest.empty()) return lines;
  lines += u"\r\n";
  const auto fitting = [&](int columns) { return static_cast<std::size_t>(FitWidth(rest, columns, osKind)); };
  if (fitting(kPropertyColumns) >= rest.size()) return lines + std::u16string(rest);
  return lines + std::u16string(rest.substr(0, fitting(kPropertyColumns - 2))) + u"..";
}

std::u16string PropertyNumber(long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "%8lld", value);
  return Ascii(text);
}

std::u16string PropertyAttributeText(std::uint8_t attributes) {
  char text[16];
  std::snprintf(text, sizeof text, "%02x hex", attributes & 0x27);
  return Ascii(text);
}

}  // namespace tarn
