// The recent folders in a section of their own of "Tarn.ini", beside the settings' sections.
#include <windows.h>

#include <string>

#include "base/AppGlobals.h"
#include "base/RecentFolders.h"
#include "base/Settings.h"
#include "base/WinText.h"

namespace tarn {
namespace {

constexpr wchar_t kSection[] = L"RecentFolders";

std::wstring KeyOf(std::size_t index) { return L"Folder" + std::to_wstring(index + 1); }

}  // namespace

std::u16string RecentFoldersFile() { return g_IndividualFlag ? g_StartFolder + u"Tarn.ini" : u"Tarn.ini"; }

RecentFolders LoadRecentFolders() {
  const std::u16string file = RecentFoldersFile();
  RecentFolders recent;
  // Read oldest first, so that each Add puts the newer one in front.
  for (std::size_t i = RecentFolders::kLimit; i-- > 0;) {
    wchar_t folder[MAX_PATH * 2] = {};
    GetPrivateProfileStringW(kSection, KeyOf(i).c_str(), L"", folder, MAX_PATH * 2, AsWide(file));
    recent.Add(FromWide(folder));
  }
  return recent;
}

void SaveRecentFolders(const RecentFolders& recent) {
  if (g_SaveSuppressed) return;
  const std::u16string file = RecentFoldersFile();
  WritePrivateProfileStringW(kSection, nullptr, nullptr, AsWide(file));
  std::size_t key = 0;
  for (const std::u16string& folder : recent.Folders())
    if (FitsAnsi(folder)) WritePrivateProfileStringW(kSection, KeyOf(key++).c_str(), AsWide(folder), AsWide(file));
}

}  // namespace tarn
