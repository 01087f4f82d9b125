// The thumbnail dialog's portable rules: finding cache files over a tree with its two limits,
// the count of a cache file with its size check, picked folders, and first-frame names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextUtil.h"
#include "catalog/cache/ThumbnailRecord.h"
#include "folders/CacheSearch.h"
#include "folders/FirstFrameName.h"
#include "folders/FolderPicks.h"
#include "folders/ThumbCount.h"
#include "tests/catalog/MemoryThumbFiles.h"
#include "tests/folders/MemoryDirectories.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::CancellingProgress;
using test::MemoryDirectories;
using test::MemoryThumbFiles;
using test::ScriptedPrompt;

class CacheSearchTest : public ::testing::Test {
 protected:
  CacheSearch Search(const std::u16string& folder, bool subfolders) {
    return SearchCacheFolders(folder, subfolders, disk_, progress_, [this](std::u16string_view line) { log_.emplace_back(line); });
  }
  MemoryDirectories disk_{u"C:\\t\\"};
  CancellingProgress progress_;
  ScriptedPrompt prompt_;
  std::vector<std::u16string> log_;
};

TEST_F(CacheSearchTest, WithoutSubfoldersOnlyTheFolderItselfCounts) {
  disk_.File(u"C:\\t\\", u"_thumb_n.trn");
  disk_.File(disk_.Folder(u"C:\\t\\", u"sub"), u"_THUMB_N.TRN");
  CacheSearch found = Search(u"C:\\t\\", false);
  EXPECT_EQ(found.found, 1) << "the name is matched without regard to case; the subfolder is not searched";
  found = Search(u"C:\\t\\", true);
  EXPECT_EQ(found.found, 2);
  EXPECT_EQ(found.folders.Paths(), (std::vector<std::u16string>{u"C:\\t\\", u"C:\\t\\sub\\"}));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(CacheSearchTest, AHundredFoldersAreTheMostAndTheRestAreLeft) {
  for (int i = 0; i < 150; ++i) {
    std::u16string name(1, u'd');
    name += DecimalText(i);
    disk_.File(disk_.Folder(u"C:\\t\\", name), u"_THUMB_N.TRN");
  }
  const CacheSearch found = Search(u"C:\\t\\", true);
  EXPECT_EQ(found.result, kCacheSearchFolderLimit);
  EXPECT_EQ(found.folders.Count(), 100);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].caption, u"最大削除下位フォルダ数 = 100");
}

TEST_F(CacheSearchTest, EntryLimitLongPathsAndCancel) {
  for (int i = 0; i < kTreeEntriesMax; ++i) disk_.File(u"C:\\t\\", u"x");
  CacheSearch found = Search(u"C:\\t\\", true);
  EXPECT_EQ(found.result, kCacheSearchEntryLimit);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].caption, u"最大検索ファイル数 = 30000");

  const std::u16string deep = u"C:\\" + std::u16string(251, u'a') + u"\\";  // 255 characters
  found = Search(deep, true);
  EXPECT_EQ(found.found, 0);
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0], u"kodomo1 ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= 255\n" + deep);

  progress_.checks = 0;
  progress_.cancelAtCheck = 1;
  EXPECT_EQ(Search(u"C:\\t\\", true).result, kCacheSearchCancelled);
}

TEST(ThumbCountTest, CountsRecordsOfTheCurrentSizeOnly) {
  ScriptedPrompt prompt;
  MemoryThumbFiles fs;
  const std::u16string folder = u"C:\\p\\";
  EXPECT_EQ(CountThumbnails(folder, 1, fs), -1);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイルがありません");
  EXPECT_EQ(prompt.shown.back().caption, u"C:\\p\\_THUMB_N.TRN");

  std::vector<std::uint8_t>& bytes = fs.files[folder + kThumbFileName];
  EXPECT_EQ(CountThumbnails(folder, 1, fs), -1);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイル数が≪ 0 ≫です ");

  bytes.assign(3 * kRecordLengthM + 100, 0);
  bytes[1] = 9;  // an L record in an M catalog
  EXPECT_EQ(CountThumbnails(folder, 1, fs), -1);
  EXPECT_EQ(prompt.shown.back().text, u"≪ カタログサイズ不一致 ≫  Ｍサイズではありません");
  bytes[1] = 6;  // obsolete M records still count
  EXPECT_EQ(CountThumbnails(folder, 1, fs), 3) << "a partial record at the end is not counted";
  EXPECT_EQ(CountThumbnails(folder, 2, fs), -1);
  EXPECT_EQ(prompt.shown.back().text, u"≪ カタログサイズ不一致 ≫  Ｌサイズではありません");
}

TEST(FolderPicksTest, DuplicatesLengthAndTheHundredthPick) {
  FolderPicks picks;
  EXPECT_EQ(picks.Add(u"C:\\a"), FolderPicks::kAdded);
  EXPECT_EQ(picks.Add(u"c:\\A\\"), FolderPicks::kAlreadyThere);
  EXPECT_EQ(picks.Add(u"C:\\" + std::u16string(250, u'x')), FolderPicks::kAdded) << "254 with the backslash";
  EXPECT_EQ(picks.Add(u"C:\\" + std::u16string(251, u'y')), FolderPicks::kTooLong);
  for (int i = picks.Count(); i < kFolderPicksMax; ++i) ASSERT_EQ(picks.Add(u"D:\\" + DecimalText(i)), FolderPicks::kAdded);
  EXPECT_EQ(picks.Add(u"E:\\one-too-many"), FolderPicks::kFull);
  EXPECT_EQ(picks.Count(), 100);
}

TEST(FirstFrameNameTest, OnlyFrameZeroBitmapsLoseTheirTag) {
  std::u16string renamed;
  EXPECT_EQ(FirstFrameRename(u"clip[0].BMP", renamed), FirstFrameName::kRename);
  EXPECT_EQ(renamed, u"clip.BMP");
  EXPECT_EQ(FirstFrameRename(u"a.b[0].bmp", renamed), FirstFrameName::kRename);
  EXPECT_EQ(renamed, u"a.b.bmp");
  for (const char16_t* keep : {u"clip[1].BMP", u"clip[0].jpg", u"[0].BMP", u"clip.BMP", u"clip[0].BMP.txt"})
    EXPECT_EQ(FirstFrameRename(keep, renamed), FirstFrameName::kKeep) << std::u16string(keep).size();
  EXPECT_EQ(FirstFrameRename(u"noextension", renamed), FirstFrameName::kNoExtension);

  MemoryDirectories disk(u"C:\\m\\");
  disk.File(u"C:\\m\\", u"bmp-z");  // a file, not a folder
  disk.Folder(u"C:\\m\\", u"frames");
  EXPECT_EQ(FirstFrameFolder(u"C:\\m\\", disk), u"");
  disk.Folder(u"C:\\m\\", u"BMP_y");
  disk.Folder(u"C:\\m\\", u"bmp-x");
  EXPECT_EQ(FirstFrameFolder(u"C:\\m\\", disk), u"C:\\m\\BMP_y\\") << "the first in name order, any case";
}

}  // namespace
}  // namespace tarn
