// The main frame, hidden under the test's display: relays, status bar, busy guard, closing, and
// the commands that start other programs or open plug-ins' settings, the help and the about box.
#include "tests/plugin_host/HostFixture.h"

#include <htmlhelp.h>

#include "app/MainFrame.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "framework/Accelerators.h"
#include "framework/App.h"
#include "image/PictureWnd.h"
#include "tests/support/DialogScript.h"

namespace tarn::test {
namespace {

class MainFrameTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    // Individual mode in the test's own folder keeps the Windows folder's Tarn.ini out of it.
    WriteFile(L"Tarn.cfg", "");
    g_ScreenMode = 0;
    g_CatalogBuilding = g_SlideShowRun = g_MoveRun = g_CatalogShown = 0;
    g_FlvMp4Playing = g_HiddenMovieWindow = g_PictureShown = 0;
    picture_ = std::make_unique<CPictureWnd>(*registry_);
    frame_ = std::make_unique<CMainFrame>(*registry_, scratch_, *picture_);
    ASSERT_TRUE(frame_->Create(false));
  }
  void TearDown() override {
    g_SaveSuppressed = true;  // the frame's end saves nothing into the test folder
    if (frame_ && frame_->Handle()) DestroyWindow(frame_->Handle());
    frame_.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    g_SaveSuppressed = false;
    scratch_.Unload();
    HostTest::TearDown();
  }

  // Sends a relay message as a dialog would and answers the view's request it led to, if any.
  const HintRecord* Relay(UINT message, int param, int request) {
    const int before = frame_->View().RequestCount();
    SendMessageW(frame_->Handle(), message, static_cast<WPARAM>(param), static_cast<LPARAM>(request));
    return frame_->View().RequestCount() > before ? &frame_->View().LastRequest() : nullptr;
  }

  std::wstring Pane() const {
    const std::wstring text = frame_->StatusText(0);
    const std::size_t end = text.find_last_not_of(L' ');
    return end == std::wstring::npos ? L"" : text.substr(0, end + 1);
  }

