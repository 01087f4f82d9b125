#include "TreeBuild.h"

#include <algorithm>

#include "base/TextUtil.h"
#include "folders/TreePath.h"

namespace tarn {
namespace {

// Folders whose path reaches this length cannot be listed or catalogued; the build does not
// descend into them.
constexpr std::size_t kFolderPathLimit = 255;

struct Node {
  std::u16string label;
  std::vector<int> children;
};

bool LessIgnoringCase(const std::u16string& a, const std::u16string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = FoldAscii(a[i]), y = FoldAscii(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

class TreeBuilder {
 public:
  TreeBuilder(DirectoryEntries& entries, ProgressWindow& progress) : m_Entries(entries), m_Progress(progress) {}

  int Build(const std::u16string& root, std::vector<TreeListItem>& items) {
    m_Nodes.push_back({TreeRootLabel(root), {}});
    Descend(m_Nodes[0].label + u"\\", 0);
    Flatten(0, -1, items);
    return m_Result;
  }

 private:
  void Descend(const std::u16string& folder, int node) {
    m_Entries.Entries(folder, [&](std::u16string_view name, bool directory) {
      if (m_Progress.Cancelled()) {
        m_Result = kTreeCancelled;
        return false;
      }
      if (++m_Count > kTreeEntriesMax) {
        m_Result = kTreeTooManyEntries;
        return false;
      }
      m_Progress.SetPos(SearchProgress(m_Count));
      if (!directory || IsDotEntry(name)) return true;
      const int child = static_cast<int>(m_Nodes.size());
      m_Nodes.push_back({std::u16string(name), {}});
      m_Nodes[static_cast<std::size_t>(node)].children.push_back(child);
      const std::u16string path = folder + std::u16string(name) + u"\\";
      if (path.size() < kFolderPathLimit) Descend(path, child);
      return m_Result == kTreeBuilt;
    });
  }

  void Flatten(int node, int parent, std::vector<TreeListItem>& items) {
    Node& n = m_Nodes[static_cast<std::size_t>(node)];
    std::sort(n.children.begin(), n.children.end(), [this](int a, int b) {
      return LessIgnoringCase(m_Nodes[static_cast<std::size_t>(a)].label, m_Nodes[static_cast<std::size_t>(b)].label);
    });
    const int index = static_cast<int>(items.size());
    items.push_back({n.label, parent, !n.children.empty()});
    for (int child : n.children) Flatten(child, index, items);
  }

  DirectoryEntries& m_Entries;
  ProgressWindow& m_Progress;
  std::vector<Node> m_Nodes;
  int m_Count = 0;
  int m_Result = kTreeBuilt;
};

}  // namespace

int BuildFolderTree(const std::u16string& root, DirectoryEntries& entries, ProgressWindow& progress,
                    std::vector<TreeListItem>& items) {
  items.clear();
  TreeBuilder builder(entries, progress);
  return builder.Build(root, items);
}

}  // namespace tarn
