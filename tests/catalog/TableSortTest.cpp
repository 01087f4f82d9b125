#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/order/SortCommands.h"
#include "catalog/order/SortKeys.h"
#include "catalog/order/TableOrder.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::CancellingProgress;
using test::ScriptedPrompt;

class TableFiles : public FileFactsSource {
 public:
  std::map<std::u16string, FileFacts> files;
  bool Facts(std::u16string_view path, FileFacts& facts) override {
    auto it = files.find(std::u16string(path));
    if (it == files.end()) return false;
    facts = it->second;
    return true;
  }
};

struct Measured {
  int result = kPictureSized;
  long long width = 0, height = 0;
};

class TablePictures : public PictureSizer {
 public:
  std::map<std::u16string, Measured> pictures;
  std::vector<std::u16string> asked;
  int Measure(std::u16string_view path, long long& width, long long& height) override {
    asked.emplace_back(path);
    const Measured m = pictures.at(std::u16string(path));
    width = m.width;
    height = m.height;
    return m.result;
  }
};

class RecordingHost : public SortHost {
 public:
  std::vector<int> orders;
  int refreshed = 0, resets = 0;
  std::vector<std::u16string> log;
  void ShowSortOrder(int mode) override { orders.push_back(mode); }
  void RefreshCompanions() override { ++refreshed; }
  void ResetCatalog() override { ++resets; }
  void LogError(std::u16string_view text) override { log.emplace_back(text); }
};

class SortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_ = std::make_unique<CatalogTables>();
    const std::u16string folders[] = {u"C:\\f0\\", u"C:\\f1\\", u"C:\\f2\\", u"C:\\f3\\"};
    for (int i = 0; i < 4; ++i) std::copy(folders[i].begin(), folders[i].end(), tables_->folders[i].path);
    tables_->folderRows = 4;
    g_SequenceFlag = 0;
    g_MinFileSize = 0;
    g_MaxFileSize = 0;
  }
  void TearDown() override {
    g_SequenceFlag = 0;
    g_MinFileSize = 0;
    g_MaxFileSize = 0;
  }

  CatalogEntry& Add(std::u16string_view name, int folder = 0, std::int32_t key = 0, std::int32_t state = 0) {
    CatalogEntry& row = tables_->entries[tables_->rows++];
    tables_->offeredRows = tables_->rows;
    row = CatalogEntry{};
    std::copy(name.begin(), name.end(), row.name);
    row.folder = folder;
    row.size = key;
    row.state = state;
    row.slot = tables_->rows - 1;
    return row;
  }
  // A file on disk for the size and date sorts.
  void File(std::u16string_view name, int folder, long long size, long long modified = 0) {
    Add(name, folder);
    files_.files[FolderPathOf(*tables_, folder) + std::u16string(name)] = {size, modified};
  }

  std::u16string Names() const {
    std::u16string out;
    for (int i = 0; i < tables_->rows; ++i) out += std::u16string(EntryName(tables_->entries[i])) + u"|";
    return out;
  }
  std::vector<int> Folders() const {
    std::vector<int> out;
    for (int i = 0; i < tables_->rows; ++i) out.push_back(tables_->entries[i].folder);
    return out;
  }
  std::vector<std::int32_t> Keys() const {
    std::vector<std::int32_t> out;
    for (int i = 0; i < tables_->rows; ++i) out.push_back(tables_->entries[i].size);
    return out;
  }
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> out;
    for (const auto& m : prompt_.shown) out.push_back(m.text);
    return out;
  }

  std::unique_ptr<CatalogTables> tables_;
  ScriptedPrompt prompt_;
  CancellingProgress progress_;
  TableFiles files_;
  TablePictures pictures_;
  RecordingHost host_;
};

