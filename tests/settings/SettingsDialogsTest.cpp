// The five settings dialogs, made modeless under the test's display and driven by messages to
// their controls as a user's clicks and typing would arrive; every message goes through the
// scripted prompt.
#include "SettingsFixture.h"

#include <memory>

#include "app/SettingsDialogClasses.h"
#include "app/SettingsResource.h"

namespace tarn::test {
namespace {

class SettingsDialogTest : public SettingsTest {
 protected:
  void TearDown() override {
    dialog_.reset();
    SettingsTest::TearDown();
  }

  template <class Dialog, class... Args>
  Dialog& Open(Args&&... args) {
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    Dialog& ref = *dialog;
    dialog_ = std::move(dialog);
    EXPECT_TRUE(dialog_->Create(nullptr)) << "the dialog template did not load";
    return ref;
  }

  HWND Window() const { return dialog_->Handle(); }
  bool IsOpen() const { return dialog_->Handle() != nullptr; }
  std::wstring Caption() const {
    wchar_t text[128] = {};
    GetWindowTextW(Window(), text, 128);
    return text;
  }
  std::wstring Text(int id) const {
    wchar_t text[512] = {};
    GetDlgItemTextW(Window(), id, text, 512);
    return text;
  }
  void Type(int id, const wchar_t* text) { SetDlgItemTextW(Window(), id, text); }
  bool Checked(int id) const { return SendDlgItemMessageW(Window(), id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Window(), id)) != FALSE; }
  void Click(int id) {
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Window(), id)));
  }
  // A check box clicked: it flips, then tells the dialog.
  void Toggle(int id) {
    SendDlgItemMessageW(Window(), id, BM_SETCHECK, Checked(id) ? BST_UNCHECKED : BST_CHECKED, 0);
    Click(id);
  }
  // A radio button of `group` chosen.
  void Choose(std::initializer_list<int> group, int id) {
    for (int member : group) SendDlgItemMessageW(Window(), member, BM_SETCHECK, member == id ? BST_CHECKED : BST_UNCHECKED, 0);
    Click(id);
  }
  // What a user does to one control: types `text` into it, or chooses it in its radio `group`.
  struct Entry {
    int id;
    const wchar_t* text;
    const std::initializer_list<int>* group = nullptr;
  };
  static Entry Chosen(const std::initializer_list<int>& group, int id) { return {id, nullptr, &group}; }
  void Enter(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) e.group != nullptr ? Choose(*e.group, e.id) : Type(e.id, e.text);
  }
  // OK pressed after each row's entries and refused with the row's message; nothing is stored.
  using Refusal = std::pair<std::vector<Entry>, std::u16string>;
  void ExpectRefusals(const std::vector<Refusal>& rows, std::u16string_view caption = u"入力エラー") {
    for (const auto& [entries, message] : rows) {
      Enter(entries);
      Click(IDOK);
      ASSERT_EQ(prompt_.shown.size(), 1u) << "one message";
      EXPECT_EQ(prompt_.shown[0].text, message);
      EXPECT_EQ(prompt_.shown[0].caption, caption);
      EXPECT_TRUE(IsOpen()) << "the dialog stays open";
      prompt_.shown.clear();
    }
  }
  // OK pressed after `entries`, and taken: the dialog closes.
  void Accept(const std::vector<Entry>& entries) {
    Enter(entries);
    Click(IDOK);
    EXPECT_FALSE(IsOpen());
  }
  void ExpectTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts) const {
    for (const auto& [id, text] : texts) EXPECT_EQ(Text(id), text) << id;
  }
  static void ExpectValues(std::initializer_list<std::pair<const int*, int>> values) {
    int row = 0;
    for (const auto& [value, expected] : values) EXPECT_EQ(*value, expected) << "row " << row++;
  }

  std::unique_ptr<CDialog> dialog_;
};

// "その他の設定" --------------------------------------------------------------------------------

