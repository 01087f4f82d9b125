// The TreeList text: written and read back, the loader's parent stack at its 20-level bound,
// hostile files, item paths from labels, and trees built from folders in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextUtil.h"
#include "folders/TreeBuild.h"
#include "folders/TreeList.h"
#include "folders/TreePath.h"
#include "tests/folders/MemoryDirectories.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::CancellingProgress;
using test::MemoryDirectories;

// C:\Photos with 2024 (holding Jan and feb) and Trip; Jan holds Day1.
std::vector<TreeListItem> SampleTree() {
  return {{u"C:\\Photos", -1, true}, {u"2024", 0, true}, {u"feb", 1, false}, {u"Jan", 1, true},
          {u"Day1", 3, false},       {u"Trip", 0, false}};
}

constexpr char16_t kSampleText[] =
    u"##ツリーリスト　アイテム数 = 6\n"
    u"C:\\Photos\n"
    u"C:\\Photos/2024/\n"
    u"2024/feb\n"
    u"2024/Jan/\n"
    u"Jan/Day1\n"
    u"C:\\Photos/Trip\n"
    u"##ツリーリスト END\n";

// A chain root > L1 > ... > Ln where every level but the last has children.
std::u16string Chain(int levels) {
  std::vector<TreeListItem> items{{u"R", -1, true}};
  for (int i = 1; i <= levels; ++i) items.push_back({u"L" + DecimalText(i), i - 1, i < levels});
  return WriteTreeList(items, static_cast<int>(items.size()));
}

TEST(TreeListTest, WritesTheFileLineByLineAndReadsItBack) {
  const std::u16string text = WriteTreeList(SampleTree(), 6);
  EXPECT_EQ(text, kSampleText);
  TreeListContent read;
  ASSERT_EQ(ReadTreeList(text, 4, read), TreeListRead::kLoaded);
  ASSERT_EQ(read.items.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(read.items[i].label, SampleTree()[i].label) << i;
    EXPECT_EQ(read.items[i].parent, SampleTree()[i].parent) << i;
  }
  EXPECT_EQ(read.selected, 3) << "the fourth visible item, counted from 1";
  EXPECT_EQ(WriteTreeList(read.items, 6), text) << "a loaded tree saves to the same file";
}

TEST(TreeListTest, SelectionFallsBackToTheRoot) {
  TreeListContent read;
  for (int position : {0, 7, -3}) {
    ASSERT_EQ(ReadTreeList(kSampleText, position, read), TreeListRead::kLoaded);
    EXPECT_EQ(read.selected, 0) << position;
  }
}

TEST(TreeListTest, ParentsMatchWithoutRegardToCaseAndNearestFirst) {
  // Two folders named "a" at different depths: the child goes under the nearer open one.
  const std::u16string text = u"#\nR\nR/a/\na/A/\nA/leaf\nR/b\r\n##ツリーリスト END";
  TreeListContent read;
  ASSERT_EQ(ReadTreeList(text, 0, read), TreeListRead::kLoaded);
  ASSERT_EQ(read.items.size(), 5u);
  EXPECT_EQ(read.items[2].parent, 1);
  EXPECT_EQ(read.items[3].parent, 2) << "\"A\" is the nearest open parent matching \"A\"";
  EXPECT_EQ(read.items[4].label, u"b") << "CR LF line ends are read too";
  EXPECT_EQ(read.items[4].parent, 0);

  // A folder whose name starts with "#" keeps its children: only lines without "/" are marks.
  ASSERT_EQ(ReadTreeList(u"#\nR\nR/#c/\n#c/d\n", 0, read), TreeListRead::kLoaded);
  ASSERT_EQ(read.items.size(), 3u);
  EXPECT_EQ(read.items[2].parent, 1);
}

TEST(TreeListTest, TwentyOpenLevelsLoadAndTwentyOneOverflow) {
  TreeListContent read;
  EXPECT_EQ(ReadTreeList(Chain(20), 0, read), TreeListRead::kLoaded) << "root and 19 parents, one leaf below";
  EXPECT_EQ(read.items.back().parent, 19);
  EXPECT_EQ(ReadTreeList(Chain(21), 0, read), TreeListRead::kNestingOverflow) << "a 21st open level";
}