  CSPICore scratch_;
  std::unique_ptr<CPictureWnd> picture_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTest, MenuBarIsJapaneseAndLaterFeaturesAreGreyed) {
  HMENU menu = GetMenu(frame_->Handle());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 8);
  const wchar_t* expected[] = {L"ﾌｧｲﾙ(&F)", L"編集(&E)", L"表示(&V)", L"ﾒﾆｭｰ(&M)", L"設定(&S)",
                               L"特定ﾌｫﾙﾀﾞ(&T)", L"画面ｸﾘｱ(&Z)", L"ﾍﾙﾌﾟ(&H)"};
  for (int i = 0; i < 8; ++i) {
    wchar_t item[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), item, 64, MF_BYPOSITION);
    EXPECT_STREQ(item, expected[i]);
  }
  HMENU settings = GetSubMenu(menu, 4);
  SendMessageW(frame_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(settings), 4);
  EXPECT_TRUE(GetMenuState(settings, ID_SET_SIZE_S + g_CatalogSize, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(settings, ID_SET_PLUGIN, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(settings, ID_SET_THUMBNAIL, MF_BYCOMMAND) & MF_GRAYED)
      << "a cache switched off by an error can be switched on again";
  const int cache = g_ThumbNailFlag;
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_THUMBNAIL, 0);
  EXPECT_TRUE(frame_->ThumbDialog().IsOpen()) << "the thumbnail dialog holds the switch";
  EXPECT_EQ(g_ThumbNailFlag, cache);
  wchar_t reset[64] = {};
  GetMenuStringW(settings, ID_SET_RESET, reset, 64, MF_BYCOMMAND);
  EXPECT_STREQ(reset, L"**設定初期化**(&Z)");
  HMENU file = GetSubMenu(menu, 0);
  SendMessageW(frame_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_FALSE(GetMenuState(file, ID_FILE_OPEN_FOLDER, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(file, ID_FILE_PRINT, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(file, ID_APP_EXIT_TARN, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MainFrameTest, FolderDialogRequestsReachTheView) {
  const HintRecord* r = Relay(WM_TREE_DIALOG, 0, 7);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->request, 7);
  ASSERT_NE(r = Relay(WM_TREE_DIALOG, 0, 3), nullptr);
  EXPECT_EQ(r->request, 3);
  EXPECT_EQ(r->param1, 2) << "catalog the current folder";
  ASSERT_NE(r = Relay(WM_TREE_DIALOG, 5, 48), nullptr);
  EXPECT_EQ(r->param1, 1);
  ASSERT_NE(r = Relay(WM_TREE_DIALOG, 0, 48), nullptr);
  EXPECT_EQ(r->param1, 0);
  for (int code : {2, 9, 13}) {
    ASSERT_NE(r = Relay(WM_TREE_DIALOG, 0, code), nullptr) << code;
    EXPECT_EQ(r->request, code);
  }
  EXPECT_EQ(Relay(WM_TREE_DIALOG, 0, 42), nullptr);
  EXPECT_EQ(Pane(), L"画像再生中は操作できません");
  for (const ShownMessage& shown : prompt_.shown) EXPECT_EQ(shown.text.find(u"Switch"), std::u16string::npos);
}

TEST_F(MainFrameTest, DisplaySortDialogRequestsMapToSortModes) {
  const std::pair<int, int> sorts[] = {{6, 0}, {24, 1}, {38, 2}, {43, 4}};
  for (const auto& [request, mode] : sorts) {
    const HintRecord* r = Relay(WM_DISP_DIALOG, 0, request);
    ASSERT_NE(r, nullptr) << request;
    EXPECT_EQ(r->request, 6);
    EXPECT_EQ(r->param1, mode);
  }
  EXPECT_EQ(Relay(WM_DISP_DIALOG, 0, 10), nullptr) << "no catalog";
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"メニューの「読出・書込」でカタログを表示してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"ファイルが有りません");
  g_CatalogShown = 1;
  ASSERT_NE(Relay(WM_DISP_DIALOG, 0, 10), nullptr);
  const HintRecord* r = Relay(WM_DISP_DIALOG, 0, 16);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->request, 15);
  EXPECT_EQ(r->param1, 1);
  ASSERT_NE(r = Relay(WM_DISP_DIALOG, 77, 36), nullptr);
  EXPECT_EQ(r->param1, 77);
  g_FlvMp4Playing = 1;
  EXPECT_EQ(Relay(WM_DISP_DIALOG, 1, 15), nullptr) << "an FLV/MP4 slide show takes no step";
  EXPECT_EQ(Pane(), L"隠れ動画ウインドウを開き右上の[X]で中止してください⇒次の画像を表示します");
}

TEST_F(MainFrameTest, DisplayWindowAndZoomDialogRequests) {
  g_CatalogShown = 1;
  const HintRecord* r = Relay(WM_DISP_WIN, 0, 16);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->request, 15);
  EXPECT_EQ(r->param1, 3);
  ASSERT_NE(r = Relay(WM_DISP_WIN, 0, 10), nullptr);
  EXPECT_EQ(r->param1, 1);
  g_SlideShowRun = 1;
  ASSERT_NE(r = Relay(WM_DISP_WIN, 0, 28), nullptr);
  EXPECT_EQ(r->request, 28);
  EXPECT_EQ(g_SlideShowRun, 0) << "closing the window ends the slide show";
  EXPECT_EQ(Pane(), L"カタログ画面 ：");
  EXPECT_EQ(Relay(WM_DISP_WIN, 40, 29), nullptr);
  EXPECT_EQ(Pane(), L"AUTO ｻｲｽﾞ  縮小表示（拡大率）： 40%");
  EXPECT_EQ(Relay(WM_DISP_WIN, 0, 45), nullptr);

  g_CatalogShown = 0;
  EXPECT_EQ(Relay(WM_STRE_DIALOG, 0, 19), nullptr);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"メインメニューの「表示ﾌｧｲﾙ《選択》」からフォルダを指定してください");
  EXPECT_EQ(prompt_.shown[0].caption, u"グラフィックリストがありません");
  g_CatalogShown = 1;
  Relay(WM_STRE_DIALOG, 0, 19);
  EXPECT_EQ(prompt_.shown[1].text, u"リストから選択し、表示してください");
  EXPECT_EQ(prompt_.shown[1].caption, u"グラフィックファイルが表示されていません");
  g_PictureShown = 1;
  ASSERT_NE(r = Relay(WM_STRE_DIALOG, 1, 19), nullptr);
  EXPECT_EQ(r->request, 30);
  EXPECT_EQ(r->param1, 1);
  ASSERT_NE(r = Relay(WM_STRE_DIALOG, 0, 20), nullptr);
  EXPECT_EQ(r->param1, 2);
  ASSERT_NE(r = Relay(WM_STRE_DIALOG, 0, 49), nullptr);
  EXPECT_EQ(r->request, 49);
  EXPECT_EQ(r->param1, 1);
}

TEST_F(MainFrameTest, UnknownCodesNameTheirHandler) {
  Relay(WM_TREE_DIALOG, 0, 99);
  Relay(WM_DISP_DIALOG, 0, 5);
  Relay(WM_THUMB_DIALOG, 0, 3);
  Relay(WM_DISP_WIN, 0, 11);
  Relay(WM_STRE_DIALOG, 0, 21);
  Relay(WM_POPUP_WIN, 0, 2);
  frame_->StatusBarSet(static_cast<StatusSwitch>(10), 0);
  const std::vector<std::u16string> expected = {
      u"CMainFrame::OnChangeDialogTree Switch = 99", u"CMainFrame::OnChangeDialogDisp Switch = 5",
      u"CMainFrame::OnChangeDialogThumbNail Switch = 3", u"CMainFrame::OnDispWinClose Switch = 11",
      u"CMainFrame::OnChangeDialogStre Switch = 21", u"CMainFrame::OnPopupWinMsg Switch = 2",
      u"CMainFrame::StatusBarSet Switch = 10"};
  ASSERT_EQ(prompt_.shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(prompt_.shown[i].text, expected[i]);
  EXPECT_EQ(frame_->View().RequestCount(), 0);
}

TEST_F(MainFrameTest, TheViewRefusesCodesItDoesNotKnow) {
  HintRecord hint;
  hint.request = static_cast<ViewRequest>(5);
  frame_->Document().UpdateAllViews(nullptr, kHintRequest, &hint);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"CTarnView::OnUpdate Switch = 5");
  for (int code : {2, 3, 4, 6, 7, 8, 9, 10, 12, 13, 15, 17, 21, 22, 25, 28, 30, 33, 36, 37, 40, 41, 44, 46, 47, 48, 49}) {
    hint.request = static_cast<ViewRequest>(code);
    frame_->Document().UpdateAllViews(nullptr, kHintRequest, &hint);
  }
  // Requests 2 and 3 do their work on an empty catalog and say so; none is refused.
  for (std::size_t i = 1; i < prompt_.shown.size(); ++i)
    EXPECT_EQ(prompt_.shown[i].text.find(u"Switch"), std::u16string::npos);
  EXPECT_EQ(frame_->View().RequestCount(), 27);
}

TEST_F(MainFrameTest, BusyGuardStopsSettingsCommands) {
  const int before = g_SinglClickFlag;
  g_SlideShowRun = 1;
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_SINGLE_CLICK, 0);
  EXPECT_EQ(g_SinglClickFlag, before);
  EXPECT_EQ(Pane(), L"画像再生中は操作できません");
  g_SlideShowRun = 0;
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_SINGLE_CLICK, 0);
  EXPECT_EQ(g_SinglClickFlag, before ? 0 : 1);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_SINGLE_CLICK, 0);

  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MULTI_WINDOW, 0);
  EXPECT_EQ(g_MultiWindowFlag, 1);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MAX_SIZE, 0);
  EXPECT_EQ(g_MaxSizeFlag, 1);
  EXPECT_EQ(g_MultiWindowFlag, 0) << "large-screen display and multiple windows exclude each other";
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MULTI_WINDOW, 0);
  EXPECT_EQ(g_MaxSizeFlag, 0);
  g_MultiWindowFlag = 0;
}

