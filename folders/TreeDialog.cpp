// CTreeDialog: the pages and their slots, the requests to the frame, the counters, the clear
// area and closing.
#include "TreeDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "base/FileUtil.h"
#include "base/FrameMessages.h"
#include "base/Prompt.h"
#include "base/Requests.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "base/resource.h"
#include "catalog/view/CatalogSelection.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileOpenList.h"
#include "folders/FoldersResource.h"
#include "folders/TreeListFile.h"

namespace tarn {
namespace {

constexpr int kSlots = 7;
constexpr int kNoSlot = 7;

// The clear area "行/全ｸﾘｱ", in client pixels: 59 % to 96 % of the width and 73 % to 77 % of the
// height, each edge a few pixels further on.
bool InClearArea(int x, int y, int width, int height) {
  return x >= width * 59 / 100 + 2 && x <= width * 96 / 100 + 2 && y >= height * 73 / 100 + 2 &&
         y <= height * 77 / 100 + 6;
}

}  // namespace

CTreeDialog::CTreeDialog() : CPanelDialog(IDD_TREE_DIALOG) {}

bool CTreeDialog::OnInitDialog() {
  m_Tree.Attach(Item(IDC_TREE_VIEW));
  ShowPage();
  RefreshCounters();
  return true;
}

int CTreeDialog::SelectedSlot() const {
  const int slot = g_TreeButton[m_Page];
  return slot >= 0 && slot < kSlots ? slot : kNoSlot;
}

std::u16string CTreeDialog::SlotText(int slot) const { return FromWide(ItemText(IDC_TREE_PATH0 + slot).c_str()); }

void CTreeDialog::SetSlotText(int slot, const std::u16string& text) {
  SetItemText(IDC_TREE_PATH0 + slot, AsWide(text));
  char16_t* setting = g_TreeFilePath[slot + 7 * m_Page];
  const std::size_t n = std::min<std::size_t>(text.size(), 255);
  std::copy_n(text.data(), n, setting);
  setting[n] = u'\0';
}

void CTreeDialog::PressSlot(int slot) {
  for (int i = 0; i < kSlots; ++i)
    SendItem(IDC_TREE_SLOT0 + i, BM_SETCHECK, i == slot ? BST_CHECKED : BST_UNCHECKED);
}

void CTreeDialog::StoreFields() {
  for (int slot = 0; slot < kSlots; ++slot) SetSlotText(slot, SlotText(slot));
}

void CTreeDialog::ShowPage() {
  static constexpr const wchar_t* kLabels[2][kSlots] = {{L"1", L"2", L"3", L"4", L"5", L"ﾂﾘｰ1", L"ﾂﾘｰ2"},
                                                        {L"6", L"7", L"8", L"9", L"10", L"ﾂﾘｰ3", L"ﾂﾘｰ4"}};
  for (int slot = 0; slot < kSlots; ++slot) {
    SetItemText(IDC_TREE_SLOT0 + slot, kLabels[m_Page][slot]);
    SetItemText(IDC_TREE_PATH0 + slot, AsWide(std::u16string(g_TreeFilePath[slot + 7 * m_Page])));
  }
  PressSlot(SelectedSlot());
  SendItem(IDC_TREE_PAGE, BM_SETCHECK, m_Page == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CTreeDialog::RefreshFromSettings() {
  if (Handle() == nullptr) return;
  ShowPage();
  RefreshCounters();
}

void CTreeDialog::RefreshCounters() {
  if (Handle() == nullptr) return;
  // The table, not the screen: the file list asks for this before the catalog is on show.
  const CatalogTables& tables = TheCatalog();
  const int files = FilesInTable(tables);
  SetItemText(IDC_TREE_FILES, AsWide(PaddedDecimal(files, 4)));
  SetItemText(IDC_TREE_SELECTED, AsWide(PaddedDecimal(CountSelected(tables), 4)));
  SetItemText(IDC_TREE_OFFSET, AsWide(u"ｵﾌｾｯﾄ " + PaddedDecimal(g_CatalogOffset, 4)));
  EnableItem(IDC_TREE_RECATALOG, files > 0 && g_CatalogUseFlag != 0);
}

void CTreeDialog::Request(int code) {
  PostMessageW(GetWindow(Handle(), GW_OWNER), WM_TREE_DIALOG, 0, code);
}

bool CTreeDialog::Busy() {
  if (!IsBusy()) return false;
  Request(kTreeBusy);
  return true;
}

void CTreeDialog::HandOverPicks() {
  FileListSources& sources = TheFileListSources();
  sources.pickedFolders = 0;
  if (m_Picks.Count() == 0 || sources.subfolderMode) return;
  CatalogTables& tables = TheCatalog();
  for (int row = 0; row < m_Picks.Count() && row < kFolderRowsMax; ++row) {
    const std::u16string& path = m_Picks.Paths()[static_cast<std::size_t>(row)];
    FolderRow& folder = tables.folders[row];
    folder = FolderRow{};
    std::copy_n(path.data(), std::min<std::size_t>(path.size(), 255), folder.path);
  }
  sources.pickedFolders = std::min(m_Picks.Count(), kFolderRowsMax);
}

void CTreeDialog::OnSlotButton(int slot) {
  if (Busy()) {
    PressSlot(SelectedSlot());
    return;
  }
  m_Tree.Clear();
  m_SelectedPosition = 0;
  m_Picks.Clear();
  g_TreeButton[m_Page] = slot;
  m_SelTreeDir = SlotText(slot);
  if (!m_SelTreeDir.empty()) AppendBackslash(m_SelTreeDir);
  Request(kTreeFolderChanged);
}

void CTreeDialog::OnTreeButton(int slot) {
  if (Busy()) {
    PressSlot(SelectedSlot());
    return;
  }
  const int position = std::exchange(m_SelectedPosition, 0);
  const int number = ListNumber(slot);
  g_TreeButton[m_Page] = slot;
  g_LastTree[m_Page] = number;
  m_Tree.Clear();
  const std::u16string root = SlotText(slot);
  if (root.empty()) return;
  if (!IsFolder(root)) {
    Say(u"フォルダがありません", root);
    return;
  }
  if (m_ExplorerOpened == number) {
    BuildTree(slot);
    return;
  }
  m_SelectedPosition = position;
  const bool loaded = LoadTree(number);
  m_SelectedPosition = 0;
  if (!loaded) {
    SetSlotText(slot, root);
    BuildTree(slot);
  }
}

void CTreeDialog::OnPageSwitch() {
  if (Busy()) {
    SendItem(IDC_TREE_PAGE, BM_SETCHECK, m_Page == 1 ? BST_CHECKED : BST_UNCHECKED);
    return;
  }
  StoreFields();
  m_Page = 1 - m_Page;
  m_SelectedPosition = 0;
  ShowPage();
  m_Tree.Clear();
  const int number = g_LastTree[m_Page];
  const int slot = number - 7 * m_Page;
  if (!IsTreeSlot(slot) || slot >= kSlots || SlotText(slot).empty()) return;
  if (m_ExplorerOpened == number || !LoadTree(number)) BuildTree(slot);
}

void CTreeDialog::OnSubfolder() {
  const bool on = SendItem(IDC_TREE_SUBFOLDER, BM_GETCHECK) == BST_CHECKED;
  TheFileListSources().subfolderMode = on;
  if (on) m_Picks.Clear();
}

void CTreeDialog::OnClearArea(bool all) {
  if (all) {
    if (Say(u"≪フォルダ≫を全消去しますか", u"削除確認", Buttons::kOkCancel) != kAnswerOk) return;
    for (int slot = 0; slot < kSlots; ++slot) SetSlotText(slot, u"");
    g_TreeButton[m_Page] = kNoSlot;
    PressSlot(kNoSlot);
    m_Tree.Clear();
    if (!DeleteTreeListFile(ListNumber(5))) Say(u"削除失敗<-t02>", u"削除失敗");
    if (!DeleteTreeListFile(ListNumber(6))) Say(u"削除失敗<-t03>", u"削除失敗");
    return;
  }
  const int slot = SelectedSlot();
  if (slot == kNoSlot) return;
  SetSlotText(slot, u"");
  if (!IsTreeSlot(slot)) return;
  m_Tree.Clear();
  if (!DeleteTreeListFile(ListNumber(slot))) Say(u"削除失敗<-t04> ");
}

void CTreeDialog::OnCancel() {
  StoreFields();
  m_SelectedPosition = m_Tree.SelectionPosition();
  ShowWindow(Handle(), SW_HIDE);
}

bool CTreeDialog::OnCommand(int id, int code, HWND) {
  if (id >= IDC_TREE_SLOT0 && id < IDC_TREE_SLOT0 + kSlots) {
    if (code != BN_CLICKED) return false;
    const int slot = id - IDC_TREE_SLOT0;
    if (IsTreeSlot(slot))
      OnTreeButton(slot);
    else
      OnSlotButton(slot);
    return true;
  }
  const auto guarded = [this](int request) {
    if (!Busy()) Request(request);
  };
  switch (id) {
    case IDC_TREE_CHOOSE: OnChoose(); return true;
    case IDC_TREE_CATALOG: OnCatalog(); return true;
    case IDC_TREE_COPY: OnCopyMove(false); return true;
    case IDC_TREE_MOVE: OnCopyMove(true); return true;
    case IDC_TREE_RECATALOG: guarded(kTreeCatalogAgain); return true;
    case IDC_TREE_DELETE: guarded(kTreeDelete); return true;
    case IDC_TREE_CLEAR_SCREEN: guarded(kTreeClearScreen); return true;
    case IDC_TREE_PAGE: OnPageSwitch(); return true;
    case IDC_TREE_SUBFOLDER: OnSubfolder(); return true;
    case ID_TREE_REFRESH: OnRefreshTree(); return true;
    case ID_TREE_EXPLORER: OnExplorer(); return true;
    case ID_TREE_COMPLETE_DELETE: OnCompleteDelete(); return true;
    case ID_TREE_SINGLE: m_Picks.Clear(); return true;
    case ID_TREE_MULTIPLE: OnStartMultiple(); return true;
    default: return false;
  }
}

bool CTreeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_TREE_VIEW) return false;
      if (header->code == TVN_SELCHANGEDW && !m_Tree.Filling()) OnSelectionChanged();
      else if (header->code == NM_DBLCLK) OnDoubleClick();
      else if (header->code == NM_RCLICK) OnRightClick();
      else return false;
      *result = header->code == TVN_SELCHANGEDW ? 0 : 1;
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, *result);
      return true;
    }
    case WM_LBUTTONDOWN: {
      RECT client;
      GetClientRect(Handle(), &client);
      if (!InClearArea(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), client.right, client.bottom)) return false;
      OnClearArea((wParam & MK_SHIFT) != 0);
      *result = 0;
      return true;
    }
    case kRebuildMessage:
      BuildTree(static_cast<int>(wParam));
      *result = 0;
      return true;
    default: return false;
  }
}

}  // namespace tarn
