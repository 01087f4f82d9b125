// "TreeList" files: the folder dialog's tree as it was on screen, one line per visible item in
// display order. The text is UTF-16 here; the file holds it in the ANSI code page (932), which the
// caller converts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// One visible item of the tree, in display order; the root comes first.
struct TreeListItem {
  std::u16string label;
  int parent = -1;           // index of the parent in the same list; -1 for the root
  bool hasChildren = false;  // the item has children (written as a trailing "/")
};

// Open parents the loader keeps: a tree nested deeper than this does not load.
constexpr int kTreeNestMax = 20;

// The file text for `items` (display order, root first). `itemCount` is the tree view's whole item
// count, which the first line records. Every line ends in a line feed.
std::u16string WriteTreeList(const std::vector<TreeListItem>& items, int itemCount);

enum class TreeListRead {
  kLoaded,
  kNestingOverflow,  // "ネストバッファサイズオーバー"
  kBroken,           // no root, a parent that is not open, or more lines than a tree may have
};

struct TreeListContent {
  std::vector<TreeListItem> items;
  int selected = 0;  // index of the item to select; the root when none matched the position
};

// Reads the file text. `selectedPosition` counts the visible items from the top, the selected one
// included (0: none); the item inserted at that count becomes the selection.
TreeListRead ReadTreeList(std::u16string_view text, int selectedPosition, TreeListContent& out);

// The most lines a TreeList may hold: a tree built from disk stops after 30000 entries.
constexpr std::size_t kTreeListItemsMax = 30001;

}  // namespace tarn
