// TarnCatch's settings dialog: which built-in extensions are caught, and the user's own pattern.
// Check boxes change the setting at once; "終了" checks the pattern and writes everything to
// "TarnSpi.ini", Escape writes nothing.
#include <windows.h>

#include <cstdio>

#include "TarnCatchShell.h"
#include "resource.h"

namespace tarn::catchall {
namespace {

struct FlagBox {
  int id;
  int CatchSettings::*flag;
  const char* key;
};
constexpr FlagBox kBoxes[] = {
    {IDC_CATCH_BAK, &CatchSettings::bakFlag, "BakFlag"}, {IDC_CATCH_BMP, &CatchSettings::bmpFlag, "BmpFlag"},
    {IDC_CATCH_JPG, &CatchSettings::jpgFlag, "JpgFlag"}, {IDC_CATCH_GIF, &CatchSettings::gifFlag, "GifFlag"},
    {IDC_CATCH_TIF, &CatchSettings::tifFlag, "TifFlag"},
};

void ShowFlags(HWND dialog) {
  for (const FlagBox& b : kBoxes)
    CheckDlgButton(dialog, b.id, Settings().*b.flag != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void SetAllFlags(HWND dialog, int value) {
  for (const FlagBox& b : kBoxes) Settings().*b.flag = value;
  ShowFlags(dialog);
}

void WriteSettings() {
  for (const FlagBox& b : kBoxes) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", Settings().*b.flag);
    WritePrivateProfileStringA("TarnCatch", b.key, text, "TarnSpi.ini");
  }
  WritePrivateProfileStringA("TarnCatch", "ExtInData", Settings().pattern.c_str(), "TarnSpi.ini");
}

// "終了": false keeps the dialog open after telling the user what is wrong with the pattern.
bool Finish(HWND dialog) {
  char text[kPatternMaxInput + 1] = {};
  GetDlgItemTextA(dialog, IDC_CATCH_PATTERN, text, sizeof text);
  std::string accepted;
  switch (CheckPattern(text, &accepted)) {
    case PatternCheck::kWildcardNotAlone:
      MessageBoxW(dialog, L"ワイルドカード '*' は１文字のみ入力して下さい ", L"個別指定文字数エラー", MB_OK);
      return false;
    case PatternCheck::kBadLength:
      MessageBoxW(dialog, L"文字数を「2～5」にして下さい", L"個別指定文字数エラー", MB_OK);
      return false;
    case PatternCheck::kAccepted: break;
  }
  Settings().pattern = accepted;
  WriteSettings();
  return true;
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    ShowFlags(dialog);
    SetDlgItemTextA(dialog, IDC_CATCH_PATTERN, Settings().pattern.c_str());
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  for (const FlagBox& b : kBoxes)
    if (id == b.id && HIWORD(wParam) == BN_CLICKED) {
      Settings().*b.flag = IsDlgButtonChecked(dialog, b.id) == BST_CHECKED ? 1 : 0;
      return TRUE;
    }
  switch (id) {
    case IDC_CATCH_FLAGS_CLEAR: SetAllFlags(dialog, 0); return TRUE;
    case IDC_CATCH_PATTERN_ALL: SetDlgItemTextA(dialog, IDC_CATCH_PATTERN, "*"); return TRUE;
    case IDC_CATCH_PATTERN_CLEAR: SetDlgItemTextA(dialog, IDC_CATCH_PATTERN, ""); return TRUE;
    case IDC_CATCH_DEFAULTS:
      SetAllFlags(dialog, 1);
      Settings().pattern.clear();
      SetDlgItemTextA(dialog, IDC_CATCH_PATTERN, "");
      return TRUE;
    case IDOK:
      if (Finish(dialog)) EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowSettingsDialog(HWND parent) {
  DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_TARNCATCH_SETTINGS), parent, SettingsProc, 0);
}

}  // namespace tarn::catchall