TEST_F(SortTest, CompactionDropsUnusableAndVacatedRowsKeepingEverythingElse) {
  const int states[] = {0, 2, 1, 3, 4, 5, 0};
  for (int i = 0; i < 7; ++i) Add(std::u16string(1, static_cast<char16_t>(u'a' + i)), i % 4, 10 * i, states[i]);
  tables_->offeredRows = 5;  // a catalog that offered fewer rows than the table holds
  CompactTable(*tables_);
  EXPECT_EQ(Names(), u"a|c|f|g|");
  EXPECT_EQ(tables_->rows, 4);
  EXPECT_EQ(tables_->offeredRows, 2) << "both counts drop by the three removed";
  const CatalogEntry& c = tables_->entries[1];
  EXPECT_EQ(c.state, 1);
  EXPECT_EQ(c.size, 20);
  EXPECT_EQ(c.folder, 2);
  EXPECT_EQ(c.slot, 2);
  EXPECT_EQ(tables_->entries[2].state, 5);

  EXPECT_EQ(SortTable(*tables_, kSortCompact), kSortDone);
  EXPECT_EQ(tables_->entries[1].state, 1) << "compaction alone keeps selections";
  EXPECT_TRUE(progress_.opens.empty()) << "and shows no progress";
}

TEST_F(SortTest, EqualKeysEndWhereTheSwapsPutThem) {
  // Folders tell the rows apart: keys 2, 1, 2, 1 end as folders 3, 1, 2, 0 (a stable sort would give
  // 1, 3, 0, 2).
  for (int i = 0; i < 4; ++i) Add(u"x.jpg", i, i % 2 == 0 ? 2 : 1, kEntrySelected);
  EXPECT_EQ(SortTable(*tables_, kSortSize), kSortDone);
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{1, 1, 2, 2}));
  EXPECT_EQ(Folders(), (std::vector<int>{3, 1, 2, 0}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tables_->entries[i].state, kEntryNormal) << "selections are lost";
  EXPECT_EQ(tables_->entries[0].slot, 3) << "slots travel with their rows";

  // Five rows: keys 3, 1, 3, 1, 2 end as folders 1, 3, 4, 2, 0.
  tables_->rows = 0;
  const std::int32_t keys[] = {3, 1, 3, 1, 2};
  for (int i = 0; i < 5; ++i) Add(u"x.jpg", i, keys[i]);
  EXPECT_EQ(SortTable(*tables_, kSortKind), kSortDone);
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{1, 1, 2, 3, 3}));
  EXPECT_EQ(Folders(), (std::vector<int>{1, 3, 4, 2, 0}));
  EXPECT_EQ(progress_.opens.back(), u"ﾌｧｲﾙ 並べ替え中・・・");
  EXPECT_EQ(progress_.positions, (std::vector<int>{0, 50, 0, 50}));
  EXPECT_EQ(progress_.closed, 2);

  // Rows of one key are never swapped.
  tables_->rows = 0;
  for (int i = 0; i < 3; ++i) Add(u"x.jpg", i, 7);
  EXPECT_EQ(SortTable(*tables_, kSortArea), kSortDone);
  EXPECT_EQ(Folders(), (std::vector<int>{0, 1, 2}));
}

TEST_F(SortTest, KeysCompareSignedAndNamesByCodeUnit) {
  Add(u"p", 0, INT32_MAX);
  Add(u"q", 0, -5);
  Add(u"r", 0, 0);
  Add(u"s", 0, INT32_MIN);
  EXPECT_EQ(SortTable(*tables_, kSortDate), kSortDone);
  EXPECT_EQ(Names(), u"s|q|r|p|");

  tables_->rows = 0;
  for (std::u16string_view name : {u"b.jpg", u"a.jpg", u"c.jpg", u"B.jpg", u"\u3042.jpg", u"a.jp"}) Add(name);
  EXPECT_EQ(SortTable(*tables_, kSortName), kSortDone);
  EXPECT_EQ(Names(), u"B.jpg|a.jp|a.jpg|b.jpg|c.jpg|\u3042.jpg|");
}

