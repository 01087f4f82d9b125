// The catalog's geometry: sizes, columns, scroll size, bitmap rows, hit testing, the title rule,
// thumbnail placement, the offset and limit questions and the folder marks.
#include <gtest/gtest.h>

#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/view/CatalogLayout.h"
#include "catalog/view/CatalogShow.h"
#include "catalog/list/MarkFolders.h"
#include "catalog/view/PendingStep.h"
#include "catalog/view/ThumbPlacement.h"
#include "catalog/view/TitleRule.h"
#include "tests/catalog/MemoryThumbFiles.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn::test {
namespace {

class CatalogSizeGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    size_ = g_CatalogSize;
    limit_ = g_CatalogLimit;
    offset_ = g_CatalogOffset;
    smallMem_ = g_SmallMemFlag;
  }
  void TearDown() override {
    g_CatalogSize = size_;
    g_CatalogLimit = limit_;
    g_CatalogOffset = offset_;
    g_SmallMemFlag = smallMem_;
  }
  static CatalogGeometry Size(int size) { return {GeometryOf(size)}; }

 private:
  int size_ = 0, limit_ = 0, offset_ = 0, smallMem_ = 0;
};

using CatalogLayoutTest = CatalogSizeGuard;

TEST_F(CatalogLayoutTest, FourSizesHaveTheirPitchesAndMaximums) {
  const int cells[] = {76, 90, 120, 192}, pitches[] = {94, 108, 138, 210}, maximums[] = {1600, 1600, 900, 600};
  for (int size = 0; size < 4; ++size) {
    g_CatalogSize = size;
    g_SmallMemFlag = 0;
    const CatalogGeometry geometry = CurrentCatalogGeometry();
    EXPECT_EQ(geometry.Cell(), cells[size]);
    EXPECT_EQ(geometry.RowPitch(), pitches[size]);
    EXPECT_EQ(geometry.ColumnPitch(), cells[size] + 4);
    EXPECT_EQ(CatalogLimitMaximum(), maximums[size]);
    g_SmallMemFlag = 1;
    EXPECT_EQ(CatalogLimitMaximum(), 600);
  }
}

TEST_F(CatalogLayoutTest, HundredEntriesInTenSmallColumns) {
  const CatalogGeometry s = Size(0);
  EXPECT_EQ(CatalogColumns(10 * 80 + 79, s), 10);
  EXPECT_EQ(CatalogColumns(40, s), 1);  // never fewer than one column
  EXPECT_EQ(CatalogWidth(10, s), 796);
  const Extent scroll = CatalogScrollSize(10, 100, s);
  EXPECT_EQ(scroll.width, 804);
  EXPECT_EQ(scroll.height, 944);
  EXPECT_EQ(BitmapLastRow(10, 100, 0), 9);  // a bitmap of 760 x 760
  EXPECT_EQ(CatalogScrollSize(10, 101, s).height, 11 * 94 + 4);
}

TEST_F(CatalogLayoutTest, BitmapRowsRiseInEachSizesSteps) {
  struct Case {
    int size, last, raised;
  };
  const Case cases[] = {{0, 47, 47}, {0, 48, 85}, {0, 50, 85}, {0, 84, 85}, {0, 85, 85}, {0, 86, 86},
                        {1, 40, 40}, {1, 41, 73}, {1, 72, 73}, {1, 73, 73}, {2, 30, 30}, {2, 31, 51},
                        {2, 50, 51}, {2, 51, 51}, {3, 18, 18}, {3, 19, 36}, {3, 31, 36}, {3, 32, 32}};
  for (const Case& c : cases)
    EXPECT_EQ(BitmapLastRow(1, c.last + 1, c.size), c.raised) << "size " << c.size << " last row " << c.last;
  EXPECT_EQ(BitmapLastRow(10, 0, 0), 0);
}

TEST_F(CatalogLayoutTest, ResizeBelowOneCellIsTooSmall) {
  const CatalogGeometry m = Size(1);
  EXPECT_FALSE(ClientTooSmall(90 + 12, 90 + 26, m));
  EXPECT_TRUE(ClientTooSmall(90 + 11, 500, m));
  EXPECT_TRUE(ClientTooSmall(500, 90 + 25, m));
}

