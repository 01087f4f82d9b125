#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/view/CatalogSelection.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::CancellingProgress;
using test::RecordingCanvas;
using test::ScriptedPrompt;

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_ = std::make_unique<CatalogTables>();
    tables_->rows = tables_->offeredRows = 10;
    for (int row = 0; row < 10; ++row) {
      CatalogEntry& e = tables_->entries[row];
      const std::u16string name = u"p" + std::u16string(1, static_cast<char16_t>(u'0' + row)) + u".jpg";
      std::copy(name.begin(), name.end(), e.name);
      e.slot = row;
      e.size = 100 + row;
      e.folder = row % 2;
    }
  }
  std::int32_t& State(int row) { return tables_->entries[row].state; }
  std::u16string Name(int row) { return std::u16string(EntryName(tables_->entries[row])); }

  std::unique_ptr<CatalogTables> tables_;
  SelectionState state_;
  RecordingCanvas canvas_;
  ScriptedPrompt prompt_;
  CancellingProgress progress_;
};

TEST_F(SelectionTest, TitleModesChangeStatesAndCounts) {
  State(1) = kEntryUnusable;
  EXPECT_EQ(InvTitleColor(*tables_, state_, canvas_, 0, {}, kTitleToggle), 0);
  EXPECT_EQ(InvTitleColor(*tables_, state_, canvas_, 1, {}, kTitleToggle), 0);
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(State(1), kEntryUnusableSelected);
  EXPECT_EQ(state_.selected, 2);
  InvTitleColor(*tables_, state_, canvas_, 1, {}, kTitleToggle);
  EXPECT_EQ(State(1), kEntryUnusable);
  EXPECT_EQ(state_.selected, 1);

  // 2 and 3 change the state alone; 4 also lowers the count.
  InvTitleColor(*tables_, state_, canvas_, 2, {}, kTitleSelect);
  EXPECT_EQ(State(2), kEntrySelected);
  InvTitleColor(*tables_, state_, canvas_, 2, {}, kTitleDeselect);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(state_.selected, 1);
  InvTitleColor(*tables_, state_, canvas_, 0, {}, kTitleDeselectCounted);
  EXPECT_EQ(State(0), kEntryNormal);
  EXPECT_EQ(state_.selected, 0);
  InvTitleColor(*tables_, state_, canvas_, 0, {}, kTitleDeselectCounted);
  EXPECT_EQ(state_.selected, 0) << "the count never goes below none";

  // 5 and 6 count only a change.
  InvTitleColor(*tables_, state_, canvas_, 3, {}, kTitleSelectIfNot);
  InvTitleColor(*tables_, state_, canvas_, 3, {}, kTitleSelectIfNot);
  EXPECT_EQ(state_.selected, 1);
  InvTitleColor(*tables_, state_, canvas_, 3, {}, kTitleDeselectIfSelected);
  InvTitleColor(*tables_, state_, canvas_, 3, {}, kTitleDeselectIfSelected);
  EXPECT_EQ(state_.selected, 0);
  EXPECT_EQ(State(3), kEntryNormal);

  InvTitleColor(*tables_, state_, canvas_, 4, {}, kTitleMark);
  EXPECT_EQ(State(4), kEntryMovieMarked);
  EXPECT_EQ(state_.marked, 1);
  InvTitleColor(*tables_, state_, canvas_, 4, {}, kTitleUnmark);
  EXPECT_EQ(State(4), kEntryNormal);
  EXPECT_EQ(state_.marked, 0);

  // A vacated row takes no selection.
  State(5) = kEntryVacated;
  InvTitleColor(*tables_, state_, canvas_, 5, {}, kTitleToggle);
  InvTitleColor(*tables_, state_, canvas_, 5, {}, kTitleSelectIfNot);
  EXPECT_EQ(State(5), kEntryVacated);
  EXPECT_EQ(state_.selected, 0);
  EXPECT_EQ(canvas_.titles.size(), 15u) << "every mode repaints the title";
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SelectionTest, RenameModeStoresABoundedName) {
  InvTitleColor(*tables_, state_, canvas_, 2, u"new name.jpeg", kTitleRename);
  EXPECT_EQ(Name(2), u"new name.jpeg");
  InvTitleColor(*tables_, state_, canvas_, 2, u"b.gif", kTitleRename);
  EXPECT_EQ(Name(2), u"b.gif") << "no tail of the longer name remains";
  const std::u16string longName(200, u'x');
  InvTitleColor(*tables_, state_, canvas_, 2, longName, kTitleRename);
  EXPECT_EQ(Name(2), std::u16string(127, u'x'));
  EXPECT_EQ(tables_->entries[2].name[127], u'\0');
}

