// The rules around the settings that need no file: the key table, the catalog limit rule, the
// "Tarn.ini" values as text, the defaults and the reset command.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Settings.h"
#include "base/SettingsKeys.h"
#include "tests/support/RecordingSettingsHost.h"

namespace tarn {
namespace {

const SettingKey& Key(std::u16string_view name) {
  for (const SettingKey& key : SettingKeys())
    if (key.key == name) return key;
  ADD_FAILURE() << "no key";
  return SettingKeys()[0];
}

class SettingsRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaults();
    g_ShreditFound = 0;
    g_StartFolder = u"C:\\Tarn\\";
    InstallSettingsHost(&host_);
  }
  void TearDown() override {
    InstallSettingsHost(nullptr);
    SetDefaults();
    g_ShreditFound = 0;
  }
  test::RecordingSettingsHost host_;
};

TEST_F(SettingsRulesTest, KeyTableHasEveryKeyOnceInItsSectionWithItsDefault) {
  const auto keys = SettingKeys();
  ASSERT_EQ(keys.size(), 49u);
  std::set<std::u16string_view> names;
  for (const SettingKey& key : keys) EXPECT_TRUE(names.insert(key.key).second) << "duplicate key";
  EXPECT_EQ(keys.front().key, u"SinglClickFlag");
  EXPECT_EQ(keys.back().key, u"ExifThumbnail");
  EXPECT_EQ(keys.back().section, u"Thumbnail") << "apart from the original sections";
  EXPECT_EQ(Key(u"TreeButton1").section, u"TarnDlg");
  EXPECT_EQ(Key(u"SelectOnlyTimeFlag").section, u"TarnDlg");
  EXPECT_EQ(Key(u"TimeStampSelect").section, u"TarnDlg");
  EXPECT_EQ(Key(u"TreeFilePath13").section, u"TreeFilePath");
  EXPECT_EQ(Key(u"AppliSW2").section, u"AppliSel");
  EXPECT_EQ(Key(u"CatalogLimit").section, u"Tarn");
  EXPECT_EQ(Key(u"ThumbLowFlag").section, u"Tarn");

  // Every integer variable starts at its table default after SetDefaults.
  for (const SettingKey& key : keys)
    if (key.kind == KeyKind::kInteger) *key.value = 77;
  SetDefaults();
  for (const SettingKey& key : keys)
    if (key.kind == KeyKind::kInteger) EXPECT_EQ(*key.value, key.defaultValue);
  EXPECT_EQ(g_MonitorFlag, 1);
  EXPECT_EQ(g_CatalogSize, 1);
  EXPECT_EQ(g_DustBoxFlag, 1);
  EXPECT_EQ(g_SelectOnlyTimeFlag, 1);
}

TEST_F(SettingsRulesTest, CatalogLimitRuleTable) {
  struct Row {
    int smallMem, size, limit, expected;
  };
  const Row rows[] = {
      {0, 0, 0, 1600},   {0, 1, 1, 1},       {0, 1, 1600, 1600}, {0, 1, 1601, 1600}, {0, 0, -5, 1600},
      {0, 2, 0, 900},    {0, 2, 900, 900},   {0, 2, 901, 900},   {0, 2, 700, 700},   {0, 3, 600, 600},
      {0, 3, 601, 600},  {0, 3, 0, 600},     {1, 1, 700, 600},   {1, 0, 600, 600},   {1, 2, 1, 1},
      {1, 3, 1600, 600},
  };
  for (const Row& row : rows) {
    g_SmallMemFlag = row.smallMem;
    g_CatalogSize = row.size;
    g_CatalogLimit = row.limit;
    ApplyCatalogLimitRule();
    EXPECT_EQ(g_CatalogLimit, row.expected) << row.smallMem << " " << row.size << " " << row.limit;
  }
  g_SmallMemFlag = 0;
  g_CatalogSize = 2;
  g_CatalogLimit = 5;
  ApplyCatalogLimitRule(true);
  EXPECT_EQ(g_CatalogLimit, 900) << "the small-memory click sets the row maximum";
}

TEST_F(SettingsRulesTest, ChoosingCatalogSizesLowersTheLimitOnlyWhereTheRowSaysSo) {
  g_CatalogLimit = 1600;
  SelectCatalogSize(2);
  EXPECT_EQ(g_CatalogLimit, 900);
  SelectCatalogSize(3);
  EXPECT_EQ(g_CatalogLimit, 600);
  SelectCatalogSize(0);
  EXPECT_EQ(g_CatalogLimit, 600) << "S and M leave it unchanged";
  g_CatalogLimit = 1200;
  g_SmallMemFlag = 1;
  SelectCatalogSize(3);
  EXPECT_EQ(g_CatalogLimit, 1200) << "not with small memory";
  EXPECT_EQ(g_CatalogSize, 3);
  SelectCatalogSize(4);
  EXPECT_EQ(g_CatalogSize, 3) << "no fifth size";
}