TEST(TreeListTest, HostileFilesAreRefusedNotGuessed) {
  const std::u16string broken[] = {
      u"",                                   // nothing
      u"#\n##ツリーリスト END\n",             // no root
      u"#\nR\nR2\n",                          // a second root
      u"#\nX/a\nR\n",                         // an item before the root
      u"#\nR\nnobody/a\n",                    // a parent that is not open
      u"#\nR\nR/\n",                          // an empty label
      u"#\nR\nR/a\na/b\n",                    // "a" has no children mark, so it is not open
  };
  for (const std::u16string& text : broken) {
    TreeListContent read;
    EXPECT_EQ(ReadTreeList(text, 1, read), TreeListRead::kBroken) << std::string(text.begin(), text.end());
  }
}

TEST(TreeListTest, ItemPathsJoinLabelsUpToTheRoot) {
  EXPECT_EQ(TreeItemPath({u"Day1", u"Jan", u"2024", u"C:\\Photos"}), u"C:\\Photos\\2024\\Jan\\Day1\\");
  EXPECT_EQ(TreeItemPath({u"C:\\Photos"}), u"C:\\Photos\\");
  EXPECT_EQ(TreeItemPath({u"x", u"C:"}), u"C:\\x\\") << "a drive root shown without its backslash";
  EXPECT_EQ(TreeItemPath({u"x", u"D:\\"}), u"D:\\x\\") << "no second backslash";
  EXPECT_EQ(TreeRootLabel(u"C:\\\\\\\\"), u"C:\\") << "at most three backslashes go";
  EXPECT_EQ(TreeRootLabel(u"D:\\pics\\"), u"D:\\pics");
}

TEST(TreeBuildTest, BuildsSortedExpandedTreeOfFoldersOnly) {
  MemoryDirectories disk(u"C:\\r\\");
  const std::u16string b = disk.Folder(u"C:\\r\\", u"b");
  disk.File(u"C:\\r\\", u"a.jpg");
  disk.Folder(u"C:\\r\\", u"A2");
  disk.Folder(b, u"z");
  disk.Folder(b, u"Y");
  CancellingProgress progress;
  std::vector<TreeListItem> items;
  ASSERT_EQ(BuildFolderTree(u"C:\\r\\\\", disk, progress, items), kTreeBuilt);
  const std::u16string expected = u"##ツリーリスト　アイテム数 = 5\nC:\\r\nC:\\r/A2\nC:\\r/b/\nb/Y\nb/z\n##ツリーリスト END\n";
  EXPECT_EQ(WriteTreeList(items, static_cast<int>(items.size())), expected);
}

TEST(TreeBuildTest, StopsAfterThirtyThousandEntriesAndKeepsWhatWasBuilt) {
  MemoryDirectories disk(u"C:\\r\\");
  disk.Folder(u"C:\\r\\", u"first");
  for (int i = 0; i < kTreeEntriesMax - 5; ++i) disk.File(u"C:\\r\\", u"f");  // 30000 with the dot entries
  CancellingProgress progress;
  std::vector<TreeListItem> items;
  EXPECT_EQ(BuildFolderTree(u"C:\\r", disk, progress, items), kTreeBuilt) << "exactly 30000 entries";
  disk.Folder(u"C:\\r\\", u"late");
  EXPECT_EQ(BuildFolderTree(u"C:\\r", disk, progress, items), kTreeTooManyEntries);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].label, u"first");
  EXPECT_EQ(progress.positions.back(), 100);
}

TEST(TreeBuildTest, CancelStopsTheBuild) {
  MemoryDirectories disk(u"C:\\r\\");
  disk.Folder(u"C:\\r\\", u"a");
  disk.Folder(u"C:\\r\\", u"b");
  CancellingProgress progress;
  progress.cancelAtCheck = 4;  // ".", "..", "a" (whose own "." and ".." are the 4th and 5th)
  std::vector<TreeListItem> items;
  EXPECT_EQ(BuildFolderTree(u"C:\\r", disk, progress, items), kTreeCancelled);
  EXPECT_EQ(items.size(), 2u);
}

}  // namespace
}  // namespace tarn
