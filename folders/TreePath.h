// The folder a tree item stands for, from the labels on its way to the root.
#pragma once

#include <string>
#include <vector>

namespace tarn {

// `labels` holds the item's own label first and the root's (the root folder path) last. The
// labels are joined with backslashes (none added after a label that already ends in one) and the
// path ends in a backslash.
std::u16string TreeItemPath(const std::vector<std::u16string>& labels);

// The root folder as the tree shows it: up to three trailing backslashes removed.
std::u16string TreeRootLabel(std::u16string root);

}  // namespace tarn