TEST_F(MainFrameTest, ClipboardCheckReturnsToTheScreen) {
  g_ScreenMode = 4;
  EXPECT_TRUE(frame_->ClipboardCheck());
  EXPECT_EQ(g_ScreenMode, 0);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"カタログ画面に戻ります ");
  EXPECT_EQ(prompt_.shown[0].caption, u"クリップボード表示中");
  g_ScreenMode = 5;
  EXPECT_TRUE(frame_->ClipboardCheck());
  EXPECT_EQ(prompt_.shown[1].text, u"元の画面に戻ります ");
  EXPECT_FALSE(frame_->ClipboardCheck());
}

TEST_F(MainFrameTest, CloseDuringAnFlvSlideShowTakesThreeRequests) {
  g_SlideShowRun = 1;
  g_FlvMp4Playing = 1;
  SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
  SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(IsWindow(frame_->Handle()));
  EXPECT_EQ(Pane(), L"隠れ動画ウインドウを開き右上の[X]で中止してください（３回で強制終了）");
  SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(frame_->Handle(), nullptr) << "the third request closes";
  g_SlideShowRun = g_FlvMp4Playing = 0;
}

TEST_F(MainFrameTest, CloseDuringAPictureSlideShowIsIgnored) {
  g_SlideShowRun = 1;
  for (int i = 0; i < 4; ++i) SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_NE(frame_->Handle(), nullptr);
  g_SlideShowRun = 0;
  SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(frame_->Handle(), nullptr);
}

