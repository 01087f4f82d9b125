#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "catalog/commands/BatchRename.h"
#include "catalog/commands/PropertyText.h"
#include "catalog/commands/SavedStrings.h"
#include "catalog/commands/SelectionCommands.h"
#include "catalog/commands/TimeStamps.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::RecordingCanvas;
using test::ScriptedPrompt;

// A folder of files by path: attributes, the last time stamped, and renames that refuse a taken name.
class FakeFiles : public FileRenamer, public FileStatusStore {
 public:
  std::map<std::u16string, std::uint32_t> files;
  std::map<std::u16string, StampTime> stamped;
  std::map<std::u16string, std::uint32_t> attributesWhenStamped;

  bool Rename(std::u16string_view from, std::u16string_view to) override {
    if (!files.count(std::u16string(from)) || files.count(std::u16string(to))) return false;
    files[std::u16string(to)] = files[std::u16string(from)];
    files.erase(std::u16string(from));
    return true;
  }
  bool Attributes(std::u16string_view path, std::uint32_t& attributes) override {
    const auto it = files.find(std::u16string(path));
    if (it == files.end()) return false;
    attributes = it->second;
    return true;
  }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    files[std::u16string(path)] = attributes;
    return true;
  }
  bool SetTime(std::u16string_view path, StampChoice, const StampTime& time) override {
    if (files[std::u16string(path)] & 1) return false;  // as the file system: read-only refuses
    stamped[std::u16string(path)] = time;
    return true;
  }
};

constexpr char16_t kFolder[] = u"C:\\pics\\";

class CommandsTest : public ::testing::Test {
 protected:
  void Catalog(std::initializer_list<std::u16string> names) {
    tables_ = std::make_unique<CatalogTables>();
    state_ = {};
    prompt_.shown.clear();
    std::copy_n(kFolder, std::char_traits<char16_t>::length(kFolder), tables_->folders[0].path);
    tables_->folderRows = 1;
    for (const std::u16string& name : names) {
      CatalogEntry& e = tables_->entries[tables_->rows++];
      std::copy(name.begin(), name.end(), e.name);
      e.slot = tables_->rows - 1;
      files_.files[kFolder + name] = 0x20;
    }
    tables_->offeredRows = tables_->rows;
  }
  std::u16string Name(int row) { return std::u16string(EntryName(tables_->entries[row])); }
  std::int32_t& State(int row) { return tables_->entries[row].state; }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) InvTitleColor(*tables_, state_, canvas_, row, {}, kTitleSelectIfNot);
  }

  std::unique_ptr<CatalogTables> tables_;
  SelectionState state_;
  RecordingCanvas canvas_;
  ScriptedPrompt prompt_;
  FakeFiles files_;
};

std::u16string NewName(std::u16string_view name, int operation, std::u16string s, std::u16string r = {},
                       bool extension = false, unsigned number = 0) {
  const RenameStep step = RenamedName(name, {operation, s, r, 0, extension}, number);
  switch (step.kind) {
    case RenameStep::kRenamed: return step.name;
    case RenameStep::kSkipped: return u"(skip)";
    case RenameStep::kTooLong: return u"(long)";
    case RenameStep::kNoPeriod: return u"(no period)";
    case RenameStep::kBadExtension: return u"(bad " + step.name + u")";
  }
  return {};
}

