// The switch between common and individual settings: each answer of its questions and the files
// it leaves in the start folder and the Windows folder.
#include "SettingsFixture.h"

namespace tarn::test {
namespace {

class ModeSwitchTest : public SettingsTest {
 protected:
  // Tree lists 4 to 14, of which 5 to 13 belong to the settings.
  void MakeTreeLists() {
    for (int n = 4; n <= 14; ++n) WriteFile(folder_ + L"TreeList" + std::to_wstring(n) + L".txt", "C:\\\r\n");
  }
  void ExpectTreeListsGoneFrom5To13() {
    EXPECT_TRUE(Exists(L"TreeList4.txt"));
    EXPECT_TRUE(Exists(L"TreeList14.txt"));
    for (int n = 5; n <= 13; ++n) EXPECT_FALSE(Exists(L"TreeList" + std::to_wstring(n) + L".txt")) << n;
  }
  // Starts in individual mode with a Tarn.cfg that holds SinglClickFlag 1, and a Tarn.ini that
  // holds MonitorFlag 0.
  void StartIndividual() {
    g_SinglClickFlag = 1;
    WriteFile(folder_ + L"Tarn.cfg", "");
    SaveSettings();
    SetIniValue(L"Tarn", L"MonitorFlag", L"0");
    FlushProfile();
    LoadSettings(false);
    ASSERT_EQ(g_IndividualFlag, 1);
    ASSERT_EQ(g_SinglClickFlag, 1);
    ASSERT_EQ(g_MonitorFlag, 1);
    host_.calls.clear();
  }
  const ShownMessage& Only() {
    EXPECT_EQ(prompt_.shown.size(), 1u);
    static const ShownMessage none{};
    return prompt_.shown.empty() ? none : prompt_.shown[0];
  }
};

constexpr char16_t kToCommon[] = u"個別設定ファイルを共通用に変更します　ファイルを保存しますか";

TEST_F(ModeSwitchTest, ToCommonCancelKeepsIndividualModeAndEveryFile) {
  StartIndividual();
  MakeTreeLists();
  const std::string cfg = ReadFile(folder_ + L"Tarn.cfg");
  prompt_.answers = {kAnswerCancel};
  g_IndividualFlag = 0;
  LoadSettings(true);
  EXPECT_EQ(Only().text, kToCommon);
  EXPECT_EQ(Only().buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(g_IndividualFlag, 1);
  EXPECT_EQ(ReadFile(folder_ + L"Tarn.cfg"), cfg);
  EXPECT_TRUE(Exists(L"TreeList7.txt"));
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(ModeSwitchTest, ToCommonNoWipesTheCfgAndLoadsTarnIni) {
  StartIndividual();
  MakeTreeLists();
  prompt_.answers = {kAnswerNo};
  g_IndividualFlag = 0;
  LoadSettings(true);
  EXPECT_EQ(Only().text, kToCommon);
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
  EXPECT_FALSE(Exists(L"Tarn2.cfg"));
  ExpectTreeListsGoneFrom5To13();
  EXPECT_EQ(g_SinglClickFlag, 0) << "defaults restored";
  EXPECT_EQ(g_MonitorFlag, 0) << "then Tarn.ini read";
  EXPECT_EQ(g_CatalogLimit, 1600);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearScreen", "RefreshTreeDialog"}));

  // The next save goes to Tarn.ini.
  g_SinglClickFlag = 3;
  SaveSettings();
  FlushProfile();
  EXPECT_EQ(IniValue(L"Tarn", L"SinglClickFlag"), L"3");
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
}

TEST_F(ModeSwitchTest, ToCommonYesPutsTheCurrentSettingsAsideInTarn2) {
  StartIndividual();
  MakeTreeLists();
  g_BlackFlag = 1;  // changed since the last save: the put-aside file must hold it
  prompt_.answers = {kAnswerYes};
  g_IndividualFlag = 0;
  LoadSettings(true);
  EXPECT_EQ(Only().text, kToCommon);
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
  const std::string aside = ReadFile(folder_ + L"Tarn2.cfg");
  EXPECT_NE(aside.find("\r\ng_SinglClickFlag=1\r\n"), std::string::npos);
  EXPECT_NE(aside.find("\r\ng_BlackFlag=1\r\n"), std::string::npos);
  ExpectTreeListsGoneFrom5To13();
  EXPECT_EQ(g_BlackFlag, 0);
  EXPECT_EQ(g_MonitorFlag, 0);
}

TEST_F(ModeSwitchTest, ToCommonFailuresAreToldAndTheSwitchGoesOn) {
  StartIndividual();
  MakeTreeLists();
  SetFileAttributesW((folder_ + L"Tarn.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((folder_ + L"TreeList9.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  prompt_.answers = {kAnswerNo};
  g_IndividualFlag = 0;
  LoadSettings(true);
  ASSERT_EQ(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[1].text, u"個別設定値ファイルの削除失敗");
  EXPECT_EQ(prompt_.shown[2].text, u"削除失敗<-M12> ");
  EXPECT_TRUE(Exists(L"TreeList9.txt"));
  EXPECT_FALSE(Exists(L"TreeList10.txt")) << "the others are still deleted";
  EXPECT_EQ(g_MonitorFlag, 0) << "Tarn.ini still read";

  // A rename that cannot happen: a folder stands where Tarn2.cfg would go.
  SetFileAttributesW((folder_ + L"Tarn.cfg").c_str(), FILE_ATTRIBUTE_NORMAL);
  CreateDirectoryW((folder_ + L"Tarn2.cfg").c_str(), nullptr);
  prompt_.shown.clear();
  prompt_.answers = {kAnswerYes};
  g_IndividualFlag = 0;
  LoadSettings(true);
  ASSERT_GE(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].text, u"個別設定値ファイルの名称変更失敗");
}

TEST_F(ModeSwitchTest, ToIndividualNewFileCancelAndOk) {
  g_SinglClickFlag = 1;
  MakeTreeLists();
  prompt_.answers = {kAnswerCancel};
  g_IndividualFlag = 1;
  LoadSettings(true);
  EXPECT_EQ(Only().text, u"「個別設定値」ファイルを新規作成します");
  EXPECT_EQ(Only().buttons, Buttons::kOkCancel);
  EXPECT_EQ(g_IndividualFlag, 0);
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
  EXPECT_TRUE(Exists(L"TreeList5.txt"));
  FlushProfile();
  EXPECT_FALSE(IniExists());

  prompt_.shown.clear();
  g_IndividualFlag = 1;
  LoadSettings(true);
  EXPECT_EQ(Only().text, u"「個別設定値」ファイルを新規作成します");
  EXPECT_EQ(g_IndividualFlag, 1);
  ASSERT_TRUE(Exists(L"Tarn.cfg"));
  EXPECT_EQ(ReadFile(folder_ + L"Tarn.cfg"), "") << "the next save fills it";
  FlushProfile();
  EXPECT_EQ(IniValue(L"Tarn", L"SinglClickFlag"), L"1") << "the common settings were kept in Tarn.ini";
  EXPECT_EQ(g_SinglClickFlag, 0);
  ExpectTreeListsGoneFrom5To13();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearScreen", "RefreshTreeDialog"}));

  SaveSettings();
  EXPECT_NE(ReadFile(folder_ + L"Tarn.cfg").find("\r\ng_SinglClickFlag=0\r\n"), std::string::npos);
}

TEST_F(ModeSwitchTest, ToIndividualTakesBackTheSetPutAside) {
  g_ShreditFound = 1;
  WriteFile(folder_ + L"Tarn2.cfg",
            "[Description]\r\ng_SinglClickFlag=1\r\ng_MonitorFlag=0\r\ng_SequenceFlag=1\r\n");
  prompt_.answers = {kAnswerCancel};
  g_IndividualFlag = 1;
  LoadSettings(true);
  EXPECT_EQ(Only().text, u"設定を「個別設定値」に変更します");
  EXPECT_EQ(Only().buttons, Buttons::kOkCancel);
  EXPECT_EQ(g_IndividualFlag, 0);
  EXPECT_TRUE(Exists(L"Tarn2.cfg"));
  EXPECT_FALSE(Exists(L"Tarn.cfg"));

  prompt_.shown.clear();
  g_IndividualFlag = 1;
  LoadSettings(true);
  EXPECT_EQ(Only().text, u"設定を「個別設定値」に変更します");
  EXPECT_FALSE(Exists(L"Tarn2.cfg"));
  EXPECT_TRUE(Exists(L"Tarn.cfg"));
  EXPECT_EQ(g_SinglClickFlag, 1);
  EXPECT_EQ(g_MonitorFlag, 0);
  EXPECT_EQ(g_SequenceFlag, 1);
  EXPECT_EQ(Path(g_AppliName[2]), u"") << "the put-aside file had no application list";
  EXPECT_EQ(g_IndividualFlag, 1);
}

TEST_F(ModeSwitchTest, ToIndividualCreateFailureEndsTheSwitchInCommonMode) {
  g_StartFolder = FromWide((folder_ + L"missing\\").c_str());
  g_IndividualFlag = 1;
  LoadSettings(true);
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, u"「個別設定値」ファイルを新規作成します");
  EXPECT_EQ(prompt_.shown[1].text, u"個別設定値ファイルの作成失敗");
  EXPECT_EQ(g_IndividualFlag, 0);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearScreen"})) << "no refresh after the failure";
}

TEST_F(ModeSwitchTest, NoChangeOfModeAsksNothing) {
  g_IndividualFlag = 0;
  LoadSettings(true);
  WriteFile(folder_ + L"Tarn.cfg", "");
  g_IndividualFlag = 1;
  LoadSettings(true);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_TRUE(host_.calls.empty());
}

}  // namespace
}  // namespace tarn::test