TEST_F(SortTest, NameSortAscendingAndDescending) {
  for (std::u16string_view name : {u"b.jpg", u"a.jpg", u"c.jpg"}) Add(name);
  EXPECT_EQ(SortBy(*tables_, kSortName, files_, host_), kSortDone);
  EXPECT_EQ(Names(), u"a.jpg|b.jpg|c.jpg|");
  g_SequenceFlag = 1;
  EXPECT_EQ(SortBy(*tables_, kSortName, files_, host_), kSortDone);
  EXPECT_EQ(Names(), u"c.jpg|b.jpg|a.jpg|");
  EXPECT_EQ(host_.orders, (std::vector<int>{1, 1}));
  EXPECT_EQ(host_.refreshed, 2);
  EXPECT_EQ(progress_.opens[0], u"ﾌｧｲﾙ 名称取得中・・・");
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SortTest, SizeSortGroupsEqualSizesByFolderAndAppliesTheLimits) {
  File(u"big.jpg", 0, 5000);
  File(u"same.jpg", 3, 2000);
  File(u"small.jpg", 0, 999);
  File(u"edge.jpg", 2, 1000);
  File(u"same.jpg", 1, 2000);
  Add(u"gone.jpg", 1, 1234, kEntrySelected);
  Add(u"moved.jpg", 1, 77, kEntryVacated);
  g_MinFileSize = 1000;
  ASSERT_EQ(SortBy(*tables_, kSortSize, files_, host_), kSortDone);
  ASSERT_EQ(GroupByFolder(*tables_, kSortSize), kSortDone);
  EXPECT_EQ(Names(), u"edge.jpg|gone.jpg|same.jpg|same.jpg|big.jpg|")
      << "the 999-byte file and the vacated row are gone";
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{1000, 1234, 2000, 2000, 5000}));
  EXPECT_EQ(Folders(), (std::vector<int>{2, 1, 1, 3, 0}));
  EXPECT_EQ(tables_->rows, 5);
  EXPECT_EQ(tables_->offeredRows, 5);
  ASSERT_EQ(prompt_.shown.size(), 1u) << "the vacated row is not looked up";
  EXPECT_EQ(prompt_.shown[0].text, u"C:\\f1\\gone.jpg が有りません");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイル異常 No.1");
  EXPECT_EQ(progress_.opens[0], u"ﾌｧｲﾙ ｻｲｽﾞ 取得中・・・");
  EXPECT_EQ(host_.orders, (std::vector<int>{0}));

  // Descending, then equal sizes still grouped in ascending folder order.
  g_SequenceFlag = 1;
  g_MinFileSize = 0;
  g_MaxFileSize = 2000;
  ASSERT_EQ(SortBy(*tables_, kSortSize, files_, host_), kSortDone);
  ASSERT_EQ(GroupByFolder(*tables_, kSortSize), kSortDone);
  EXPECT_EQ(Names(), u"same.jpg|same.jpg|gone.jpg|edge.jpg|");
  EXPECT_EQ(Folders(), (std::vector<int>{1, 3, 1, 2}));
}

