// The ten media forms TarnMov knows: how a file is recognised (signature, then extension), which
// extensions it plays, and its list of patterns. Portable; names are code-page-932 byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarn::mov {

constexpr int kFormCount = 10;
constexpr std::size_t kDetectBytes = 2000;  // detection looks at this much of the file

struct MediaForm {
  const char* label;    // the key in section "TarnMovForm" and the settings list's text
  const char* pattern;  // its part of information string 2
  bool video;
};
const MediaForm& Form(int index);

// Which forms take part in detection; all of them unless the settings say otherwise.
struct EnabledForms {
  bool on[kFormCount] = {true, true, true, true, true, true, true, true, true, true};
};

// The type code of form `index`: its number 1 to 10, with the sign bit set for a video form.
std::int32_t TypeCode(int index);
constexpr bool IsVideoType(std::int32_t type) { return type < 0; }
// Form number 1 to 10 of a type code; 0 for none.
int FormNumber(std::int32_t type);

// The extension of `name` from its last ".", when that stands at most six characters from the
// end; empty otherwise.
std::string MediaExtension(const char* name);

// The type of the file whose first bytes are `head` (at most kDetectBytes are looked at) and
// whose name is `name` (null for memory input, which is judged by content only). 0 when no
// enabled form recognises it; FLV and MP4 names are never taken.
std::int32_t DetectMedia(const std::uint8_t* head, std::size_t size, const char* name, const EnabledForms& forms);

// True when `name` has an extension the player takes: 2 to 5 characters after the last ".", a
// two-character one with "_" added and a longer one cut to 3, among the playable list.
bool IsPlayableName(const char* name);

// Information string 2: the enabled forms' patterns in order, the last ";" dropped.
std::string EnabledPatterns(const EnabledForms& forms);

// The graph volume for the setting 1..100: the loss in tenths, to the fourth power, negative.
long VolumeFor(int soundVR);

}  // namespace tarn::mov
