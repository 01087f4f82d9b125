// Wide paths as the byte-string names handed to plug-ins, with the "[UNICODE]" substitute, its
// messages and the copy offer.
#pragma once

#include <string_view>

#include "PluginName.h"

namespace tarn {

// Code page 932 through the platform, character by character, without best-fit substitutes.
class Win932Encoder final : public CodePageEncoder {
 public:
  int Encode(char16_t c, char out[2]) override;
};

// Converts `path` into `out` (of `size` bytes) in `mode` (0 strict, 1 marker, 2 marker with copy
// offer). Answers the length of the name, or -1 when it cannot be converted. A marker-mode path
// without "." tells the user (<-w11>) and gives the empty name.
int ToMultiByteName(char* out, std::u16string_view path, int size, NameMode mode);

// The last name converted, kept for the host's diagnostics.
const char* LastMultiByteName();

}  // namespace tarn
