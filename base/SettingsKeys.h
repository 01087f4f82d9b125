// The key table of the settings: every key of "Tarn.ini" with its section, the variable it fills
// and its default, in the order both settings files list them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarn {

// Sections of "Tarn.ini".
inline constexpr std::u16string_view kSectionTarn = u"Tarn";
inline constexpr std::u16string_view kSectionDialog = u"TarnDlg";
inline constexpr std::u16string_view kSectionTreePath = u"TreeFilePath";
inline constexpr std::u16string_view kSectionAppli = u"AppliSel";
// Settings of this program beyond the original set, kept apart from its sections.
inline constexpr std::u16string_view kSectionThumbnail = u"Thumbnail";

inline constexpr int kTreePathCount = 14;
inline constexpr int kAppliCount = 3;
inline constexpr int kPathChars = 256;    // 255 characters and the terminator
inline constexpr int kSwitchChars = 64;   // 63 characters and the terminator

enum class KeyKind {
  kInteger,      // a plain integer variable
  kTimer,        // the slide-show radio group, stored as the index of the flag that is on
  kHolder,       // the folder-tree root radio group, likewise
  kTreeButton,   // one of the two slot buttons of the folder dialog
  kTreePath,     // a folder slot path
  kAppliName,    // an application path
  kAppliSwitch,  // an application's command-line switch
};

struct SettingKey {
  std::u16string_view key;      // the "Tarn.ini" key
  std::u16string_view section;
  KeyKind kind;
  int index;                    // slot of the indexed keys
  int* value;                   // the variable of kInteger keys
  int defaultValue;
};

// Every key in the order of the table.
std::span<const SettingKey> SettingKeys();

// The text "Tarn.ini" keeps for the key: integers in decimal, the radio groups as the index of the
// flag that is on (2 resp. 1 when none is), tree buttons above 7 as 7, paths cut to their buffer.
std::u16string IniValueText(const SettingKey& key);

// Stores a value read from "Tarn.ini" into the key's variable: integers by wide-to-integer
// conversion, paths copied. A path too long for its buffer and a radio index outside its group
// are not taken.
void ApplyIniValue(const SettingKey& key, std::u16string_view text);

// The wide-to-integer conversion of the runtime: leading blanks, an optional sign, the digits up to
// the first other character; out-of-range values saturate; no digits give 0.
int WideToInt(std::u16string_view text);

// Copies `text` into a settings buffer of `capacity` characters, stopping at a line end or a
// terminator and always leaving room for the terminator.
void CopySettingText(char16_t* buffer, int capacity, std::u16string_view text);

// Stores a path or switch read from a settings file: the text up to its first line end or
// terminator, when it fits the buffer; a longer one is not taken (a cut path would name another
// folder) and the buffer keeps what it held. Answers whether the text was stored.
bool StoreSettingText(char16_t* buffer, int capacity, std::u16string_view text);

// The text held in a settings buffer of `capacity` characters.
std::u16string_view SettingText(const char16_t* buffer, int capacity);

// What every load does after reading the values: tree buttons outside 0-7 become 7 (and 5 or 6
// are remembered as the page's last tree), index settings outside their range fall back to their
// defaults, and the complete-deletion program fills an empty application slot 2 when
// `applicationsRead`. The catalog limit rule is applied last.
void FinishSettingsLoad(bool applicationsRead);

// Application slot 2 becomes the start folder followed by "Shredit.exe" when that program was
// found at start-up and the slot is empty (or always, with `evenIfSet`).
void ApplyShreditRule(bool evenIfSet);

}  // namespace tarn
