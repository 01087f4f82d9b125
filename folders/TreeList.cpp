#include "TreeList.h"

#include "base/TextUtil.h"

namespace tarn {
namespace {

constexpr std::u16string_view kHeader = u"##ツリーリスト　アイテム数 = ";
constexpr std::u16string_view kTrailer = u"##ツリーリスト END";

// One open parent of the loader: its label and its index among the items.
struct OpenParent {
  std::u16string_view label;
  int item = -1;
};

}  // namespace

std::u16string WriteTreeList(const std::vector<TreeListItem>& items, int itemCount) {
  std::u16string text(kHeader);
  text += DecimalText(itemCount) + u"\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TreeListItem& item = items[i];
    if (i == 0 || item.parent < 0 || static_cast<std::size_t>(item.parent) >= items.size()) {
      text += item.label;
    } else {
      text += items[static_cast<std::size_t>(item.parent)].label + u"/" + item.label;
      if (item.hasChildren) text += u'/';
    }
    text += u'\n';
  }
  text += kTrailer;
  text += u'\n';
  return text;
}

TreeListRead ReadTreeList(std::u16string_view text, int selectedPosition, TreeListContent& out) {
  out = TreeListContent{};
  OpenParent stack[kTreeNestMax];
  int depth = -1;
  bool first = true;
  bool selected = false;
  while (!text.empty()) {
    const std::size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    if (first) {  // the item count, which the loader does not need
      first = false;
      continue;
    }
    while (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    // The header and the end mark; a folder named "#..." still has its "/" line.
    if (line.empty() || (line.front() == u'#' && line.find(u'/') == std::u16string_view::npos)) continue;
    if (out.items.size() >= kTreeListItemsMax) return TreeListRead::kBroken;

    const std::size_t slash = line.find(u'/');
    if (slash == std::u16string_view::npos) {
      if (depth >= 0) return TreeListRead::kBroken;  // a second root
      out.items.push_back({std::u16string(line), -1, true});
      depth = 0;
      stack[0] = {line, 0};
    } else {
      if (depth < 0) return TreeListRead::kBroken;
      const std::u16string_view parentLabel = line.substr(0, slash);
      std::u16string_view label = line.substr(slash + 1);
      const bool hasChildren = !label.empty() && label.back() == u'/';
      if (hasChildren) label.remove_suffix(1);
      if (label.empty()) return TreeListRead::kBroken;
      int level = depth;
      while (level >= 0 && !EqualsIgnoreCase(stack[level].label, parentLabel)) --level;
      if (level < 0) return TreeListRead::kBroken;
      const int index = static_cast<int>(out.items.size());
      out.items.push_back({std::u16string(label), stack[level].item, hasChildren});
      depth = level;
      if (hasChildren) {
        if (level + 1 >= kTreeNestMax) return TreeListRead::kNestingOverflow;
        depth = level + 1;
        stack[depth] = {line.substr(slash + 1, label.size()), index};
      }
    }
    if (static_cast<int>(out.items.size()) == selectedPosition) {
      out.selected = static_cast<int>(out.items.size()) - 1;
      selected = true;
    }
  }
  if (out.items.empty()) return TreeListRead::kBroken;
  if (!selected) out.selected = 0;
  return TreeListRead::kLoaded;
}

}  // namespace tarn
