// The catalog keys' arithmetic at the edges of a shown range with a short last row, and the
// texts the view leaves in the status bar and on the empty screen.
#include <gtest/gtest.h>

#include "catalog/view/CatalogKeys.h"
#include "catalog/view/ViewNotes.h"

namespace tarn {
namespace {

// Rows 10 .. 20 of the table in 4 columns: grid rows of 4, 4 and 3 cells.
constexpr ShownCatalog kShown{.columns = 4, .offset = 10, .shownEnd = 21};

TEST(CatalogKeysTest, KeysStayInsideTheShownRange) {
  EXPECT_EQ(KeyedRow(CursorKey::kLeft, 10, kShown, 2), 10);
  EXPECT_EQ(KeyedRow(CursorKey::kRight, 20, kShown, 2), 20);
  EXPECT_EQ(KeyedRow(CursorKey::kUp, 12, kShown, 2), 12) << "nothing above the first grid row";
  // Straight below the fourth column of the middle row there is no cell: the last entry.
  EXPECT_EQ(KeyedRow(CursorKey::kDown, 17, kShown, 2), 20);
  EXPECT_EQ(KeyedRow(CursorKey::kDown, 19, kShown, 2), 19) << "nothing below the last grid row";
  EXPECT_EQ(KeyedRow(CursorKey::kPageDown, 11, kShown, 2), 19);
  EXPECT_EQ(KeyedRow(CursorKey::kPageDown, 17, kShown, 2), 20) << "past the end: the last entry";
  EXPECT_EQ(KeyedRow(CursorKey::kPageUp, 19, kShown, 2), 11);
  EXPECT_EQ(KeyedRow(CursorKey::kPageUp, 17, kShown, 2), 13) << "past the top: the first row's column";
  // A cursor outside the range starts at its first entry; an empty range has none.
  EXPECT_EQ(KeyedRow(CursorKey::kRight, 3, kShown, 2), 11);
  EXPECT_EQ(KeyedRow(CursorKey::kDown, 0, ShownCatalog{.columns = 4, .offset = 5, .shownEnd = 5}, 2), -1);
  // A nonsense column count or page height still moves one cell, one row.
  EXPECT_EQ(KeyedRow(CursorKey::kDown, 10, ShownCatalog{.columns = 0, .offset = 10, .shownEnd = 21}, 0), 11);
  EXPECT_EQ(PageRows(0, CatalogGeometry{}), 1);
}

TEST(ViewNotesTest, FileFactsPanesLeaveOutWhatIsNotKnown) {
  FileFactsLine facts{.name = u"写真.jpg", .bytes = 1023, .width = 640, .height = 480, .year = 2026, .month = 12,
                      .day = 8, .hour = 9, .minute = 5};
  EXPECT_EQ(FileFactsPanes(facts), (std::array<std::u16string, 4>{u"写真.jpg", u"1,023 バイト", u"640 × 480",
                                                                   u"2026/12/08 09:05"}));
  facts.bytes = 5LL * 1024 * 1024 * 1024 + 1;
  EXPECT_EQ(FileFactsPanes(facts)[1], u"5,242,881 KB") << "past 4 GB, rounded up";
  facts = {.name = u"a.bmp", .bytes = -1, .width = 640, .height = 0};
  EXPECT_EQ(FileFactsPanes(facts), (std::array<std::u16string, 4>{u"a.bmp", u"", u"", u""}));
}

TEST(ViewNotesTest, FilesDoneTextNamesTheFolderAsTheUserChoseIt) {
  EXPECT_EQ(FilesDoneText(3, u"C:\\pics\\", false), u"3 個のファイルを C:\\pics にコピーしました");
  EXPECT_EQ(FilesDoneText(1, u"C:\\pics", true), u"1 個のファイルを C:\\pics に移動しました");
  EXPECT_EQ(FilesDoneText(2, u"D:\\", true), u"2 個のファイルを D:\\ に移動しました") << "a root keeps its backslash";
  // The empty start's line is one line.
  EXPECT_EQ(std::u16string_view(kEmptyStartLine).find(u'\n'), std::u16string_view::npos);
}

}  // namespace
}  // namespace tarn