TEST(BatchRenameRules, EachOperationOnItsBoundaries) {
  EXPECT_EQ(NewName(u"photo-7.jpg", kRenameCutEnd, u"-xx"), u"photo.jpg");
  EXPECT_EQ(NewName(u"photo-12.jpg", kRenameCutEnd, u"-XX"), u"photo.jpg");
  EXPECT_EQ(NewName(u"photo-123.jpg", kRenameCutEnd, u"-XX"), u"(skip)");
  EXPECT_EQ(NewName(u"photo7.jpg", kRenameCutEnd, u"-XX"), u"(skip)");
  EXPECT_EQ(NewName(u"-7.jpg", kRenameCutEnd, u"-XX"), u"(skip)") << "nothing would be left of the base";
  EXPECT_EQ(NewName(u"IMG_old.JPG", kRenameCutEnd, u"_OLD"), u"IMG.JPG");
  EXPECT_EQ(NewName(u"trip.jpg", kRenameCutStart, u"TRIP"), u"(skip)") << "S must be shorter than the base";
  EXPECT_EQ(NewName(u"trip1.jpg", kRenameCutStart, u"TRIP"), u"1.jpg");
  EXPECT_EQ(NewName(u"a.b.jpg", kRenameAppend, u"_x"), u"a.b_x.jpg") << "the last period splits";
  EXPECT_EQ(NewName(u"a.jpg", kRenamePrepend, u"x_"), u"x_a.jpg");
  EXPECT_EQ(NewName(u"a.jpg", kRenameNumbered, u"trip", {}, false, 7), u"trip0007.jpg");
  EXPECT_EQ(NewName(u"abab.jpg", kRenameReplace, u"ab", u"X"), u"Xab.jpg") << "the first occurrence only";
  EXPECT_EQ(NewName(u"abab.jpg", kRenameReplace, u"AB", u"X"), u"(skip)") << "an exact comparison";
  EXPECT_EQ(NewName(u"a.jpeg", kRenameReplace, u"jpeg", u"jpg", true), u"a.jpg");
  EXPECT_EQ(NewName(u"a.jpg", kRenameReplace, u"jpg", u"j", true), u"(bad j)");
  EXPECT_EQ(NewName(u"a.jpg", kRenameReplace, u"jpg", u"jpegxx", true), u"(bad jpegxx)");
  EXPECT_EQ(NewName(u"README", kRenameAppend, u"x"), u"(no period)");
  EXPECT_EQ(NewName(u".profile", kRenameAppend, u"x"), u"(no period)");
}

TEST(BatchRenameRules, InputChecksCountHalfWidthUnitsAndTheSequenceRoom) {
  ScriptedPrompt prompt;
  const auto refusal = [](RenameRequest request, int inScope) {
    const auto r = CheckRenameInput(request, inScope);
    return r ? r->text + u" / " + r->caption : u"ok";
  };
  EXPECT_EQ(refusal({kRenameAppend, u""}, 1), u"追加文字列を入力してください / 文字列指定エラー");
  EXPECT_EQ(refusal({kRenameAppend, u"１２３４５６７８"}, 1), u"ok") << "eight full-width characters are sixteen units";
  EXPECT_EQ(refusal({kRenameCutStart, u"１２３４５６７８9"}, 1), u"削除文字列は半角16文字以内にしてください / 文字列指定エラー");
  EXPECT_EQ(refusal({kRenameCutEnd, u""}, 1), u"削除文字列を入力してください / 文字列未入力");
  EXPECT_EQ(refusal({kRenameNumbered, u"trip", {}, 10}, 9990), u"ok");
  EXPECT_EQ(refusal({kRenameNumbered, u"trip", {}, 11}, 9990), u"連番の先頭は 0～0010 を設定してください / 連番指定エラー");
  EXPECT_EQ(refusal({kRenameNumbered, u"trip", {}, -1}, 1), u"連番の先頭は 0～9999 を設定してください / 連番指定エラー");
  EXPECT_EQ(refusal({kRenameReplace, u"jpeg", u"jpegxx", 0, true}, 1), u"追加拡張子は半角5文字以内にしてください / 文字列指定エラー");
  EXPECT_EQ(refusal({kRenameReplace, u"jpegxx", u"jpg", 0, true}, 1), u"削除拡張子は半角5文字以内にしてください / 文字列指定エラー");
  prompt.answers = {kAnswerOk, kAnswerCancel};
  EXPECT_EQ(refusal({kRenameReplace, u"old"}, 1), u"ok") << "an empty replacement, confirmed";
  EXPECT_EQ(refusal({kRenameReplace, u"old"}, 1), u" / ") << "declined: the dialog stays without a further message";
  EXPECT_EQ(prompt.shown.back().caption, u" 文字列未入力 ");
}

