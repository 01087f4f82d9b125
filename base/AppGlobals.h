// Process-wide values set once at start-up or by the settings, which every part reads.
#pragma once

#include <string>

namespace tarn {

// Platform class: 1 = major version 4 or lower, 2 = 5, 3 = 6.0, 4 = 6.1, 5 = 6.2; 0 unknown.
extern int g_OsKind;

// The current directory at start-up, ending in a backslash: home of the program's own files.
extern std::u16string g_StartFolder;

// Once the cleanup tool has been started, nothing is saved: not the settings, not the log.
extern bool g_SaveSuppressed;

// The folder given on the command line, to be catalogued once the program has started.
extern std::u16string g_StartupFolder;

// Defaults of the save dialog: the extension and the number text of batch names.
extern std::u16string g_SaveExtension;
extern std::u16string g_NumberText;

}  // namespace tarn
