#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/OpenList.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::RecordingProgressWindow;
using test::ScriptedPrompt;

TEST(ClassifyFileName, TheKindsAndTheirBoundaries) {
  EXPECT_EQ(ClassifyFileName(u"song.mp3"), kClassMedia);
  EXPECT_EQ(ClassifyFileName(u"clip.rm"), kClassMedia) << "compared as RM_";
  EXPECT_EQ(ClassifyFileName(u"a.AU"), kClassMedia);
  EXPECT_EQ(ClassifyFileName(u"x.MpEg"), kClassMedia) << "cut to MPE";
  EXPECT_EQ(ClassifyFileName(u"movie.flv"), kClassFlvMp4);
  EXPECT_EQ(ClassifyFileName(u"movie.MP4"), kClassFlvMp4);
  EXPECT_EQ(ClassifyFileName(u"photo.jpeg"), kClassStill);
  EXPECT_EQ(ClassifyFileName(u"a.jp"), kClassStill);
  EXPECT_EQ(ClassifyFileName(u"ab"), kClassTooShort);
  EXPECT_EQ(ClassifyFileName(u"abc"), kClassNoPeriod);
  EXPECT_EQ(ClassifyFileName(u"abc.j"), kClassBadExtension);
  EXPECT_EQ(ClassifyFileName(u"abc.abcdef"), kClassBadExtension);
  EXPECT_EQ(ClassifyFileName(u"abc.abcde"), kClassStill);
  EXPECT_EQ(ClassifyFileName(u"a.b.wav"), kClassMedia) << "the last period counts";
  std::u16string name(124, u'n');
  EXPECT_EQ(ClassifyFileName(name + u".jpg"), kClassTooLong) << "127 units pass, 128 do not";
  EXPECT_EQ(ClassifyFileName(name.substr(1) + u".jpg"), kClassStill);
}

TEST(ListedName, LengthAndPeriodRules) {
  EXPECT_EQ(CheckListedName(u".jpg"), kNameTooShort);
  EXPECT_EQ(CheckListedName(u"noperiod"), kNameTooShort);
  EXPECT_EQ(CheckListedName(u"a.jpg"), kNameListed);
  EXPECT_EQ(CheckListedName(std::u16string(123, u'a') + u".jpg"), kNameListed);
  EXPECT_EQ(CheckListedName(std::u16string(124, u'a') + u".jpg"), kNameTooLong);
}

TEST(Filters, ExtensionExclusionAndSizeLimitsKeepEqualSizes) {
  EXPECT_TRUE(ExcludedByExtension(u"a.bmp", 1));
  EXPECT_TRUE(ExcludedByExtension(u"a.BmP", 1));
  EXPECT_FALSE(ExcludedByExtension(u"a.bmp", 0));
  EXPECT_FALSE(ExcludedByExtension(u"a.bmp", 2));
  EXPECT_TRUE(ExcludedByExtension(u"a.Flv", 2));
  EXPECT_TRUE(ExcludedByExtension(u"a.mp4", 3));
  EXPECT_FALSE(ExcludedByExtension(u"bmp", 1)) << "shorter than the four units";
  EXPECT_TRUE(WithinSizeLimits(1000, 1000, 0));
  EXPECT_FALSE(WithinSizeLimits(999, 1000, 0));
  EXPECT_TRUE(WithinSizeLimits(100000, 0, 100000));
  EXPECT_FALSE(WithinSizeLimits(100001, 0, 100000));
  EXPECT_TRUE(WithinSizeLimits(5000, 1000, 100000));
  EXPECT_FALSE(WithinSizeLimits(999, 1000, 100000));
  EXPECT_FALSE(WithinSizeLimits(100001, 1000, 100000));
  EXPECT_TRUE(WithinSizeLimits(0, 0, 0));
}

std::u16string Units(const std::string& bytes, std::size_t from, std::size_t count) {
  std::u16string out;
  for (std::size_t i = 0; i < count; ++i)
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[from + 2 * i]) |
                                 (static_cast<unsigned char>(bytes[from + 2 * i + 1]) << 8));
  return out;
}

TEST(OpenListRecord, OneRecordIsTheTextThenZeros) {
  const std::string bytes = EncodeOpenListEntry(u"cat.jpg", 3);
  ASSERT_EQ(bytes.size(), 256u);
  EXPECT_EQ(Units(bytes, 0, 9), u"cat.jpg:3");
  for (std::size_t i = 18; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], '\0') << i;
  EXPECT_EQ(EncodeOpenListEntry(u"a.jpg", 99).size(), 256u);
  EXPECT_TRUE(EncodeOpenListEntry(u"a.jpg", 100).empty());
  EXPECT_TRUE(EncodeOpenListEntry(u"a.jpg", -1).empty());
  EXPECT_TRUE(EncodeOpenListEntry(u"", 0).empty());
  EXPECT_TRUE(EncodeOpenListEntry(u"a:b.jpg", 0).empty());
  EXPECT_TRUE(EncodeOpenListEntry(std::u16string(u"a\0b.jpg", 7), 0).empty());
  EXPECT_TRUE(EncodeOpenListEntry(std::u16string(128, u'a'), 0).empty());
}