TEST_F(CommandsTest, NumberedRenameOfTheSelectionAsksAtCollisionsAndNumbersOnlyWhatWasRenamed) {
  Catalog({u"a.jpg", u"b.png", u"c.jpg", u"d.jpg", u"e.jpg"});
  files_.files[u"C:\\pics\\trip0002.jpg"] = 0x20;
  Select({0, 2, 3, 4});
  prompt_.answers = {kAnswerOk, kAnswerOk, kAnswerCancel};
  const int renamed = NamePlusMinus(*tables_, state_, canvas_, {kRenameNumbered, u"trip", {}, 1}, true, 0, 4, files_);
  EXPECT_EQ(renamed, 1);
  EXPECT_EQ(prompt_.shown[0].text, u"全体の文字列を <“trip”+“連番”> に交換します。 ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_EQ(prompt_.shown[0].caption, u"リネームオール　【 選択ファイルのみ 】");
  ASSERT_EQ(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[1].caption, u"C:\\pics\\trip0002.jpg") << "c.jpg, skipped";
  EXPECT_EQ(prompt_.shown[2].caption, u"C:\\pics\\trip0002.jpg") << "a skipped file does not use up its number";
  EXPECT_EQ(Name(0), u"trip0001.jpg");
  EXPECT_EQ(Name(1), u"b.png") << "not selected";
  EXPECT_EQ(Name(2), u"c.jpg");
  EXPECT_EQ(Name(3), u"d.jpg") << "Cancel ended the run";
  EXPECT_TRUE(files_.files.count(u"C:\\pics\\c.jpg"));
  EXPECT_TRUE(files_.files.count(u"C:\\pics\\trip0001.jpg"));

  // A name the row cannot hold is refused before the file is renamed.
  Catalog({std::u16string(120, u'n') + u".jpg"});
  prompt_.answers = {kAnswerOk};
  EXPECT_EQ(NamePlusMinus(*tables_, state_, canvas_, {kRenameAppend, u"12345678"}, false, 0, 1, files_), 0);
  EXPECT_EQ(prompt_.shown.back().text, u"ファイル名称が長すぎます");
  EXPECT_TRUE(files_.files.count(kFolder + std::u16string(120, u'n') + u".jpg")) << "the file keeps its name";
}

TEST(SavedSearchStrings, SaveAsksBeforeReplacingAndClearingAndRefusesLongStrings) {
  ScriptedPrompt prompt;
  SavedStrings saved;
  prompt.answers = {kAnswerOk};
  EXPECT_FALSE(SaveString(saved, u"")) << "nothing saved to clear";
  EXPECT_EQ(prompt.shown.back().text, u"保存文字列は有りません");
  EXPECT_FALSE(SaveString(saved, u"１２３４５６７８")) << "sixteen units";
  EXPECT_EQ(prompt.shown.back().text, u"文字列は半角15文字以内にしてください");
  EXPECT_TRUE(SaveString(saved, u"trip"));
  prompt.answers = {kAnswerCancel};
  EXPECT_FALSE(SaveString(saved, u"photo"));
  EXPECT_EQ(prompt.shown.back().text, u"「 trip 」を「 photo 」へ書き換えますか？");
  EXPECT_EQ(ListedStrings(saved), std::vector<std::u16string>{u"trip"});
  EXPECT_TRUE(SaveString(saved, u""));
  EXPECT_TRUE(ListedStrings(saved).empty());
}

TEST(SelectionMatch, PositionsWildcardsAndWindowsThatLeaveTheName) {
  EXPECT_EQ(MatchName(u"img1.jpg", u"IMG?", kMatchAtStart), NameMatch::kMatch);
  EXPECT_EQ(MatchName(u"IMGa.png", u"IMG?", kMatchAtStart), NameMatch::kMatch);
  EXPECT_EQ(MatchName(u"my_img1.jpg", u"IMG?", kMatchAtStart), NameMatch::kNoMatch);
  EXPECT_EQ(MatchName(u"im.g", u"IM??", kMatchAtStart), NameMatch::kMatch);
  EXPECT_EQ(MatchName(u"im.g", u"IM???", kMatchAtStart), NameMatch::kNoMatch) << "never past the end";
  EXPECT_EQ(MatchName(u"photo_01.jpg", u"_01", kMatchBeforeExtension), NameMatch::kMatch);
  EXPECT_EQ(MatchName(u"photo_01b.jpg", u"_01", kMatchBeforeExtension), NameMatch::kNoMatch);
  EXPECT_EQ(MatchName(u"a.jpg", u"_01", kMatchBeforeExtension), NameMatch::kNoMatch) << "never before the start";
  EXPECT_EQ(MatchName(u"a.jpg", u"A.JPG.", kMatchAnywhere), NameMatch::kNoMatch);
  EXPECT_EQ(MatchName(u"holiday.jpg", u"DAY", kMatchAnywhere), NameMatch::kMatch);
  EXPECT_EQ(MatchName(u"holiday", u"DAY", kMatchAnywhere), NameMatch::kNoPeriod);
}

TEST_F(CommandsTest, SearchesSelectOrNarrowAndStopAtANameWithoutPeriod) {
  Catalog({u"img1.jpg", u"IMGa.png", u"my_img1.jpg", u"img2.gif"});
  Select({2});
  EXPECT_EQ(SelectByString(*tables_, state_, canvas_, u"img?", kMatchAtStart, false, 0, 3),
            SearchEnd::kFinished);
  EXPECT_EQ(prompt_.shown[0].text, u"先頭に <img?> が在るファイルを検索します。 ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイル選択　【 全ファイル対象 】");
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(State(1), kEntrySelected);
  EXPECT_EQ(State(2), kEntryNormal) << "the old selection is cleared first";
  EXPECT_EQ(State(3), kEntryNormal) << "outside the shown range";
  EXPECT_EQ(state_.selected, 2);

  // Selected only: the search narrows and never selects.
  EXPECT_EQ(SelectByString(*tables_, state_, canvas_, u"?.jpg", kMatchAnywhere, true, 0, 4), SearchEnd::kFinished);
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(State(1), kEntryNormal);
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(state_.selected, 1);

  files_.files[u"C:\\pics\\img1.jpg"] = 0x23;
  files_.files[u"C:\\pics\\IMGa.png"] = 0x21;
  files_.files.erase(u"C:\\pics\\img2.gif");
  prompt_.shown.clear();
  EXPECT_EQ(SelectByAttribute(*tables_, state_, canvas_, 0x23, false, 0, 4, files_), SearchEnd::kStopped);
  EXPECT_EQ(prompt_.shown[0].text, u"属性 = 「読取専用」 「隠しファイル」 「アーカイブ」のファイルを検索します ");
  EXPECT_EQ(prompt_.shown[0].caption, u"属性ファイル選択　【 全ファイル対象 】 ≪ｷｬﾝｾﾙ≫で終了 ");
  EXPECT_EQ(prompt_.shown[1].text, u"ファイルが有りません<-v85> ");
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(State(1), kEntryNormal);

  Catalog({u"README", u"a.jpg"});
  EXPECT_EQ(SelectByString(*tables_, state_, canvas_, u"A", kMatchAtStart, false, 0, 2), SearchEnd::kStopped);
  EXPECT_EQ(prompt_.shown.back().text, u"拡張子' . 'が検出できません");
  EXPECT_EQ(State(1), kEntryNormal) << "the search ends at the name without an extension";
}

TEST_F(CommandsTest, InvertWithMarksAndShowOnlyTheSelection) {
  Catalog({u"0.jpg", u"1.jpg", u"2.jpg", u"3.jpg", u"4.jpg", u"5.jpg", u"6.jpg", u"7.jpg", u"8.jpg", u"9.jpg"});
  Select({0});
  InvTitleColor(*tables_, state_, canvas_, 1, {}, kTitleMark);
  InvertSelection(*tables_, state_, canvas_, 0, 10);
  EXPECT_EQ(State(1), kEntryNormal) << "the mark became the selection, then was inverted";
  EXPECT_EQ(State(0), kEntrySelected);
  EXPECT_EQ(state_.selected, 9);
  EXPECT_EQ(state_.marked, 0);

  DeselectAll(*tables_, state_, canvas_);
  Select({2, 5, 9});
  State(7) = kEntryUnusable;
  EXPECT_TRUE(MayShowOnlySelection(state_, canvas_));
  EXPECT_EQ(ShowOnlySelection(*tables_, state_, canvas_, 0, 10), 7);
  EXPECT_EQ(Name(0), u"2.jpg");
  EXPECT_EQ(Name(1), u"5.jpg");
  EXPECT_EQ(Name(2), u"9.jpg");
  for (int row = 3; row < 10; ++row) EXPECT_EQ(State(row), kEntryVacated) << row;
  EXPECT_EQ(state_.selected, 3);
  EXPECT_EQ(tables_->offeredRows, 3);

  DeselectAll(*tables_, state_, canvas_);
  EXPECT_FALSE(MayShowOnlySelection(state_, canvas_));
  EXPECT_EQ(prompt_.shown.back().caption, u"選択ファイル数 0");
  canvas_.shown = false;
  EXPECT_FALSE(MayShowOnlySelection(state_, canvas_));
  EXPECT_EQ(prompt_.shown.back().caption, u"画面不一致");
}

TEST(TimeStampInput, RangesAndDaysTheMonthHas) {
  EXPECT_EQ(CheckStampTime({1980, 1, 1, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(CheckStampTime({1979, 12, 31, 23, 59, 59}), u"≪年≫を入れ直してください ⇒ 範囲：1980～2037");
  EXPECT_EQ(CheckStampTime({2038, 1, 1, 0, 0, 0}), u"≪年≫を入れ直してください ⇒ 範囲：1980～2037");
  EXPECT_EQ(CheckStampTime({2024, 2, 29, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(CheckStampTime({2023, 2, 29, 0, 0, 0}), u"≪日≫を入れ直してください ⇒ 範囲：1～31");
  EXPECT_EQ(CheckStampTime({2000, 13, 1, 0, 0, 0}), u"≪月≫を入れ直してください ⇒ 範囲：1～12");
  EXPECT_EQ(CheckStampTime({2000, 1, 1, 24, 0, 0}), u"≪時≫を入れ直してください ⇒ 範囲：0～23");
  EXPECT_EQ(CheckStampTime({2000, 1, 1, 0, 60, 0}), u"≪分≫を入れ直してください ⇒ 範囲：0～59");
  EXPECT_EQ(CheckStampTime({2000, 1, 1, 0, 0, -1}), u"≪秒≫を入れ直してください ⇒ 範囲：0～59");
  EXPECT_EQ(PropertyTimeText({2026, 3, 4, 5, 6, 7}), u"2026/03/04-05:06:07");
  EXPECT_EQ(PropertyNumber(1234), u"    1234");
  EXPECT_EQ(PropertyAttributeText(0xFF), u"27 hex");
  const std::u16string line(21, u'a');
  EXPECT_EQ(PropertyLines(line, 5), line) << "one line that fits";
  EXPECT_EQ(PropertyLines(line + u"bcd", 5), line + u"\r\nbcd");
  EXPECT_EQ(PropertyLines(line + std::u16string(30, u'b'), 5), line + u"\r\n" + std::u16string(19, u'b') + u"..")
      << "what the second line cannot hold is cut";
  EXPECT_EQ(PropertyAttributeByte(0x21, true, true, false, true), 0x23) << "hidden ticked on a read-only archive";
  EXPECT_EQ(PropertyAttributeByte(0xFF, false, false, false, false), 0xD8) << "the bits not shown are kept";
}

TEST_F(CommandsTest, TimeStampsKeepReadOnlyFilesReadOnlyAndAskAtAFileThatFails) {
  Catalog({u"a.jpg", u"b.jpg", u"c.jpg"});
  files_.files[u"C:\\pics\\a.jpg"] = 0x21;
  files_.files.erase(u"C:\\pics\\b.jpg");
  Select({0});
  const StampTime time{2001, 2, 3, 4, 5, 6};
  EXPECT_EQ(WriteTimeStamps(*tables_, state_, canvas_, kStampAll, time, false, 0, 3, files_), 2);
  EXPECT_EQ(prompt_.shown[0].text, u"『 ３種類の日時 』 を変更します。 ≪ｷｬﾝｾﾙ≫で終了 ");
  EXPECT_EQ(prompt_.shown[0].caption, u"日時変更　【 全ファイル対象 】");
  EXPECT_EQ(prompt_.shown[1].caption, u"C:\\pics\\b.jpg") << "the missing file is asked about, OK goes on";
  EXPECT_EQ(files_.stamped[u"C:\\pics\\a.jpg"], time);
  EXPECT_EQ(files_.files[u"C:\\pics\\a.jpg"], 0x21u) << "read-only again";
  EXPECT_EQ(files_.stamped[u"C:\\pics\\c.jpg"], time);
  EXPECT_EQ(state_.selected, 0) << "outside selected-only mode the selection is cleared after";

  prompt_.shown.clear();
  EXPECT_EQ(WriteTimeStamps(*tables_, state_, canvas_, kStampAccess, time, true, 0, 3, files_), 0);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイルを選択してください");
}

}  // namespace
}  // namespace tarn
