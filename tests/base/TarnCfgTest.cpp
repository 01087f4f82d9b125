// "Tarn.cfg" as text: written byte for byte as the hand-made file of the format, read back with its
// one-digit rule and waiting keys, and hostile text that must neither overflow nor stop the reader.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "base/SettingsKeys.h"
#include "base/TarnCfg.h"

namespace tarn {
namespace {

std::string GoldenBytes() {
  std::ifstream in(TARN_TEST_DATA "/Tarn.golden.cfg", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The golden file holds only ASCII, so its bytes are its UTF-16 units.
std::u16string Widen(const std::string& bytes) { return std::u16string(bytes.begin(), bytes.end()); }
std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    EXPECT_LT(c, 0x80) << "non-ASCII unit in the written text";
    out += static_cast<char>(c);
  }
  return out;
}

std::u16string Text(const char16_t* buffer, int capacity = kPathChars) {
  return std::u16string(SettingText(buffer, capacity));
}

void SetPath(char16_t* buffer, std::u16string_view text, int capacity = kPathChars) {
  CopySettingText(buffer, capacity, text);
}

// The settings of the golden file.
void SetGoldenValues() {
  SetDefaults();
  g_SinglClickFlag = 1;
  g_MonitorFlag = 0;
  g_SequenceFlag = 1;
  g_AdjustSizeFlag = 0;
  SelectSlideInterval(3);
  g_BlackFlag = 1;
  g_MaxSizeFlag = 1;
  SelectHolder(5);
  g_ChgUniFileFlag = 0;
  g_TreeButton[0] = 5;
  g_TreeButton[1] = 6;
  SetPath(g_TreeFilePath[0], u"C:\\Pictures\\2024\\");
  SetPath(g_TreeFilePath[2], u"D:\\Photo Album\\");
  SetPath(g_TreeFilePath[6], u"E:\\Tree Root\\");
  SetPath(g_TreeFilePath[13], u"F:\\Last\\");
  g_CatalogLimit = 1234;
  SetPath(g_AppliName[0], u"C:\\Tools\\Editor.exe");
  SetPath(g_AppliName[2], u"C:\\Tarn\\Shredit.exe");
  SetPath(g_AppliSW[0], u"/e", kSwitchChars);
  SetPath(g_AppliSW[1], u"-play", kSwitchChars);
  g_HighSpeedFlag = 0;
  g_SmallMemFlag = 0;
  g_CatRenewFlag = 1;
  g_ClearThumbFlag = 1;
  g_TrimAdjustFlag = 1;
  g_DustBoxFlag = 0;
  g_DblKeyEnterFlag = 1;
  g_SelectOnlyFlag = 0;
  g_SelectOnlyTimeFlag = 0;
  g_TimeStampSelect = 3;
  g_CatalogUseFlag = 1;
  g_ThumbNailFlag = 0;
  g_ThumbLowFlag = 1;
  g_CatalogSize = 0;
  g_DispDlgMoveFlag = 0;
  g_WallSelect2Flag = 1;
}

void ExpectGoldenValues() {
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_EQ(g_MonitorFlag, 0);
  EXPECT_EQ(g_SequenceFlag, 1);
  EXPECT_EQ(g_AdjustSizeFlag, 0);
  EXPECT_EQ((std::vector<int>(m_TimerFlag, m_TimerFlag + 5)), (std::vector<int>{0, 0, 0, 1, 0}));
  EXPECT_EQ(m_SlideInterval, 30);
  EXPECT_EQ(g_BlackFlag, 1);
  EXPECT_EQ(g_MaxSizeFlag, 1);
  EXPECT_EQ((std::vector<int>(m_HolderFlag, m_HolderFlag + 6)), (std::vector<int>{0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(g_ChgUniFileFlag, 0);
  EXPECT_EQ(g_TreeButton[0], 5);
  EXPECT_EQ(g_TreeButton[1], 6);
  EXPECT_EQ(Text(g_TreeFilePath[0]), u"C:\\Pictures\\2024\\");
  EXPECT_EQ(Text(g_TreeFilePath[1]), u"");
  EXPECT_EQ(Text(g_TreeFilePath[2]), u"D:\\Photo Album\\");
  EXPECT_EQ(Text(g_TreeFilePath[6]), u"E:\\Tree Root\\");
  EXPECT_EQ(Text(g_TreeFilePath[12]), u"");
  EXPECT_EQ(Text(g_TreeFilePath[13]), u"F:\\Last\\");
  EXPECT_EQ(g_CatalogLimit, 1234);
  EXPECT_EQ(Text(g_AppliName[0]), u"C:\\Tools\\Editor.exe");
  EXPECT_EQ(Text(g_AppliName[1]), u"");
  EXPECT_EQ(Text(g_AppliName[2]), u"C:\\Tarn\\Shredit.exe");
  EXPECT_EQ(Text(g_AppliSW[0], kSwitchChars), u"/e");
  EXPECT_EQ(Text(g_AppliSW[1], kSwitchChars), u"-play");
  EXPECT_EQ(Text(g_AppliSW[2], kSwitchChars), u"");
  EXPECT_EQ(g_HighSpeedFlag, 0);
  EXPECT_EQ(g_SmallMemFlag, 0);
  EXPECT_EQ(g_CatRenewFlag, 1);
  EXPECT_EQ(g_ClearThumbFlag, 1);
  EXPECT_EQ(g_TrimAdjustFlag, 1);
  EXPECT_EQ(g_DustBoxFlag, 0);
  EXPECT_EQ(g_DblKeyEnterFlag, 1);
  EXPECT_EQ(g_SelectOnlyFlag, 0);
  EXPECT_EQ(g_SelectOnlyTimeFlag, 0);
  EXPECT_EQ(g_TimeStampSelect, 3);
  EXPECT_EQ(g_CatalogUseFlag, 1);
  EXPECT_EQ(g_ThumbNailFlag, 0);
  EXPECT_EQ(g_ThumbLowFlag, 1);
  EXPECT_EQ(g_CatalogSize, 0);
  EXPECT_EQ(g_DispDlgMoveFlag, 0);
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

class TarnCfgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaults();
    g_ShreditFound = 0;
    g_StartFolder = u"C:\\Tarn\\";
  }
  void TearDown() override { SetDefaults(); }
};

TEST_F(TarnCfgTest, WrittenByteForByteAsTheFormat) {
  const std::string golden = GoldenBytes();
  ASSERT_FALSE(golden.empty()) << "golden file missing";
  SetGoldenValues();
  EXPECT_EQ(Narrow(WriteTarnCfg({2026, 12, 8, 9, 5, 3})), golden);
}

TEST_F(TarnCfgTest, DefaultsAreWrittenWithTheRadioFlagsOfTheDefaultIndexes) {
  const std::u16string text = WriteTarnCfg({1999, 1, 2, 23, 59, 0});
  EXPECT_TRUE(text.starts_with(u"; Localized    1999/01/02  23:59:00    Tarn.cfg\r\n[Description]\r\n"));
  EXPECT_NE(text.find(u"\r\nm_TimerFlag=_0_0_1_0_0\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\nm_HolderFlag=_0_1_0_0_0_0\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\ng_TreeButton=7_7\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\ng_TreeFilePath=\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\ng_CatalogLimit=0\r\n"),
            std::u16string::npos)
      << "fourteen empty path lines";
  EXPECT_TRUE(text.ends_with(u"\r\ng_WallSelect2Flag=0\r\n"));
  std::size_t feeds = 0, pairs = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n') ++feeds;
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++pairs;
  }
  EXPECT_EQ(feeds, 52u);
  EXPECT_EQ(pairs, feeds) << "every line ends in CR LF";
}

TEST_F(TarnCfgTest, GoldenFileReadsBackEveryValue) {
  const CfgReadResult read = ReadTarnCfg(Widen(GoldenBytes()));
  EXPECT_EQ(read.keysMatched, 31);
  EXPECT_TRUE(read.applicationsRead);
  ExpectGoldenValues();
}

TEST_F(TarnCfgTest, SingleValuesComeBackAsTheirFirstDigitButTheLimitWhole) {
  g_SinglClickFlag = 12;
  g_TimeStampSelect = 37;
  g_DispDlgMoveFlag = -1;
  g_CatalogLimit = 1599;
  const std::u16string text = WriteTarnCfg({2026, 1, 1, 0, 0, 0});
  EXPECT_NE(text.find(u"g_SinglClickFlag=12\r\n"), std::u16string::npos) << "written whole";
  SetDefaults();
  ReadTarnCfg(text);
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_EQ(g_TimeStampSelect, 3);
  EXPECT_EQ(g_DispDlgMoveFlag, 0) << "the '-' of -1 is no digit";
  EXPECT_EQ(g_CatalogLimit, 1599);
}

TEST_F(TarnCfgTest, TreeButtonsAboveSixAreWrittenAndReadAsSeven) {
  g_TreeButton[0] = 9;
  g_TreeButton[1] = 8;
  const std::u16string text = WriteTarnCfg({2026, 1, 1, 0, 0, 0});
  EXPECT_NE(text.find(u"\r\ng_TreeButton=7_7\r\n"), std::u16string::npos);

  std::u16string edited = text;
  edited.replace(edited.find(u"g_TreeButton=7_7"), 16, u"g_TreeButton=9_3");
  SetDefaults();
  ReadTarnCfg(edited);
  FinishSettingsLoad(false);
  EXPECT_EQ(g_TreeButton[0], 7);
  EXPECT_EQ(g_TreeButton[1], 3);
}

TEST_F(TarnCfgTest, LastTreesFollowTheButtonsOfBothPages) {
  ReadTarnCfg(Widen(GoldenBytes()));
  FinishSettingsLoad(false);
  EXPECT_EQ(g_LastTree[0], 5);
  EXPECT_EQ(g_LastTree[1], 13);
}

TEST_F(TarnCfgTest, MissingMonitorLineLeavesEveryLaterKeyAtItsDefault) {
  std::u16string text = Widen(GoldenBytes());
  text.erase(text.find(u"g_MonitorFlag=0\r\n"), 17);
  const CfgReadResult read = ReadTarnCfg(text);
  EXPECT_EQ(read.keysMatched, 2) << "only [Description] and g_SinglClickFlag";
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_EQ(g_MonitorFlag, 1);
  EXPECT_EQ(g_SequenceFlag, 0);
  EXPECT_EQ(m_TimerFlag[2], 1);
  EXPECT_EQ(Text(g_TreeFilePath[0]), u"");
  EXPECT_EQ(g_CatalogLimit, 0);
  EXPECT_EQ(g_WallSelect2Flag, 0);
  EXPECT_FALSE(read.applicationsRead);
}

TEST_F(TarnCfgTest, KeysThatMoveOnLoseTheirValueToAStrayLine) {
  // A stray line where g_SequenceFlag belongs: that key is given up and g_AdjustSizeFlag takes
  // the next line.
  std::u16string text = Widen(GoldenBytes());
  text.insert(text.find(u"g_SequenceFlag="), u"stray\r\n");
  ReadTarnCfg(text);
  EXPECT_EQ(g_SequenceFlag, 0) << "default kept";
  EXPECT_EQ(g_AdjustSizeFlag, 1) << "its line was tried against the wrong key";
  EXPECT_EQ(g_BlackFlag, 0) << "every key up to the waiting g_TreeButton= is lost";
  EXPECT_EQ(g_ChgUniFileFlag, 1);
  EXPECT_EQ(g_TreeButton[0], 5) << "back in step at the waiting key";
  EXPECT_EQ(g_WallSelect2Flag, 1);

  // A waiting key passes over stray lines.
  SetDefaults();
  text = Widen(GoldenBytes());
  text.insert(text.find(u"g_SmallMemFlag="), u"noise\r\nmore noise\r\n");
  ReadTarnCfg(text);
  EXPECT_EQ(g_CatRenewFlag, 1);
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

TEST_F(TarnCfgTest, ListValuesAreTakenWhateverTheyHold) {
  // A shortened path list eats the keys after it as paths: the file's order is the contract.
  std::u16string text = Widen(GoldenBytes());
  const std::size_t from = text.find(u"F:\\Last\\\r\n");
  text.erase(from, 10);
  ReadTarnCfg(text);
  EXPECT_EQ(Text(g_TreeFilePath[13]), u"g_CatalogLimit=1234");
  EXPECT_EQ(g_CatalogLimit, 0);
  EXPECT_EQ(Text(g_AppliName[0]), u"") << "g_AppliName= was given up after one line";
}

TEST_F(TarnCfgTest, EveryTruncationOfTheFileReadsAPrefixOfTheValues) {
  const std::u16string whole = Widen(GoldenBytes());
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SetDefaults();
    const CfgReadResult read = ReadTarnCfg(whole.substr(0, cut));
    ASSERT_LE(read.keysMatched, 31);
    if (cut == whole.size()) ExpectGoldenValues();
  }
  // Cut inside the last line's value: the key is there, its digit is not.
  SetDefaults();
  ReadTarnCfg(whole.substr(0, whole.size() - 3));
  EXPECT_EQ(g_WallSelect2Flag, 0);
  EXPECT_EQ(g_DispDlgMoveFlag, 0);
}

TEST_F(TarnCfgTest, OverlongLinesAreCutToTheBufferAndKeepTheLinesInStep) {
  std::u16string text = Widen(GoldenBytes());
  const std::u16string longPath = u"C:\\" + std::u16string(5000, u'x');
  text.replace(text.find(u"C:\\Pictures\\2024\\"), 17, longPath);
  text.replace(text.find(u"g_CatalogLimit=1234"), 19, u"g_CatalogLimit=" + std::u16string(3000, u'9'));
  const std::u16string longSwitch(500, u's');
  text.replace(text.find(u"/e\r\n"), 2, longSwitch);
  ReadTarnCfg(text);
  EXPECT_EQ(Text(g_TreeFilePath[0]), u"") << "a path cut short would name another folder";
  EXPECT_EQ(Text(g_TreeFilePath[2]), u"D:\\Photo Album\\");
  EXPECT_EQ(g_CatalogLimit, 2147483647) << "digits beyond the buffer are not read; the value saturates";
  EXPECT_EQ(Text(g_AppliSW[0], kSwitchChars), u"");
  EXPECT_EQ(Text(g_AppliSW[1], kSwitchChars), u"-play");
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

TEST_F(TarnCfgTest, ValuesThatJustFitTheirBuffersAreKept) {
  std::u16string text = Widen(GoldenBytes());
  const std::u16string path255 = u"C:\\" + std::u16string(252, u'y');
  text.replace(text.find(u"C:\\Pictures\\2024\\"), 17, path255);
  text.replace(text.find(u"/e\r\n"), 2, std::u16string(63, u's'));
  text.replace(text.find(u"-play\r\n"), 5, std::u16string(64, u't'));
  ReadTarnCfg(text);
  EXPECT_EQ(Text(g_TreeFilePath[0]), path255);
  EXPECT_EQ(Text(g_AppliSW[0], kSwitchChars), std::u16string(63, u's'));
  EXPECT_EQ(Text(g_AppliSW[1], kSwitchChars), u"") << "one character too many";

  // Written and read again unchanged.
  const std::u16string written = WriteTarnCfg({2026, 1, 1, 0, 0, 0});
  SetDefaults();
  ReadTarnCfg(written);
  EXPECT_EQ(Text(g_TreeFilePath[0]), path255);
}

TEST_F(TarnCfgTest, GarbageBareLineFeedsAndTerminatorsAreHarmless) {
  std::u16string garbage;
  unsigned seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage += static_cast<char16_t>((seed >> 16) % 7 == 0 ? u'\n' : (seed >> 8) & 0xFFFF);
  }
  ReadTarnCfg(garbage);
  EXPECT_EQ(g_MonitorFlag, 1);

  // Bare line feeds, as a text-mode copy of the file would have, read the same.
  std::u16string unix;
  for (char16_t c : Widen(GoldenBytes()))
    if (c != u'\r') unix += c;
  SetDefaults();
  ReadTarnCfg(unix);
  ExpectGoldenValues();

  // A terminator inside a path ends the path there.
  std::u16string text = Widen(GoldenBytes());
  text[text.find(u"Photo")] = u'\0';
  SetDefaults();
  ReadTarnCfg(text);
  EXPECT_EQ(Text(g_TreeFilePath[2]), u"D:\\");
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

TEST_F(TarnCfgTest, RadioLinesWithoutAnyFlagOnKeepTheDefaultChoice) {
  std::u16string text = Widen(GoldenBytes());
  text.replace(text.find(u"m_TimerFlag=_0_0_0_1_0"), 22, u"m_TimerFlag=_0_0");
  text.replace(text.find(u"m_HolderFlag=_0_0_0_0_0_1"), 25, u"m_HolderFlag=");
  ReadTarnCfg(text);
  EXPECT_EQ(m_TimerFlag[2], 1);
  EXPECT_EQ(m_SlideInterval, 20);
  EXPECT_EQ(m_HolderFlag[1], 1);
  EXPECT_EQ(g_ChgUniFileFlag, 0) << "the lines after them are still read";
}

TEST_F(TarnCfgTest, LineBreaksInsideAValueCannotShiftTheFile) {
  SetPath(g_TreeFilePath[0], u"C:\\a");
  g_TreeFilePath[0][4] = u'\n';  // set behind CopySettingText's back, as a damaged buffer would be
  g_TreeFilePath[0][5] = u'b';
  g_TreeFilePath[0][6] = u'\0';
  g_WallSelect2Flag = 1;
  const std::u16string text = WriteTarnCfg({2026, 1, 1, 0, 0, 0});
  SetDefaults();
  ReadTarnCfg(text);
  EXPECT_EQ(Text(g_TreeFilePath[0]), u"C:\\a");
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

}  // namespace
}  // namespace tarn