const int kOtherBoxes[] = {IDC_OTHER_SEQUENCE, IDC_OTHER_BLACK,       IDC_OTHER_SMALLMEM,   IDC_OTHER_HIGHSPEED,
                           IDC_OTHER_CATRENEW, IDC_OTHER_CATALOGUSE, IDC_OTHER_DUSTBOX,    IDC_OTHER_DBLKEYENTER,
                           IDC_OTHER_TRIMADJUST, IDC_OTHER_CHGUNIFILE, IDC_OTHER_INDIVIDUAL};

TEST_F(SettingsDialogTest, OtherSettingsShowsAndStoresEveryBox) {
  g_SequenceFlag = 1;
  g_DblKeyEnterFlag = 1;
  g_HighSpeedFlag = 0;
  Open<COtherSettingsDialog>();
  EXPECT_EQ(Caption(), L"その他の設定");
  ExpectTexts({{IDC_OTHER_INDIVIDUAL, L"個別設定値(&C)"}, {IDC_OTHER_SMALLMEM, L"小型ﾒﾓﾘｰｻｲｽﾞ(&M)"}});
  std::vector<bool> shown;
  for (int id : kOtherBoxes) shown.push_back(Checked(id));
  EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false, false, false, true, true, false, true, false}));

  // Every box but the three with after-effects flipped and stored.
  for (int id : kOtherBoxes)
    if (id != IDC_OTHER_SMALLMEM && id != IDC_OTHER_CATALOGUSE && id != IDC_OTHER_INDIVIDUAL) Toggle(id);
  Click(IDOK);
  EXPECT_FALSE(IsOpen());
  ExpectValues({{&g_SequenceFlag, 0}, {&g_BlackFlag, 1}, {&g_HighSpeedFlag, 1}, {&g_CatRenewFlag, 1},
                {&g_DustBoxFlag, 0}, {&g_DblKeyEnterFlag, 0}, {&g_TrimAdjustFlag, 1}, {&g_ChgUniFileFlag, 0}});
  EXPECT_TRUE(host_.calls.empty()) << "no after-effects";
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SettingsDialogTest, OtherSettingsDefaultsButtonOnlySetsTheBoxes) {
  g_SequenceFlag = 1;
  g_BlackFlag = 1;
  g_HighSpeedFlag = 0;
  g_DustBoxFlag = 0;
  g_ChgUniFileFlag = 0;
  g_TrimAdjustFlag = 1;
  Open<COtherSettingsDialog>();
  Click(IDC_OTHER_DEFAULTS);
  std::vector<bool> shown;
  for (int id : kOtherBoxes) shown.push_back(Checked(id));
  EXPECT_EQ(shown, (std::vector<bool>{false, false, false, true, false, false, true, false, false, true, false}));
  EXPECT_EQ(g_SequenceFlag, 1) << "nothing stored before 設定";
  Click(IDOK);
  ExpectValues({{&g_SequenceFlag, 0}, {&g_BlackFlag, 0}, {&g_TrimAdjustFlag, 0},
                {&g_HighSpeedFlag, 1}, {&g_DustBoxFlag, 1}, {&g_ChgUniFileFlag, 1}});
}