TEST_F(SortTest, SizesAndDatesBeyondTheKeyRangeSaturate) {
  File(u"huge.avi", 0, 5'000'000'000LL, 4'000'000'000LL);
  File(u"old.jpg", 0, 10, -100);
  File(u"now.jpg", 0, 20, 1'700'000'000);
  ASSERT_EQ(SortBy(*tables_, kSortSize, files_, host_), kSortDone);
  EXPECT_EQ(Names(), u"old.jpg|now.jpg|huge.avi|");
  EXPECT_EQ(tables_->entries[2].size, INT32_MAX);

  ASSERT_EQ(SortBy(*tables_, kSortDate, files_, host_), kSortDone);
  EXPECT_EQ(Names(), u"old.jpg|now.jpg|huge.avi|");
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{-100, 1'700'000'000, INT32_MAX}));

  g_MaxFileSize = 15;
  ASSERT_EQ(SortBy(*tables_, kSortDate, files_, host_), kSortDone);
  EXPECT_EQ(Names(), u"old.jpg|") << "dates re-apply the limits with the file's size";
  EXPECT_EQ(progress_.opens[0], u"ﾌｧｲﾙ ｻｲｽﾞ 取得中・・・");
  EXPECT_EQ(progress_.opens[2], u"ﾌｧｲﾙ 日時取得中・・・");
}

TEST_F(SortTest, TheSortCommandGroupsSizesAndNamesByFolder) {
  File(u"b.jpg", 3, 2000);
  File(u"a.jpg", 2, 3000);
  File(u"b.jpg", 1, 2000);
  Add(u"gone.jpg", 0, 0, kEntryVacated);
  ASSERT_EQ(SortCommand(*tables_, kSortSize, files_, pictures_, host_), kSortDone);
  EXPECT_EQ(Names(), u"b.jpg|b.jpg|a.jpg|");
  EXPECT_EQ(Folders(), (std::vector<int>{1, 3, 2}));
  EXPECT_TRUE(prompt_.shown.empty()) << "the vacated row went before any file was looked up";

  ASSERT_EQ(SortCommand(*tables_, kSortName, files_, pictures_, host_), kSortDone);
  EXPECT_EQ(Folders(), (std::vector<int>{2, 1, 3}));

  pictures_.pictures[u"C:\\f3\\b.jpg"] = {kPictureSized, 1, 1};
  pictures_.pictures[u"C:\\f1\\b.jpg"] = {kPictureSized, 1, 1};
  pictures_.pictures[u"C:\\f2\\a.jpg"] = {kPictureSized, 1, 2};
  ASSERT_EQ(SortCommand(*tables_, kSortArea, files_, pictures_, host_), kSortDone);
  EXPECT_EQ(pictures_.asked.size(), 3u);
  EXPECT_EQ(Names(), u"b.jpg|b.jpg|a.jpg|");
  EXPECT_EQ(host_.orders, (std::vector<int>{0, 1, 3}));

  progress_.checks = 0;
  progress_.cancelAtCheck = 1;
  EXPECT_EQ(SortCommand(*tables_, kSortName, files_, pictures_, host_), kSortCancelled);
  EXPECT_EQ(progress_.opens.back(), u"ﾌｧｲﾙ 名称取得中・・・") << "no grouping after a cancelled sort";
}

TEST(KindNumber, DigitsOfTheFirstUnitsOfTheExtension) {
  EXPECT_EQ(KindNumber(u"photo.JPG").number, 748071);
  EXPECT_EQ(KindNumber(u"photo.jpg").number, 748071) << "upper-cased first";
  EXPECT_EQ(KindNumber(u"photo.jpeg").number, 748069) << "JPE";
  EXPECT_EQ(KindNumber(u"sound.au").number, 6585) << "two units, four digits";
  EXPECT_EQ(KindNumber(u"a.b.gz").number, 7190) << "after the last period";
  EXPECT_EQ(KindNumber(u"clip.mp4").number, 778052);
  EXPECT_EQ(KindNumber(u"x.~~~").number, 126126126) << "the largest ASCII number still fits";
  EXPECT_EQ(KindNumber(u"x.\u00e9\u00e9").number, 233233) << "only ASCII letters change case";
  EXPECT_EQ(KindNumber(u"x.\t\t").number, 99) << "one-digit units";
  EXPECT_EQ(KindNumber(u"x.\uff4a\uff50\uff47").number, INT32_MAX) << "beyond the key range: saturated";
  EXPECT_EQ(KindNumber(u"x.\uffff\uffff").number, INT32_MAX);
  EXPECT_EQ(KindNumber(u"x.jpg").check, kKindNumbered);

  EXPECT_EQ(KindNumber(u"noperiod").check, kKindNoPeriod);
  EXPECT_EQ(KindNumber(u"a.j").check, kKindBadLength);
  EXPECT_EQ(KindNumber(u"a.").check, kKindBadLength);
  EXPECT_EQ(KindNumber(u"a.abcdef").check, kKindBadLength);
  EXPECT_EQ(KindNumber(u"a.abcde").check, kKindNumbered);
  EXPECT_EQ(KindNumber(std::u16string(124, u'n') + u".jpg").check, kKindNameTooLong);
  EXPECT_EQ(KindNumber(std::u16string(123, u'n') + u".jpg").check, kKindNumbered);
}

TEST_F(SortTest, KindSortPutsTwoUnitExtensionsFirstAndExplainsNamesWithoutOne) {
  Add(u"c.jpg");
  Add(u"d.bmp");
  Add(u"noext", 0, 5);
  Add(u"b.au");
  Add(u"a.j", 0, 1);
  Add(u"e.abcdef", 0, 700000);
  CatalogEntry& unterminated = Add(u"");
  std::fill(std::begin(unterminated.name), std::end(unterminated.name), u'z');
  unterminated.size = 900000;
  ASSERT_EQ(SortBy(*tables_, kSortKind, files_, host_), kSortDone);
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{1, 5, 6585, 667780, 700000, 748071, 900000}));
  EXPECT_EQ(Names().substr(0, 21), u"a.j|noext|b.au|d.bmp|");
  const std::u16string z128(128, u'z');
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"noext の拡張子を検出できません", u"a.j の拡張子の長さ不一致",
                                                  u"e.abcdef の拡張子の長さ不一致", z128 + u" が長過ぎます"}));
  for (const auto& m : prompt_.shown) EXPECT_EQ(m.caption, u"ファイル名称エラー");
  EXPECT_EQ(progress_.opens[0], u"ﾌｧｲﾙ 種類取得中・・・");
}

