#include "catalog/view/CatalogSelection.h"

#include <algorithm>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/list/FileClass.h"

namespace tarn {

namespace {

bool InTable(const CatalogTables& tables, int row) {
  return row >= 0 && row < std::min(tables.rows, kCatalogRowsMax);
}

// Normal and unusable rows carry the selection in bit 0; vacated and marked rows carry none.
bool CarriesMark(std::int32_t state) { return state >= kEntryNormal && state <= kEntryUnusableSelected; }

void StoreName(CatalogEntry& entry, std::u16string_view name) {
  const std::size_t n = std::min<std::size_t>(name.size(), std::size(entry.name) - 1);
  std::fill(std::begin(entry.name), std::end(entry.name), u'\0');
  std::copy_n(name.begin(), n, entry.name);
}

}  // namespace

bool VacatedCellBlock(int row, const ShownCatalog& shown, const CatalogGeometry& geometry, CellBlock& block) {
  if (row < shown.offset || row >= shown.shownEnd || shown.columns < 1) return false;
  const int k = row - shown.offset;
  const CellPoint origin = CellOrigin(k % shown.columns, k / shown.columns, geometry);
  block = {.x = origin.x, .y = origin.y, .width = geometry.ColumnPitch(), .height = geometry.RowPitch()};
  return true;
}

int InvTitleColor(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row,
                  std::u16string_view name, int mode) {
  if (!InTable(tables, row) || mode < kTitleToggle || mode > kTitleUnmark) {
    Say(SwitchMessage(u"CTarnView::InvTitleColor", mode));
    return -1;
  }
  std::int32_t& s = tables.entries[row].state;
  switch (mode) {
    case kTitleToggle:
      if (CarriesMark(s)) {
        state.selected += IsSelected(s) ? -1 : 1;
        s ^= 1;
      }
      break;
    case kTitleRename:
      StoreName(tables.entries[row], name);
      break;
    case kTitleDeselect:
      if (CarriesMark(s)) s &= ~1;
      break;
    case kTitleSelect:
      if (CarriesMark(s)) s |= 1;
      break;
    case kTitleDeselectCounted:
      // Callers use it on rows they know to be selected; a count never goes below none.
      if (CarriesMark(s)) s &= ~1;
      state.selected = std::max(0, state.selected - 1);
      break;
    case kTitleSelectIfNot:
      if (CarriesMark(s) && !IsSelected(s)) {
        s |= 1;
        ++state.selected;
      }
      break;
    case kTitleDeselectIfSelected:
      if (IsSelected(s)) {
        s &= ~1;
        --state.selected;
      }
      break;
    case kTitleMark:
      s = kEntryMovieMarked;
      ++state.marked;
      break;
    case kTitleUnmark:
      s = kEntryNormal;
      --state.marked;
      break;
  }
  canvas.RepaintTitle(row);
  return 0;
}

int CountSelected(const CatalogTables& tables) {
  const int rows = std::min(tables.rows, kCatalogRowsMax);
  return static_cast<int>(
      std::count_if(tables.entries, tables.entries + rows, [](const CatalogEntry& e) { return IsSelected(e.state); }));
}

void ClearMarks(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, ClearKind kind) {
  const int rows = std::min(tables.rows, kCatalogRowsMax);
  for (int row = 0; row < rows; ++row) {
    std::int32_t& s = tables.entries[row].state;
    const std::int32_t before = s;
    if (kind == kClearAll || kind == kClearSelection) {
      if (IsSelected(s)) s &= ~1;
    }
    if (s == kEntryMovieMarked) {
      if (kind == kClearAll || kind == kClearMarks) s = kEntryNormal;
      if (kind == kClearMarksToSelection) s = kEntrySelected;
    }
    if (s != before) canvas.RepaintTitle(row);
  }
  switch (kind) {
    case kClearAll:
      state.selected = 0;
      state.marked = 0;
      break;
    case kClearSelection:
      state.selected = 0;
      break;
    case kClearMarksToSelection:
    case kClearMarks:
      state.marked = 0;
      state.selected = CountSelected(tables);
      break;
  }
}

bool AskReleaseMarks(const SelectionState& state) {
  return Say(u"選択したファイルを解除しますか？  ≪ｷｬﾝｾﾙ≫で戻ります",
             u"選択ファイル数= " + DecimalText(state.selected) + u"    個別選択/解除⇒ Ctrl+カタログ",
             Buttons::kOkCancel) == kAnswerOk;
}

namespace {

// Both ends included; selected, vacated and marked rows are left as they are.
void ShiftSelect(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row) {
  const int first = std::max(0, std::min(state.cursor, row));
  const int last = std::min(std::max(state.cursor, row), std::min(tables.rows, kCatalogRowsMax) - 1);
  for (int r = first; r <= last; ++r) {
    const std::int32_t s = tables.entries[r].state;
    if (s == kEntryNormal || s == kEntryUnusable) InvTitleColor(tables, state, canvas, r, {}, kTitleSelectIfNot);
  }
  state.cursor = row;
}

void CtrlSelect(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row) {
  const std::int32_t s = tables.entries[row].state;
  if (s == kEntryNormal || s == kEntryUnusable) {
    InvTitleColor(tables, state, canvas, row, {}, state.marked > 0 ? kTitleMark : kTitleToggle);
  } else if (IsSelected(s)) {
    InvTitleColor(tables, state, canvas, row, {}, kTitleToggle);
  } else if (s == kEntryMovieMarked) {
    InvTitleColor(tables, state, canvas, row, {}, kTitleUnmark);
    state.selected = CountSelected(tables);
  }
  state.cursor = row;
}

}  // namespace

ClickResult ClickCell(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row, bool ctrl,
                      bool shift, bool singleClick, int displayedRow, bool running) {
  if (running || !InTable(tables, row)) return ClickResult::kNothing;
  if (singleClick) {
    if (row == displayedRow) return ClickResult::kNothing;
    if (state.marked > 0 && !AskReleaseMarks(state)) return ClickResult::kNothing;
    ClearMarks(tables, state, canvas, kClearAll);
    InvTitleColor(tables, state, canvas, row, {}, kTitleSelectIfNot);
    state.cursor = row;
    return ClickResult::kOpenByTimer;
  }
  if (shift) {
    // A range means nothing against slide-show marks, which are picked one by one.
    if (state.marked > 0) return ClickResult::kNothing;
    ShiftSelect(tables, state, canvas, row);
    return ClickResult::kSelected;
  }
  if (ctrl) {
    CtrlSelect(tables, state, canvas, row);
    return ClickResult::kSelected;
  }
  if (state.marked == 0) {
    ClearMarks(tables, state, canvas, kClearSelection);
    InvTitleColor(tables, state, canvas, row, {}, kTitleSelectIfNot);
  } else {
    if (!AskReleaseMarks(state)) return ClickResult::kNothing;
    ClearMarks(tables, state, canvas, kClearMarksToSelection);
  }
  state.cursor = row;
  state.dragSource = row;
  return ClickResult::kStartDrag;
}

int StepCursor(const CatalogTables& tables, SelectionState& state, int offset, int shownEnd, bool up) {
  const int begin = std::max(0, offset);
  const int n = std::min(shownEnd, std::min(tables.rows, kCatalogRowsMax)) - begin;
  const bool inRange = state.cursor >= begin && state.cursor < begin + n;
  // From outside the range the first step lands on its first (down) or last (up) row.
  const int from = inRange ? state.cursor - begin : up ? 0 : n - 1;
  for (int k = 1; k <= n; ++k) {
    const int row = begin + ((from + (up ? -k : k)) % n + n) % n;
    const std::int32_t s = tables.entries[row].state;
    if (s == kEntryNormal || s == kEntrySelected || (state.marked > 0 && s == kEntryMovieMarked)) {
      state.cursor = row;
      return row;
    }
  }
  Say(u"ファイル選択エラー", up ? u"CTarnView::UpDownCatalog_Up" : u"CTarnView::UpDownCatalog_Down");
  state.cursor = 0;
  return -1;
}

void CarrySelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int from, int to) {
  if (from == to || state.selected != 1 || state.marked > 0 || !InTable(tables, from) || !InTable(tables, to)) return;
  if (!IsSelected(tables.entries[from].state) || tables.entries[to].state != kEntryNormal) return;
  InvTitleColor(tables, state, canvas, from, {}, kTitleDeselectIfSelected);
  InvTitleColor(tables, state, canvas, to, {}, kTitleSelectIfNot);
}

