// The rules of TarnFlv and TarnMp4 that need no window: which names they take, the command line
// that starts the player, the preset switch, the stored settings and the pictogram. Names are
// code-page-932 byte strings; only ASCII is ever folded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/MarkerPicture.h"

namespace tarn::player {

enum class Library { kFlv, kMp4 };

// What differs between the two libraries built from this source.
struct LibraryTraits {
  Library library;
  const char* name;       // "TarnFlv"
  const char* spiName;    // "TarnFlv.spi", as SensePlugIn must be addressed
  const char* extension;  // ".flv"
  const char* caption;    // "TarnFlvプラグイン", the caption of the thread messages
};
const LibraryTraits& Traits(Library library);

constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kRememberedBytes = 5;  // the last four characters and a terminator

// IsSupported on the name alone. kAccept: the name is the library's and `remembered` holds its
// last four characters. kOther: a name of another kind; `remembered` is cleared and a caller given
// a file handle still reads the header before answering 0. kRefuse: answered 0 at once.
enum class NameCheck { kRefuse, kOther, kAccept };
NameCheck CheckName(const char* name, const char* extension, char remembered[kRememberedBytes]);

// True when `remembered` is the library's extension, without regard to case.
bool IsOwnExtension(const char* remembered, const char* extension);

// True when the name begins with "[UNICODE].": the host could not give the real name.
bool IsUnicodeMarkerName(const char* name);

// `part` in double quotes when it holds a blank, so that a command line reads it as one.
std::string Quoted(const std::string& part);

// The player's command line: the player path and the file name, each in double quotes when it
// holds a space, and the switches after a space when there are any.
std::string CommandLine(const std::string& player, const std::string& file, const std::string& switches);

// True when a "/" in `switches` starts the group "/PS " (case ignored; characters past the end
// count as blanks): the player is then started alone first and the switches are not passed.
bool HasPresetSwitch(const std::string& switches);

// The selected slot as stored under "ApSel": a decimal number 0 to 2, else nothing (-1).
int SlotFromProfile(const char* text);

constexpr int kSlotCount = 3;
constexpr std::size_t kFlvPathBytes = 256, kFlvSwitchBytes = 64;
constexpr std::size_t kMp4PathBytes = 256, kMp4SwitchBytes = 256;
constexpr const char* kDefaultPlayer = "mplayerc.exe";
constexpr const char* kDefaultSwitches = "/play /close";

// The pictogram: 32 x 32 colour codes at column x, row y (row 0 is the bottom row).
constexpr int kPictogramSide = 32;
std::uint8_t PictogramCode(Library library, int x, int y);

// How the preview looks for `name`: the placeholder colours for a "[UNICODE]." name.
struct PreviewLook {
  MarkerStyle style;
  std::uint8_t glyph[kPictogramSide * kPictogramSide];  // bottom row first
};
void MakePreviewLook(Library library, const char* name, PreviewLook* look);

}  // namespace tarn::player
