// The folder dialog on real folders: trees built, saved in their code page and loaded again with
// the same selection, a multi-folder catalog, copies to a target created on request, the clear
// area and the Explorer and complete-deletion command lines.
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "folders/FoldersResource.h"
#include "folders/TreeDialog.h"
#include "folders/TreeListFile.h"
#include "tests/catalog/CatalogFixture.h"
#include "tests/support/DialogScript.h"

namespace tarn::test {
namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + name + L"\\");
      else
        DeleteFileW((folder + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

class TreeDialogTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    root_ = folder_ + L"tree\\";
    CreateDirectoryW(root_.c_str(), nullptr);
    for (const wchar_t* sub : {L"b", L"b\\deep", L"A"}) CreateDirectoryW((root_ + sub).c_str(), nullptr);
    for (int slot = 0; slot < 14; ++slot) g_TreeFilePath[slot][0] = u'\0';
    g_TreeButton[0] = g_TreeButton[1] = 7;
    g_LastTree[0] = g_LastTree[1] = -1;
    SetRoot(5, root_);
    SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_TREE_DIALOG, 0);
    dialog_ = frame_->TreeDialog().Handle();
    tree_ = GetDlgItem(dialog_, IDC_TREE_VIEW);
  }
  void TearDown() override {
    for (int n : {5, 6, 12, 13}) DeleteTreeListFile(n);
    RemoveTree(root_);
    RemoveTree(folder_ + L"new\\");
    CatalogTest::TearDown();
  }

  void SetRoot(int slot, const std::wstring& root) {
    std::u16string text = FromWide(root.c_str());
    std::copy(text.begin(), text.end(), g_TreeFilePath[slot]);
    g_TreeFilePath[slot][text.size()] = u'\0';
    frame_->TreeDialog().RefreshFromSettings();
  }
  void Press(int id) { DialogScript::Press(dialog_, id); }
  std::wstring Label(HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW query{TVIF_TEXT, item};
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree_, &query);
    return text;
  }
  // The visible item labelled `label`.
  HTREEITEM Find(const std::wstring& label) {
    for (HTREEITEM item = TreeView_GetRoot(tree_); item; item = TreeView_GetNextVisible(tree_, item))
      if (Label(item) == label) return item;
    return nullptr;
  }
  std::string FileBytes(const std::wstring& path) { return ReadFile(path); }

  std::wstring root_;
  HWND dialog_ = nullptr;
  HWND tree_ = nullptr;
};

TEST_F(TreeDialogTest, TreeListFileMatchesTheGoldenBytesAndReadsBack) {
  const std::vector<TreeListItem> items = {{u"C:\\写真", -1, true}, {u"2024年", 0, true}, {u"春", 1, false},
                                           {u"夏", 1, true},        {u"海", 3, false},     {u"旅行", 0, false}};
  ASSERT_TRUE(SaveTreeListFile(12, items, 7));
  std::ifstream golden(TARN_TEST_DATA "/TreeList.golden.txt", std::ios::binary);
  const std::string expected((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FileBytes(folder_ + L"TreeList12.txt"), expected);
  std::u16string text;
  ASSERT_TRUE(LoadTreeListText(12, text));
  TreeListContent read;
  ASSERT_EQ(ReadTreeList(text, 0, read), TreeListRead::kLoaded);
  EXPECT_EQ(read.items[4].label, u"海");

  // A name without a code-page form is not saved to come back wrong: no file, built again next time.
  EXPECT_FALSE(SaveTreeListFile(12, {{u"C:\\caf\u00e9\U0001F600", -1, true}}, 1));
  EXPECT_EQ(GetFileAttributesW((folder_ + L"TreeList12.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TreeDialogTest, TreeIsBuiltSavedAndReloadedWithTheSameSelection) {
  Press(IDC_TREE_SLOT0 + 5);  // "ﾂﾘｰ1": no TreeList yet, so built from disk and saved
  const std::string saved = FileBytes(folder_ + L"TreeList5.txt");
  const std::u16string rootLabel = FromWide(root_.substr(0, root_.size() - 1).c_str());
  std::u16string expected = u"##ツリーリスト　アイテム数 = 4\n" + rootLabel + u"\n" + rootLabel + u"/A\n" + rootLabel +
                            u"/b/\nb/deep\n##ツリーリスト END\n";
  EXPECT_EQ(saved, ToAnsi(expected)) << "folders only, sorted without regard to case, all expanded";
  EXPECT_EQ(progress_.text, u"ツリーリスト作成中・・ No=  1");

  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"deep")));
  EXPECT_EQ(frame_->TreeDialog().SelectedFolder(), FromWide((root_ + L"b\\deep\\").c_str()));
  Press(IDCANCEL);
  EXPECT_FALSE(IsWindowVisible(dialog_));
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_TREE_DIALOG, 0);
  Press(IDC_TREE_SLOT0 + 5);  // loaded from the file this time, the same item selected
  EXPECT_EQ(progress_.opened, 1) << "not built again";
  EXPECT_EQ(Label(TreeView_GetSelection(tree_)), L"deep");

  // A folder gone since: selecting it says so and the tree is built again without it.
  RemoveDirectoryW((root_ + L"A").c_str());
  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"A")));
  Pump(50);
  EXPECT_EQ(prompt_.shown.back().caption, u"フォルダ未検出");
  EXPECT_EQ(Find(L"A"), nullptr);
  EXPECT_EQ(progress_.opened, 2);
}