bool MayOpenRow(const CatalogTables& tables, int row, bool played) {
  if (!InTable(tables, row)) return false;
  const CatalogEntry& entry = tables.entries[row];
  if (IsDroppedState(entry.state)) {
    Say(u"エラーファイル ≪読出不可≫", EntryPath(tables, entry));
    return false;
  }
  const int kind = ClassifyFileName(EntryName(entry));
  const bool movie = kind == kClassMedia || kind == kClassFlvMp4;
  if (kind != kClassStill && !(played && movie)) {
    Say(u"動画・音楽ファイルは展開できません ", u"画像選択不可");
    return false;
  }
  return true;
}

int MoveEntry(CatalogTables& tables, CatalogCanvas& canvas, int from, int to) {
  if (!InTable(tables, from) || !InTable(tables, to)) return -1;
  const CatalogEntry moving = tables.entries[from];
  bool painted = true;
  const int step = from < to ? 1 : -1;
  for (int i = from; i != to; i += step) {
    tables.entries[i] = tables.entries[i + step];
    painted = canvas.RepaintCell(i) && painted;
  }
  tables.entries[to] = moving;
  painted = canvas.RepaintCell(to) && painted;
  return painted ? 0 : -1;
}

void DropOnRow(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int row, bool running) {
  if (!running && row >= 0 && state.dragSource >= 0 && row != state.dragSource)
    MoveEntry(tables, canvas, state.dragSource, row);
  state.dragSource = -1;
}

