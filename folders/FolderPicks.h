// Folders picked one by one in the folder tree for a multi-folder catalog, and the folders in
// which the thumbnail dialog found cache files: at most 100 paths, each ending in a backslash.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

constexpr int kFolderPicksMax = 100;
constexpr std::size_t kPickedPathMax = 254;  // characters, the trailing backslash included

class FolderPicks {
 public:
  enum Added { kAdded, kAlreadyThere, kFull, kTooLong };

  // Adds `path` (a backslash is added when missing) unless the list is full, the path is too
  // long or already listed without regard to case.
  Added Add(std::u16string path);
  void Clear() { m_Paths.clear(); }
  int Count() const { return static_cast<int>(m_Paths.size()); }
  bool Full() const { return Count() >= kFolderPicksMax; }
  const std::vector<std::u16string>& Paths() const { return m_Paths; }

 private:
  std::vector<std::u16string> m_Paths;
};

// "m_SelTreeDir ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= %d\n%s": the log line and message of a path too long to keep.
std::u16string PathTooLongLine(std::u16string_view prefix, std::u16string_view path);

}  // namespace tarn
