// CTreeDialog: the buttons that name a folder: "選択" fills the selected slot from the folder
// browser; "カタログ", "ｺﾋﾟｰ" and "移動" take the selected slot's folder (a tree slot's from its
// tree) and send it to the frame.
#include "TreeDialog.h"

#include "base/FileUtil.h"
#include "base/FolderBrowse.h"
#include "base/Prompt.h"
#include "base/Requests.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "folders/TreeListFile.h"

namespace tarn {
namespace {

constexpr std::size_t kTargetFolderMax = 255;

}  // namespace

void CTreeDialog::OnChoose() {
  if (Busy()) return;
  const int slot = SelectedSlot();
  if (slot >= 7) {
    Say(u"フォルダを≪指定≫ボタンで選択してください", u"フォルダ指定エラー");
    return;
  }
  std::u16string folder;
  if (BrowseForFolder(Handle(), folder) != kFolderChosen) return;
  SetSlotText(slot, folder);
  g_TreeButton[m_Page] = slot;
  PressSlot(slot);
  if (!IsTreeSlot(slot)) return;
  g_LastTree[m_Page] = ListNumber(slot);
  BuildTree(slot);
}

std::u16string CTreeDialog::SlotFolder(bool catalog, const char16_t* noSlot, const char16_t* noSlotCaption,
                                       const char16_t* emptyField) {
  const int slot = SelectedSlot();
  if (slot >= 7) {
    Say(noSlot, noSlotCaption);
    return {};
  }
  std::u16string folder = SlotText(slot);
  if (folder.empty()) {
    if (catalog && IsTreeSlot(slot))
      Say(u"≪選択≫ボタンで設定してください", u"ツリーフォルダの先頭パス未入力");
    else
      Say(emptyField, u"フォルダパス未入力");
    return {};
  }
  if (IsTreeSlot(slot)) {
    const HTREEITEM selected = m_Tree.Selection();
    if (selected == nullptr) {
      std::u16string text;
      Say(LoadTreeListText(ListNumber(slot), text) ? u"ツリーリストからフォルダを選択してください"
                                                   : u"≪ﾂﾘｰ≫ボタンを押し、ツリーリストからフォルダを選択してください",
          u"フォルダ未選択");
      return {};
    }
    folder = m_Tree.ItemPath(selected);
  }
  AppendBackslash(folder);
  if (folder.size() > kTargetFolderMax) {
    Say(u"フォルダパス≪" + folder + u"≫が半角255文字を超えています");
    return {};
  }
  return folder;
}

void CTreeDialog::OnCatalog() {
  if (Busy()) return;
  const std::u16string folder = SlotFolder(true, u"読出フォルダを≪指定≫ボタンで選択してください", u"フォルダ指定エラー",
                                           u"読出フォルダを≪選択≫ボタンで設定してください");
  if (folder.empty()) return;
  const int slot = SelectedSlot();
  if (!IsFolder(folder)) {
    if (IsTreeSlot(slot)) {
      Say(u"ツリーリストを更新します ", u"フォルダ未検出");
      BuildTree(slot);
    } else {
      Say(u"フォルダが有りません ", folder);
    }
    return;
  }
  if (!IsTreeSlot(slot)) SetSlotText(slot, SlotText(slot));
  m_TargetFolder = folder;
  m_SelTreeDir = folder;
  Request(kTreeCatalogFolder);
}

void CTreeDialog::OnCopyMove(bool move) {
  if (Busy()) return;
  const std::u16string folder =
      move ? SlotFolder(false, u"移動先を≪指定≫してください", u"移動先未指定", u"移動先を指定してください")
           : SlotFolder(false, u"コピー先を≪指定≫してください", u"コピー先未指定", u"コピー先を指定してください");
  if (folder.empty()) return;
  // The field is kept in its setting, so that the refresh after the operation shows it again.
  if (!IsTreeSlot(SelectedSlot())) SetSlotText(SelectedSlot(), SlotText(SelectedSlot()));
  m_TargetFolder = folder;
  if (!IsFolder(folder)) {
    if (Say(move ? u"移動先フォルダがありませんが作成しますか？" : u"コピー先フォルダがありませんが作成しますか？", {},
            Buttons::kOkCancel) != kAnswerOk)
      return;
    if (!CreateDirectoryW(AsWide(folder), nullptr)) {
      Say(move ? u"移動先フォルダを作成できません" : u"コピー先フォルダを作成できません", folder);
      return;
    }
    Say(folder + u"を新規作成しました");
  }
  Request(move ? kTreeMove : kTreeCopy);
}

}  // namespace tarn