// The small-memory and catalog-reuse boxes, clicked and stored: the limit each leaves and the
// after-effects each asks for.
TEST_F(SettingsDialogTest, OtherSettingsSmallMemoryAndCatalogReuseClicks) {
  const struct {
    int limitBefore;
    std::vector<int> toggled;
    int smallMem, limit, catalogUse;
    std::vector<std::string> calls;
  } rows[] = {
      {1200, {IDC_OTHER_SMALLMEM, IDC_OTHER_CATALOGUSE}, 1, 600, 1, {"RefreshFolderCounters", "ClearAndRedrawView"}},
      // Clicked off again: the limit goes to the maximum of the standard row, not only clamped.
      {300, {IDC_OTHER_SMALLMEM}, 0, 1600, 1, {"ClearAndRedrawView"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.limitBefore);
    host_.calls.clear();
    g_CatalogLimit = row.limitBefore;
    Open<COtherSettingsDialog>();
    for (int id : row.toggled) Toggle(id);
    Click(IDOK);
    ExpectValues({{&g_SmallMemFlag, row.smallMem}, {&g_CatalogLimit, row.limit}, {&g_CatalogUseFlag, row.catalogUse}});
    EXPECT_EQ(host_.calls, row.calls);
  }
}

TEST_F(SettingsDialogTest, OtherSettingsIndividualBoxRunsTheModeSwitch) {
  g_BlackFlag = 1;
  Open<COtherSettingsDialog>();
  Toggle(IDC_OTHER_INDIVIDUAL);
  prompt_.answers = {kAnswerCancel};
  Click(IDOK);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"「個別設定値」ファイルを新規作成します");
  EXPECT_EQ(g_IndividualFlag, 0) << "cancelled: the mode is switched back off";
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearAndRedrawView"}));

  prompt_.shown.clear();
  host_.calls.clear();
  Open<COtherSettingsDialog>();
  Toggle(IDC_OTHER_INDIVIDUAL);
  Click(IDOK);
  EXPECT_EQ(g_IndividualFlag, 1);
  EXPECT_TRUE(Exists(L"Tarn.cfg"));
  FlushProfile();
  EXPECT_EQ(IniValue(L"Tarn", L"BlackFlag"), L"1") << "the box's value went to Tarn.ini before the switch";
  EXPECT_EQ(g_BlackFlag, 0);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"ClearScreen", "RefreshTreeDialog", "ClearAndRedrawView"}));

  // "初期化" turns the mode off: that is a switch too.
  prompt_.shown.clear();
  prompt_.answers = {kAnswerNo};
  Open<COtherSettingsDialog>();
  EXPECT_TRUE(Checked(IDC_OTHER_INDIVIDUAL));
  Click(IDC_OTHER_DEFAULTS);
  Click(IDOK);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"個別設定ファイルを共通用に変更します　ファイルを保存しますか");
  EXPECT_FALSE(Exists(L"Tarn.cfg"));
  EXPECT_EQ(g_IndividualFlag, 0);
}

// "起動アプリ設定" --------------------------------------------------------------------------------

const std::initializer_list<int> kSlots = {IDC_APPLI_EDITOR, IDC_APPLI_PLAYER, IDC_APPLI_SHREDDER};

TEST_F(SettingsDialogTest, ApplicationSlotsShowTheirPathsAndStoreTypedText) {
  CopySettingText(g_AppliName[0], kPathChars, u"C:\\編集\\edit.exe");
  CopySettingText(g_AppliSW[0], kSwitchChars, u"/e");
  CopySettingText(g_AppliName[2], kPathChars, u"C:\\Shredit.exe");
  Open<CApplicationDialog>();
  EXPECT_EQ(Caption(), L"起動アプリ設定");
  ExpectTexts({{IDC_APPLI_EDITOR, L"画像編集アプリ"}, {IDC_APPLI_PLAYER, L"画像再生アプリ"},
               {IDC_APPLI_SHREDDER, L"完全削除アプリ"}, {IDC_APPLI_PATH, L"C:\\編集\\edit.exe"},
               {IDC_APPLI_SWITCH, L"/e"}});
  EXPECT_TRUE(Checked(IDC_APPLI_EDITOR));
  EXPECT_TRUE(Enabled(IDC_APPLI_SWITCH));

  Choose(kSlots, IDC_APPLI_SHREDDER);
  EXPECT_EQ(Text(IDC_APPLI_PATH), L"C:\\Shredit.exe");
  EXPECT_FALSE(Enabled(IDC_APPLI_SWITCH)) << "the complete-deletion program has no switch";

  Choose(kSlots, IDC_APPLI_PLAYER);
  EXPECT_TRUE(Enabled(IDC_APPLI_SWITCH));
  EXPECT_EQ(Text(IDC_APPLI_PATH), L"");
  Enter({{IDC_APPLI_PATH, L"D:\\再生 ソフト\\play.exe"}, {IDC_APPLI_SWITCH, L"-full"}});
  EXPECT_EQ(Path(g_AppliName[1]), u"") << "nothing stored before 手書き書込";
  Click(IDC_APPLI_STORE);
  EXPECT_EQ(Path(g_AppliName[1]), u"D:\\再生 ソフト\\play.exe");
  EXPECT_EQ(SettingText(g_AppliSW[1], kSwitchChars), u"-full");

  // Typing is limited to what a slot holds.
  EXPECT_EQ(SendDlgItemMessageW(Window(), IDC_APPLI_PATH, EM_GETLIMITTEXT, 0, 0), 255);
  EXPECT_EQ(SendDlgItemMessageW(Window(), IDC_APPLI_SWITCH, EM_GETLIMITTEXT, 0, 0), 63);

  Enter({Chosen(kSlots, IDC_APPLI_SHREDDER), {IDC_APPLI_PATH, L"E:\\wipe.exe"}});
  Click(IDC_APPLI_STORE);
  EXPECT_EQ(Path(g_AppliName[2]), u"E:\\wipe.exe");
  EXPECT_EQ(g_AppliSW[2][0], u'\0');

  Click(IDCANCEL);
  EXPECT_FALSE(IsOpen()) << "終了 closes";
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SettingsDialogTest, ApplicationChooseStoresTheChosenProgramAndTheSwitch) {
  int asked = 0;
  std::wstring answer = L"C:\\Tools\\viewer.exe";
  Open<CApplicationDialog>([&](HWND owner, std::wstring* path) {
    ++asked;
    EXPECT_EQ(owner, Window());
    if (answer.empty()) return false;
    *path = answer;
    return true;
  });
  Type(IDC_APPLI_SWITCH, L"/s");
  Click(IDC_APPLI_CHOOSE);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Path(g_AppliName[0]), u"C:\\Tools\\viewer.exe");
  EXPECT_EQ(SettingText(g_AppliSW[0], kSwitchChars), u"/s");
  EXPECT_EQ(Text(IDC_APPLI_PATH), L"C:\\Tools\\viewer.exe");

  answer.clear();
  Choose(kSlots, IDC_APPLI_PLAYER);
  Click(IDC_APPLI_CHOOSE);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Path(g_AppliName[1]), u"") << "nothing chosen, nothing stored";
}

