// CTreeDialog: the tree: built from disk or loaded from its TreeList file, the folder of the
// selected item, the selection menu (single or multiple folders) and the context menu (refresh,
// Explorer, the complete-deletion program).
#include "TreeDialog.h"

#include "base/ErrorLog.h"
#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/Requests.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"
#include "folders/FoldersResource.h"
#include "folders/TreeBuild.h"
#include "folders/TreeListFile.h"
#include "folders/Win32Directories.h"

namespace tarn {
namespace {

bool StartProgram(std::u16string commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ProcessHandles process;
  return CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(commandLine.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, process.Fill()) != 0;
}

// Greys `id` in `menu`; false when the menu refused.
bool Grey(HMENU menu, UINT id) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = MFS_GRAYED;
  return SetMenuItemInfoW(menu, id, FALSE, &info) != 0;
}

// A folder for a command line: quoted when it holds a blank, and then without its final
// backslash, which would otherwise escape the closing quote.
std::u16string FolderArgument(std::u16string folder) {
  if (HasBlank(folder) && folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
  return QuotedIfBlank(folder);
}

}  // namespace

void CTreeDialog::BuildTree(int slot) {
  const int number = ListNumber(slot);
  const std::u16string root = SlotText(slot);
  std::vector<TreeListItem> items;
  int built = kTreeBuilt;
  {
    ++m_BuildNumber;
    ProgressScope progress(u"ツリーリスト作成中・・ No=" + PaddedDecimal(m_BuildNumber, 3));
    Win32Directories directories;
    built = BuildFolderTree(root, directories, TheProgress(), items);
  }
  if (built == kTreeTooManyEntries)
    Say(u"検索するファイルが多過ぎるため途中で打ち切ります ", u"最大検索ファイル数 = " + DecimalText(kTreeEntriesMax));
  m_Tree.Fill(items, 0);
  SaveTree(number);
  if (m_ExplorerOpened == number) m_ExplorerOpened = 0;
}

bool CTreeDialog::LoadTree(int number) {
  std::u16string text;
  if (!LoadTreeListText(number, text)) return false;
  TreeListContent content;
  const TreeListRead read = ReadTreeList(text, m_SelectedPosition, content);
  if (read == TreeListRead::kNestingOverflow) Say(u"ネストバッファサイズオーバー");
  if (read != TreeListRead::kLoaded) return false;
  return m_Tree.Fill(content.items, content.selected);
}

void CTreeDialog::SaveTree(int number) { SaveTreeListFile(number, m_Tree.VisibleItems(), m_Tree.ItemCount()); }

void CTreeDialog::OnSelectionChanged() {
  const int slot = g_LastTree[m_Page] - 7 * m_Page;
  if (IsTreeSlot(slot) && slot < 7) {
    g_TreeButton[m_Page] = slot;
    PressSlot(slot);
  }
  const std::u16string path = m_Tree.ItemPath(m_Tree.Selection());
  if (path.empty()) return;
  if (!IsFolder(path)) {
    Say(u"ツリーリストを更新します ", u"フォルダ未検出");
    if (IsTreeSlot(slot) && slot < 7) PostMessageW(Handle(), kRebuildMessage, static_cast<WPARAM>(slot), 0);
    return;
  }
  m_SelTreeDir = path;
  Request(kTreeFolderChanged);
  if (m_Picks.Count() == 0) return;
  switch (m_Picks.Add(path)) {
    case FolderPicks::kTooLong: {
      const std::u16string line = PathTooLongLine(u"m_SelTreeDir", path);
      WriteErrorLog(line);
      Say(line);
      break;
    }
    case FolderPicks::kAdded: Say(u"続けてフォルダを選択できます", u"追加のフォルダ選択完了"); break;
    default: break;
  }
}

void CTreeDialog::OnDoubleClick() {
  if (SendItem(IDC_TREE_SUBFOLDER, BM_GETCHECK) == BST_CHECKED) {
    Say(u"「下位ﾌｫﾙﾀﾞ」をOFFしてください", u"フォルダの複数選択");
    return;
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, ID_TREE_SINGLE, L"単独選択(&S)");
  AppendMenuW(menu, MF_STRING, ID_TREE_MULTIPLE, L"複数選択(&M)");
  if (!Grey(menu, m_Picks.Count() == 0 ? ID_TREE_SINGLE : ID_TREE_MULTIPLE)) Say(u"SetMenuItemInfo失敗<-t05> ");
  if (const HTREEITEM selected = m_Tree.Selection()) m_Tree.Collapse(selected);
  const int command = TrackMenu(menu);
  DestroyMenu(menu);
  if (command != 0) OnCommand(command, BN_CLICKED, nullptr);
}

void CTreeDialog::OnStartMultiple() {
  if (closeDisplay) closeDisplay();
  m_Picks.Clear();
  if (m_SelTreeDir.empty()) return;
  if (m_Picks.Add(m_SelTreeDir) == FolderPicks::kTooLong) {
    const std::u16string line = PathTooLongLine(u"m_SelTreeDir", m_SelTreeDir);
    WriteErrorLog(line);
    Say(line);
    return;
  }
  Say(u"続けてフォルダを選択できます", u"最初のフォルダ選択完了");
}

bool CTreeDialog::RootCheck() {
  const int slot = SelectedSlot();
  if (!IsTreeSlot(slot) || slot >= 7) {
    Say(u"≪指定≫ボタンで選択してください", u"ツリーフォルダの先頭パス未選択");
    return false;
  }
  const std::u16string root = SlotText(slot);
  if (root.empty()) {
    Say(u"≪選択≫ボタンで設定してください", u"ツリーフォルダの先頭パス未入力");
    return false;
  }
  if (!IsFolder(root)) {
    m_Tree.Clear();
    Say(u"フォルダがありません", root);
    return false;
  }
  return true;
}

void CTreeDialog::OnRightClick() {
  if (!RootCheck()) return;
  const int slot = SelectedSlot();
  if (m_ExplorerOpened == ListNumber(slot)) {
    BuildTree(slot);
    return;
  }
  const std::u16string selected = m_Tree.ItemPath(m_Tree.Selection());
  if (!selected.empty() && !IsFolder(selected)) {
    Say(u"ツリーリストを更新します ", u"フォルダ未検出");
    BuildTree(slot);
    return;
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, ID_TREE_REFRESH, L"ﾂﾘｰ更新(&N)");
  AppendMenuW(menu, MF_STRING, ID_TREE_EXPLORER, L"ｴｸｽﾌﾟﾛｰﾗ(&X)");
  AppendMenuW(menu, MF_STRING, ID_TREE_COMPLETE_DELETE, L"完全削除ｱﾌﾟﾘ(&E)");
  if (!EndsWithIgnoreCase(std::u16string_view(g_AppliName[2]), u"Shredit.exe") && !Grey(menu, ID_TREE_COMPLETE_DELETE))
    Say(u"SetMenuItemInfo失敗<-t01> ");
  const int command = TrackMenu(menu);
  DestroyMenu(menu);
  if (command != 0) OnCommand(command, BN_CLICKED, nullptr);
}

int CTreeDialog::TrackMenu(HMENU menu) const {
  RECT window;
  GetWindowRect(Handle(), &window);
  return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, window.left + 25,
                                         window.top + 220, 0, Handle(), nullptr));
}

void CTreeDialog::OnRefreshTree() {
  if (RootCheck()) BuildTree(SelectedSlot());
}

void CTreeDialog::OnExplorer() {
  if (!RootCheck()) return;
  if (explorerPath.empty()) {
    Say(u"≪Explorer.exe≫検出不可", u"「エクスプローラ」の起動失敗");
    return;
  }
  const int slot = SelectedSlot();
  const std::u16string command = QuotedIfBlank(explorerPath) + u" /ROOT," + SlotText(slot);
  if (!StartProgram(command)) {
    Say(command, u"「エクスプローラ」の起動失敗");
    return;
  }
  m_ExplorerOpened = ListNumber(slot);
}

void CTreeDialog::OnCompleteDelete() {
  if (m_SelTreeDir.empty()) {
    Say(u"フォルダを選択してください ", u"フォルダ未選択");
    return;
  }
  const std::u16string command = QuotedIfBlank(std::u16string_view(g_AppliName[2])) + u" " + FolderArgument(m_SelTreeDir);
  if (!StartProgram(command)) Say(u"「完全削除アプリ」の設定を確認してください_4 ", command);
}

}  // namespace tarn