TEST_F(MainFrameTest, WipesetMustBeBesideTheProgram) {
  EXPECT_FALSE(frame_->StartWipeset());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"Tarn.exe のあるフォルダに入れてください ");
  EXPECT_EQ(prompt_.shown[0].caption, u"Wipeset.exe プログラム未検出");

  WriteFile(L"Wipeset.exe", "not a program");
  prompt_.answers = {kAnswerCancel};
  EXPECT_FALSE(frame_->StartWipeset());
  EXPECT_EQ(prompt_.shown[1].text, u"次に表示される画面で削除できます ");
  EXPECT_EQ(prompt_.shown[1].caption, u"設定＆ログファイル一括削除");
  EXPECT_FALSE(g_SaveSuppressed) << "cancelled: nothing changes";

  EXPECT_FALSE(frame_->StartWipeset()) << "the file is no program";
  ASSERT_EQ(prompt_.shown.size(), 4u);
  EXPECT_EQ(prompt_.shown[3].text, u"Wipeset.exe 起動失敗<-M23> ");
  EXPECT_EQ(prompt_.shown[3].caption, u"エラー");
  EXPECT_TRUE(g_SaveSuppressed) << "settings were saved first, then saving stops";
  EXPECT_NE(ReadFile(folder_ + L"Tarn.cfg"), "") << "saved to the individual settings file";
}

TEST_F(MainFrameTest, PluginSettingsLaunch) {
  // Reached from the settings menu.
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_CATCH_CONFIG, 0);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"プラグインがありません ");
  EXPECT_EQ(prompt_.shown[0].caption, FromWide((folder_ + L"TarnCatch.spi").c_str()));

  Install(L"FakeBare.spi", L"tarncatch.SPI");
  frame_->ConfigurePlugin(true);
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].text, u"プラグイン・オープンエラー<-M21> ") << "no settings function";

  Install(L"FakeNoInfo.spi", L"TarnFlv.spi");
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_FLV_CONFIG, 0);
  ASSERT_EQ(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[2].text, u"プラグインの操作失敗<-M25> ");

  DeleteFileW((folder_ + L"TarnFlv.spi").c_str());
  Install(L"FakePlugin.spi", L"TarnFlv.spi");
  frame_->ConfigurePlugin(false);
  EXPECT_EQ(prompt_.shown.size(), 3u) << "its dialog ran";
}

