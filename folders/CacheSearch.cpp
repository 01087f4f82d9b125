#include "CacheSearch.h"

#include "base/TextUtil.h"
#include "catalog/cache/ThumbnailFiles.h"

namespace tarn {
namespace {

constexpr std::size_t kSearchPathLimit = 255;

class CacheSearcher {
 public:
  CacheSearcher(bool subfolders, DirectoryEntries& entries, ProgressWindow& progress,
                const std::function<void(std::u16string_view)>& log)
      : m_Subfolders(subfolders), m_Entries(entries), m_Progress(progress), m_Log(log) {}

  void Search(const std::u16string& folder, CacheSearch& out) {
    if (folder.size() >= kSearchPathLimit) {
      const std::u16string line = PathTooLongLine(u"kodomo1", folder);
      m_Log(line);
      Say(line);
      return;
    }
    ++m_Searches;
    m_Progress.SetText(u" No=" + PaddedDecimal(m_Searches, 3));
    std::vector<std::u16string> below;
    m_Entries.Entries(folder, [&](std::u16string_view name, bool directory) {
      if (m_Progress.Cancelled()) {
        out.result = kCacheSearchCancelled;
        return false;
      }
      if (++m_Count > kTreeEntriesMax) {
        out.result = kCacheSearchEntryLimit;
        return false;
      }
      m_Progress.SetPos(SearchProgress(m_Count));
      if (!directory && EqualsIgnoreCase(name, kThumbFileName)) {
        ++out.found;
        if (!m_Subfolders) return false;
        out.folders.Add(folder);
      } else if (directory && m_Subfolders && !IsDotEntry(name)) {
        below.push_back(folder + std::u16string(name) + u"\\");
      }
      return true;
    });
    for (const std::u16string& sub : below) {
      if (out.result != kCacheSearchDone) return;
      if (out.found >= kFolderPicksMax) {
        out.result = kCacheSearchFolderLimit;
        return;
      }
      Search(sub, out);
    }
  }

 private:
  bool m_Subfolders;
  DirectoryEntries& m_Entries;
  ProgressWindow& m_Progress;
  const std::function<void(std::u16string_view)>& m_Log;
  int m_Count = 0;
  int m_Searches = 0;
};

}  // namespace

CacheSearch SearchCacheFolders(const std::u16string& folder, bool subfolders, DirectoryEntries& entries,
                               ProgressWindow& progress, const std::function<void(std::u16string_view)>& log) {
  CacheSearch out;
  CacheSearcher searcher(subfolders, entries, progress, log);
  searcher.Search(folder, out);
  if (out.result == kCacheSearchFolderLimit)
    Say(u"フォルダ数が多過ぎるため途中で打ち切ります ", u"最大削除下位フォルダ数 = " + DecimalText(kFolderPicksMax));
  else if (out.result == kCacheSearchEntryLimit)
    Say(u"検索するファイルが多過ぎるため途中で打ち切ります ", u"最大検索ファイル数 = " + DecimalText(kTreeEntriesMax));
  return out;
}

}  // namespace tarn