// Catalog offset and limit -------------------------------------------------------------------

TEST_F(SettingsDialogTest, CatalogOffsetCaptionNamesTheMemoryModeAndSize) {
  const wchar_t* const expected[] = {L"【 標準ﾒﾓﾘｰｻｲｽﾞ 】  ｶﾀﾛｸﾞｻｲｽﾞ：S", L"【 標準ﾒﾓﾘｰｻｲｽﾞ 】  ｶﾀﾛｸﾞｻｲｽﾞ：M",
                                     L"【 標準ﾒﾓﾘｰｻｲｽﾞ 】  ｶﾀﾛｸﾞｻｲｽﾞ：L", L"【 標準ﾒﾓﾘｰｻｲｽﾞ 】  ｶﾀﾛｸﾞｻｲｽﾞ：LL"};
  for (int size = 0; size < 4; ++size) {
    g_CatalogSize = size;
    EXPECT_EQ(MemoryModeCaption(), expected[size]);
  }
  g_CatalogSize = 2;
  Open<CCatalogOffsetDialog>();
  EXPECT_EQ(Text(IDC_CATOFS_MEMORY), expected[2]);
  EXPECT_EQ(Text(IDC_CATOFS_LIMIT), L"900") << "a limit of 0 shows the row maximum";

  g_SmallMemFlag = 1;
  g_CatalogLimit = 0;
  g_CatalogOffset = 25;
  Open<CCatalogOffsetDialog>();
  ExpectTexts({{IDC_CATOFS_MEMORY, L"      【 小型ﾒﾓﾘｰｻｲｽﾞ 】"}, {IDC_CATOFS_LIMIT, L"600"}, {IDC_CATOFS_OFFSET, L"25"}});
}

