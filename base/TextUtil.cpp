#include "TextUtil.h"

#include <algorithm>

namespace tarn {

bool HasBlank(std::u16string_view path) { return path.find(u' ') != std::u16string_view::npos; }
bool HasComma(std::u16string_view path) { return path.find(u',') != std::u16string_view::npos; }

std::u16string QuotedIfBlank(std::u16string_view path) {
  if (!HasBlank(path)) return std::u16string(path);
  std::u16string quoted(1, u'"');
  quoted.append(path);
  quoted += u'"';
  return quoted;
}

namespace {

bool IsSingleWidth(char16_t c) { return c < 256 || (c >= 0xFF71 && c <= 0xFF9D); }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// How many characters from the start of `text` go on a line of `width` units.
std::size_t Fitting(std::u16string_view text, int width) {
  std::size_t n = 0;
  for (int sum = 0; n < text.size(); ++n) {
    sum += IsSingleWidth(text[n]) ? 1 : 2;
    if (sum > width) break;
  }
  if (n == 0) n = 1;  // a line holds one character at least
  // Never between the halves of a surrogate pair: before it, or after it when it is all the line holds.
  if (n < text.size() && IsLowSurrogate(text[n])) n = n > 1 ? n - 1 : n + 1;
  return n;
}

}  // namespace

int FitWidth(std::u16string_view text, int width, int osKind) {
  int sum = 0;
  bool seenSingle = false, seenDouble = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool single = IsSingleWidth(text[i]);
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

std::u16string WrapPath(std::u16string_view path, int width) {
  std::u16string lines;
  while (!path.empty()) {
    const std::size_t fit = Fitting(path, width);
    if (fit == path.size()) {
      lines += path;
      break;
    }
    const std::size_t slash = path.substr(0, fit).find_last_of(u'\\');
    const std::size_t line = slash != std::u16string_view::npos ? slash + 1 : fit;
    lines += path.substr(0, line);
    lines += u'\n';
    path.remove_prefix(line);
  }
  return lines;
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

std::u16string PaddedDecimal(long long number, std::size_t width) {
  std::u16string digits = DecimalText(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u' ');
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

std::u16string FolderOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, slash + 1));
}

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

bool EndsWithIgnoreCase(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && EqualsIgnoreCase(text.substr(text.size() - tail.size()), tail);
}

bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view head) {
  return text.size() >= head.size() && EqualsIgnoreCase(text.substr(0, head.size()), head);
}

int HalfWidthUnits(std::u16string_view text) {
  int units = 0;
  for (char16_t c : text) units += IsSingleWidth(c) ? 1 : 2;
  return units;
}

}  // namespace tarn
