#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/TextUtil.h"
#include "catalog/fileops/FileOpRules.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::ScriptedPrompt;

TEST(FileOpRules, OperationNames) {
  EXPECT_EQ(OperationName(kOpCopy, true), u"コピー");
  EXPECT_EQ(OperationName(kOpMove, false), u"移動");
  EXPECT_EQ(OperationName(kOpDelete, false), u"削除");
  EXPECT_EQ(OperationName(kOpDelete, true), u"ゴミ箱に移");
  EXPECT_EQ(OperationName(kOpDeletionList, true), u"完全削除");
  EXPECT_TRUE(OperationName(10, true).empty());
}

TEST(FileOpRules, ProgramPrefix) {
  EXPECT_EQ(DeletionProgramPrefix(u"C:\\tools\\wipe.exe"), u"C:\\tools\\wipe.exe ");
  EXPECT_EQ(DeletionProgramPrefix(u"C:\\Program Files\\wipe.exe"), u"\"C:\\Program Files\\wipe.exe\" ");
  EXPECT_EQ(DeletionProgramPrefix(u"C:\\tools\\Shredit.exe"), u"C:\\tools\\Shredit.exe <Tarn> ");
  EXPECT_EQ(DeletionProgramPrefix(u"C:\\my tools\\SHREDIT.EXE"), u"\"C:\\my tools\\SHREDIT.EXE\" <Tarn> ");
  EXPECT_EQ(DeletionProgramPrefix(u"C:\\tools\\NotShredit.exe"), u"C:\\tools\\NotShredit.exe ")
      << "only that program's own file name takes the marker";
}

TEST(FileOpRules, PathsAreQuotedWhenEitherPartHoldsABlank) {
  std::u16string line = u"p ";
  EXPECT_TRUE(AppendDeletionPath(line, u"C:\\a\\", u"b.jpg"));
  EXPECT_TRUE(AppendDeletionPath(line, u"C:\\a b\\", u"c.jpg"));
  EXPECT_TRUE(AppendDeletionPath(line, u"C:\\a\\", u"d e.jpg"));
  EXPECT_EQ(line, u"p C:\\a\\b.jpg \"C:\\a b\\c.jpg\" \"C:\\a\\d e.jpg\" ");
}

TEST(FileOpRules, LineLimitCountsFiveMoreUnits) {
  // 23,990 + 3 + 2 + 5 = 24,000 fits exactly; one more unit does not.
  std::u16string line(23990, u'x');
  EXPECT_TRUE(AppendDeletionPath(line, u"C:\\", u"ab"));
  EXPECT_EQ(line.size(), 23996u);
  std::u16string over(23991, u'x');
  EXPECT_FALSE(AppendDeletionPath(over, u"C:\\", u"ab"));
  EXPECT_EQ(over, std::u16string(23991, u'x')) << "a path that does not fit leaves the line as it was";
}

class DeletionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables_ = std::make_unique<CatalogTables>();
    const std::u16string folders[] = {u"C:\\pictures\\", u"D:\\my photos\\"};
    for (int f = 0; f < 2; ++f) std::copy(folders[f].begin(), folders[f].end(), tables_->folders[f].path);
    tables_->folderRows = 2;
  }
  void AddRow(const std::u16string& name, int folder) {
    CatalogEntry& e = tables_->entries[tables_->rows++];
    std::copy(name.begin(), name.end(), e.name);
    e.folder = folder;
    e.state = kEntrySelected;
  }
  std::unique_ptr<CatalogTables> tables_;
};

TEST_F(DeletionListTest, ListIsCutAtTheLimitAndTheRestStaySelected) {
  // Each path is "C:\pictures\" and a 104-unit name: 116 units and a blank.
  for (int i = 0; i < 300; ++i) AddRow(std::u16string(96, u'a') + DecimalText(1000 + i) + u".jpg", 0);
  const auto rows = CollectWorkRows(*tables_, false, 0);
  const DeletionList list = BuildDeletionList(*tables_, rows, u"C:\\tools\\wipe.exe ");
  EXPECT_TRUE(list.cut);
  // After k paths the line is 18 + 117 k; the next fits while 18 + 117 k + 116 + 5 <= 24,000.
  ASSERT_EQ(list.listed.size(), 204u);
  EXPECT_EQ(list.line.size(), 18u + 204u * 117u);
  EXPECT_LE(list.line.size(), kDeletionLineMax);
  EXPECT_EQ(list.listed.back().row, 203);
  EXPECT_TRUE(list.line.starts_with(u"C:\\tools\\wipe.exe C:\\pictures\\aaaa"));
  EXPECT_TRUE(list.line.ends_with(u"1203.jpg "));
  EXPECT_EQ(tables_->entries[204].state, kEntrySelected) << "building the list changes no row";
}

TEST_F(DeletionListTest, ShortListKeepsEveryRowAndQuotesBlanks) {
  AddRow(u"a.jpg", 0);
  AddRow(u"b.jpg", 1);
  AddRow(u"c d.png", 0);
  const DeletionList list = BuildDeletionList(*tables_, CollectWorkRows(*tables_, false, 0), u"w.exe ");
  EXPECT_FALSE(list.cut);
  EXPECT_EQ(list.listed.size(), 3u);
  EXPECT_EQ(list.line, u"w.exe C:\\pictures\\a.jpg \"D:\\my photos\\b.jpg\" \"C:\\pictures\\c d.png\" ");
}

TEST(FileOpRules, NewNameChecks) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(CheckNewName(u"a.jpeg"));
  EXPECT_TRUE(CheckNewName(u"a.jp"));
  EXPECT_TRUE(CheckNewName(u"x.y.tiff"));
  EXPECT_TRUE(CheckNewName(std::u16string(123, u'n') + u".jpg")) << "127 units";
  EXPECT_TRUE(prompt.shown.empty());

  const std::u16string tooLong = std::u16string(124, u'n') + u".jpg";
  EXPECT_FALSE(CheckNewName(tooLong));
  EXPECT_FALSE(CheckNewName(u"noperiod"));
  EXPECT_FALSE(CheckNewName(u".jpg"));
  EXPECT_FALSE(CheckNewName(u"a.j"));
  EXPECT_FALSE(CheckNewName(u"a.photo2"));
  EXPECT_FALSE(CheckNewName(u"a."));
  ASSERT_EQ(prompt.shown.size(), 6u);
  EXPECT_EQ(prompt.shown[0].text, u"ファイル名称が長すぎます\n\n" + tooLong + u" ≫");
  EXPECT_EQ(prompt.shown[0].caption, u"　入力エラー");
  EXPECT_EQ(prompt.shown[1].text, u"ファイル名称が「短すぎる」か「ピリオド」がありません\n\n ≪ noperiod ≫");
  EXPECT_EQ(prompt.shown[1].caption, u"　入力エラー");
  EXPECT_EQ(prompt.shown[2].text, u"ファイル名称が「短すぎる」か「ピリオド」がありません\n\n ≪ .jpg ≫");
  EXPECT_EQ(prompt.shown[3].text, u"拡張子が「短すぎ」か「長すぎ」です\n\n ≪ a.j ≫");
  EXPECT_EQ(prompt.shown[3].caption, u"　入力エラー ≪ 拡張子 ： 2～5文字 ≫");
  EXPECT_EQ(prompt.shown[4].text, u"拡張子が「短すぎ」か「長すぎ」です\n\n ≪ a.photo2 ≫");
  EXPECT_EQ(prompt.shown[5].text, u"拡張子が「短すぎ」か「長すぎ」です\n\n ≪ a. ≫");
}

}  // namespace
}  // namespace tarn