TEST_F(SelectionTest, UnknownModeAndRowShowTheSwitchMessage) {
  EXPECT_EQ(InvTitleColor(*tables_, state_, canvas_, 0, {}, 9), -1);
  EXPECT_EQ(InvTitleColor(*tables_, state_, canvas_, 0, {}, -1), -1);
  EXPECT_EQ(InvTitleColor(*tables_, state_, canvas_, 10, {}, kTitleToggle), -1);
  ASSERT_EQ(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[0].text, u"CTarnView::InvTitleColor Switch = 9");
  EXPECT_EQ(prompt_.shown[1].text, u"CTarnView::InvTitleColor Switch = -1");
  EXPECT_EQ(State(0), kEntryNormal);
  EXPECT_TRUE(canvas_.titles.empty());
}

TEST_F(SelectionTest, ClearMarksKinds) {
  auto setUp = [&] {
    State(0) = kEntrySelected;
    State(1) = kEntryUnusableSelected;
    State(2) = kEntryMovieMarked;
    State(3) = kEntryMovieMarked;
    State(4) = kEntryVacated;
    state_ = {.selected = 2, .marked = 2};
  };
  setUp();
  ClearMarks(*tables_, state_, canvas_, kClearAll);
  EXPECT_EQ(State(0), kEntryNormal);
  EXPECT_EQ(State(1), kEntryUnusable);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(State(4), kEntryVacated);
  EXPECT_EQ(state_.selected, 0);
  EXPECT_EQ(state_.marked, 0);
  EXPECT_EQ(canvas_.titles, (std::vector<int>{0, 1, 2, 3}));

  setUp();
  ClearMarks(*tables_, state_, canvas_, kClearSelection);
  EXPECT_EQ(State(1), kEntryUnusable);
  EXPECT_EQ(State(2), kEntryMovieMarked);
  EXPECT_EQ(state_.selected, 0);
  EXPECT_EQ(state_.marked, 2);

  setUp();
  ClearMarks(*tables_, state_, canvas_, kClearMarksToSelection);
  EXPECT_EQ(State(2), kEntrySelected);
  EXPECT_EQ(State(3), kEntrySelected);
  EXPECT_EQ(state_.selected, 4);
  EXPECT_EQ(state_.marked, 0);

  setUp();
  state_.selected = 7;  // a count gone astray is put right
  ClearMarks(*tables_, state_, canvas_, kClearMarks);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(state_.selected, 2);
  EXPECT_EQ(state_.marked, 0);
}

TEST_F(SelectionTest, ShiftRangeLeavesVacatedAndMarkedRowsAlone) {
  State(4) = kEntryVacated;
  State(5) = kEntryMovieMarked;
  State(6) = kEntryUnusable;
  State(7) = kEntrySelected;
  state_.selected = 1;
  state_.cursor = 7;
  // From the cursor back to row 3: both ends included, whichever lies first.
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 3, false, true, false, -1, false), ClickResult::kSelected);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(State(3), kEntrySelected);
  EXPECT_EQ(State(4), kEntryVacated);
  EXPECT_EQ(State(5), kEntryMovieMarked);
  EXPECT_EQ(State(6), kEntryUnusableSelected);
  EXPECT_EQ(State(7), kEntrySelected);
  EXPECT_EQ(State(8), kEntryNormal);
  EXPECT_EQ(state_.selected, 3);
  EXPECT_EQ(state_.cursor, 3);
  EXPECT_EQ(canvas_.titles, (std::vector<int>{3, 6}));

  // With marks, a Shift-click selects nothing.
  state_.marked = 1;
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 9, false, true, false, -1, false), ClickResult::kNothing);
  EXPECT_EQ(State(9), kEntryNormal);
}