TEST_F(SortTest, AreaSortPutsMoviesFirstAndHandlesEveryLoadOutcome) {
  Add(u"wide.jpg", 0, 0);
  Add(u"clip.avi", 1, 999);
  Add(u"topdown.bmp", 0, 0);
  Add(u"movie.flv", 2, 999);
  Add(u"broken.png", 1, 42);
  Add(u"ab", 0, 7);
  Add(u"huge.png", 0, 0);
  pictures_.pictures[u"C:\\f0\\wide.jpg"] = {kPictureSized, 300, 200};
  pictures_.pictures[u"C:\\f0\\topdown.bmp"] = {kPictureSized, 10, -20};
  pictures_.pictures[u"C:\\f1\\broken.png"] = {kPictureLoadFailed, 0, 0};
  pictures_.pictures[u"C:\\f0\\huge.png"] = {kPictureSized, 100000, 100000};
  ASSERT_EQ(SortByArea(*tables_, pictures_, host_), kSortDone);
  EXPECT_EQ(Names(), u"clip.avi|movie.flv|ab|broken.png|topdown.bmp|wide.jpg|huge.png|");
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{0, 0, 7, 42, 200, 60000, INT32_MAX}));
  EXPECT_EQ(pictures_.asked.size(), 4u) << "movies and bad names are never loaded";
  const std::u16string bad = u"SequArea1 ﾌｧｲﾙ名称ｴﾗｰ ret= 5  Title= ab";
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{bad}));
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{bad}));
  EXPECT_EQ(host_.resets, 1);
  EXPECT_EQ(host_.orders, (std::vector<int>{3}));
  EXPECT_EQ(host_.refreshed, 1);
  EXPECT_EQ(progress_.opens, (std::vector<std::u16string>{u"画像ｻｲｽﾞ 取得中・・・", u"ﾌｧｲﾙ 並べ替え中・・・"}));

  g_SequenceFlag = 1;
  ASSERT_EQ(SortByArea(*tables_, pictures_, host_), kSortDone);
  EXPECT_EQ(Names().substr(0, 9), u"huge.png|");
}