TEST_F(CatalogLayoutTest, HitTestFindsCellsTitlesAndNothingInGaps) {
  const CatalogGeometry s = Size(0);
  static CatalogTables tables;
  tables.rows = 30;
  for (int i = 0; i < tables.rows; ++i) tables.entries[i].state = kEntryNormal;
  const ShownCatalog shown{10, 5, 25, 1600};  // rows 5 .. 24 shown in two rows of ten
  const auto hit = [&](int x, int y) { return HitTestCatalog(x, y, shown, s, tables); };
  EXPECT_EQ(hit(4, 4).row, 5);
  EXPECT_FALSE(hit(4, 4).titleBand);
  EXPECT_EQ(hit(4 + 75, 4 + 75).row, 5);
  EXPECT_TRUE(hit(10, 4 + 77).titleBand);
  EXPECT_EQ(hit(10, 4 + 76 + 14).row, 5);
  EXPECT_EQ(hit(10, 4 + 76 + 15).row, -1);  // the gap under the title band
  EXPECT_EQ(hit(4 + 76, 10).row, -1);       // the gap right of a cell
  EXPECT_EQ(hit(4 + 79, 10).row, -1);
  EXPECT_EQ(hit(4 + 80, 10).row, 6);
  EXPECT_EQ(hit(3, 10).row, -1);
  EXPECT_EQ(hit(10, 3).row, -1);
  EXPECT_EQ(hit(4 + 9 * 80 + 5, 4 + 94 + 5).row, 24);
  EXPECT_EQ(hit(10, 4 + 2 * 94).row, -1);  // below the last row
  EXPECT_EQ(hit(4 + 800, 10).row, -1);     // right of the catalog
  tables.entries[6].state = kEntryVacated;
  EXPECT_EQ(hit(4 + 80, 10).row, -1);
  // A last row that is not full: cells past the shown end are empty.
  const ShownCatalog partial{10, 0, 13, 1600};
  EXPECT_EQ(HitTestCatalog(4 + 2 * 80, 4 + 94, partial, s, tables).row, 12);
  EXPECT_EQ(HitTestCatalog(4 + 3 * 80, 4 + 94, partial, s, tables).row, -1);
  // Nothing past the catalog limit.
  const ShownCatalog limited{10, 0, 13, 11};
  EXPECT_EQ(HitTestCatalog(4 + 0 * 80, 4 + 94, limited, s, tables).row, 10);
  EXPECT_EQ(HitTestCatalog(4 + 1 * 80, 4 + 94, limited, s, tables).row, -1);
}

TEST(TitleRuleTest, NamesAreCutByColumnsOnBothSystems) {
  const std::u16string ascii = u"abcdefghijklmnopqrst";
  EXPECT_EQ(FitWidth(ascii, CellTitleBudget(0, false), 3), 11);
  EXPECT_EQ(FitWidth(ascii, CellTitleBudget(0, true), 4), 8);
  const std::u16string wide = u"あいうえおかきくけこさしすせそたちつてと";
  EXPECT_EQ(FitWidth(wide, CellTitleBudget(0, false), 3), 7);
  EXPECT_EQ(FitWidth(wide, CellTitleBudget(0, true), 4), 5);
  // Half-width katakana count one column, like ASCII.
  const std::u16string kana = u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ";
  EXPECT_EQ(FitWidth(kana, 14, 3), 13);
  // One wide and narrow characters mixed: one character more than the index reached.
  const std::u16string mixed = u"写abcdefghijklmnop";
  EXPECT_EQ(FitWidth(mixed, 12, 3), 11);
  EXPECT_EQ(FitWidth(mixed, 12, 4), 11);
  // A name that never fills the budget is used whole, also when the extra characters would pass it.
  EXPECT_EQ(FitWidth(u"short.jpg", 12, 3), 9);
  EXPECT_EQ(FitWidth(u"あいうえおか", 12, 3), 6);
  EXPECT_EQ(FitWidth(u"", 12, 3), 0);
  EXPECT_EQ(CellTitleBudget(3, false), 27);
  EXPECT_EQ(CellTitleBudget(2, true), 14);
  EXPECT_EQ(MonitorTitleBudget(true), 11);
}

