// Folders held in memory as the system lists them: "." and ".." first, then the entries in the
// order they were made.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "folders/DirectoryEntries.h"

namespace tarn::test {

class MemoryDirectories : public DirectoryEntries {
 public:
  struct Entry {
    std::u16string name;
    bool directory;
  };
  std::map<std::u16string, std::vector<Entry>> folders;

  explicit MemoryDirectories(const std::u16string& root) { folders[root] = {{u".", true}, {u"..", true}}; }

  std::u16string Folder(const std::u16string& parent, const std::u16string& name) {
    folders[parent].push_back({name, true});
    const std::u16string path = parent + name + u"\\";
    folders[path] = {{u".", true}, {u"..", true}};
    return path;
  }
  void File(const std::u16string& folder, const std::u16string& name) { folders[folder].push_back({name, false}); }

  void Entries(std::u16string_view folder, const Visit& visit) override {
    const auto it = folders.find(std::u16string(folder));
    if (it == folders.end()) return;
    for (const Entry& e : it->second)
      if (!visit(e.name, e.directory)) return;
  }
};

}  // namespace tarn::test
