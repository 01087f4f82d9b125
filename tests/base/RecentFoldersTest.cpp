// The recent folders' order and limit, and the menu texts that name them.
#include "base/RecentFolders.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(RecentFoldersTest, NewestFirstOnceEachAndNoMoreThanEight) {
  RecentFolders recent;
  recent.Add(u"");
  EXPECT_TRUE(recent.Folders().empty()) << "an empty folder is not listed";
  for (int i = 0; i < 10; ++i) recent.Add(u"C:\\f" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"\\");
  ASSERT_EQ(recent.Folders().size(), RecentFolders::kLimit);
  EXPECT_EQ(recent.Folders().front(), u"C:\\f9\\");
  EXPECT_EQ(recent.Folders().back(), u"C:\\f2\\") << "the oldest fell off";
  // The same folder in another case or without its backslash moves up instead of doubling.
  recent.Add(u"c:\\F5");
  EXPECT_EQ(recent.Folders().size(), RecentFolders::kLimit);
  EXPECT_EQ(recent.Folders()[0], u"c:\\F5");
  EXPECT_EQ(recent.Folders()[1], u"C:\\f9\\");
  EXPECT_TRUE(recent.Remove(u"C:\\F9\\"));
  EXPECT_FALSE(recent.Remove(u"C:\\f9\\"));
  EXPECT_EQ(recent.Folders().size(), RecentFolders::kLimit - 1);
  // A drive is a folder of its own, not a prefix of its folders.
  recent.Add(u"D:\\");
  recent.Add(u"D:\\pics");
  EXPECT_EQ(recent.Folders()[1], u"D:\\");
}

TEST(RecentFoldersTest, MenuTextsNumberTheFoldersAndShowThemAsWritten) {
  EXPECT_EQ(RecentMenuText(0, u"C:\\pics\\"), u"&1 C:\\pics\\");
  EXPECT_EQ(RecentMenuText(7, u"C:\\Tom & Jerry\\"), u"&8 C:\\Tom && Jerry\\") << "not a mnemonic";
  // A long path keeps its drive and its last folders.
  EXPECT_EQ(RecentMenuText(1, u"C:\\one\\two\\three\\four\\five", 20), u"&2 C:\\...\\four\\five");
  EXPECT_EQ(RecentMenuText(2, u"\\\\server\\share\\one\\two\\three", 24), u"&3 \\\\server\\share\\...\\three");
  // A last folder longer than the width still shows whole after the drive.
  EXPECT_EQ(RecentMenuText(3, u"C:\\a\\verylongfoldername", 10), u"&4 C:\\...\\verylongfoldername");
}

}  // namespace
}  // namespace tarn
