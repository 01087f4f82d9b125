#include "Win32Directories.h"

#include <windows.h>

#include "base/WinText.h"
#include "common/Handles.h"

namespace tarn {

void Win32Directories::Entries(std::u16string_view folder, const Visit& visit) {
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(AsWide(std::u16string(folder) + u"*.*"), &found));
  if (!search.IsOpen()) return;
  do {
    if (!visit(FromWide(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return;
  } while (FindNextFileW(search.Get(), &found));
}

}  // namespace tarn