TEST_F(SettingsDialogTest, CatalogOffsetChecksInOrder) {
  g_CatalogLimit = 1000;
  auto& dialog = Open<CCatalogOffsetDialog>();
  const std::u16string tooLarge = u"標準メモリサイズの最大制限値は≪1600≫以下の値を入力してください";
  ExpectRefusals({
      {{{IDC_CATOFS_OFFSET, L"-1"}, {IDC_CATOFS_LIMIT, L"0"}}, u"オフセット値は正、または' 0 'を入力してください"},
      {{{IDC_CATOFS_OFFSET, L"4801"}}, u"オフセット値は≪4800≫以下を入力してください"},
      {{{IDC_CATOFS_OFFSET, L"4800"}}, u"最大制限値は≪ 1 ≫以上の値を入力してください"},
      {{{IDC_CATOFS_LIMIT, L"1601"}}, tooLarge},
      {{{IDC_CATOFS_LIMIT, L"99999999999999"}}, tooLarge},
  });
  EXPECT_EQ(g_CatalogLimit, 1000) << "nothing stored while the dialog is open";
  Accept({{IDC_CATOFS_LIMIT, L"1600"}});
  ExpectValues({{&g_CatalogOffset, 4800}, {&g_CatalogLimit, 1600}});
  EXPECT_TRUE(dialog.OffsetChanged());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SettingsDialogTest, CatalogOffsetLimitMessagesPerRow) {
  struct Row {
    int smallMem, size;
    const wchar_t* tooMany;
    std::u16string message;
  };
  const Row rows[] = {
      {1, 1, L"601", u"Ｓ型メモリサイズの最大制限値は≪600≫以下の値を入力してください"},
      {0, 2, L"901", u"Ｌ型カタログの最大制限値は≪900≫以下の値を入力してください"},
      {0, 3, L"601", u"ＬＬ型カタログの最大制限値は≪600≫以下の値を入力してください"},
      {0, 0, L"1601", u"標準メモリサイズの最大制限値は≪1600≫以下の値を入力してください"},
  };
  // The row is the one of the settings when OK is pressed.
  Open<CCatalogOffsetDialog>();
  for (const Row& row : rows) {
    g_SmallMemFlag = row.smallMem;
    g_CatalogSize = row.size;
    ExpectRefusals({{{{IDC_CATOFS_LIMIT, row.tooMany}}, row.message}});
  }
  // Same offset: stored, but not reported as changed.
  g_CatalogOffset = 7;
  g_SmallMemFlag = 0;
  auto& dialog = Open<CCatalogOffsetDialog>();
  Accept({{IDC_CATOFS_LIMIT, L"1"}});
  EXPECT_FALSE(dialog.OffsetChanged());
  EXPECT_EQ(g_CatalogLimit, 1);
}

// "サイズ制限" ----------------------------------------------------------------------------------

const std::initializer_list<int> kMinGroup = {IDC_SIZE_MIN_NONE, IDC_SIZE_MIN_1K, IDC_SIZE_MIN_100K, IDC_SIZE_MIN_TYPED};
const std::initializer_list<int> kMaxGroup = {IDC_SIZE_MAX_NONE, IDC_SIZE_MAX_1K, IDC_SIZE_MAX_100K, IDC_SIZE_MAX_TYPED};

