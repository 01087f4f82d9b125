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

// While one is open, what is said about a path the plug-ins cannot be given (its conversion
// failure, its missing extension) is said once, not once for every plug-in asked about it: the
// registry and the image loader open one for each file they hand round. Scopes nest; the
// outermost one counts.
class PathReportScope {
 public:
  PathReportScope();
  ~PathReportScope();
  PathReportScope(const PathReportScope&) = delete;
  PathReportScope& operator=(const PathReportScope&) = delete;
};

// Whether a message about the path being converted is to be given: always outside a scope, the
// first time only inside one.
bool PathReportDue();

// The last name converted, kept for the host's diagnostics.
const char* LastMultiByteName();

}  // namespace tarn