TEST(OpenListRecord, EveryListedLengthComesBackWhole) {
  for (int folder : {0, 9, 10, 99}) {
    for (std::size_t length = 5; length <= 127; ++length) {
      std::u16string name(length - 4, u'\x30A2');  // katakana: units above the byte range
      name += u".jpg";
      const std::string bytes = EncodeOpenListEntry(name, folder);
      const std::size_t text = length + 1 + (folder < 10 ? 1 : 2) + 1;
      ASSERT_EQ(bytes.size(), text <= 128 ? 256u : 512u) << length << " " << folder;
      std::size_t offset = 0;
      OpenListEntry entry;
      ASSERT_EQ(ReadOpenListEntry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                  offset, 100, entry), kOpenListEntry) << length;
      EXPECT_EQ(entry.name, name);
      EXPECT_EQ(entry.folder, folder);
      EXPECT_EQ(offset, bytes.size());
    }
  }
}

int ReadOne(const std::string& bytes, int folders = 100) {
  std::size_t offset = 0;
  OpenListEntry entry;
  return ReadOpenListEntry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), offset,
                           folders, entry);
}

std::string Record(std::u16string_view text) {
  std::string bytes(256, '\0');
  for (std::size_t i = 0; i < text.size() && i < 128; ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

TEST(OpenListRecord, DamagedRecordsAreRefused) {
  EXPECT_EQ(ReadOne(Record(u"a.jpg:0")), kOpenListEntry);
  EXPECT_EQ(ReadOne(Record(u"a.jpg")), kOpenListBroken) << "no colon";
  EXPECT_EQ(ReadOne(Record(u":0")), kOpenListBroken) << "colon first";
  EXPECT_EQ(ReadOne(Record(u"a.jpg:")), kOpenListBroken) << "no number";
  EXPECT_EQ(ReadOne(Record(u"a.jpg:x")), kOpenListBroken);
  EXPECT_EQ(ReadOne(Record(u"a.jpg:-1")), kOpenListBroken);
  EXPECT_EQ(ReadOne(Record(u"a.jpg:5"), 5), kOpenListBroken) << "folder beyond the table";
  EXPECT_EQ(ReadOne(Record(u"a.jpg:4"), 5), kOpenListEntry);
  EXPECT_EQ(ReadOne(Record(u"a.jpg:99999999999")), kOpenListBroken);
  EXPECT_EQ(ReadOne(Record(std::u16string(128, u'a'))), kOpenListBroken) << "runs on past the file's end";
  EXPECT_EQ(ReadOne(Record(std::u16string(128, u'a')) + Record(std::u16string(128, u'b')) + Record(u":0")),
            kOpenListBroken) << "a text never spans three records";
  EXPECT_EQ(ReadOne(Record(std::u16string(128, u'a')) + Record(u":0")), kOpenListBroken)
      << "a name longer than a row";
  EXPECT_EQ(ReadOne(Record(u"a.jpg:1").substr(0, 255)), kOpenListEnd) << "no whole record";
  EXPECT_EQ(ReadOne(""), kOpenListEnd);
}

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_ = std::make_unique<CatalogTables>();
    tables_->folderRows = 2;
    std::u16string f0 = u"C:\\pics\\", f1 = u"C:\\more\\";
    std::copy(f0.begin(), f0.end(), tables_->folders[0].path);
    std::copy(f1.begin(), f1.end(), tables_->folders[1].path);
  }

  void Add(std::u16string_view name, int folder) { list_ += EncodeOpenListEntry(name, folder); }

  int Fill(TableFilters filters = {}) {
    return FillCatalogTable(reinterpret_cast<const std::uint8_t*>(list_.data()), list_.size(), *tables_,
                            filters);
  }

  std::u16string Names() const {
    std::u16string out;
    for (int i = 0; i < tables_->rows; ++i) {
      out += tables_->entries[i].name;
      out += u'|';
    }
    return out;
  }

  std::unique_ptr<CatalogTables> tables_;
  std::string list_;
  ScriptedPrompt prompt_;
  RecordingProgressWindow progress_;
};

TEST_F(TableTest, RowsAreSortedByCodeUnitAndReversedWhenDescending) {
  Add(u"b.jpg", 0);
  Add(u"a.jpg", 1);
  Add(u"c.jpg", 0);
  Add(u"B.jpg", 1);
  ASSERT_EQ(Fill(), kFillDone);
  EXPECT_EQ(Names(), u"B.jpg|a.jpg|b.jpg|c.jpg|");
  EXPECT_EQ(tables_->rows, 4);
  EXPECT_EQ(tables_->offeredRows, 4);
  EXPECT_EQ(tables_->entries[0].folder, 1);
  EXPECT_EQ(tables_->entries[2].folder, 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(tables_->entries[i].state, kEntryNormal);
    EXPECT_EQ(tables_->entries[i].size, 0) << "no size limit, no size";
    EXPECT_EQ(tables_->entries[i].slot, -1);
  }
  TableFilters descending;
  descending.descending = true;
  ASSERT_EQ(Fill(descending), kFillDone);
  EXPECT_EQ(Names(), u"c.jpg|b.jpg|a.jpg|B.jpg|");
  EXPECT_EQ(tables_->entries[3].folder, 1);
  EXPECT_EQ(progress_.text, u"ﾌｧｲﾙ 並べ替え中・・・");
}