TEST(ThumbPlacementTest, DecodedImagesFollowTheCellGeometry) {
  const ThumbGeometry s = GeometryOf(0), l = GeometryOf(2);
  // 300 x 200 in an S cell: 76 by 50, 13 pixels down.
  ThumbPlacement p = PlaceDecoded(kDrawToCatalog, 300, 200, 152, 76, s, false);
  EXPECT_EQ(p.target, (Rect{152, 76 + 13, 76, 50}));
  EXPECT_EQ(p.source, (Rect{0, 0, 300, 200}));
  // A square in an L cell: 110 by 110 at 5 pixels.
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 64, 64, 0, 0, l, false).target, (Rect{5, 5, 110, 110}));
  // Portrait: centred across.
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 200, 300, 0, 0, s, false).target, (Rect{13, 0, 50, 76}));
  // The monitor window's 90-pixel box.
  EXPECT_EQ(PlaceDecoded(kDrawToMonitor, 300, 200, 0, 0, s, false).target, (Rect{4, 19, 90, 59}));
  EXPECT_EQ(PlaceDecoded(kDrawToMonitor, 200, 300, 0, 0, s, false).target, (Rect{19, 4, 59, 90}));
  EXPECT_EQ(PlaceDecoded(kDrawToMonitor, 10, 10, 0, 0, s, false).target, (Rect{8, 8, 82, 82}));
  // Zero sides count as one and never divide by zero.
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 0, 0, 0, 0, s, false).target, (Rect{3, 3, 70, 70}));
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 2000000000, 1, 0, 0, s, false).target, (Rect{0, 38, 76, 0}));
}

TEST(ThumbPlacementTest, WorkBitmapLayoutsByShape) {
  const ThumbGeometry m = GeometryOf(1);  // W 90, m 8, T 74: band share 91 percent
  ThumbPlacement p = PlaceDecoded(kDrawToWork, 300, 200, 0, 0, m, false);
  EXPECT_EQ(p.layout, 0);
  EXPECT_EQ(p.target, (Rect{0, 15, 90, 59}));
  p = PlaceDecoded(kDrawToWork, 100, 95, 0, 0, m, false);  // p = 95: too high for the band
  EXPECT_EQ(p.layout, 1);
  EXPECT_EQ(p.target, (Rect{0, 7, 90, 85 * 74 / 82}));
  p = PlaceDecoded(kDrawToWork, 200, 300, 0, 0, m, false);
  EXPECT_EQ(p.layout, 4);
  EXPECT_EQ(p.target, (Rect{15, 0, 59, 90}));
  p = PlaceDecoded(kDrawToWork, 95, 100, 0, 0, m, false);
  EXPECT_EQ(p.layout, 5);
  EXPECT_EQ(p.target.width, 85 * 74 / 82);
  p = PlaceDecoded(kDrawToWork, 50, 50, 0, 0, m, false);
  EXPECT_EQ(p.layout, 3);
  EXPECT_EQ(p.target, (Rect{4, 8, 82, 74}));
}

TEST(ThumbPlacementTest, LargeImagesLoseTheirBorderWithClearThumb) {
  const ThumbGeometry m = GeometryOf(1);
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 2000, 1000, 0, 0, m, true).source, (Rect{200, 100, 1600, 800}));
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 1650, 1000, 0, 0, m, true).source, (Rect{0, 0, 1650, 1000}));
  EXPECT_EQ(PlaceDecoded(kDrawToCatalog, 2000, 1000, 0, 0, m, false).source, (Rect{0, 0, 2000, 1000}));
}

TEST(ThumbPlacementTest, CachedBandsStretchBackToTheCell) {
  const ThumbGeometry m = GeometryOf(1);
  ThumbPlacement p = PlaceCached(kDrawWorkToCatalog, 0, 180, 90, m);
  EXPECT_EQ(p.source, (Rect{0, 0, 90, 90}));
  EXPECT_EQ(p.target, (Rect{180, 90, 90, 90}));
  p = PlaceCached(kDrawWorkToCatalog, 1, 0, 0, m);
  EXPECT_EQ(p.source, (Rect{0, 8, 90, 74}));
  EXPECT_EQ(p.target, (Rect{0, 4, 90, 82}));
  p = PlaceCached(kDrawWorkToCatalog, 3, 0, 0, m);
  EXPECT_EQ(p.target, (Rect{0, 4, 90, 82}));
  p = PlaceCached(kDrawWorkToCatalog, 5, 0, 0, m);
  EXPECT_EQ(p.source, (Rect{8, 0, 74, 90}));
  EXPECT_EQ(p.target, (Rect{4, 0, 82, 90}));
  EXPECT_EQ(PlaceCached(kDrawWorkToMonitor, 4, 0, 0, m).target, (Rect{4, 4, 90, 90}));
  EXPECT_EQ(PlaceCached(kDrawWorkToMonitor, 3, 0, 0, m).target, (Rect{4, 8, 90, 82}));
  EXPECT_EQ(PlaceCached(kDrawWorkToMonitor, 5, 0, 0, m).target, (Rect{8, 4, 82, 90}));
}

