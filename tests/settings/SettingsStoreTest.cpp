// Loading and saving: "Tarn.ini" in the Windows folder through the profile functions, "Tarn.cfg"
// in the start folder as code page 932 bytes, and the saving-suppressed flag.
#include "SettingsFixture.h"

namespace tarn::test {
namespace {

using SettingsStoreTest = SettingsTest;

TEST_F(SettingsStoreTest, WithoutAnyFileTheDefaultsLoadInCommonMode) {
  g_SinglClickFlag = 5;
  g_IndividualFlag = 1;
  LoadSettings(false);
  EXPECT_EQ(g_IndividualFlag, 0);
  EXPECT_EQ(g_SinglClickFlag, 0);
  EXPECT_EQ(g_CatalogLimit, 1600) << "0 clamped by the limit rule";
  EXPECT_EQ(m_SlideInterval, 20);
  EXPECT_EQ(g_TreeButton[0], 7);
  EXPECT_TRUE(prompt_.shown.empty()) << "a missing file is not reported";
}

TEST_F(SettingsStoreTest, IniRoundTripKeepsWholeValuesAndPaths) {
  g_SinglClickFlag = 12;
  g_MonitorFlag = 0;
  SelectSlideInterval(4);
  SelectHolder(5);
  g_TreeButton[0] = 5;
  g_TreeButton[1] = 9;
  CopySettingText(g_TreeFilePath[13], kPathChars, u"C:\\画像\\旅行 2024\\");
  g_CatalogLimit = 1234;
  CopySettingText(g_AppliName[1], kPathChars, u"D:\\再生\\player.exe");
  CopySettingText(g_AppliSW[1], kSwitchChars, u"/play /close");
  g_TimeStampSelect = 2;
  g_WallSelect2Flag = 1;
  SaveSettings();
  FlushProfile();
  ASSERT_TRUE(IniExists());
  EXPECT_FALSE(Exists(L"Tarn.cfg"));

  EXPECT_EQ(IniValue(L"Tarn", L"SinglClickFlag"), L"12");
  EXPECT_EQ(IniValue(L"Tarn", L"TimerFlag"), L"4");
  EXPECT_EQ(IniValue(L"Tarn", L"HolderFlag"), L"5");
  EXPECT_EQ(IniValue(L"TarnDlg", L"TreeButton0"), L"5");
  EXPECT_EQ(IniValue(L"TarnDlg", L"TreeButton1"), L"7");
  EXPECT_EQ(IniValue(L"TarnDlg", L"TimeStampSelect"), L"2");
  EXPECT_EQ(IniValue(L"TreeFilePath", L"TreeFilePath13"), L"C:\\画像\\旅行 2024\\");
  EXPECT_EQ(IniValue(L"TreeFilePath", L"TreeFilePath0"), L"") << "empty paths are written empty";
  EXPECT_EQ(IniValue(L"AppliSel", L"AppliSW1"), L"/play /close");
  EXPECT_EQ(IniValue(L"Tarn", L"CatalogLimit"), L"1234");
  EXPECT_EQ(IniValue(L"Tarn", L"TreeButton0"), L"Nothing") << "tree buttons live in TarnDlg only";

  SetDefaults();
  LoadSettings(false);
  EXPECT_EQ(g_IndividualFlag, 0);
  EXPECT_EQ(g_SinglClickFlag, 12) << "Tarn.ini keeps values of two digits";
  EXPECT_EQ(g_MonitorFlag, 0);
  EXPECT_EQ(m_SlideInterval, 50);
  EXPECT_EQ(m_HolderFlag[5], 1);
  EXPECT_EQ(g_TreeButton[0], 5);
  EXPECT_EQ(g_TreeButton[1], 7);
  EXPECT_EQ(g_LastTree[0], 5);
  EXPECT_EQ(Path(g_TreeFilePath[13]), u"C:\\画像\\旅行 2024\\");
  EXPECT_EQ(g_CatalogLimit, 1234);
  EXPECT_EQ(Path(g_AppliName[1]), u"D:\\再生\\player.exe");
  EXPECT_EQ(SettingText(g_AppliSW[1], kSwitchChars), u"/play /close");
  EXPECT_EQ(g_TimeStampSelect, 2);
  EXPECT_EQ(g_WallSelect2Flag, 1);
}

TEST_F(SettingsStoreTest, IniValuesOutsideTheirRangesAndMissingKeys) {
  SetIniValue(L"TarnDlg", L"TreeButton0", L"9");
  SetIniValue(L"Tarn", L"CatalogSize", L"2");
  SetIniValue(L"Tarn", L"CatalogLimit", L"0");
  SetIniValue(L"Tarn", L"TimerFlag", L"7");
  SetIniValue(L"Tarn", L"MonitorFlag", L"Nothing");
  SetIniValue(L"TreeFilePath", L"TreeFilePath3", std::wstring(400, L'q').c_str());
  FlushProfile();
  LoadSettings(false);
  EXPECT_EQ(g_TreeButton[0], 7);
  EXPECT_EQ(g_CatalogLimit, 900) << "CatalogLimit 0 with catalog size L";
  EXPECT_EQ(m_TimerFlag[2], 1) << "no eighth interval";
  EXPECT_EQ(g_MonitorFlag, 1) << "the text Nothing is no value";
  EXPECT_EQ(g_DustBoxFlag, 1) << "missing keys keep their defaults";
  EXPECT_EQ(Path(g_TreeFilePath[3]), u"") << "a path too long for its slot is not taken";

  SetIniValue(L"Tarn", L"SmallMemFlag", L"1");
  SetIniValue(L"Tarn", L"CatalogLimit", L"700");
  FlushProfile();
  LoadSettings(false);
  EXPECT_EQ(g_CatalogLimit, 600);
}

TEST_F(SettingsStoreTest, ShreditFillsAnEmptyThirdSlotAfterTheIniIsRead) {
  g_ShreditFound = 1;
  LoadSettings(false);
  EXPECT_EQ(Path(g_AppliName[2]), FromWide(folder_.c_str()) + u"Shredit.exe");
  SetIniValue(L"AppliSel", L"AppliSel2", L"E:\\wipe.exe");
  FlushProfile();
  LoadSettings(false);
  EXPECT_EQ(Path(g_AppliName[2]), u"E:\\wipe.exe");
}

TEST_F(SettingsStoreTest, CfgIsReadAndWrittenAsCodePage932Bytes) {
  const std::wstring text =
      L"; Localized    2026/01/01  00:00:00    Tarn.cfg\r\n[Description]\r\ng_SinglClickFlag=1\r\n"
      L"g_MonitorFlag=0\r\ng_SequenceFlag=1\r\ng_AdjustSizeFlag=1\r\nm_TimerFlag=_1_0_0_0_0\r\ng_BlackFlag=0\r\n"
      L"g_MaxSizeFlag=0\r\nm_HolderFlag=_0_0_1_0_0_0\r\ng_ChgUniFileFlag=1\r\ng_TreeButton=6_2\r\n"
      L"g_TreeFilePath=\r\nC:\\写真\\\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
      L"g_CatalogLimit=750\r\ng_AppliName=\r\n\r\n\r\n\r\ng_AppliSW=\r\n\r\n\r\n\r\n"
      L"g_HighSpeedFlag=1\r\ng_SmallMemFlag=0\r\ng_CatRenewFlag=0\r\ng_ClearThumbFlag=0\r\n"
      L"g_TrimAdjustFlag=0\r\ng_DustBoxFlag=1\r\ng_DblKeyEnterFlag=0\r\ng_SelectOnlyFlag=1\r\n"
      L"g_SelectOnlyTimeFlag=1\r\ng_TimeStampSelect=0\r\ng_CatalogUseFlag=0\r\ng_ThumbNailFlag=1\r\n"
      L"g_ThumbLowFlag=0\r\ng_CatalogSize=2\r\ng_DispDlgMoveFlag=1\r\ng_WallSelect2Flag=0\r\n";
  WriteFile(folder_ + L"Tarn.cfg", Cp932(text));
  SetIniValue(L"Tarn", L"SequenceFlag", L"0");
  FlushProfile();
  g_ShreditFound = 1;

  LoadSettings(false);
  EXPECT_EQ(g_IndividualFlag, 1);
  EXPECT_EQ(g_SequenceFlag, 1) << "Tarn.ini is not read in individual mode";
  EXPECT_EQ(m_SlideInterval, 5);
  EXPECT_EQ(m_HolderFlag[2], 1);
  EXPECT_EQ(g_TreeButton[0], 6);
  EXPECT_EQ(g_LastTree[0], 6);
  EXPECT_EQ(Path(g_TreeFilePath[0]), u"C:\\写真\\");
  EXPECT_EQ(g_CatalogLimit, 750);
  EXPECT_EQ(g_CatalogSize, 2);
  EXPECT_EQ(Path(g_AppliName[2]), FromWide(folder_.c_str()) + u"Shredit.exe");

  // Saving goes to Tarn.cfg, in code page 932 with CR LF, and leaves Tarn.ini alone.
  const std::string iniBefore = ReadFile(ini_);
  g_SinglClickFlag = 12;
  SaveSettings();
  FlushProfile();
  EXPECT_EQ(ReadFile(ini_), iniBefore);
  const std::string bytes = ReadFile(folder_ + L"Tarn.cfg");
  EXPECT_EQ(bytes.substr(0, 15), "; Localized    ");
  EXPECT_EQ(bytes.substr(25, 2), "  ");
  EXPECT_EQ(bytes.substr(35, 27), "    Tarn.cfg\r\n[Description]");
  EXPECT_NE(bytes.find("\r\ng_TreeFilePath=\r\n" + Cp932(L"C:\\写真\\") + "\r\n\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\ng_SinglClickFlag=12\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nm_TimerFlag=_1_0_0_0_0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\ng_CatalogLimit=750\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos) << "no line feed without its CR";

  SetDefaults();
  LoadSettings(false);
  EXPECT_EQ(g_SinglClickFlag, 1) << "one digit comes back from Tarn.cfg";
  EXPECT_EQ(g_CatalogLimit, 750) << "CatalogLimit comes back whole";
}

TEST_F(SettingsStoreTest, PathsOutsideCodePage932AreSavedEmptyNotAltered) {
  WriteFile(folder_ + L"Tarn.cfg", "");
  CopySettingText(g_TreeFilePath[0], kPathChars, u"C:\\写真\\");
  CopySettingText(g_TreeFilePath[1], kPathChars, u"C:\\Café\\");
  CopySettingText(g_AppliName[0], kPathChars, u"C:\\한국\\edit.exe");
  CopySettingText(g_AppliSW[0], kSwitchChars, u"/x");
  SaveSettings();
  const std::string bytes = ReadFile(folder_ + L"Tarn.cfg");
  EXPECT_NE(bytes.find("\r\ng_TreeFilePath=\r\n" + Cp932(L"C:\\写真\\") + "\r\n\r\n\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\ng_AppliName=\r\n\r\n\r\n\r\ng_AppliSW=\r\n/x\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("Caf"), std::string::npos) << "not even a best-fit 'Cafe'";

  SetDefaults();
  LoadSettings(false);
  EXPECT_EQ(Path(g_TreeFilePath[0]), u"C:\\写真\\");
  EXPECT_EQ(Path(g_TreeFilePath[1]), u"");
  EXPECT_EQ(Path(g_AppliName[0]), u"");
  EXPECT_EQ(SettingText(g_AppliSW[0], kSwitchChars), u"/x");
}

TEST_F(SettingsStoreTest, PathsOutsideTheAnsiCodePageAreSavedEmptyInTarnIni) {
  CopySettingText(g_TreeFilePath[0], kPathChars, u"C:\\写真\\");
  CopySettingText(g_TreeFilePath[1], kPathChars, u"C:\\Café\\");
  CopySettingText(g_AppliSW[1], kSwitchChars, u"/한");
  SaveSettings();
  FlushProfile();
  EXPECT_EQ(IniValue(L"TreeFilePath", L"TreeFilePath1"), L"");
  EXPECT_EQ(ReadFile(ini_).find("Cafe"), std::string::npos) << "no best-fit substitute on disk";
  SetDefaults();
  LoadSettings(false);
  EXPECT_EQ(Path(g_TreeFilePath[0]), u"C:\\写真\\");
  EXPECT_EQ(Path(g_TreeFilePath[1]), u"");
  EXPECT_EQ(SettingText(g_AppliSW[1], kSwitchChars), u"");
}

TEST_F(SettingsStoreTest, DamagedCfgBytesStillReadLineByLine) {
  // Invalid code page 932 bytes in a very long line before "[Description]", which the reader waits
  // for, and no line end after the last value.
  std::string bytes = "; Localized\r\n\x81\xFF" + std::string(100000, 'x') + "\r\n";
  bytes += "[Description]\r\ng_SinglClickFlag=1\r\ng_MonitorFlag=0";
  WriteFile(folder_ + L"Tarn.cfg", bytes);
  LoadSettings(false);
  EXPECT_EQ(g_IndividualFlag, 1);
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_EQ(g_MonitorFlag, 0);
  EXPECT_EQ(g_SequenceFlag, 0);
  EXPECT_EQ(g_CatalogLimit, 1600);
}

TEST_F(SettingsStoreTest, NothingIsWrittenOnceSavingIsSuppressed) {
  g_SaveSuppressed = true;
  g_SinglClickFlag = 1;
  SaveSettings();
  FlushProfile();
  EXPECT_FALSE(IniExists());

  WriteFile(folder_ + L"Tarn.cfg", "");
  SaveSettings();
  EXPECT_EQ(ReadFile(folder_ + L"Tarn.cfg"), "");
}

TEST_F(SettingsStoreTest, ACfgThatCannotBeWrittenIsSkippedSilently) {
  WriteFile(folder_ + L"Tarn.cfg", "; old\r\n");
  // Another program holds the file open for reading only: it can be read but not rewritten.
  HANDLE held = CreateFileW((folder_ + L"Tarn.cfg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SaveSettings();
  CloseHandle(held);
  FlushProfile();
  EXPECT_EQ(ReadFile(folder_ + L"Tarn.cfg"), "; old\r\n");
  EXPECT_FALSE(IniExists()) << "not written to Tarn.ini instead";
  EXPECT_TRUE(prompt_.shown.empty());
}

}  // namespace
}  // namespace tarn::test
