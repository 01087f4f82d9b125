#include "AppGlobals.h"

namespace tarn {

int g_OsKind = 0;
std::u16string g_StartFolder;
bool g_SaveSuppressed = false;

}  // namespace tarn
