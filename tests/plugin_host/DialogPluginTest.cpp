// The plug-in dialog, made modeless under the test's display and driven by messages to its
// controls, as a user's clicks would arrive.
#include "HostFixture.h"

#include "base/resource.h"
#include "plugin_host/DialogPlugin.h"

namespace tarn::test {
namespace {

class DialogPluginTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Install(L"TarnBmp.spi", L"TarnBmp.spi");
    Install(L"FakePlugin.spi", L"TarnGif.spi");
    ASSERT_EQ(Enumerate(), 2);
    dialog_ = std::make_unique<CDialogPlugin>(*registry_, scratch_, folder_);
    ASSERT_TRUE(dialog_->Create(nullptr)) << "the dialog template did not load";
  }
  void TearDown() override {
    dialog_.reset();
    scratch_.Unload();
    HostTest::TearDown();
  }

  HWND Window() const { return dialog_->Handle(); }
  std::wstring Text(int id) const {
    wchar_t text[512] = {};
    GetDlgItemTextW(Window(), id, text, 512);
    return text;
  }
  std::vector<std::wstring> Lines() const {
    std::vector<std::wstring> lines;
    const int count = static_cast<int>(SendDlgItemMessageW(Window(), IDC_PLUGIN_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t line[512] = {};
      SendDlgItemMessageW(Window(), IDC_PLUGIN_LIST, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
  std::wstring LineOf(int index, bool on) const {
    wchar_t name[MAX_PATH];
    registry_->GetName(index, name);
    return std::wstring(on ? L" 〇 SPI_" : L" × SPI_") + std::to_wstring(index) + L"= " + name;
  }
  void Select(int index) {
    SendDlgItemMessageW(Window(), IDC_PLUGIN_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(IDC_PLUGIN_LIST, LBN_SELCHANGE);
  }
  void Notify(int id, int code) {
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(Window(), id)));
  }
  void Click(int id) { Notify(id, BN_CLICKED); }
  bool SettingsEnabled() const { return IsWindowEnabled(GetDlgItem(Window(), IDC_PLUGIN_SETTINGS)) != FALSE; }

  CSPICore scratch_;
  std::unique_ptr<CDialogPlugin> dialog_;
};

TEST_F(DialogPluginTest, ShowsTheFolderCountsAndOneLinePerPlugIn) {
  wchar_t caption[64] = {};
  GetWindowTextW(Window(), caption, 64);
  EXPECT_STREQ(caption, L"ﾌﾟﾗｸﾞｲﾝ");
  EXPECT_EQ(Text(IDC_PLUGIN_FOLDER), folder_);
  EXPECT_EQ(Text(IDC_PLUGIN_LIBRARIES), L"2");
  EXPECT_EQ(Text(IDC_PLUGIN_FORMATS), L"2");
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{LineOf(0, true), LineOf(1, true)}));
  EXPECT_FALSE(SettingsEnabled());
}

TEST_F(DialogPluginTest, TogglingByButtonAndDoubleClick) {
  Click(IDC_PLUGIN_TOGGLE);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"変更するプラグインを選択してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"プラグイン未指定");

  Select(1);
  Click(IDC_PLUGIN_TOGGLE);
  EXPECT_EQ(registry_->Enabled(1, 2), 0);
  EXPECT_EQ(Lines()[1], LineOf(1, false));
  EXPECT_EQ(SendDlgItemMessageW(Window(), IDC_PLUGIN_LIST, LB_GETCURSEL, 0, 0), 1) << "selected again";
  EXPECT_EQ(Text(IDC_PLUGIN_FORMATS), L"1");

  Notify(IDC_PLUGIN_LIST, LBN_DBLCLK);
  EXPECT_EQ(registry_->Enabled(1, 2), 1);
  EXPECT_EQ(Lines()[1], LineOf(1, true));
  EXPECT_EQ(Text(IDC_PLUGIN_FORMATS), L"2");
}

TEST_F(DialogPluginTest, EnableAllAndDisableAll) {
  Click(IDC_PLUGIN_DISABLE_ALL);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{LineOf(0, false), LineOf(1, false)}));
  EXPECT_EQ(registry_->Enabled(0, 2) + registry_->Enabled(1, 2), 0);
  EXPECT_EQ(Text(IDC_PLUGIN_FORMATS), L"0");
  Click(IDC_PLUGIN_ENABLE_ALL);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{LineOf(0, true), LineOf(1, true)}));
  EXPECT_EQ(Text(IDC_PLUGIN_FORMATS), L"2");
}