TEST_F(SelectionTest, CtrlTogglesMarksAndRecounts) {
  ClickCell(*tables_, state_, canvas_, 2, true, false, false, -1, false);
  ClickCell(*tables_, state_, canvas_, 4, true, false, false, -1, false);
  EXPECT_EQ(state_.selected, 2);
  EXPECT_EQ(state_.cursor, 4);
  ClickCell(*tables_, state_, canvas_, 2, true, false, false, -1, false);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(state_.selected, 1);

  // While marks exist a Ctrl-click marks; on a marked row it unmarks and recounts.
  State(6) = kEntryMovieMarked;
  state_.marked = 1;
  state_.selected = 5;
  ClickCell(*tables_, state_, canvas_, 7, true, false, false, -1, false);
  EXPECT_EQ(State(7), kEntryMovieMarked);
  EXPECT_EQ(state_.marked, 2);
  ClickCell(*tables_, state_, canvas_, 6, true, false, false, -1, false);
  EXPECT_EQ(State(6), kEntryNormal);
  EXPECT_EQ(state_.marked, 1);
  EXPECT_EQ(state_.selected, 1);
  EXPECT_EQ(state_.cursor, 6);
  EXPECT_EQ(state_.dragSource, -1) << "a Ctrl-click starts no drag";
}

TEST_F(SelectionTest, PlainClickSelectsOneAndStartsTheDrag) {
  State(1) = kEntrySelected;
  State(8) = kEntryUnusableSelected;
  state_.selected = 2;
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 5, false, false, false, -1, false), ClickResult::kStartDrag);
  EXPECT_EQ(State(1), kEntryNormal);
  EXPECT_EQ(State(8), kEntryUnusable);
  EXPECT_EQ(State(5), kEntrySelected);
  EXPECT_EQ(state_.selected, 1);
  EXPECT_EQ(state_.cursor, 5);
  EXPECT_EQ(state_.dragSource, 5);
  EXPECT_TRUE(prompt_.shown.empty());

  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 6, false, false, false, -1, true), ClickResult::kNothing)
      << "no selection while a slide show runs";
  EXPECT_EQ(State(6), kEntryNormal);
}

TEST_F(SelectionTest, ClickWithMarksAsksFirst) {
  State(3) = kEntryMovieMarked;
  state_ = {.selected = 0, .marked = 1, .cursor = 0};
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 5, false, false, false, -1, false), ClickResult::kNothing);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"選択したファイルを解除しますか？  ≪ｷｬﾝｾﾙ≫で戻ります");
  EXPECT_EQ(prompt_.shown[0].caption, u"選択ファイル数= 0    個別選択/解除⇒ Ctrl+カタログ");
  EXPECT_EQ(prompt_.shown[0].buttons, Buttons::kOkCancel);
  EXPECT_EQ(State(3), kEntryMovieMarked);
  EXPECT_EQ(state_.dragSource, -1);

  // OK turns the marks into selections and the drag starts.
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 5, false, false, false, -1, false), ClickResult::kStartDrag);
  EXPECT_EQ(State(3), kEntrySelected);
  EXPECT_EQ(state_.marked, 0);
  EXPECT_EQ(state_.selected, 1);
  EXPECT_EQ(state_.dragSource, 5);
}

