// TarnGif's settings dialog: the loop count for animations. A click changes the setting at once;
// "終了" also writes it to "TarnSpi.ini", Escape leaves the file as it was.
#include <windows.h>

#include <cstdio>

#include "TarnGifShell.h"
#include "resource.h"

namespace tarn::gif {
namespace {

struct LoopButton {
  int id;
  int value;
};
constexpr LoopButton kButtons[] = {{IDC_LOOP_FIRST_IMAGE, 0},
                                   {IDC_LOOP_ONE_CYCLE, 1},
                                   {IDC_LOOP_STANDARD, 2},
                                   {IDC_LOOP_STANDARD_TWICE, 3}};

void ShowValue(HWND dialog, int value) {
  for (const LoopButton& b : kButtons)
    CheckDlgButton(dialog, b.id, b.value == value ? BST_CHECKED : BST_UNCHECKED);
}

void WriteLoopSelect(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  WritePrivateProfileStringA("TarnGif", "LoopSelect", text, "TarnSpi.ini");
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowValue(dialog, Player().loopSelect);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      for (const LoopButton& b : kButtons)
        if (id == b.id && HIWORD(wParam) == BN_CLICKED) {
          Player().loopSelect = b.value;
          return TRUE;
        }
      if (id == IDC_LOOP_DEFAULT) {
        Player().loopSelect = kDefaultLoopSelect;
        ShowValue(dialog, kDefaultLoopSelect);
        return TRUE;
      }
      if (id == IDOK) {
        WriteLoopSelect(Player().loopSelect);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    }
  }
  return FALSE;
}

}  // namespace

void ShowSettingsDialog(HWND parent) {
  DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_TARNGIF_SETTINGS), parent, SettingsProc, 0);
}

}  // namespace tarn::gif
