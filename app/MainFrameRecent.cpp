// CMainFrame: the recent folders of the "ﾌｧｲﾙ" menu and the catalog built again.
#include "MainFrame.h"

#include "base/Prompt.h"
#include "base/WinText.h"
#include "catalog/list/FileOpenList.h"

namespace tarn {

void CMainFrame::RememberCatalogFolder() {
  if (!m_View.CatalogOnScreen() || g_CurrentFolder.empty()) return;
  m_Recent.Add(g_CurrentFolder);
  SaveRecentFolders(m_Recent);
  ShowRecentFolders();
}

void CMainFrame::OpenRecentFolder(std::size_t index) {
  if (BusyGuard() || index >= m_Recent.Folders().size()) return;
  const std::u16string folder = m_Recent.Folders()[index];
  const DWORD attributes = GetFileAttributesW(AsWide(folder));
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Say(u"フォルダ≪" + folder + u"≫が見つかりません。一覧から外します", u"最近使ったフォルダ");
    m_Recent.Remove(folder);
    SaveRecentFolders(m_Recent);
    ShowRecentFolders();
    return;
  }
  CatalogFolder(folder);
}

void CMainFrame::ShowRecentFolders() {
  const HMENU file = GetSubMenu(GetMenu(Handle()), 0);
  DeleteMenu(file, ID_FILE_RECENT_SEPARATOR, MF_BYCOMMAND);
  for (UINT i = 0; i < RecentFolders::kLimit; ++i) DeleteMenu(file, ID_FILE_RECENT_FIRST + i, MF_BYCOMMAND);
  const std::vector<std::u16string>& folders = m_Recent.Folders();
  if (folders.empty()) return;
  // Each goes in just above "ｱﾌﾟﾘｹｰｼｮﾝの終了", below the separator before it; then one of their own.
  for (std::size_t i = 0; i < folders.size(); ++i)
    InsertMenuW(file, ID_APP_EXIT_TARN, MF_BYCOMMAND | MF_STRING, ID_FILE_RECENT_FIRST + i,
                AsWide(RecentMenuText(static_cast<int>(i), folders[i])));
  InsertMenuW(file, ID_APP_EXIT_TARN, MF_BYCOMMAND | MF_SEPARATOR, ID_FILE_RECENT_SEPARATOR, nullptr);
}

void CMainFrame::CatalogAgain() {
  HidePanel(m_ThumbDialog);
  Forward(kViewCatalogAgain);
}

}  // namespace tarn