TEST_F(MainFrameTest, AHighlightedMenuItemShowsItsPromptUntilTheMenuCloses) {
  frame_->StatusBarSet(kStatusText, 0, u"カタログ画面");
  const auto select = [&](int id, UINT flags, HMENU menu) {
    SendMessageW(frame_->Handle(), WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu));
  };
  const HMENU menu = GetMenu(frame_->Handle());
  select(ID_SET_RESET, MF_STRING, menu);
  EXPECT_EQ(Pane(), L"基本設定の各項目を初期化");
  select(ID_MENU_DISP_DIALOG, MF_STRING, menu);
  EXPECT_EQ(Pane(), L"ファイルの≪表示≫≪並替≫ダイアログ");
  select(ID_APP_EXIT_TARN, MF_STRING, menu);
  EXPECT_EQ(Pane(), L"カタログ画面") << "an item without a prompt leaves the screen's text";
  select(ID_SET_MULTI_WINDOW, MF_STRING, menu);
  select(0, 0xFFFF, nullptr);
  EXPECT_EQ(Pane(), L"カタログ画面") << "the menu closed";
}

TEST_F(MainFrameTest, DialogsOpenOverTheCatalogAndComeToTheFrontWhenAskedForAgain) {
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_DISP_DIALOG, 0);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_TREE_DIALOG, 0);
  const HWND disp = FindOwnWindow(L"#32770", L"表示/並替"), tree = FindOwnWindow(L"#32770", L"読出/書込");
  ASSERT_TRUE(disp != nullptr && tree != nullptr);
  EXPECT_EQ(GetWindow(disp, GW_OWNER), frame_->Handle()) << "owned: it stays above the frame";
  POINT corner{0, 0};
  ClientToScreen(frame_->View().Handle(), &corner);
  RECT place{};
  GetWindowRect(tree, &place);
  EXPECT_EQ(place.left, corner.x) << "not over the menu bar";
  EXPECT_EQ(place.top, corner.y);
  const auto above = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
      if (w == lower) return true;
    return false;
  };
  EXPECT_TRUE(above(tree, disp));
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_DISP_DIALOG, 0);
  EXPECT_TRUE(above(disp, tree)) << "the dialog asked for again is in front";
}

TEST_F(MainFrameTest, HelpThatCannotOpenSaysSo) {
  for (const bool present : {false, true}) {
    if (present) WriteFile(L"Tarn.chm", "not a help file");
    prompt_.shown.clear();
    SendMessageW(frame_->Handle(), WM_COMMAND, ID_HELP_TARN, 0);
    ASSERT_EQ(prompt_.shown.size(), 1u) << present;
    EXPECT_EQ(prompt_.shown[0].text, u"ヘルプファイルを開けません ");
    EXPECT_EQ(prompt_.shown[0].caption, FromWide((folder_ + L"Tarn.chm").c_str()));
  }
}

