// The settings dialog: TarnFlv's three player slots with the selected one, or TarnMp4's single
// player. TarnFlv writes a slot only on "登録" and the selection at once; TarnMp4 writes both on
// "登録" and closes.
#include <windows.h>

#include <commdlg.h>

#include "PlayerShell.h"
#include "resource.h"

namespace tarn::player {
namespace {

constexpr bool kFlv = kThisLibrary == Library::kFlv;
// What the edit boxes take: TarnFlv's slots are 256 and 64 bytes, TarnMp4's boxes 127 bytes each.
constexpr int kPathLimit = kFlv ? kFlvPathBytes - 1 : 127;
constexpr int kSwitchLimit = kFlv ? kFlvSwitchBytes - 1 : 127;

PlayerSlot& Selected() { return Settings().slots[kFlv ? Settings().selected : 0]; }

void ShowSlot(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_PLAYER_PATH, Selected().path.c_str());
  SetDlgItemTextA(dialog, IDC_PLAYER_SWITCHES, Selected().switches.c_str());
  if (kFlv) CheckRadioButton(dialog, IDC_PLAYER_SLOT1, IDC_PLAYER_SLOT3, IDC_PLAYER_SLOT1 + Settings().selected);
}

std::string BoxText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void SelectSlot(HWND dialog, int slot) {
  Settings().selected = slot;
  WriteProfile("ApSel", std::to_string(slot));
  ShowSlot(dialog);
}

void Register(HWND dialog) {
  PlayerSlot& slot = Selected();
  slot.path = BoxText(dialog, IDC_PLAYER_PATH);
  slot.switches = BoxText(dialog, IDC_PLAYER_SWITCHES);
  if (kFlv) {
    const std::string n = std::to_string(Settings().selected);
    WriteProfile(("AppliSelReg_" + n).c_str(), slot.path);
    WriteProfile(("AppliSelSW_" + n).c_str(), slot.switches);
  } else {
    WriteProfile("AppliData", slot.path);
    WriteProfile("AppliSW", slot.switches);
  }
}

void Defaults(HWND dialog) {
  if (kFlv) Settings().selected = 0;
  Selected() = Settings().Defaults();
  ShowSlot(dialog);
}

// "参照": a program chosen in the file dialog goes into the slot, its switches cleared.
void Browse(HWND dialog) {
  char path[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog;
  ofn.lpstrFilter = "Exec(*.exe)\0*.exe\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrTitle = "フォルダの参照";
  ofn.lpstrDefExt = "exe";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) {
    MessageBoxW(dialog, L"キャンセル", L"フォルダの参照", MB_OK);
    return;
  }
  if (kFlv) {
    const std::wstring question =
        L"アプリ “ " + std::to_wstring(Settings().selected + 1) + L" ” に表示しますか？ ";
    if (MessageBoxW(dialog, question.c_str(), Wide(path).c_str(), MB_OKCANCEL) != IDOK) return;
  }
  Selected() = {path, ""};
  ShowSlot(dialog);
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessageA(dialog, IDC_PLAYER_PATH, EM_LIMITTEXT, kPathLimit, 0);
    SendDlgItemMessageA(dialog, IDC_PLAYER_SWITCHES, EM_LIMITTEXT, kSwitchLimit, 0);
    ShowSlot(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  switch (id) {
    case IDC_PLAYER_SLOT1:
    case IDC_PLAYER_SLOT2:
    case IDC_PLAYER_SLOT3:
      if (HIWORD(wParam) == BN_CLICKED) SelectSlot(dialog, id - IDC_PLAYER_SLOT1);
      return TRUE;
    case IDC_PLAYER_REGISTER:
      Register(dialog);
      if (!kFlv) EndDialog(dialog, IDOK);
      return TRUE;
    case IDC_PLAYER_DEFAULTS: Defaults(dialog); return TRUE;
    case IDC_PLAYER_BROWSE: Browse(dialog); return TRUE;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowSettingsDialog(HWND parent) {
  DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_PLAYER_SETTINGS), parent, SettingsProc, 0);
}

}  // namespace tarn::player
