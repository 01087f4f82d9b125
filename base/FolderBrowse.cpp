#include "FolderBrowse.h"

#include <shlobj.h>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/WinText.h"

namespace tarn {
namespace {

int SelectedHolder() {
  for (int i = 0; i < 6; ++i)
    if (m_HolderFlag[i] != 0) return i;
  return 1;
}

int RootFolderOf(int holder) {
  switch (holder) {
    case 0: return CSIDL_DESKTOP;
    case 2: return CSIDL_PERSONAL;
    case 3: return CSIDL_NETWORK;
    case 4: return CSIDL_INTERNET_CACHE;
    default: return CSIDL_DRIVES;
  }
}

// Once the browser is up, it opens the folder it was given.
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

int BrowseForFolder(HWND owner, std::u16string& folder) {
  const int holder = SelectedHolder();
  if (holder == 5) {
    Say(u"≪特定ﾌｫﾙﾀﾞ≫の設定が「手入力」になっています", u"特定フォルダの設定確認");
    return kFolderRefused;
  }
  LPITEMIDLIST root = nullptr;
  SHGetSpecialFolderLocation(owner, RootFolderOf(holder), &root);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.lpszTitle = L"フォルダを選んでください";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  std::u16string start = folder;
  while (start.size() > 3 && start.back() == u'\\') start.pop_back();
  if (!start.empty()) {
    info.lpfn = &SelectStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(AsWide(start));
  }
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  if (root != nullptr) CoTaskMemFree(root);
  if (chosen == nullptr) return kFolderCancelled;
  // Room for any path the shell may hand back; the program's own limit is checked below.
  wchar_t path[MAX_PATH * 2] = {};
  const bool got = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (!got) {
    Say(u"***ﾌｫﾙﾀﾞ取得失敗*** ");
    return kFolderRefused;
  }
  const std::u16string text = FromWide(path);
  if (text.size() >= 256) {
    Say(u"フォルダパス≪" + text + u"≫が半角255文字を超えています");
    return kFolderRefused;
  }
  folder = text;
  return kFolderChosen;
}

}  // namespace tarn
