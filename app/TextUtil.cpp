#include "TextUtil.h"

#include <algorithm>

namespace tarn {

bool HasBlank(std::u16string_view path) { return path.find(u' ') != std::u16string_view::npos; }
bool HasComma(std::u16string_view path) { return path.find(u',') != std::u16string_view::npos; }

int FitWidth(std::u16string_view text, int width, int osKind) {
  int sum = 0;
  bool seenSingle = false, seenDouble = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool single = c < 256 || (c >= 0xFF71 && c <= 0xFF9D);
    sum += single ? 1 : 2;
    (single ? seenSingle : seenDouble) = true;
    if (sum >= width) {
      const int index = static_cast<int>(i);
      if (!seenDouble) return index;
      // The extra character may lie past the end of a short text; never more than the text.
      const int fit = !seenSingle && osKind <= 3 ? index + 2 : index + 1;
      return std::min(fit, static_cast<int>(text.size()));
    }
  }
  return static_cast<int>(text.size());
}

std::u16string DecimalText(long long number) {
  std::u16string digits;
  unsigned long long magnitude = number < 0 ? 0ull - static_cast<unsigned long long>(number)
                                            : static_cast<unsigned long long>(number);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) digits.insert(digits.begin(), u'-');
  return digits;
}

std::u16string GroupDigits(long long number) {
  const std::u16string plain = DecimalText(number);
  const std::size_t sign = number < 0 ? 1 : 0;
  std::u16string out = plain.substr(0, sign);
  const std::size_t digits = plain.size() - sign;
  for (std::size_t i = 0; i < digits; ++i) {
    if (i > 0 && (digits - i) % 3 == 0) out += u',';
    out += plain[sign + i];
  }
  return out;
}

void AppendBackslash(std::u16string& path) {
  if (path.empty() || path.back() != u'\\') path += u'\\';
}

namespace {
char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }
}  // namespace

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool EndsWithIgnoreCase(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && EqualsIgnoreCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace tarn
