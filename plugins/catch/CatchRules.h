// TarnCatch's rules: which names it claims, which colour tells the caught extension, how the user
// pattern is checked, and the settings as "TarnSpi.ini" holds them. Names are code-page-932 byte
// strings; only ASCII is ever folded, never the trail byte of a double-byte character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/MarkerPicture.h"

namespace tarn::catchall {

constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kCaughtBytes = 8;  // ".jpeg" and "0000" with room to spare
constexpr std::size_t kPatternMaxInput = 63;

struct CatchSettings {
  int bakFlag = 1;
  int bmpFlag = 1;
  int jpgFlag = 1;
  int gifFlag = 1;
  int tifFlag = 1;
  std::string pattern;  // "", "*" or 2 to 5 upper-case characters with "?" for any one
};

// The answer of a profile read with the default "Nothing": the stored value when present, else
// `current`. Flags are read as atoi reads them; the pattern is taken as stored.
int FlagFromProfile(const char* text, int current);
std::string PatternFromProfile(const char* text, const std::string& current);

// First 16-bit word (little-endian) of each signed format.
enum Signature : std::uint16_t {
  kBmpSignature = 0x4D42,   // "BM"
  kJpegSignature = 0xD8FF,  // FF D8
  kGifSignature = 0x4947,   // "GI"
  kTiffSignature = 0x4949,  // "II"; a big-endian "MM" file counts as lacking it
};

struct Decision {
  enum Kind { kRefuse, kClaim, kTestHeader } kind = kRefuse;
  std::uint16_t signature = 0;  // for kTestHeader: claimed when the file's first word differs
};

// IsSupported's decision on the name alone. `caught` (kCaughtBytes) is cleared once the name has
// an extension of 2 to 5 characters and then set to the caught built-in extension as written in
// the name, or "0000" for the user pattern.
Decision Decide(const char* name, const CatchSettings& settings, char* caught);

// The header test: claimed when the first word of the file is not `signature`.
bool LacksSignature(const std::uint8_t* header, std::uint16_t signature);

// True when the name begins with "[UNICODE].": the host could not give the real name.
bool IsUnicodeMarkerName(const char* name);

// The marker picture for `name` caught as `caught`: the placeholder for a "[UNICODE]." name,
// otherwise TarnCatch's own glyph on the colour of the caught extension.
MarkerStyle MarkerFor(const char* name, const char* caught);

// Colour index of TarnCatch's own glyph at column x, row y (0..31; row 0 is the bottom row).
std::uint8_t CatchGlyphIndex(int x, int y);

// "終了" in the settings dialog: the text of the edit box checked and stored in upper case.
enum class PatternCheck { kAccepted, kWildcardNotAlone, kBadLength };
PatternCheck CheckPattern(const char* text, std::string* accepted);

// ASCII letters of a code-page-932 string in upper case, double-byte characters left as they are.
std::string UpperAscii(const char* text, std::size_t length);

}  // namespace tarn::catchall