TEST_F(TreeDialogTest, NestingOverflowFallsBackToBuildingFromDisk) {
  std::string deep = "#\r\nR\r\n";
  std::string parent = "R";
  for (int level = 1; level <= 21; ++level) {
    const std::string label = std::string(1, 'L') + std::to_string(level);
    deep += parent;
    deep += '/';
    deep += label;
    deep += "/\n";
    parent = label;
  }
  WriteFile(L"TreeList5.txt", deep);
  Press(IDC_TREE_SLOT0 + 5);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"ネストバッファサイズオーバー");
  EXPECT_NE(Find(L"deep"), nullptr) << "built from disk instead";
}

TEST_F(TreeDialogTest, PickedFoldersBecomeOneMultiFolderCatalog) {
  Picture(L"one.bmp", 8, 8, kRed);  // in pictures\, which the tree does not hold
  const std::wstring b = root_ + L"b\\", deep = b + L"deep\\";
  WriteFile(L"tree\\b\\x.bmp", SolidBmp(8, 8, kGreen));
  WriteFile(L"tree\\b\\deep\\y.bmp", SolidBmp(8, 8, kBlue));
  WriteFile(L"tree\\b\\deep\\z.bmp", SolidBmp(8, 8, kBlue));
  Press(IDC_TREE_SLOT0 + 5);
  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"b")));
  SendMessageW(dialog_, WM_COMMAND, ID_TREE_MULTIPLE, 0);
  EXPECT_EQ(prompt_.shown.back().caption, u"最初のフォルダ選択完了");
  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"deep")));
  EXPECT_EQ(prompt_.shown.back().caption, u"追加のフォルダ選択完了");
  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"b")));  // already picked: kept once, nothing said
  EXPECT_EQ(frame_->TreeDialog().Picks().Count(), 2);
  Press(IDC_TREE_CATALOG);
  Pump(300);
  EXPECT_EQ(TheCatalog().folderRows, 2);
  EXPECT_EQ(TheCatalog().rows, 3) << "x.bmp, y.bmp and z.bmp";
  EXPECT_EQ(FolderPathOf(TheCatalog(), 1), FromWide(deep.c_str()));
  wchar_t files[16] = {};
  GetDlgItemTextW(dialog_, IDC_TREE_FILES, files, 16);
  EXPECT_STREQ(files, L"   3") << "the counter follows the new catalog";

  SendMessageW(dialog_, WM_COMMAND, ID_TREE_SINGLE, 0);
  EXPECT_EQ(frame_->TreeDialog().Picks().Count(), 0);
}

TEST_F(TreeDialogTest, CopyTargetIsCreatedOnRequestAndARefusalSendsNothing) {
  Picture(L"one.bmp", 8, 8, kRed);
  Catalogue();
  Pump(200);
  ASSERT_EQ(TheCatalog().rows, 1);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
  const std::wstring target = folder_ + L"new\\";
  SetDlgItemTextW(dialog_, IDC_TREE_PATH0, target.c_str());
  Press(IDC_TREE_SLOT0);
  prompt_.answers = {kAnswerCancel};
  Press(IDC_TREE_COPY);
  Pump(100);
  EXPECT_EQ(prompt_.shown.back().text, u"コピー先フォルダがありませんが作成しますか？");
  EXPECT_EQ(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);

  Press(IDC_TREE_COPY);
  Pump(300);
  EXPECT_NE(GetFileAttributesW((target + L"one.bmp").c_str()), INVALID_FILE_ATTRIBUTES) << "the copy arrived";
  wchar_t field[MAX_PATH] = {};
  GetDlgItemTextW(dialog_, IDC_TREE_PATH0, field, MAX_PATH);
  EXPECT_EQ(field, target) << "the refresh after the copy keeps the typed target";
  bool created = false;
  for (const ShownMessage& m : prompt_.shown) created |= m.text == FromWide(target.c_str()) + u"を新規作成しました";
  EXPECT_TRUE(created);
}

