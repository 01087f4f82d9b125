#include "SelectionCommands.h"

#include <algorithm>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/commands/CommandScope.h"

namespace tarn {
namespace {

bool WindowMatches(std::u16string_view name, std::u16string_view text, long long start) {
  if (start < 0 || start + static_cast<long long>(text.size()) > static_cast<long long>(name.size())) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != u'?' && FoldAscii(text[i]) != FoldAscii(name[static_cast<std::size_t>(start) + i])) return false;
  return true;
}

// The selection counts as the table holds it: the per-row modes of these commands keep no count.
void Recount(const CatalogTables& tables, SelectionState& state) { state.selected = CountSelected(tables); }

// Selects a shown row that matched, or (narrowing) deselects a selected one that did not.
void ApplySearch(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row, bool matched,
                 bool selectedOnly) {
  if (!selectedOnly && matched) InvTitleColor(tables, state, canvas, row, {}, kTitleSelectIfNot);
  if (selectedOnly && !matched) InvTitleColor(tables, state, canvas, row, {}, kTitleDeselectIfSelected);
}

// The opening every search shares: the empty catalog, the marks, the question and, outside
// selected-only mode, a clean slate. False when the search does not run.
bool StartSearch(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, std::u16string_view question,
                 std::u16string_view caption, bool selectedOnly) {
  if (RefuseEmptyCatalog(tables)) return false;
  if (state.marked > 0) ClearMarks(tables, state, canvas, kClearMarksToSelection);
  if (Say(question, caption, Buttons::kOkCancel) != kAnswerOk) return false;
  if (!selectedOnly) ClearMarks(tables, state, canvas, kClearAll);
  return true;
}

}  // namespace

void SelectAll(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd) {
  if (state.marked > 0) ClearMarks(tables, state, canvas, kClearMarksToSelection);
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    const std::int32_t s = tables.entries[row].state;
    if (s == kEntryNormal || s == kEntryUnusable) InvTitleColor(tables, state, canvas, row, {}, kTitleSelect);
  }
  Recount(tables, state);
}

void DeselectAll(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas) {
  ClearMarks(tables, state, canvas, kClearAll);
}

void InvertSelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd) {
  if (state.marked > 0) {
    ClearMarks(tables, state, canvas, kClearSelection);
    ClearMarks(tables, state, canvas, kClearMarksToSelection);
  }
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    const std::int32_t s = tables.entries[row].state;
    if (s == kEntryNormal || s == kEntryUnusable) InvTitleColor(tables, state, canvas, row, {}, kTitleSelect);
    if (IsSelected(s)) InvTitleColor(tables, state, canvas, row, {}, kTitleDeselect);
  }
  Recount(tables, state);
}

NameMatch MatchName(std::u16string_view name, std::u16string_view text, MatchPosition position) {
  const std::size_t period = name.find_last_of(u'.');
  if (period == std::u16string_view::npos) return NameMatch::kNoPeriod;
  const long long n = static_cast<long long>(text.size());
  bool matched = false;
  switch (position) {
    case kMatchBeforeExtension: matched = WindowMatches(name, text, static_cast<long long>(period) - n); break;
    case kMatchAtStart: matched = WindowMatches(name, text, 0); break;
    case kMatchAnywhere:
      for (long long start = 0; !matched && start + n <= static_cast<long long>(name.size()); ++start)
        matched = WindowMatches(name, text, start);
      break;
  }
  return matched ? NameMatch::kMatch : NameMatch::kNoMatch;
}

SearchEnd SelectByString(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, std::u16string_view text,
                         MatchPosition position, bool selectedOnly, int offset, int shownEnd) {
  const std::u16string s(text);
  const std::u16string question = position == kMatchBeforeExtension ? u"拡張子の前に <" + s + u"> が在るファイルを検索します。"
                                  : position == kMatchAtStart       ? u"先頭に <" + s + u"> が在るファイルを検索します。"
                                                                    : u"名称に <" + s + u"> が在るファイルを検索します。";
  if (!StartSearch(tables, state, canvas, question + std::u16string(kCancelEnds), ScopeCaption(u"ファイル選択", selectedOnly),
                   selectedOnly))
    return SearchEnd::kCancelled;
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    if (!InCommandScope(tables.entries[row].state, selectedOnly)) continue;
    const NameMatch match = MatchName(EntryName(tables.entries[row]), text, position);
    if (match == NameMatch::kNoPeriod) {
      Say(u"拡張子' . 'が検出できません", u"異常終了");
      return SearchEnd::kStopped;
    }
    ApplySearch(tables, state, canvas, row, match == NameMatch::kMatch, selectedOnly);
  }
  return SearchEnd::kFinished;
}

std::u16string AttributeQuestion(std::uint32_t mask) {
  mask &= kSearchAttributes;
  if (mask == 0) return u"「属性指定なし」のファイルを検索します ";
  std::u16string question = u"属性 =";
  if (mask & 0x01) question += u" 「読取専用」";
  if (mask & 0x02) question += u" 「隠しファイル」";
  if (mask & 0x04) question += u" 「システム」";
  if (mask & 0x20) question += u" 「アーカイブ」";
  return question + u"のファイルを検索します ";
}

SearchEnd SelectByAttribute(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, std::uint32_t mask,
                            bool selectedOnly, int offset, int shownEnd, FileAttributeSource& files) {
  mask &= kSearchAttributes;
  if (!StartSearch(tables, state, canvas, AttributeQuestion(mask),
                   ScopeCaption(u"属性ファイル選択", selectedOnly) + std::u16string(kCancelEnds) + u" ", selectedOnly))
    return SearchEnd::kCancelled;
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    if (!InCommandScope(tables.entries[row].state, selectedOnly)) continue;
    const std::u16string path = EntryPath(tables, tables.entries[row]);
    std::uint32_t attributes = 0;
    if (!files.Attributes(path, attributes)) {
      Say(u"ファイルが有りません<-v85> ", path);
      return SearchEnd::kStopped;
    }
    ApplySearch(tables, state, canvas, row, (attributes & mask) == mask, selectedOnly);
  }
  return SearchEnd::kFinished;
}

bool MayShowOnlySelection(const SelectionState& state, CatalogCanvas& canvas) {
  if (!canvas.CatalogShown()) {
    Say(u"カタログ画面でカタログを選択してください", u"画面不一致");
    return false;
  }
  if (state.selected <= 0) {
    Say(u"表示するカタログを選択してください ", u"選択ファイル数 0");
    return false;
  }
  return true;
}

int ShowOnlySelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd) {
  int vacated = 0;
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    const std::int32_t s = tables.entries[row].state;
    if (s != kEntryNormal && s != kEntryUnusable && s != kEntryUnusableSelected) continue;
    VacateCell(tables, canvas, row);
    ++vacated;
  }
  // The vacated rows stay in the table until the next compaction, as after a delete: only the
  // rows offered to the catalog and the selection count change.
  tables.offeredRows = std::max(0, tables.offeredRows - vacated);
  Recount(tables, state);
  if (vacated > 0) CloseGaps(tables, state, canvas, offset, shownEnd, true);
  return vacated;
}

}  // namespace tarn
