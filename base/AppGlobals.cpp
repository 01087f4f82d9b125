#include "AppGlobals.h"

namespace tarn {

int g_OsKind = 0;
std::u16string g_StartFolder;
bool g_SaveSuppressed = false;
std::u16string g_StartupFolder;
std::u16string g_SaveExtension;
std::u16string g_NumberText;

}  // namespace tarn
