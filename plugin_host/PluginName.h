// The byte-string name a plug-in receives for a wide path. Plug-ins speak code page 932; a path
// with a character that has no form there is handed over as "[UNICODE]" plus its extension.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

// Encodes one UTF-16 unit into code page 932: answers the bytes written to out (1 or 2), or 0
// when the character has no form there. No best-fit substitutes.
class CodePageEncoder {
 public:
  virtual ~CodePageEncoder() = default;
  virtual int Encode(char16_t c, char out[2]) = 0;
};

enum class NameMode {
  kStrict = 0,      // plug-in file names: fail
  kMarker = 1,      // file names: "[UNICODE]" + extension
  kMarkerCopy = 2,  // GetPicture with ChgUniFileFlag on: the same, and offer a copy
};

enum class NameOutcome {
  kConverted,    // every character converted
  kMarker,       // the "[UNICODE]" name
  kNoExtension,  // marker modes, but the path has no "." : the empty name, which no plug-in claims
  kFailed,       // strict mode, an unconvertible extension, or a result too long for the host
};

// Room for a converted name including its terminator: the host's name buffers.
constexpr std::size_t kPluginNameBytes = 256;

struct PluginName {
  NameOutcome outcome = NameOutcome::kFailed;
  std::string bytes;  // the name to hand over; at most kPluginNameBytes - 1 bytes
};

PluginName MakePluginName(std::u16string_view path, NameMode mode, CodePageEncoder& encoder);

// The path with every character that has no code-page form replaced by "・" (0x81 0x45): the name
// under which a copy of such a file can be offered.
std::string SubstituteName(std::u16string_view path, CodePageEncoder& encoder);

}  // namespace tarn
