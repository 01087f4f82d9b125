#include "Win32Directories.h"

#include "base/FileUtil.h"

namespace tarn {

void Win32Directories::Entries(std::u16string_view folder, const Visit& visit) { ListFolderEntries(folder, visit); }

}  // namespace tarn