TEST_F(SettingsRulesTest, IniValuesAsTextAndBack) {
  g_SinglClickFlag = 12;
  EXPECT_EQ(IniValueText(Key(u"SinglClickFlag")), u"12") << "stored whole";
  g_CatalogLimit = 1234;
  EXPECT_EQ(IniValueText(Key(u"CatalogLimit")), u"1234");
  EXPECT_EQ(IniValueText(Key(u"TimerFlag")), u"2");
  SelectSlideInterval(4);
  EXPECT_EQ(IniValueText(Key(u"TimerFlag")), u"4");
  m_TimerFlag[4] = 0;
  EXPECT_EQ(IniValueText(Key(u"TimerFlag")), u"2") << "none on";
  SelectHolder(0);
  EXPECT_EQ(IniValueText(Key(u"HolderFlag")), u"0");
  for (int& flag : m_HolderFlag) flag = 0;
  EXPECT_EQ(IniValueText(Key(u"HolderFlag")), u"1");
  g_TreeButton[0] = 9;
  EXPECT_EQ(IniValueText(Key(u"TreeButton0")), u"7");
  for (int i = 0; i < 255; ++i) g_TreeFilePath[3][i] = u'a';
  g_TreeFilePath[3][255] = u'\0';
  EXPECT_EQ(IniValueText(Key(u"TreeFilePath3")).size(), 255u);

  SetDefaults();
  ApplyIniValue(Key(u"SinglClickFlag"), u"12");
  EXPECT_EQ(g_SinglClickFlag, 12);
  ApplyIniValue(Key(u"TimerFlag"), u"0");
  EXPECT_EQ(m_SlideInterval, 5);
  EXPECT_EQ((std::vector<int>(m_TimerFlag, m_TimerFlag + 5)), (std::vector<int>{1, 0, 0, 0, 0}));
  ApplyIniValue(Key(u"TimerFlag"), u"9");
  EXPECT_EQ(m_TimerFlag[0], 1) << "an index outside the group is ignored";
  ApplyIniValue(Key(u"HolderFlag"), u"-1");
  EXPECT_EQ(m_HolderFlag[1], 1);
  ApplyIniValue(Key(u"HolderFlag"), u"5");
  EXPECT_EQ(m_HolderFlag[5], 1);
  EXPECT_EQ(m_HolderFlag[1], 0);
  ApplyIniValue(Key(u"CatalogLimit"), u"  -12abc");
  EXPECT_EQ(g_CatalogLimit, -12);
  ApplyIniValue(Key(u"CatalogLimit"), u"99999999999999999999");
  EXPECT_EQ(g_CatalogLimit, 2147483647);
  ApplyIniValue(Key(u"AppliSW0"), std::u16string(63, u'z'));
  EXPECT_EQ(SettingText(g_AppliSW[0], kSwitchChars), std::u16string(63, u'z'));
  ApplyIniValue(Key(u"AppliSW0"), std::u16string(64, u'w'));
  EXPECT_EQ(SettingText(g_AppliSW[0], kSwitchChars), std::u16string(63, u'z')) << "too long: not taken";
  ApplyIniValue(Key(u"TreeFilePath0"), std::u16string(255, u'p'));
  EXPECT_EQ(SettingText(g_TreeFilePath[0], kPathChars).size(), 255u);
  ApplyIniValue(Key(u"TreeFilePath1"), std::u16string(256, u'p'));
  EXPECT_EQ(SettingText(g_TreeFilePath[1], kPathChars), u"");
}

TEST_F(SettingsRulesTest, LoadFinishTreeButtonsIndexesAndShredit) {
  ApplyIniValue(Key(u"TreeButton0"), u"9");
  ApplyIniValue(Key(u"TreeButton1"), u"6");
  g_CatalogSize = 2;
  g_TimeStampSelect = 4;
  g_CatalogLimit = 0;
  FinishSettingsLoad(true);
  EXPECT_EQ(g_TreeButton[0], 7);
  EXPECT_EQ(g_TreeButton[1], 6);
  EXPECT_EQ(g_LastTree[0], -1);
  EXPECT_EQ(g_LastTree[1], 13);
  EXPECT_EQ(g_CatalogLimit, 900) << "CatalogLimit 0 with catalog size L";
  EXPECT_EQ(g_TimeStampSelect, 0) << "no fifth kind of time";

  SetDefaults();
  g_CatalogSize = 9;
  g_TreeButton[0] = -2;
  g_SmallMemFlag = 1;
  g_CatalogLimit = 700;
  FinishSettingsLoad(false);
  EXPECT_EQ(g_CatalogSize, 1);
  EXPECT_EQ(g_TreeButton[0], 7);
  EXPECT_EQ(g_CatalogLimit, 600) << "700 with small memory";
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"") << "Shredit.exe was not found";

  g_ShreditFound = 1;
  FinishSettingsLoad(false);
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"") << "the application list was not read";
  FinishSettingsLoad(true);
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"C:\\Tarn\\Shredit.exe");
  CopySettingText(g_AppliName[2], kPathChars, u"D:\\Other.exe");
  FinishSettingsLoad(true);
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"D:\\Other.exe") << "a set slot is kept";

  // A start folder too long for the slot leaves it empty rather than half a path.
  g_AppliName[2][0] = u'\0';
  g_StartFolder = u"C:\\" + std::u16string(250, u'd') + u"\\";
  FinishSettingsLoad(true);
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"");
}