TEST_F(SelectionTest, SingleClickOpensAnotherRow) {
  State(2) = kEntrySelected;
  State(3) = kEntryMovieMarked;
  state_ = {.selected = 1, .marked = 1, .cursor = 2};
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 4, false, false, true, 4, false), ClickResult::kNothing)
      << "the row on display is not opened again";
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(ClickCell(*tables_, state_, canvas_, 6, false, false, true, 4, false), ClickResult::kOpenByTimer);
  EXPECT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].caption, u"選択ファイル数= 1    個別選択/解除⇒ Ctrl+カタログ");
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(State(3), kEntryNormal);
  EXPECT_EQ(State(6), kEntrySelected);
  EXPECT_EQ(state_.selected, 1);
  EXPECT_EQ(state_.marked, 0);
  EXPECT_EQ(state_.cursor, 6);
}

TEST_F(SelectionTest, MoveEntryForwardShiftsRowsAndCarriesTheSlot) {
  State(2) = kEntrySelected;
  EXPECT_EQ(MoveEntry(*tables_, canvas_, 2, 5), 0);
  EXPECT_EQ(Name(2), u"p3.jpg");
  EXPECT_EQ(Name(3), u"p4.jpg");
  EXPECT_EQ(Name(4), u"p5.jpg");
  EXPECT_EQ(Name(5), u"p2.jpg");
  EXPECT_EQ(Name(6), u"p6.jpg");
  EXPECT_EQ(tables_->entries[2].slot, 3);
  EXPECT_EQ(tables_->entries[4].slot, 5);
  EXPECT_EQ(tables_->entries[5].slot, 2) << "the cell image follows its row";
  EXPECT_EQ(tables_->entries[5].size, 102);
  EXPECT_EQ(tables_->entries[5].folder, 0);
  EXPECT_EQ(tables_->entries[2].folder, 1);
  EXPECT_EQ(State(5), kEntrySelected);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(canvas_.cells, (std::vector<int>{2, 3, 4, 5}));
}

TEST_F(SelectionTest, MoveEntryBackwardAndFailures) {
  EXPECT_EQ(MoveEntry(*tables_, canvas_, 7, 4), 0);
  EXPECT_EQ(Name(4), u"p7.jpg");
  EXPECT_EQ(Name(5), u"p4.jpg");
  EXPECT_EQ(Name(7), u"p6.jpg");
  EXPECT_EQ(canvas_.cells, (std::vector<int>{7, 6, 5, 4}));

  canvas_.cells.clear();
  canvas_.failCell = 1;
  EXPECT_EQ(MoveEntry(*tables_, canvas_, 0, 2), -1);
  EXPECT_EQ(Name(2), u"p0.jpg") << "the rows move even when one cell cannot be painted";
  EXPECT_EQ(canvas_.cells, (std::vector<int>{0, 1, 2}));

  EXPECT_EQ(MoveEntry(*tables_, canvas_, 3, 10), -1);
  EXPECT_EQ(MoveEntry(*tables_, canvas_, -1, 3), -1);
  EXPECT_EQ(Name(3), u"p3.jpg");
}

TEST_F(SelectionTest, DropMovesTheDragSourceOnceAndClearsIt) {
  state_.dragSource = 2;
  DropOnRow(*tables_, state_, canvas_, 5, false);
  EXPECT_EQ(Name(5), u"p2.jpg");
  EXPECT_EQ(state_.dragSource, -1);
  DropOnRow(*tables_, state_, canvas_, 1, false);
  EXPECT_EQ(Name(1), u"p1.jpg") << "no drag under way, nothing moves";

  for (const auto& [source, row, running] : {std::tuple{3, 3, false}, std::tuple{3, -1, false}, std::tuple{3, 6, true}}) {
    state_.dragSource = source;
    canvas_.cells.clear();
    DropOnRow(*tables_, state_, canvas_, row, running);
    EXPECT_TRUE(canvas_.cells.empty());
    EXPECT_EQ(state_.dragSource, -1);
  }
}

