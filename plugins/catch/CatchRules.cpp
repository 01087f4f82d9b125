#include "CatchRules.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include "common/UnicodePlaceholder.h"

namespace tarn::catchall {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(const char* a, std::size_t length, const char* b) {
  if (std::strlen(b) != length) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

// Movie and music extensions the user pattern never claims: other plug-ins play them.
constexpr const char* kExcluded[] = {"AVI", "WAV", "MPG", "MPE", "M1V", "M2V", "MPV", "MP2", "MP3",
                                     "MPA", "MP2", "M1A", "M2A", "MID", "RMI", "MOV", "AIF", "WMV",
                                     "WMA", "ASF", "AU_", "OGG", "RM_", "RA_", "FLV", "MP4"};
static_assert(sizeof kExcluded / sizeof kExcluded[0] == 26);

struct BuiltIn {
  const char* extension;
  int CatchSettings::*flag;
  std::uint16_t signature;  // 0: claimed without looking at the header
};
constexpr BuiltIn kBuiltIns[] = {
    {".bak", &CatchSettings::bakFlag, 0},
    {".bmp", &CatchSettings::bmpFlag, kBmpSignature},   {".dib", &CatchSettings::bmpFlag, kBmpSignature},
    {".rle", &CatchSettings::bmpFlag, kBmpSignature},   {".jpg", &CatchSettings::jpgFlag, kJpegSignature},
    {".jpe", &CatchSettings::jpgFlag, kJpegSignature},  {".jpeg", &CatchSettings::jpgFlag, kJpegSignature},
    {".gif", &CatchSettings::gifFlag, kGifSignature},   {".tif", &CatchSettings::tifFlag, kTiffSignature},
    {".tiff", &CatchSettings::tifFlag, kTiffSignature},
};

struct Background {
  const char* caught;
  std::uint8_t bgr[3];
};
constexpr Background kBackgrounds[] = {
    {".bak", {200, 200, 200}},  {".bmp", {200, 210, 255}},  {".dib", {170, 220, 255}},
    {".rle", {150, 170, 255}},  {".jpg", {255, 240, 210}},  {".jpe", {255, 220, 220}},
    {".jpeg", {255, 220, 190}}, {".gif", {255, 220, 255}},  {".tif", {235, 255, 235}},
    {".tiff", {220, 255, 220}}, {"0000", {240, 255, 255}},
};

// TarnCatch's own glyph, bottom row first: a card with a red question mark, the sign of a file
// that is in the catalog without a picture of its own.
// '.' background, '#' frame, 'o' card, 'x' the mark (red), 'g' and 'G' the two greens.
constexpr const char* kGlyphArt[kMarkerGlyphSide] = {
    "................................",
    "....########################....",
    "....#oooooooooooooooooooooo#....",
    "....#oggggggggggggggggggggo#....",
    "....#ogGGGGGGGGGGGGGGGGGGgo#....",
    "....#oggggggggggggggggggggo#....",
    "....#oooooooooooooooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#oooooooooooooooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#oooooooooxxxxooooooooo#....",
    "....#ooooooooooxxxxoooooooo#....",
    "....#oooooooooooxxxxooooooo#....",
    "....#ooooooooooooxxxxoooooo#....",
    "....#oooooooooooooxxxxooooo#....",
    "....#oooooooooooooxxxxooooo#....",
    "....#oooooxxxxooooxxxxooooo#....",
    "....#oooooxxxxooooxxxxooooo#....",
    "....#ooooooxxxxxxxxxxoooooo#....",
    "....#oooooooxxxxxxxxooooooo#....",
    "....#oooooooooooooooooooooo#....",
    "....#oooooooooooooooooooooo#....",
    "....#oggggggggggggggggggggo#....",
    "....#ogGGGGGGGGGGGGGGGGGGgo#....",
    "....#oggggggggggggggggggggo#....",
    "....#oooooooooooooooooooooo#....",
    "....#oooooooooooooooooooooo#....",
    "....########################....",
    "................................",
};

constexpr std::uint8_t IndexOfArt(char c) {
  switch (c) {
    case '#': return 3;
    case 'o': return 4;
    case 'g': return 5;
    case 'G': return 6;
    case '.': return 8;
    default: return 0;  // the mark: any index without a colour of its own
  }
}

constexpr std::array<std::uint8_t, kMarkerGlyphSide * kMarkerGlyphSide> kGlyph = [] {
  std::array<std::uint8_t, kMarkerGlyphSide * kMarkerGlyphSide> table{};
  for (int y = 0; y < kMarkerGlyphSide; ++y)
    for (int x = 0; x < kMarkerGlyphSide; ++x)
      table[y * kMarkerGlyphSide + x] = IndexOfArt(kGlyphArt[y][x]);
  return table;
}();

// The extension of `name` after its last ".", or null when there is none. A "." in a folder name
// is not an extension: a separator after it means the file itself has none.
const char* ExtensionAfterLastDot(const char* name, std::size_t length) {
  const char* dot = nullptr;
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c) && i + 1 < length) {
      ++i;
    } else if (c == '.') {
      dot = name + i;
    } else if (c == '\\' || c == '/' || c == ':') {
      dot = nullptr;
    }
  }
  return dot != nullptr ? dot + 1 : nullptr;
}