TEST_F(TableTest, SortOrdersManyRows) {
  // Reversed and interleaved names, enough to exercise every branch of the two-ended passes.
  for (int i = 0; i < 300; ++i) {
    const int k = (i * 7919) % 300;
    std::u16string name = u"n";
    name += static_cast<char16_t>(u'A' + k / 26);
    name += static_cast<char16_t>(u'a' + k % 26);
    name += u".jpg";
    Add(name, i % 2);
  }
  ASSERT_EQ(Fill(), kFillDone);
  ASSERT_EQ(tables_->rows, 300);
  for (int i = 1; i < 300; ++i)
    ASSERT_LT(std::u16string(tables_->entries[i - 1].name), std::u16string(tables_->entries[i].name)) << i;
}

TEST_F(TableTest, ExclusionAndSizeLimits) {
  Add(u"a.BMP", 0);
  Add(u"b.jpg", 0);
  Add(u"c.bmp", 1);
  Add(u"d.jpg", 1);
  Add(u"e.jpg", 1);
  std::map<std::u16string, long long> sizes = {{u"C:\\pics\\b.jpg", 1000},
                                               {u"C:\\more\\d.jpg", 999},
                                               {u"C:\\more\\e.jpg", 100000}};
  std::vector<std::u16string> asked;
  TableFilters filters;
  filters.extRestrict = 1;
  filters.minSize = 1000;
  filters.maxSize = 100000;
  filters.fileSize = [&](std::u16string_view path, long long& size) {
    asked.emplace_back(path);
    auto it = sizes.find(std::u16string(path));
    if (it == sizes.end()) return false;
    size = it->second;
    return true;
  };
  ASSERT_EQ(Fill(filters), kFillDone);
  EXPECT_EQ(Names(), u"b.jpg|e.jpg|");
  EXPECT_EQ(tables_->entries[0].size, 1000);
  EXPECT_EQ(tables_->entries[1].size, 100000);
  EXPECT_EQ(asked.size(), 3u) << "excluded names are never looked up";

  // A listed file that has gone: the message, and the request fails.
  sizes.erase(u"C:\\more\\e.jpg");
  EXPECT_EQ(Fill(filters), kFillMissing);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown.back().text, u"C:\\more\\e.jpg が有りません");
  EXPECT_EQ(prompt_.shown.back().caption, u"ファイル異常");
}

TEST_F(TableTest, BrokenRecordStopsWithTheColonMessage) {
  Add(u"a.jpg", 0);
  list_ += Record(u"nocolon.jpg");
  Add(u"b.jpg", 0);
  EXPECT_EQ(Fill(), kFillBroken);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイルパス番号を検出できません<-v30> ");
  EXPECT_EQ(prompt_.shown[0].caption, u"コロン検出エラー");
  EXPECT_EQ(tables_->rows, 1);
}

TEST_F(TableTest, CancelKeepsTheRowsReadSoFar) {
  Add(u"a.jpg", 0);
  progress_.cancelAnswer = true;
  EXPECT_EQ(Fill(), kFillCancelled);
  EXPECT_EQ(tables_->rows, 0);
  EXPECT_EQ(progress_.text, u"ﾌｧｲﾙ ﾃｰﾌﾞﾙ 作成中・・・");
}

TEST_F(TableTest, AListLongerThanTheTableStopsAtItsEnd) {
  const std::string one = EncodeOpenListEntry(u"same.jpg", 0);
  for (int i = 0; i < kCatalogRowsMax + 5; ++i) list_ += one;
  ASSERT_EQ(Fill(), kFillDone);
  EXPECT_EQ(tables_->rows, kCatalogRowsMax);
}

TEST_F(TableTest, LongestNamesEnterTheTableWhole) {
  const std::u16string longest = std::u16string(123, u'z') + u".jpg";
  Add(longest, 1);
  Add(u"a.jpg", 0);
  ASSERT_EQ(list_.size(), 3u * 256);
  ASSERT_EQ(Fill(), kFillDone);
  ASSERT_EQ(tables_->rows, 2);
  EXPECT_EQ(std::u16string(tables_->entries[1].name), longest);
  EXPECT_EQ(tables_->entries[1].name[127], u'\0');
  EXPECT_EQ(tables_->entries[1].folder, 1);
}

}  // namespace
}  // namespace tarn
