// Name tests the plug-ins share: the extension rule and marker names. Names are code-page-932
// byte strings; the tests look only at ASCII, which never occurs as a trail byte of "." .
#pragma once

#include <cstddef>

namespace tarn {

// The extension of `name` when a "." stands among its last five characters (searched from the
// end), else null. "photo.jpeg" gives ".jpeg"; "archive.tar.bmp" gives ".bmp"; "x.bmpxy" none.
const char* ShortExtension(const char* name);

// ASCII comparison without regard to case.
bool EqualsIgnoreCase(const char* a, const char* b);

// True when ShortExtension(name) equals one of `extensions` without regard to case.
bool HasExtension(const char* name, const char* const* extensions, std::size_t count);

// True when `name` equals one of `markers` without regard to case.
bool IsMarkerName(const char* name, const char* const* markers, std::size_t count);

// GetPluginInfo: copies string `infono` of `table` into buf with at most buflen bytes including
// the terminator and answers the length copied; 0 and buf untouched when infono is out of range.
int CopyInfoString(const char* const* table, int count, int infono, char* buf, int buflen);

}  // namespace tarn
