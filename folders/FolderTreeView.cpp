#include "FolderTreeView.h"

#include <map>

#include "base/WinText.h"
#include "folders/TreePath.h"

namespace tarn {
namespace {

// Clears the filling mark on every way out.
class FillingScope {
 public:
  explicit FillingScope(bool& flag) : m_Flag(flag) { m_Flag = true; }
  ~FillingScope() { m_Flag = false; }
  FillingScope(const FillingScope&) = delete;
  FillingScope& operator=(const FillingScope&) = delete;

 private:
  bool& m_Flag;
};

}  // namespace

void CFolderTreeView::Clear() {
  FillingScope filling(m_Filling);
  TreeView_DeleteAllItems(m_Tree);
}

bool CFolderTreeView::Fill(const std::vector<TreeListItem>& items, int selected) {
  FillingScope filling(m_Filling);
  TreeView_DeleteAllItems(m_Tree);
  std::vector<HTREEITEM> handles(items.size(), nullptr);
  // Redrawing after each of thousands of inserts would take longer than the inserts.
  SendMessageW(m_Tree, WM_SETREDRAW, FALSE, 0);
  bool inserted = true;
  for (std::size_t i = 0; i < items.size() && inserted; ++i) {
    const TreeListItem& item = items[i];
    TVINSERTSTRUCTW insert{};
    insert.hParent = item.parent >= 0 && static_cast<std::size_t>(item.parent) < i ? handles[static_cast<std::size_t>(item.parent)] : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    std::u16string label = item.label;
    insert.item.pszText = reinterpret_cast<wchar_t*>(label.data());
    handles[i] = TreeView_InsertItem(m_Tree, &insert);
    inserted = handles[i] != nullptr;
  }
  for (std::size_t i = 0; i < items.size(); ++i)
    if (handles[i] != nullptr && TreeView_GetChild(m_Tree, handles[i]) != nullptr) TreeView_Expand(m_Tree, handles[i], TVE_EXPAND);
  SendMessageW(m_Tree, WM_SETREDRAW, TRUE, 0);
  if (!items.empty() && handles[0] != nullptr) {
    const std::size_t chosen = selected >= 0 && static_cast<std::size_t>(selected) < items.size() && handles[static_cast<std::size_t>(selected)] != nullptr
                                   ? static_cast<std::size_t>(selected)
                                   : 0;
    TreeView_SelectItem(m_Tree, handles[chosen]);
    TreeView_SelectSetFirstVisible(m_Tree, handles[chosen]);
  }
  InvalidateRect(m_Tree, nullptr, TRUE);
  return inserted;
}

std::u16string CFolderTreeView::Label(HTREEITEM item) const {
  wchar_t text[MAX_PATH + 1] = {};
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  TreeView_GetItem(m_Tree, &query);
  return FromWide(text);
}

std::vector<TreeListItem> CFolderTreeView::VisibleItems() const {
  std::vector<TreeListItem> items;
  std::map<HTREEITEM, int> index;
  for (HTREEITEM item = TreeView_GetRoot(m_Tree); item != nullptr; item = TreeView_GetNextVisible(m_Tree, item)) {
    const HTREEITEM parent = TreeView_GetParent(m_Tree, item);
    const auto found = index.find(parent);
    index[item] = static_cast<int>(items.size());
    items.push_back({Label(item), found != index.end() ? found->second : -1, TreeView_GetChild(m_Tree, item) != nullptr});
  }
  return items;
}

std::u16string CFolderTreeView::ItemPath(HTREEITEM item) const {
  std::vector<std::u16string> labels;
  for (; item != nullptr; item = TreeView_GetParent(m_Tree, item)) labels.push_back(Label(item));
  return labels.empty() ? std::u16string() : TreeItemPath(labels);
}

int CFolderTreeView::SelectionPosition() const {
  const HTREEITEM selected = Selection();
  if (selected == nullptr) return 0;
  int position = 0;
  for (HTREEITEM item = TreeView_GetRoot(m_Tree); item != nullptr; item = TreeView_GetNextVisible(m_Tree, item)) {
    ++position;
    if (item == selected) return position;
  }
  return 0;
}

}  // namespace tarn
