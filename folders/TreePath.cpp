#include "TreePath.h"

#include "base/TextUtil.h"

namespace tarn {

std::u16string TreeItemPath(const std::vector<std::u16string>& labels) {
  std::u16string path;
  for (auto label = labels.rbegin(); label != labels.rend(); ++label) {
    path += *label;
    AppendBackslash(path);
  }
  return path;
}

std::u16string TreeRootLabel(std::u16string root) {
  for (int i = 0; i < 3 && !root.empty() && root.back() == u'\\'; ++i) root.pop_back();
  return root;
}

}  // namespace tarn
