#include <gtest/gtest.h>

#include "base/Prompt.h"
#include "base/TextUtil.h"

namespace tarn {
namespace {

TEST(FitWidth, SingleWidthTextLeavesOutTheCharacterThatReachesTheWidth) {
  EXPECT_EQ(FitWidth(u"ABCDE", 3, 4), 2);
  EXPECT_EQ(FitWidth(u"ABCDE", 1, 4), 0);
  EXPECT_EQ(FitWidth(u"ABC", 10, 4), 3) << "never reached: the whole text";
  EXPECT_EQ(FitWidth(u"", 3, 4), 0);
  // Half-width katakana count one unit; the next code point is double width.
  EXPECT_EQ(FitWidth(u"\uFF71\uFF9D\uFF71", 3, 4), 2);
  EXPECT_EQ(FitWidth(u"\uFF70\uFF70", 3, 4), 2) << "0xFF70 is outside the half-width range: 2 + 2";
}

TEST(FitWidth, DoubleWidthTextKeepsTheCharacterAndOlderSystemsOneMore) {
  EXPECT_EQ(FitWidth(u"あいう", 4, 4), 2) << "index 1 plus 1";
  EXPECT_EQ(FitWidth(u"あいう", 4, 3), 3) << "only double width, OS kind 3: index plus 2";
  EXPECT_EQ(FitWidth(u"あいう", 4, 1), 3);
  EXPECT_EQ(FitWidth(u"Aあい", 4, 3), 3) << "a single-width character was seen: plus 1";
  EXPECT_EQ(FitWidth(u"ABあ", 4, 4), 3);
}

TEST(GroupDigits, CommasEveryThreeDigitsFromTheRight) {
  EXPECT_EQ(GroupDigits(0), u"0");
  EXPECT_EQ(GroupDigits(999), u"999");
  EXPECT_EQ(GroupDigits(1000), u"1,000");
  EXPECT_EQ(GroupDigits(1234567), u"1,234,567");
  EXPECT_EQ(GroupDigits(-1234), u"-1,234");
  EXPECT_EQ(GroupDigits(-100), u"-100");
  EXPECT_EQ(GroupDigits(9223372036854775807LL), u"9,223,372,036,854,775,807");
  EXPECT_EQ(GroupDigits(-9223372036854775807LL - 1), u"-9,223,372,036,854,775,808");
}

TEST(WrapPath, LinesEndAfterABackslashOrAtTheWidthAndJoinToThePath) {
  EXPECT_EQ(WrapPath(u"C:\\ab\\cd.bmp", 20), u"C:\\ab\\cd.bmp") << "short enough: untouched";
  EXPECT_EQ(WrapPath(u"C:\\abc\\def\\g.bmp", 10), u"C:\\abc\\\ndef\\g.bmp");
  EXPECT_EQ(WrapPath(u"C:\\abcdefghijkl", 6), u"C:\\\nabcdef\nghijkl") << "no backslash: cut at the width";
  EXPECT_EQ(WrapPath(u"写真写真写真", 5), u"写真\n写真\n写真") << "double width: two units each";
  EXPECT_EQ(WrapPath(u"ab\U0001F600cd", 3), u"ab\n\U0001F600\ncd") << "a surrogate pair stays whole";
  EXPECT_EQ(WrapPath(u"", 5), u"");
}

TEST(PathText, BlanksCommasAndBackslashes) {
  EXPECT_TRUE(HasBlank(u"C:\\My Pictures\\a.bmp"));
  EXPECT_FALSE(HasBlank(u"C:\\Pictures\\a.bmp"));
  EXPECT_FALSE(HasBlank(u"C:\\写真　一覧")) << "a full-width blank is not a blank";
  EXPECT_TRUE(HasComma(u"a,b"));
  EXPECT_FALSE(HasComma(u"a、b"));
  std::u16string path = u"C:\\Pictures";
  AppendBackslash(path);
  EXPECT_EQ(path, u"C:\\Pictures\\");
  AppendBackslash(path);
  EXPECT_EQ(path, u"C:\\Pictures\\");
  std::u16string empty;
  AppendBackslash(empty);
  EXPECT_EQ(empty, u"\\");
}

TEST(PathText, CaseFoldingIsAsciiOnly) {
  EXPECT_TRUE(EndsWithIgnoreCase(u"PHOTO.Gif", u".gif"));
  EXPECT_FALSE(EndsWithIgnoreCase(u"gif", u".gif"));
  EXPECT_TRUE(EqualsIgnoreCase(u"TarnGif.SPI", u"tarngif.spi"));
  EXPECT_FALSE(EqualsIgnoreCase(u"Ａ", u"ａ")) << "full-width letters are not folded";
}

TEST(SwitchMessage, NamesTheHandlerAndTheValue) {
  EXPECT_EQ(SwitchMessage(u"CMainFrame::StatusBarSet", 17), u"CMainFrame::StatusBarSet Switch = 17");
  EXPECT_EQ(SwitchMessage(u"CTarnView::OnUpdate", -3), u"CTarnView::OnUpdate Switch = -3");
}

}  // namespace
}  // namespace tarn
