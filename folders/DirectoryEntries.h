// What the folder tree and the cache search see of a folder: its entries, one by one.
#pragma once

#include <functional>
#include <string_view>

namespace tarn {

class DirectoryEntries {
 public:
  // Called per entry ("." and ".." included, as the system lists them); answering false stops.
  using Visit = std::function<bool(std::u16string_view name, bool directory)>;
  virtual ~DirectoryEntries() = default;
  // `folder` ends in a backslash.
  virtual void Entries(std::u16string_view folder, const Visit& visit) = 0;
};

// Directory entries searched in one tree build or cache search before it is cut short.
constexpr int kTreeEntriesMax = 30000;

// The progress of a search after `entries` entries: a hundredth per ten entries, at most 100.
inline int SearchProgress(int entries) { return entries >= 1000 ? 100 : entries * 100 / 1000; }

// "." and "..".
inline bool IsDotEntry(std::u16string_view name) { return name == u"." || name == u".."; }

}  // namespace tarn