TEST_F(SortTest, APictureWithoutBitmapAsksWhetherToGoOn) {
  Add(u"b.jpg", 0, 11);
  Add(u"a.jpg", 0, 0);
  pictures_.pictures[u"C:\\f0\\a.jpg"] = {kPictureSized, 2, 3};
  pictures_.pictures[u"C:\\f0\\b.jpg"] = {kPictureNoBitmap, 0, 0};
  ASSERT_EQ(SortByArea(*tables_, pictures_, host_), kSortDone);
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{6, 11})) << "OK keeps the old key";
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, u"lpBIを取得できませんが続けますか？");
  EXPECT_EQ(prompt_.shown[0].buttons, Buttons::kOkCancel);
  EXPECT_EQ(prompt_.shown[1].text, u"サイズ取得失敗");
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{u"Size Error:C:\\f0\\b.jpg"}));

  // Cancel stops before the sort: no order shown, nothing reordered.
  prompt_.shown.clear();
  prompt_.answers = {kAnswerCancel};
  tables_->entries[0].state = kEntrySelected;
  EXPECT_EQ(SortByArea(*tables_, pictures_, host_), kAreaStopped);
  EXPECT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(Names(), u"a.jpg|b.jpg|");
  EXPECT_EQ(tables_->entries[0].state, kEntrySelected);
  EXPECT_EQ(host_.orders.size(), 1u);
}

TEST_F(SortTest, AnEmptyTable) {
  EXPECT_EQ(SortBy(*tables_, kSortSize, files_, host_), kSortCancelled);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(SortByArea(*tables_, pictures_, host_), kAreaNoCatalog);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"メニューの「読出・書込」でカタログを表示してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイルが有りません");
  EXPECT_EQ(SortTable(*tables_, kSortName), kSortDone);
  EXPECT_EQ(GroupByFolder(*tables_, kSortName), kSortDone);
  ReverseTable(*tables_);
  EXPECT_EQ(tables_->rows, 0);
  EXPECT_EQ(host_.refreshed, 0);
}

TEST_F(SortTest, CancelLeavesEveryRowInTheTable) {
  std::vector<std::u16string> names;
  for (int i = 0; i < 40; ++i) {
    names.push_back(u"n" + std::u16string(1, static_cast<char16_t>(u'A' + (i * 17) % 40)) + u".jpg");
    Add(names.back(), i % 4, (i * 13) % 40);
  }
  Add(u"vacated.jpg", 0, 0, kEntryVacated);
  std::sort(names.begin(), names.end());
  auto inTableOrder = [&] {
    std::vector<std::u16string> now;
    for (int i = 0; i < tables_->rows; ++i) now.emplace_back(EntryName(tables_->entries[i]));
    return now;
  };
  auto rowsAsSorted = [&] {
    std::vector<std::u16string> now = inTableOrder();
    std::sort(now.begin(), now.end());
    return now;
  };

  progress_.cancelAtCheck = 3;
  EXPECT_EQ(SortTable(*tables_, kSortName), kSortCancelled);
  EXPECT_EQ(rowsAsSorted(), names) << "compaction ran, then every row stayed";
  EXPECT_NE(inTableOrder(), names) << "the order is partial";
  EXPECT_EQ(progress_.positions, (std::vector<int>{0, 5, 10}));

  progress_.checks = 0;
  EXPECT_EQ(SortBy(*tables_, kSortKind, files_, host_), kSortCancelled) << "while the keys are filled";
  EXPECT_EQ(host_.refreshed, 0);
  progress_.checks = 0;
  progress_.cancelAtCheck = 45;  // 40 rows filled, then the fifth pass
  EXPECT_EQ(SortBy(*tables_, kSortKind, files_, host_), kSortCancelled) << "while sorting";
  EXPECT_EQ(host_.refreshed, 1) << "the dialogs hear of the compacted table";
  progress_.checks = 0;
  progress_.cancelAtCheck = 1;
  EXPECT_EQ(SortByArea(*tables_, pictures_, host_), kSortCancelled);
  progress_.checks = 0;
  EXPECT_EQ(GroupByFolder(*tables_, kSortSize), kSortCancelled);
  EXPECT_EQ(rowsAsSorted(), names);
}

