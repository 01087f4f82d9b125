// The folders the user catalogued last, most recent first, as the "ﾌｧｲﾙ" menu lists them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class RecentFolders {
 public:
  static constexpr std::size_t kLimit = 8;

  // Puts the folder first; the same folder in another case or without its final backslash is one
  // folder, and the oldest falls off past the limit. An empty folder is not a folder.
  void Add(std::u16string_view folder);
  // False when the folder was not listed.
  bool Remove(std::u16string_view folder);
  const std::vector<std::u16string>& Folders() const { return m_Folders; }

 private:
  std::vector<std::u16string> m_Folders;
};

// The menu text of entry `index` (0 first): its number as the mnemonic, then the folder, its "&"
// doubled so that it shows as written; a folder longer than `width` keeps its drive and its last
// folder names around "...".
std::u16string RecentMenuText(int index, std::u16string_view folder, std::size_t width = 60);

// Where the list is stored: beside "Tarn.cfg" in individual mode, else the Windows folder's.
std::u16string RecentFoldersFile();
// The list from its own section of "Tarn.ini", and back; folders that no longer fit the ANSI code
// page of the profile functions stay out of the file.
RecentFolders LoadRecentFolders();
void SaveRecentFolders(const RecentFolders& recent);

}  // namespace tarn