bool MatchesPattern(const std::string& upper, const std::string& pattern) {
  if (pattern == "*") return true;
  if (pattern.size() < 2 || pattern.size() != upper.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i)
    if (pattern[i] != '?' && pattern[i] != upper[i]) return false;
  return true;
}

}  // namespace

int FlagFromProfile(const char* text, int current) {
  if (text == nullptr || std::strcmp(text, "Nothing") == 0) return current;
  return std::atoi(text);
}

std::string PatternFromProfile(const char* text, const std::string& current) {
  if (text == nullptr || std::strcmp(text, "Nothing") == 0) return current;
  return std::string(text, strnlen(text, 255));
}

std::string UpperAscii(const char* text, std::size_t length) {
  std::string out(text, length);
  for (std::size_t i = 0; i < length; ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < length)
      ++i;
    else
      out[i] = Upper(out[i]);
  }
  return out;
}

Decision Decide(const char* name, const CatchSettings& settings, char* caught) {
  Decision refuse;
  if (name == nullptr) return refuse;
  const std::size_t length = strnlen(name, kMaxNameBytes + 1);
  if (length > kMaxNameBytes) return refuse;
  const char* extension = ExtensionAfterLastDot(name, length);
  if (extension == nullptr) return refuse;
  const std::size_t extensionLength = static_cast<std::size_t>(name + length - extension);
  if (extensionLength < 2 || extensionLength > 5) return refuse;
  std::memset(caught, 0, kCaughtBytes);

  const char* dotted = extension - 1;
  for (const BuiltIn& b : kBuiltIns) {
    if (settings.*b.flag == 0 || !SameIgnoringCase(dotted, extensionLength + 1, b.extension)) continue;
    std::memcpy(caught, dotted, extensionLength + 1);
    if (b.signature == 0) return {Decision::kClaim, 0};
    return {Decision::kTestHeader, b.signature};
  }

  const std::string upper = UpperAscii(extension, extensionLength);
  if (!MatchesPattern(upper, settings.pattern)) return refuse;
  if (extensionLength > 2)
    for (const char* excluded : kExcluded)
      if (upper.compare(0, 3, excluded) == 0) return refuse;
  std::memcpy(caught, "0000", 5);
  return {Decision::kClaim, 0};
}

bool LacksSignature(const std::uint8_t* header, std::uint16_t signature) {
  return static_cast<std::uint16_t>(header[0] | header[1] << 8) != signature;
}

bool IsUnicodeMarkerName(const char* name) {
  return name != nullptr && std::strncmp(name, "[UNICODE].", 10) == 0;
}

MarkerStyle MarkerFor(const char* name, const char* caught) {
  if (IsUnicodeMarkerName(name)) return PlaceholderStyle();
  MarkerStyle style{{0, 0, 0}, {0, 0, 255}, kGlyph.data()};
  const std::size_t length = strnlen(caught, kCaughtBytes);
  for (const Background& b : kBackgrounds)
    if (SameIgnoringCase(caught, length, b.caught)) std::memcpy(style.background, b.bgr, 3);
  return style;
}

std::uint8_t CatchGlyphIndex(int x, int y) { return kGlyph[y * kMarkerGlyphSide + x]; }

PatternCheck CheckPattern(const char* text, std::string* accepted) {
  const std::size_t length = strnlen(text, kPatternMaxInput);
  if (length > 0 && text[0] == '*') {
    if (length != 1) return PatternCheck::kWildcardNotAlone;
  } else if (length == 1 || length > 5) {
    return PatternCheck::kBadLength;
  }
  *accepted = UpperAscii(text, length);
  return PatternCheck::kAccepted;
}

}  // namespace tarn::catchall