// The help file the build makes, beside the program as a user unpacks it: F1 reaches the help
// command through the program's own key table, and the viewer opens it on its start topic.
TEST_F(MainFrameTest, F1OpensTheBuiltHelpFile) {
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"Tarn.chm").c_str(), (folder_ + L"Tarn.chm").c_str(), FALSE));
  MSG f1{frame_->Handle(), WM_KEYDOWN, VK_F1, 1};
  EXPECT_TRUE(TranslateAcceleratorW(frame_->Handle(), frame_->Accelerators(), &f1));
  EXPECT_TRUE(prompt_.shown.empty()) << "the help command says it cannot open the file";
  EXPECT_NE(FindOwnWindow(nullptr, L"Tarn ヘルプ"), nullptr) << "no help window";
  HtmlHelpW(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

// One key table: the menus show its keys, no key does two things, and the keys that act on the
// catalog's files work only over the frame, never while the user types in a dialog.
TEST_F(MainFrameTest, MenusShowTheKeysOfTheOneTableAndCatalogKeysStayInTheFrame) {
  const HMENU menu = GetMenu(frame_->Handle());
  const std::pair<UINT, const wchar_t*> shown[] = {
      {ID_FILE_OPEN_FOLDER, L"開く(&O)...\tCtrl+O"}, {ID_FILE_PRINT, L"印刷(&P)...\tCtrl+P"},
      {ID_EDIT_SELECT_ALL, L"すべて選択(&A)\tCtrl+A"}, {ID_EDIT_DELETE, L"削除(&D)\tDel"},
      {ID_EDIT_RENAME, L"名前の変更(&N)\tF2"},        {ID_VIEW_RECATALOG, L"再ｶﾀﾛｸﾞ(&R)\tF5"},
      {ID_HELP_TARN, L"Tarn Help(&H)\tF1"}};
  for (const auto& [id, text] : shown) {
    wchar_t item[64] = {};
    GetMenuStringW(menu, id, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(item, text);
  }
  std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableW(frame_->Accelerators(), nullptr, 0)));
  CopyAcceleratorTableW(frame_->Accelerators(), keys.data(), static_cast<int>(keys.size()));
  EXPECT_EQ(keys.size(), std::size(shown));
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      EXPECT_FALSE(keys[i].key == keys[j].key && keys[i].fVirt == keys[j].fVirt) << "one key, two commands";

  const HACCEL anywhere = AcceleratorSubset(frame_->Accelerators(), {ID_HELP_TARN});
  CMessageLoop loop;
  loop.SetKeys(frame_->Handle(), frame_->Accelerators(), anywhere);
  const int before = frame_->View().RequestCount();
  MSG del{frame_->View().Handle(), WM_KEYDOWN, VK_DELETE, 1};
  EXPECT_TRUE(loop.PreTranslate(del));
  ASSERT_EQ(frame_->View().RequestCount(), before + 1);
  EXPECT_EQ(frame_->View().LastRequest().request, kViewDelete);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_TREE_DIALOG, 0);
  MSG typed{GetWindow(frame_->TreeDialog().Handle(), GW_CHILD), WM_KEYDOWN, VK_DELETE, 1};
  loop.PreTranslate(typed);
  EXPECT_EQ(frame_->View().RequestCount(), before + 1) << "Delete in the folder dialog deleted files";
  prompt_.shown.clear();
  MSG help{typed.hwnd, WM_KEYDOWN, VK_F1, 1};
  EXPECT_TRUE(loop.PreTranslate(help)) << "help opens from every window";
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ヘルプファイルを開けません ");
  DestroyAcceleratorTable(anywhere);
}

// The tool bar's buttons name their commands, with their keys.
TEST_F(MainFrameTest, ToolBarButtonsHaveJapaneseTips) {
  const std::pair<UINT, const wchar_t*> tips[] = {{ID_FILE_OPEN_FOLDER, L"フォルダを開く (Ctrl+O)"},
                                                  {ID_FILE_SAVE_IMAGE, L"画像をJPG/DIB形式で保存"},
                                                  {ID_FILE_PRINT, L"印刷 (Ctrl+P)"},
                                                  {ID_SET_OTHER, L"その他の設定"},
                                                  {ID_HELP_ABOUT, L"バージョン情報"}};
  for (const auto& [id, text] : tips) {
    NMTTDISPINFOW asked{};
    asked.hdr.hwndFrom = frame_->ToolBar();
    asked.hdr.idFrom = id;
    asked.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(frame_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&asked));
    ASSERT_NE(asked.lpszText, nullptr);
    EXPECT_STREQ(asked.lpszText, text);
  }
  EXPECT_EQ(ToolTipOf(ID_MENU_WIPESET, GetMenu(frame_->Handle()), nullptr), L"「設定＆ﾛｸﾞ」 削除")
      << "without a tip of its own, the menu item's words";
}

// The about box shows the version that the program file carries, which Explorer shows too.
TEST_F(MainFrameTest, AboutBoxShowsTheProgramFilesVersion) {
  const std::wstring program = ProgramFolder() + L"Tarn.exe";
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &unused);
  ASSERT_GT(size, 0u) << "Tarn.exe has no version resource";
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));
  wchar_t* version = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\FileVersion",
                             reinterpret_cast<void**>(&version), &length));
  std::wstring shown;
  DialogScript script(L"Tarn のﾊﾞｰｼﾞｮﾝ情報", {[&](HWND about) {
                        wchar_t text[128] = {};
                        GetDlgItemTextW(about, IDC_ABOUT_VERSION, text, 128);
                        shown = text;
                        DialogScript::Press(about, IDOK);
                      }});
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_HELP_ABOUT, 0);
  EXPECT_EQ(script.done(), 1u);
  EXPECT_EQ(shown, L"Tarn  Version " + std::wstring(version));
}

}  // namespace
}  // namespace tarn::test