TEST_F(SettingsDialogTest, SizeLimitShowsTheBoundsAndStoresTheChoices) {
  g_MinFileSize = 1000;
  g_MaxFileSize = 123456;
  Open<CSizeLimitDialog>();
  EXPECT_EQ(Caption(), L"サイズ制限");
  // The line under the groups names the sizes round "Byte ＜ ｎ ＜".
  ExpectTexts({{IDC_SIZE_MIN_VALUE, L"    1000"}, {IDC_SIZE_MAX_VALUE, L"  123456"}, {IDC_SIZE_MIN_NONE, L"制限なし"},
               {IDC_SIZE_MAX_100K, L"100KByte"}, {IDC_SIZE_RANGE, L"1,000 Byte ＜ ｎ ＜ 123,456 Byte"}});

  // Each row opens the dialog on what the last one stored, with `marked` checked; the line follows
  // each entry (null: not looked at), and OK stores the choices.
  const struct {
    std::vector<int> marked;
    std::vector<std::pair<Entry, const wchar_t*>> steps;
    long long minimum, maximum;
  } rows[] = {
      {{IDC_SIZE_MIN_1K, IDC_SIZE_MAX_TYPED},
       {{Chosen(kMinGroup, IDC_SIZE_MIN_100K), nullptr}, {Chosen(kMaxGroup, IDC_SIZE_MAX_NONE), L"100,000 Byte ＜ ｎ ＜ 制限なし"}},
       100000, 0},
      {{IDC_SIZE_MIN_100K, IDC_SIZE_MAX_NONE},
       {{Chosen(kMinGroup, IDC_SIZE_MIN_TYPED), nullptr}, {Chosen(kMaxGroup, IDC_SIZE_MAX_1K), nullptr},
        {{IDC_SIZE_MIN_VALUE, L"  500"}, L"500 Byte ＜ ｎ ＜ 1,000 Byte"},
        {Chosen(kMinGroup, IDC_SIZE_MIN_NONE), L"0 Byte ＜ ｎ ＜ 1,000 Byte"}, {Chosen(kMinGroup, IDC_SIZE_MIN_TYPED), nullptr}},
       500, 1000},
      // Sizes beyond 32 bits are kept whole.
      {{IDC_SIZE_MIN_TYPED, IDC_SIZE_MAX_1K},
       {{Chosen(kMaxGroup, IDC_SIZE_MAX_TYPED), nullptr}, {{IDC_SIZE_MAX_VALUE, L"5000000000"}, nullptr}},
       500, 5000000000LL},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.maximum);
    Open<CSizeLimitDialog>();
    for (int id : row.marked) EXPECT_TRUE(Checked(id)) << id;
    for (const auto& [entry, range] : row.steps) {
      Enter({entry});
      if (range != nullptr) {
        EXPECT_EQ(Text(IDC_SIZE_RANGE), range);
      }
    }
    Accept({});
    EXPECT_EQ(g_MinFileSize, row.minimum);
    EXPECT_EQ(g_MaxFileSize, row.maximum);
  }
  EXPECT_TRUE(prompt_.shown.empty());
}

// The size checks' messages carry no caption.
TEST_F(SettingsDialogTest, SizeLimitChecks) {
  g_MinFileSize = 5;
  g_MaxFileSize = 50;
  Open<CSizeLimitDialog>();
  const std::u16string minimum = u"最小制限値は'1'以上の値を入れてください";
  const std::u16string crossed = u"最小制限が最大制限を超えています";
  ExpectRefusals({{{{IDC_SIZE_MIN_VALUE, L"0"}, {IDC_SIZE_MAX_VALUE, L"0"}}, minimum},
                  {{{IDC_SIZE_MIN_VALUE, L"abc"}}, minimum},
                  {{{IDC_SIZE_MIN_VALUE, L"2000"}}, u"最大制限値は'1'以上の値を入れてください"},
                  {{{IDC_SIZE_MAX_VALUE, L"1999"}}, crossed},
                  {{Chosen(kMaxGroup, IDC_SIZE_MAX_1K)}, crossed}},
                 u"");
  EXPECT_EQ(g_MinFileSize, 5) << "nothing stored while the dialog is open";
  Accept({Chosen(kMaxGroup, IDC_SIZE_MAX_NONE)});  // no maximum is never below the minimum
  EXPECT_EQ(g_MinFileSize, 2000);
  EXPECT_EQ(g_MaxFileSize, 0);
}

// "下位フォルダ・オフセット" -----------------------------------------------------------------------

TEST_F(SettingsDialogTest, SubFolderOffsetChecksAndTheZeroButton) {
  g_SubFolderOffset = 12;
  Open<CSubFolderOffsetDialog>();
  EXPECT_EQ(Caption(), L"下位フォルダ・オフセット");
  EXPECT_EQ(Text(IDC_SUBOFS_VALUE), L"12");
  ExpectRefusals({{{{IDC_SUBOFS_VALUE, L"-3"}}, u"オフセット値は正、または' 0 'を入力してください"},
                  {{{IDC_SUBOFS_VALUE, L"801"}}, u"オフセット値は≪800≫以下を入力してください"}});
  EXPECT_EQ(g_SubFolderOffset, 12);
  Accept({{IDC_SUBOFS_VALUE, L"800"}});
  EXPECT_EQ(g_SubFolderOffset, 800);

  Open<CSubFolderOffsetDialog>();
  Click(IDC_SUBOFS_ZERO);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(g_SubFolderOffset, 0);
  EXPECT_TRUE(prompt_.shown.empty());
}

}  // namespace
}  // namespace tarn::test