class CatalogShowTest : public CatalogSizeGuard {
 protected:
  void SetUp() override {
    CatalogSizeGuard::SetUp();
    g_CatalogSize = 0;
    g_SmallMemFlag = 0;
    g_CatalogOffset = 0;
    g_CatalogLimit = 1600;
    steps_.catalogA = [this] {
      ++built_;
      return 0;
    };
    steps_.offsetCleared = [this] { ++cleared_; };
  }
  ScriptedPrompt prompt_;
  CatalogShowSteps steps_;
  int built_ = 0, cleared_ = 0;
};

TEST_F(CatalogShowTest, EmptyTableAndPlainCatalogs) {
  EXPECT_EQ(CatalogShow(1, 0, steps_), kShowEmpty);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"メニューの「読出・書込」でカタログを表示してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイルが有りません");
  EXPECT_EQ(CatalogShow(1, 1600, steps_), 0);
  EXPECT_EQ(built_, 1);
  EXPECT_EQ(prompt_.shown.size(), 1u);  // within the limit nothing is asked
}

TEST_F(CatalogShowTest, LimitQuestionsWithoutOffset) {
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(1, 1601, steps_), kShowCancelled);
  EXPECT_EQ(prompt_.shown.back().text, u"「ｶﾀﾛｸﾞ最大数」を表示します  ");
  EXPECT_EQ(prompt_.shown.back().caption, u"≪カタログ表示≫ ﾌｧｲﾙ数=1601  ｶﾀﾛｸﾞ最大数=1600");
  EXPECT_EQ(built_, 0);
  // Below the standard maximum, Cancel lifts the limit instead of stopping.
  g_CatalogLimit = 100;
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(0, 500, steps_), 0);
  EXPECT_EQ(prompt_.shown.back().text, u"「ｶﾀﾛｸﾞ制限数」を表示します  ≪ｷｬﾝｾﾙ≫で制限数クリア ");
  EXPECT_EQ(prompt_.shown.back().caption, u"≪カタログ表示≫ ﾌｧｲﾙ数=500  ｶﾀﾛｸﾞ制限数=100");
  EXPECT_EQ(g_CatalogLimit, 1600);
  EXPECT_EQ(built_, 1);
}

TEST_F(CatalogShowTest, OffsetQuestions) {
  // Past the rows: OK keeps the offset and builds nothing.
  g_CatalogOffset = 50;
  EXPECT_EQ(CatalogShow(1, 40, steps_), kShowOffsetRefused);
  EXPECT_EQ(prompt_.shown.back().caption, u"カタログ・オフセット値オーバー");
  EXPECT_EQ(prompt_.shown.back().text, u"≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱするか、「設定」でｵﾌｾｯﾄを小さい値にしてください");
  EXPECT_EQ(built_, 0);
  EXPECT_EQ(g_CatalogOffset, 50);
  // An offset at the row count leaves nothing either; Cancel clears it and builds from the start.
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(1, 50, steps_), 0);
  EXPECT_EQ(g_CatalogOffset, 0);
  EXPECT_EQ(cleared_, 1);
  EXPECT_EQ(built_, 1);
  // Within the rows and the limit: asked whether to use it.
  g_CatalogOffset = 10;
  prompt_.answers = {kAnswerOk};
  EXPECT_EQ(CatalogShow(1, 50, steps_), 0);
  EXPECT_EQ(prompt_.shown.back().text, u"「ｶﾀﾛｸﾞｵﾌｾｯﾄ」≪ 10 ≫を使用しますか。≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱ ");
  EXPECT_EQ(prompt_.shown.back().caption, u"「ｶﾀﾛｸﾞ ｵﾌｾｯﾄ」確認");
  EXPECT_EQ(g_CatalogOffset, 10);
  // Cancel clears it; when the rows then pass the limit, the build stops.
  g_CatalogLimit = 45;
  g_CatalogOffset = 10;
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(1, 50, steps_), kShowCancelled);
  EXPECT_EQ(g_CatalogOffset, 0);
  EXPECT_EQ(built_, 2);
}