TEST_F(SelectionTest, CloseGapsMovesCellsUpAndTheCursorFollows) {
  VacateCell(*tables_, canvas_, 2);
  VacateCell(*tables_, canvas_, 3);
  VacateCell(*tables_, canvas_, 6);
  EXPECT_EQ(canvas_.whites, (std::vector<int>{2, 3, 6}));
  canvas_.whites.clear();
  State(5) = kEntrySelected;
  state_.cursor = 5;
  // Shown range 1..8: rows 0 and 9 lie outside and stay.
  EXPECT_EQ(CloseGaps(*tables_, state_, canvas_, 1, 9, true), 0);
  EXPECT_EQ(progress_.opens, (std::vector<std::u16string>{u"画像ｶﾀﾛｸﾞ 再配置中・・・"}));
  EXPECT_EQ(progress_.closed, 1);
  const std::vector<std::u16string> names{u"p0.jpg", u"p1.jpg", u"p4.jpg", u"p5.jpg", u"p7.jpg", u"p8.jpg"};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(Name(row), names[row]) << row;
  EXPECT_EQ(tables_->entries[3].slot, 5);
  EXPECT_EQ(State(3), kEntrySelected);
  for (int row = 6; row < 9; ++row) EXPECT_EQ(State(row), kEntryVacated) << row;
  EXPECT_EQ(Name(9), u"p9.jpg");
  EXPECT_EQ(State(9), kEntryNormal);
  EXPECT_EQ(state_.cursor, 3);
  EXPECT_EQ(canvas_.cells, (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(canvas_.whites, (std::vector<int>{4, 5, 7, 8}));
  EXPECT_EQ(canvas_.views, 1);
}

TEST_F(SelectionTest, CloseGapsCursorOnAVacatedRowAndCancel) {
  VacateCell(*tables_, canvas_, 1);
  VacateCell(*tables_, canvas_, 4);
  state_.cursor = 4;
  progress_.cancelAtCheck = 5;  // before row 4
  EXPECT_EQ(CloseGaps(*tables_, state_, canvas_, 0, 10, false), 2);
  EXPECT_EQ(Name(1), u"p2.jpg");
  EXPECT_EQ(Name(2), u"p3.jpg");
  EXPECT_EQ(State(3), kEntryVacated);
  EXPECT_EQ(State(4), kEntryVacated);
  EXPECT_EQ(Name(5), u"p5.jpg") << "rows after the cancel stay where they were";
  EXPECT_EQ(State(5), kEntryNormal);
  EXPECT_EQ(canvas_.views, 0);
  EXPECT_EQ(progress_.closed, 1);

  // Uncancelled: the cursor on the vacated row takes the row that comes up into the gap.
  progress_.cancelAtCheck = -1;
  EXPECT_EQ(CloseGaps(*tables_, state_, canvas_, 0, 10, false), 0);
  EXPECT_EQ(Name(3), u"p5.jpg");
  EXPECT_EQ(state_.cursor, 3);
}

TEST_F(SelectionTest, SteppingSkipsUnreadableRowsAndWraps) {
  State(3) = kEntryUnusable;
  State(4) = kEntryVacated;
  State(5) = kEntryMovieMarked;
  State(6) = kEntrySelected;
  state_.cursor = 2;
  // Shown range 1..7.
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, false), 6);
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, false), 7);
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, false), 1) << "past the end the step wraps to the start";
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, true), 7) << "and back";
  state_.marked = 1;
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, true), 6);
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, true), 5) << "marked rows count while marks exist";
  state_.cursor = 0;  // outside the range: the first step lands on its first row
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, false), 1);
  EXPECT_TRUE(prompt_.shown.empty());

  for (int row = 1; row < 8; ++row) State(row) = kEntryVacated;
  state_.cursor = 5;
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 8, true), -1);
  EXPECT_EQ(state_.cursor, 0);
  EXPECT_EQ(StepCursor(*tables_, state_, 1, 1, false), -1) << "an empty range";
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイル選択エラー");
  EXPECT_EQ(prompt_.shown[0].caption, u"CTarnView::UpDownCatalog_Up");
  EXPECT_EQ(prompt_.shown[1].caption, u"CTarnView::UpDownCatalog_Down");
}

