// The folder dialog's tree view: filled from a built or loaded tree, read back as the visible
// items for its TreeList file, and asked for the folder of an item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "folders/TreeList.h"

namespace tarn {

class CFolderTreeView {
 public:
  void Attach(HWND tree) { m_Tree = tree; }
  HWND Handle() const { return m_Tree; }

  void Clear();
  // Inserts `items` (display order, parents first), expands every item with children and
  // selects item `selected`, scrolled to the top. False when the view refused an item.
  bool Fill(const std::vector<TreeListItem>& items, int selected);
  // The visible items in display order, for the TreeList file.
  std::vector<TreeListItem> VisibleItems() const;
  int ItemCount() const { return static_cast<int>(TreeView_GetCount(m_Tree)); }

  HTREEITEM Selection() const { return TreeView_GetSelection(m_Tree); }
  // The folder of `item` with a trailing backslash; empty for none.
  std::u16string ItemPath(HTREEITEM item) const;
  // Position of the selection among the visible items counted from the top, itself included
  // (0 when nothing is selected).
  int SelectionPosition() const;
  void Collapse(HTREEITEM item) const { TreeView_Expand(m_Tree, item, TVE_COLLAPSE); }

  // True while the view is being filled: its selection notices are the program's own.
  bool Filling() const { return m_Filling; }

 private:
  std::u16string Label(HTREEITEM item) const;

  HWND m_Tree = nullptr;
  bool m_Filling = false;
};

}  // namespace tarn
