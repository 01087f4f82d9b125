// The recent folders through the frame: each catalog goes first in the "ﾌｧｲﾙ" menu and in
// "Tarn.ini", and a folder that has gone is taken off the list when it is chosen.
#include "tests/catalog/CatalogFixture.h"

namespace tarn::test {
namespace {

using RecentFoldersTest = CatalogTest;

std::vector<std::wstring> RecentItems(HWND frame) {
  const HMENU file = GetSubMenu(GetMenu(frame), 0);
  std::vector<std::wstring> items;
  for (UINT id = ID_FILE_RECENT_FIRST; id < ID_FILE_RECENT_FIRST + RecentFolders::kLimit; ++id) {
    wchar_t text[300] = {};
    if (GetMenuStringW(file, id, text, 300, MF_BYCOMMAND) > 0) items.push_back(text);
  }
  return items;
}

TEST_F(RecentFoldersTest, CataloguedFoldersAreListedNewestFirstAndAGoneOneIsDropped) {
  const std::wstring second = folder_ + L"more\\";
  CreateDirectoryW(second.c_str(), nullptr);
  Picture(L"a.bmp", 8, 8, kRed);
  CopyFileW((data_ + L"a.bmp").c_str(), (second + L"b.bmp").c_str(), FALSE);
  Catalogue();
  frame_->CatalogFolder(FromWide(second.c_str()));
  ASSERT_TRUE(frame_->View().CatalogOnScreen());
  const auto item = [](int index, const std::wstring& folder) {
    return std::wstring(AsWide(RecentMenuText(index, FromWide(folder.c_str()))));
  };
  EXPECT_EQ(RecentItems(frame_->Handle()), (std::vector<std::wstring>{item(0, second), item(1, data_)}));
  // The menu's last item is still the exit, below a separator of the list's own.
  const HMENU file = GetSubMenu(GetMenu(frame_->Handle()), 0);
  const int count = GetMenuItemCount(file);
  EXPECT_EQ(GetMenuItemID(file, count - 1), static_cast<UINT>(ID_APP_EXIT_TARN));
  EXPECT_EQ(GetMenuItemID(file, count - 2), static_cast<UINT>(ID_FILE_RECENT_SEPARATOR));

  // Stored in a section of their own, beside "Tarn.cfg" in individual mode; the settings' file
  // is not touched by it.
  const std::wstring ini = folder_ + L"Tarn.ini";
  wchar_t stored[300] = {};
  GetPrivateProfileStringW(L"RecentFolders", L"Folder1", L"", stored, 300, ini.c_str());
  EXPECT_EQ(stored, second);
  EXPECT_EQ(LoadRecentFolders().Folders(), frame_->Recent().Folders());
  EXPECT_EQ(ReadFile(folder_ + L"Tarn.cfg"), "");

  DeleteFileW((second + L"b.bmp").c_str());
  DeleteFileW((second + L"_THUMB_N.TRN").c_str());
  ASSERT_TRUE(RemoveDirectoryW(second.c_str()));
  prompt_.shown.clear();
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_FILE_RECENT_FIRST, 0);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"フォルダ≪" + FromWide(second.c_str()) + u"≫が見つかりません。一覧から外します");
  EXPECT_EQ(RecentItems(frame_->Handle()), (std::vector<std::wstring>{item(0, data_)}));
  EXPECT_EQ(LoadRecentFolders().Folders().size(), 1u);

  SendMessageW(frame_->Handle(), WM_COMMAND, ID_FILE_RECENT_FIRST, 0);
  EXPECT_EQ(g_CurrentFolder, FromWide(data_.c_str())) << "the remaining folder catalogued from the menu";
}

}  // namespace
}  // namespace tarn::test
