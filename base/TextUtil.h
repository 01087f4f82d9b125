// Small text helpers every part of the program uses on UTF-16 text.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// Whether a path holds a blank (command lines then enclose it in double quotes) or a comma.
bool HasBlank(std::u16string_view path);
bool HasComma(std::u16string_view path);
// `path` enclosed in double quotes when it holds a blank, as command lines take it.
std::u16string QuotedIfBlank(std::u16string_view path);

// How many characters of `text` fit into `width` half-width units. Characters below 256 and
// half-width katakana count one unit, all others two; `osKind` is the platform class, whose older
// members draw a line of only double-width characters narrower.
int FitWidth(std::u16string_view text, int width, int osKind);

// `path` in lines of at most `width` half-width units (counted as by FitWidth), so that a long path
// fits a message box: each line ends after its last backslash, or at the width when it has none.
// The lines joined give the path again; a surrogate pair stays on one line.
std::u16string WrapPath(std::u16string_view path, int width);

// Decimal text with a comma between groups of three digits: 1234567 gives "1,234,567".
std::u16string GroupDigits(long long number);

// Decimal text without grouping.
std::u16string DecimalText(long long number);

// Decimal text right-aligned with blanks in `width` places, as "%3d" or "%4d" writes it.
std::u16string PaddedDecimal(long long number, std::size_t width);

// Adds a backslash unless the path already ends in one.
void AppendBackslash(std::u16string& path);

// The folder part of `path` up to and with its last backslash (or slash); empty without one.
std::u16string FolderOf(std::u16string_view path);

// ASCII-only case folding, enough for extensions and plug-in file names.
char16_t FoldAscii(char16_t c);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
bool EndsWithIgnoreCase(std::u16string_view text, std::u16string_view tail);
bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view head);

// The width of `text` in half-width units, counted as by FitWidth: the "半角n文字" of input checks.
int HalfWidthUnits(std::u16string_view text);

}  // namespace tarn