TEST_F(TreeDialogTest, ShiftClickOnTheClearAreaEmptiesThePageAndItsTreeLists) {
  Press(IDC_TREE_SLOT0 + 5);
  WriteFile(L"TreeList6.txt", "#\nR\n");
  WriteFile(L"TreeList12.txt", "#\nR\n");  // page 2's stays
  RECT client;
  GetClientRect(dialog_, &client);
  const LPARAM inside = MAKELPARAM(client.right * 3 / 4, client.bottom * 75 / 100 + 3);
  SendMessageW(dialog_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 4, client.bottom * 75 / 100 + 3));
  EXPECT_TRUE(prompt_.shown.empty()) << "left of the area nothing happens";
  SendMessageW(dialog_, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, inside);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"≪フォルダ≫を全消去しますか");
  for (const wchar_t* gone : {L"TreeList5.txt", L"TreeList6.txt"})
    EXPECT_EQ(GetFileAttributesW((folder_ + gone).c_str()), INVALID_FILE_ATTRIBUTES) << gone;
  EXPECT_NE(GetFileAttributesW((folder_ + L"TreeList12.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(g_TreeFilePath[5][0], u'\0');
  EXPECT_EQ(TreeView_GetCount(tree_), 0u);
}

TEST_F(TreeDialogTest, PageSwitchKeepsEachPagesSlotsAndTrees) {
  SetRoot(12, root_ + L"b");
  g_LastTree[1] = 12;
  SetDlgItemTextW(dialog_, IDC_TREE_PATH0 + 1, L"D:\\typed");  // stored only when the page is left
  DialogScript::Click(dialog_, IDC_TREE_PAGE);
  EXPECT_EQ(std::u16string(g_TreeFilePath[1]), u"D:\\typed");
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(dialog_, IDC_TREE_SLOT0 + 4, text, MAX_PATH);
  EXPECT_STREQ(text, L"10");
  GetDlgItemTextW(dialog_, IDC_TREE_SLOT0 + 5, text, MAX_PATH);
  EXPECT_STREQ(text, L"ﾂﾘｰ3");
  GetDlgItemTextW(dialog_, IDC_TREE_PATH0 + 5, text, MAX_PATH);
  EXPECT_EQ(text, root_ + L"b");
  EXPECT_NE(Find(L"deep"), nullptr) << "page 2's last tree, built on the switch";
  EXPECT_NE(GetFileAttributesW((folder_ + L"TreeList12.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  g_SlideShowRun = 1;  // busy: the box goes back and the frame shows its notice
  DialogScript::Click(dialog_, IDC_TREE_PAGE);
  g_SlideShowRun = 0;
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_TREE_PAGE), BST_CHECKED);
  Pump(50);
  EXPECT_EQ(frame_->StatusText(0).substr(0, 13), L"画像再生中は操作できません");
}

TEST_F(TreeDialogTest, ExplorerAndCompleteDeletionGetTheirCommandLines) {
  const std::wstring record = folder_ + L"args.txt";
  SetEnvironmentVariableW(L"TARN_RECORD_ARGS", record.c_str());
  frame_->TreeDialog().explorerPath = FromWide((ProgramFolder() + L"RecordArgs.exe").c_str());
  Press(IDC_TREE_SLOT0 + 5);
  SendMessageW(dialog_, WM_COMMAND, ID_TREE_EXPLORER, 0);
  std::string line;
  for (int waited = 0; waited < 10000 && line.empty(); waited += 100) {  // the stand-in runs on its own
    Sleep(100);
    line = ReadFile(record);
  }
  const std::wstring args(reinterpret_cast<const wchar_t*>(line.data()), line.size() / 2);
  EXPECT_NE(args.find(L" /ROOT," + root_), std::wstring::npos) << std::string(args.begin(), args.end());

  // Opened in Explorer, the tree is built again before its next use.
  const int builds = progress_.opened;
  Press(IDC_TREE_SLOT0 + 5);
  EXPECT_EQ(progress_.opened, builds + 1);

  ASSERT_TRUE(TreeView_SelectItem(tree_, Find(L"b")));
  g_AppliName[2][0] = u'\0';
  SendMessageW(dialog_, WM_COMMAND, ID_TREE_COMPLETE_DELETE, 0);
  EXPECT_EQ(prompt_.shown.back().text, u"「完全削除アプリ」の設定を確認してください_4 ");
  SetEnvironmentVariableW(L"TARN_RECORD_ARGS", nullptr);
}

}  // namespace
}  // namespace tarn::test
