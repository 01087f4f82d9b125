// CTreeDialog: the folder dialog "読出/書込". Two pages of seven slots (five folders, two trees),
// the folder tree with its TreeList files, and the buttons that send the frame its catalog, copy,
// move, delete and clear requests. The frame asks it for the folder a request is about.
#pragma once

#include <functional>
#include <string>

#include "folders/FolderPicks.h"
#include "folders/FolderTreeView.h"
#include "framework/PanelDialog.h"

namespace tarn {

class CTreeDialog final : public CPanelDialog {
 public:
  CTreeDialog();

  // Explorer's path, found at start-up (empty when not found).
  std::u16string explorerPath;
  // Closes an open display window (a multi-selection starts without one).
  std::function<void()> closeDisplay;

  // The folder of the last catalog, copy or move request (with a trailing backslash).
  const std::u16string& TargetFolder() const { return m_TargetFolder; }
  // The folder last chosen in a slot or the tree (request 39).
  const std::u16string& SelectedFolder() const { return m_SelTreeDir; }
  // Hands a multi-selection to the next catalog request: the picked folders go into the folder
  // table. Called by the frame as it forwards request 3.
  void HandOverPicks();
  const FolderPicks& Picks() const { return m_Picks; }

  // The counters and the "再ｶﾀﾛｸﾞ" button, after a catalog or a selection changed.
  void RefreshCounters();
  // The page's fields from the settings again (after a reset or a mode switch).
  void RefreshFromSettings();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
  void OnCancel() override;

 private:
  // Slots and pages (TreeDialog.cpp).
  int Page() const { return m_Page; }
  int SelectedSlot() const;
  static bool IsTreeSlot(int slot) { return slot >= 5; }
  int ListNumber(int slot) const { return slot + 7 * m_Page; }
  std::u16string SlotText(int slot) const;
  void SetSlotText(int slot, const std::u16string& text);
  void PressSlot(int slot);
  void StoreFields();
  void ShowPage();
  void OnSlotButton(int slot);
  void OnTreeButton(int slot);
  void OnPageSwitch();
  void OnSubfolder();
  void OnClearArea(bool all);
  void Request(int code);
  bool Busy();

  // Buttons that name a folder (TreeDialogFolders.cpp).
  void OnChoose();
  void OnCatalog();
  void OnCopyMove(bool move);
  // The folder of the selected slot for a catalog, copy or move; empty after the message.
  std::u16string SlotFolder(bool catalog, const char16_t* noSlot, const char16_t* noSlotCaption, const char16_t* emptyField);

  // The tree (TreeDialogTree.cpp).
  void BuildTree(int slot);
  bool LoadTree(int number);
  void SaveTree(int number);
  void OnSelectionChanged();
  void OnDoubleClick();
  void OnStartMultiple();
  void OnRightClick();
  bool RootCheck();
  void OnRefreshTree();
  void OnExplorer();
  void OnCompleteDelete();
  int TrackMenu(HMENU menu) const;

  // Posted to itself: the tree of slot wParam is rebuilt once the tree view's notice is over.
  static constexpr UINT kRebuildMessage = WM_APP + 20;

  CFolderTreeView m_Tree;
  int m_Page = 0;
  std::u16string m_SelTreeDir;
  std::u16string m_TargetFolder;
  FolderPicks m_Picks;
  int m_SelectedPosition = 0;
  int m_ExplorerOpened = 0;  // list number of the tree last opened in Explorer
  int m_BuildNumber = 0;
};

}  // namespace tarn