TEST_F(SettingsRulesTest, SetDefaultsClearsTheRunTimeValuesAndRestoreClearsTheScreen) {
  g_CatalogOffset = 100;
  g_SubFolderOffset = 5;
  g_MinFileSize = 1000;
  g_MaxFileSize = 100000;
  g_ExtRestrict = 2;
  g_MultiWindowFlag = 1;
  g_LastTree[0] = 6;
  CopySettingText(g_TreeFilePath[5], kPathChars, u"C:\\x");
  CopySettingText(g_AppliSW[1], kSwitchChars, u"/x");
  SelectHolder(3);
  SelectSlideInterval(0);
  RestoreDefaults();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearScreen"}));
  EXPECT_EQ(g_CatalogOffset + g_SubFolderOffset + g_ExtRestrict + g_MultiWindowFlag, 0);
  EXPECT_EQ(g_MinFileSize + g_MaxFileSize, 0);
  EXPECT_EQ(g_LastTree[0], -1);
  EXPECT_EQ(g_TreeFilePath[5][0], u'\0');
  EXPECT_EQ(g_AppliSW[1][0], u'\0');
  EXPECT_EQ(m_SlideInterval, 20);
  EXPECT_EQ((std::vector<int>(m_HolderFlag, m_HolderFlag + 6)), (std::vector<int>{0, 1, 0, 0, 0, 0}));
}

TEST_F(SettingsRulesTest, ResetTouchesOnlyItsOwnKeys) {
  g_SinglClickFlag = 1;
  g_AdjustSizeFlag = 0;
  g_ChgUniFileFlag = 0;
  g_DispDlgMoveFlag = 0;
  g_MaxSizeFlag = 1;
  g_MultiWindowFlag = 1;
  g_MonitorFlag = 0;
  g_CatalogSize = 3;
  SelectSlideInterval(4);
  g_MinFileSize = 5;
  g_MaxFileSize = 50;
  g_ExtRestrict = 1;
  g_CatalogOffset = 40;
  g_CatalogLimit = 12;
  g_ThumbNailFlag = 0;
  // Keys the reset leaves alone.
  g_SequenceFlag = 1;
  g_BlackFlag = 1;
  g_DustBoxFlag = 0;
  g_SubFolderOffset = 9;
  SelectHolder(4);
  CopySettingText(g_AppliName[2], kPathChars, u"D:\\Shred.exe");

  ResetSettings();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"RedrawDisplay", "MoveDisplayDialog", "CloseDisplayWindows"}));
  EXPECT_EQ(g_SinglClickFlag, 0);
  EXPECT_EQ(g_AdjustSizeFlag, 1);
  EXPECT_EQ(g_ChgUniFileFlag, 1);
  EXPECT_EQ(g_DispDlgMoveFlag, 1);
  EXPECT_EQ(g_MaxSizeFlag, 0);
  EXPECT_EQ(g_MultiWindowFlag, 0);
  EXPECT_EQ(g_MonitorFlag, 1);
  EXPECT_EQ(g_CatalogSize, 1);
  EXPECT_EQ(m_SlideInterval, 20);
  EXPECT_EQ(m_TimerFlag[2], 1);
  EXPECT_EQ(g_MinFileSize + g_MaxFileSize + g_ExtRestrict + g_CatalogOffset, 0);
  EXPECT_EQ(g_CatalogLimit, 1600);
  EXPECT_EQ(g_ThumbNailFlag, 1);
  EXPECT_EQ(g_SequenceFlag, 1);
  EXPECT_EQ(g_BlackFlag, 1);
  EXPECT_EQ(g_DustBoxFlag, 0);
  EXPECT_EQ(g_SubFolderOffset, 9);
  EXPECT_EQ(m_HolderFlag[4], 1);
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"D:\\Shred.exe") << "Shredit.exe was not found";

  host_.calls.clear();
  g_ShreditFound = 1;
  g_SmallMemFlag = 1;
  ResetSettings();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"MoveDisplayDialog", "CloseDisplayWindows"}))
      << "no redraw when AUTO size was already on";
  EXPECT_EQ(SettingText(g_AppliName[2], kPathChars), u"C:\\Tarn\\Shredit.exe") << "even over a set slot";
  EXPECT_EQ(g_CatalogLimit, 600) << "small memory keeps its row";
}

}  // namespace
}  // namespace tarn