void VacateCell(CatalogTables& tables, CatalogCanvas& canvas, int row) {
  if (!InTable(tables, row)) return;
  canvas.PaintCellWhite(row);
  tables.entries[row].state = kEntryVacated;
}

int CloseGaps(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd,
              bool repaint) {
  ProgressScope progress(u"画像ｶﾀﾛｸﾞ 再配置中・・・");
  const int begin = std::max(0, offset);
  const int end = std::min(shownEnd, std::min(tables.rows, kCatalogRowsMax));
  const int count = std::max(1, end - begin);
  int result = 0;
  int free = -1;  // first vacated row that a later live row can take
  for (int i = begin; i < end; ++i) {
    TheProgress().SetPos((i - begin) * 100 / count);
    if (TheProgress().Cancelled()) {
      result = 2;
      break;
    }
    if (tables.entries[i].state == kEntryVacated) {
      if (free < 0) free = i;
      // The entry after the one that left takes its place; the cursor waits there for it.
      if (state.cursor == i) state.cursor = free;
      continue;
    }
    if (free < 0) continue;
    tables.entries[free] = tables.entries[i];
    tables.entries[i].state = kEntryVacated;
    canvas.RepaintCell(free);
    canvas.PaintCellWhite(i);
    if (state.cursor == i) state.cursor = free;
    ++free;
  }
  if (repaint) canvas.RepaintView();
  return result;
}

std::vector<WorkRow> CollectWorkRows(const CatalogTables& tables, bool marks, int offset) {
  std::vector<WorkRow> rows;
  const int n = std::min(tables.rows, kCatalogRowsMax);
  for (int row = 0; row < n; ++row) {
    const std::int32_t s = tables.entries[row].state;
    if (marks ? s == kEntryMovieMarked : IsSelected(s))
      rows.push_back({.row = row, .position = row - offset, .folder = tables.entries[row].folder});
  }
  return rows;
}

}  // namespace tarn