TEST_F(CatalogShowTest, OffsetWithMoreRowsThanTheLimit) {
  g_CatalogOffset = 10;
  g_CatalogLimit = 20;
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(1, 100, steps_), 0);  // mode 1 below the maximum: Cancel lifts the limit
  EXPECT_EQ(prompt_.shown.back().text, u"オフセット値から「ｶﾀﾛｸﾞ制限数」を表示します  ≪ｷｬﾝｾﾙ≫で制限数クリア ");
  EXPECT_EQ(prompt_.shown.back().caption, u"≪カタログ表示≫ ｵﾌｾｯﾄ値=10  ｶﾀﾛｸﾞ制限数=20");
  EXPECT_EQ(g_CatalogLimit, 1600);
  g_CatalogLimit = 20;
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(CatalogShow(0, 100, steps_), kShowCancelled);
  EXPECT_EQ(prompt_.shown.back().text, u"オフセット値から「ｶﾀﾛｸﾞ制限数」を表示します ");
  EXPECT_EQ(built_, 1);
}

TEST(MarkFoldersTest, ShownFoldersWithACacheAreMarkedTwo) {
  static CatalogTables tables;
  tables = {};
  tables.folderRows = 3;
  const char16_t* paths[] = {u"C:\\a\\", u"C:\\b\\", u"C:\\c\\"};
  for (int f = 0; f < 3; ++f) std::char_traits<char16_t>::copy(tables.folders[f].path, paths[f], 6);
  tables.rows = 4;
  const int folders[] = {0, 0, 1, 2};
  for (int i = 0; i < 4; ++i) tables.entries[i].folder = folders[i];
  tables.folders[2].state = 2;
  MemoryThumbFiles fs;
  fs.files[u"C:\\b\\_THUMB_N.TRN"] = {};
  MarkFolders(tables, 0, 3, fs);
  EXPECT_EQ(tables.folders[0].state, 1);
  EXPECT_EQ(tables.folders[1].state, 2);
  EXPECT_EQ(tables.folders[2].state, 0);  // its rows are not shown
  tables.entries[3].folder = 99;          // a broken folder number marks nothing
  MarkFolders(tables, 0, 4, fs);
  EXPECT_EQ(tables.folders[2].state, 0);
}

TEST(CatalogTableTest, PathsStayInsideTheirFieldsAndNeverNameARoot) {
  static CatalogTables tables;
  tables = {};
  tables.folderRows = 2;
  std::char_traits<char16_t>::copy(tables.folders[0].path, u"C:\\pics", 7);
  std::fill(std::begin(tables.folders[1].path), std::end(tables.folders[1].path), u'a');  // no terminator
  EXPECT_EQ(FolderPath(tables.folders[0]), u"C:\\pics\\");
  EXPECT_EQ(FolderPath(tables.folders[1]).size(), 257u) << "the whole field and the backslash, no further";
  EXPECT_EQ(FolderPath(FolderRow{}), u"") << "a blank row is not the root";
  std::fill(std::begin(tables.entries[0].name), std::end(tables.entries[0].name), u'n');
  tables.entries[0].folder = 0;
  EXPECT_EQ(EntryPath(tables, tables.entries[0]), u"C:\\pics\\" + std::u16string(128, u'n'));
  tables.entries[0].folder = 5;  // past the folder rows
  EXPECT_EQ(EntryPath(tables, tables.entries[0]), std::u16string(128, u'n'));
}

TEST(PendingStepTest, AStepDuringABuildWaitsForItsEnd) {
  g_PendingStep = 0;
  EXPECT_EQ(StepButton(false, true, false).request, 12) << "a slide show stops instead";
  StepPost post = StepButton(false, false, true);
  EXPECT_EQ(post.request, 16);
  EXPECT_EQ(post.param, 0);
  EXPECT_EQ(g_PendingStep, 2);
  post = StepButton(true, false, true);  // again during the same build: the notice only
  EXPECT_EQ(post.request, 15);
  EXPECT_EQ(post.param, 1);
  EXPECT_EQ(g_PendingStep, 2);
  EXPECT_EQ(TakePendingStep(), 2);
  EXPECT_EQ(g_PendingStep, 0);
  post = StepButton(true, false, false);
  EXPECT_EQ(post.param, 0);
  EXPECT_EQ(g_PendingStep, 0);
  g_PendingStep = 1;  // left over from a build that has ended
  post = StepButton(false, false, false);
  EXPECT_EQ(post.param, 0);
  EXPECT_EQ(g_PendingStep, 0);
}

}  // namespace
}  // namespace tarn::test