TEST_F(SortTest, GroupingOrdersRunsOfEqualNamesByFolder) {
  Add(u"a.jpg", 3);
  Add(u"a.jpg", 1);
  Add(u"a.jpg", 2);
  Add(u"a.jpg", 1, 9);
  Add(u"b.jpg", 2);
  Add(u"A.jpg", 0);
  Add(u"b.jpg", 0);
  ASSERT_EQ(GroupByFolder(*tables_, kSortName), kSortDone);
  EXPECT_EQ(Names(), u"a.jpg|a.jpg|a.jpg|a.jpg|b.jpg|A.jpg|b.jpg|") << "only neighbouring rows form a run";
  EXPECT_EQ(Folders(), (std::vector<int>{1, 1, 2, 3, 2, 0, 0}));
  EXPECT_EQ(tables_->entries[0].size, 0) << "the first of two equal folders comes first";
  EXPECT_EQ(tables_->entries[1].size, 9);
  EXPECT_EQ(progress_.opens.back(), u"ﾌｧｲﾙ 並べ替え中・・・");

  for (int mode : {2, 3, 4, 7}) {
    tables_->entries[0].folder = 3;
    EXPECT_EQ(GroupByFolder(*tables_, mode), kSortDone);
    EXPECT_EQ(tables_->entries[0].folder, 3) << mode;
  }
}

TEST_F(SortTest, ReversalMovesRowsButNotStates) {
  Add(u"a", 0, 1, kEntrySelected);
  ReverseTable(*tables_);
  EXPECT_EQ(Names(), u"a|");
  Add(u"b", 1, 2);
  Add(u"c", 2, 3, kEntryMovieMarked);
  ReverseTable(*tables_);
  EXPECT_EQ(Names(), u"c|b|a|");
  EXPECT_EQ(Folders(), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{3, 2, 1}));
  EXPECT_EQ(tables_->entries[0].slot, 2);
  EXPECT_EQ(tables_->entries[0].state, kEntrySelected);
  EXPECT_EQ(tables_->entries[2].state, kEntryMovieMarked);
}

TEST_F(SortTest, UnknownModesShowTheSwitchMessageAndChangeNothing) {
  Add(u"b.jpg", 0, 0, kEntryVacated);
  Add(u"a.jpg");
  EXPECT_EQ(SortTable(*tables_, 6), kSortBadMode);
  EXPECT_EQ(SortTable(*tables_, -1), kSortBadMode);
  EXPECT_EQ(SortBy(*tables_, kSortArea, files_, host_), kSortBadMode);
  EXPECT_EQ(SortBy(*tables_, kSortCompact, files_, host_), kSortBadMode);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"CTarnView::SortTable Switch = 6", u"CTarnView::SortTable Switch = -1",
                                                  u"CTarnView::SortBy Switch = 3", u"CTarnView::SortBy Switch = 5"}));
  EXPECT_EQ(Names(), u"b.jpg|a.jpg|");
  EXPECT_TRUE(host_.orders.empty());
}

TEST_F(SortTest, ARowOfAnUnknownFolderIsReportedMissing) {
  Add(u"stray.jpg", 4, 5);
  Add(u"also.jpg", -1, 6);
  ASSERT_EQ(SortBy(*tables_, kSortSize, files_, host_), kSortDone);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"stray.jpg が有りません", u"also.jpg が有りません"}));
  EXPECT_EQ(Keys(), (std::vector<std::int32_t>{5, 6}));
}

}  // namespace
}  // namespace tarn