TEST_F(DialogPluginTest, SettingsButtonFollowsTheSelectedPlugIn) {
  Click(IDC_PLUGIN_SETTINGS);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"設定するプラグインを選択してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"入力エラー");
  prompt_.shown.clear();

  const int bmp = registry_->FindByName(L"TarnBmp.spi");
  const int gif = registry_->FindByName(L"TarnGif.spi");
  Select(gif);
  EXPECT_TRUE(SettingsEnabled());
  Click(IDC_PLUGIN_SETTINGS);
  EXPECT_EQ(Control(L"TarnGif.spi")->configCalls, 1);
  EXPECT_TRUE(prompt_.shown.empty());

  Select(bmp);
  EXPECT_FALSE(SettingsEnabled()) << "TarnBmp has no settings";
  Click(IDC_PLUGIN_SETTINGS);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"プラグインの設定機能なし");
  EXPECT_EQ(prompt_.shown[0].caption, FromWide((folder_ + L"TarnBmp.spi").c_str()));
}

TEST_F(DialogPluginTest, InformationBoxShowsTheNameAndOneLinePerFormat) {
  Click(IDC_PLUGIN_INFO);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"表示するプラグインを選択してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"プラグイン未指定");
  prompt_.shown.clear();

  const int bmp = registry_->FindByName(L"TarnBmp.spi");
  Select(bmp);
  Click(IDC_PLUGIN_INFO);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  const std::u16string text = prompt_.shown[0].text;
  EXPECT_EQ(text.rfind(u"Plug-in名 ( TarnBmp v0.14u (c) ", 0), 0u) << std::string(text.begin(), text.end());
  EXPECT_EQ(text.substr(text.find(u" )\n")), u" )\n\n代表的な拡張子 ( *.bmp; *.dib )\n");
  EXPECT_EQ(prompt_.shown[0].caption, u"File Name = " + FromWide((folder_ + L"TarnBmp.spi").c_str()));
}

TEST_F(DialogPluginTest, VersionOutsideTheCodePageIsTold) {
  dialog_.reset();
  registry_ = std::make_unique<CPluginRegistry>();
  Install(L"FakeBadVersion.spi", L"BadVersion.spi");
  ASSERT_EQ(registry_->Enumerate(folder_.c_str()), 3);
  dialog_ = std::make_unique<CDialogPlugin>(*registry_, scratch_, folder_);
  ASSERT_TRUE(dialog_->Create(nullptr));
  Select(registry_->FindByName(L"BadVersion.spi"));
  Click(IDC_PLUGIN_INFO);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ms To ws 失敗");
  EXPECT_EQ(prompt_.shown[0].caption, u"CDialogPlugin::OnSpiInfo関数 szVer");
}

TEST_F(DialogPluginTest, APlugInThatCannotBeLoadedIsTold) {
  // A dialog told the wrong folder finds no file behind the names in its list.
  dialog_ = std::make_unique<CDialogPlugin>(*registry_, scratch_, L"Z:\\nowhere\\");
  ASSERT_TRUE(dialog_->Create(nullptr));
  Select(0);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  wchar_t name[MAX_PATH];
  registry_->GetName(0, name);
  EXPECT_EQ(prompt_.shown[0].text, u"プラグインの操作失敗");
  EXPECT_EQ(prompt_.shown[0].caption, u"Z:\\nowhere\\" + FromWide(name));
  EXPECT_FALSE(SettingsEnabled());
}

}  // namespace
}  // namespace tarn::test