TEST_F(SelectionTest, ReadablePicturesMoviesAndSoundsOpen) {
  const std::u16string folder = u"C:\\p\\";
  std::copy(folder.begin(), folder.end(), tables_->folders[0].path);
  tables_->folderRows = 1;
  EXPECT_TRUE(MayOpenRow(*tables_, 0, true));
  State(0) = kEntryUnusableSelected;
  EXPECT_FALSE(MayOpenRow(*tables_, 0, true));
  // Their plug-ins play movies and sounds; a name that is no file name at all stays closed.
  const std::u16string movie = u"clip.avi", flv = u"clip.FLV", odd = u"ab";
  std::copy(movie.begin(), movie.end(), tables_->entries[2].name);
  std::copy(flv.begin(), flv.end(), tables_->entries[3].name);
  EXPECT_TRUE(MayOpenRow(*tables_, 2, true));
  EXPECT_TRUE(MayOpenRow(*tables_, 3, true));
  EXPECT_FALSE(MayOpenRow(*tables_, 2, false)) << "not on the picture screens";
  std::fill(std::begin(tables_->entries[4].name), std::end(tables_->entries[4].name), u'\0');
  std::copy(odd.begin(), odd.end(), tables_->entries[4].name);
  EXPECT_FALSE(MayOpenRow(*tables_, 4, true));
  EXPECT_FALSE(MayOpenRow(*tables_, 10, true));
  ASSERT_EQ(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[0].text, u"エラーファイル ≪読出不可≫");
  EXPECT_EQ(prompt_.shown[0].caption, u"C:\\p\\p0.jpg");
  EXPECT_EQ(prompt_.shown[1].text, u"動画・音楽ファイルは展開できません ");
  EXPECT_EQ(prompt_.shown[1].caption, u"画像選択不可");
}

TEST(VacatedCellBlock, CoversTheCellAndItsTitleBand) {
  const CatalogGeometry m{GeometryOf(1)};
  const ShownCatalog shown{.columns = 5, .offset = 10, .shownEnd = 30, .catalogLimit = 20};
  CellBlock block;
  // Row 17 is shown position 7: column 2 of the second line.
  ASSERT_TRUE(VacatedCellBlock(17, shown, m, block));
  EXPECT_EQ(block.x, 4 + 2 * 94);
  EXPECT_EQ(block.y, 4 + 108);
  EXPECT_EQ(block.width, 94);
  EXPECT_EQ(block.height, 108);
  ASSERT_TRUE(VacatedCellBlock(10, shown, CatalogGeometry{GeometryOf(3)}, block));
  EXPECT_EQ(block.x, 4);
  EXPECT_EQ(block.width, 196);
  EXPECT_EQ(block.height, 210);
  EXPECT_FALSE(VacatedCellBlock(9, shown, m, block));
  EXPECT_FALSE(VacatedCellBlock(30, shown, m, block));
}

TEST_F(SelectionTest, WorkRowsAreSelectedOrMarkedRowsInTableOrder) {
  State(1) = kEntrySelected;
  State(4) = kEntryUnusableSelected;
  State(6) = kEntryMovieMarked;
  State(7) = kEntryVacated;
  const auto selected = CollectWorkRows(*tables_, false, 1);
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0].row, 1);
  EXPECT_EQ(selected[0].position, 0);
  EXPECT_EQ(selected[1].row, 4);
  EXPECT_EQ(selected[1].position, 3);
  EXPECT_EQ(selected[1].folder, 0);
  const auto marked = CollectWorkRows(*tables_, true, 0);
  ASSERT_EQ(marked.size(), 1u);
  EXPECT_EQ(marked[0].row, 6);
  EXPECT_EQ(marked[0].folder, 0);
}

}  // namespace
}  // namespace tarn
