// TarnMov's settings dialog: the forms it recognises (toggled in the list), the window size, the
// centring, the rate, the topmost switch and the catalog sample position. "終了" writes them;
// closing otherwise keeps in memory what was changed and writes nothing.
#include <windows.h>

#include <string>

#include "MovShell.h"
#include "resource.h"

namespace tarn::mov {
namespace {

constexpr DWORD kSecondClick = 500;  // ms: a second click on the same form toggles it

struct ListClicks {
  int index = -1;
  DWORD at = 0;
};
ListClicks g_clicks;

std::wstring FormText(int index) {
  return std::wstring(Settings().forms.on[index] ? L" 〇 Form_" : L" × Form_") + std::to_wstring(index) + L"= " +
         Wide(Form(index).label);
}

void FillForms(HWND dialog, int selected) {
  const HWND list = GetDlgItem(dialog, IDC_MOV_FORMS);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (int form = 0; form < kFormCount; ++form)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FormText(form).c_str()));
  SendMessageW(list, LB_SETCURSEL, selected, 0);
}

void Toggle(HWND dialog) {
  const int selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_MOV_FORMS, LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= kFormCount) {
    MessageBoxW(dialog, L"変更するフォームを選択してください", L"サポート形式未指定", MB_OK);
    return;
  }
  Settings().forms.on[selected] = !Settings().forms.on[selected];
  FillForms(dialog, selected);
}

void OnListClick(HWND dialog) {
  const int selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_MOV_FORMS, LB_GETCURSEL, 0, 0));
  const DWORD now = GetTickCount();
  if (selected >= 0 && selected == g_clicks.index && now - g_clicks.at <= kSecondClick) {
    Toggle(dialog);
    g_clicks = {};
    return;
  }
  g_clicks = {selected, now};
}

void ShowSettings(HWND dialog) {
  const MovSettings& s = Settings();
  FillForms(dialog, -1);
  CheckRadioButton(dialog, IDC_MOV_SIZE1, IDC_MOV_SIZEFULL, IDC_MOV_SIZE1 + s.SizeSelect);
  CheckRadioButton(dialog, IDC_MOV_RATE_NORMAL, IDC_MOV_RATE_HALF, IDC_MOV_RATE_NORMAL + s.RateSelect);
  CheckDlgButton(dialog, IDC_MOV_CENTER, s.Center != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_MOV_TOPMOST, s.TopMost != 0 ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemInt(dialog, IDC_MOV_SAMPLE, static_cast<UINT>(s.SampleStart), FALSE);
}

void Finish(HWND dialog) {
  MovSettings& s = Settings();
  BOOL read = FALSE;
  const int sample = static_cast<int>(GetDlgItemInt(dialog, IDC_MOV_SAMPLE, &read, FALSE));
  if (read) s.SampleStart = sample < 0 ? 0 : sample > 999 ? 999 : sample;
  WriteSettings();
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    g_clicks = {};
    ShowSettings(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  MovSettings& s = Settings();
  switch (id) {
    case IDC_MOV_FORMS:
      if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK) OnListClick(dialog);
      return TRUE;
    case IDC_MOV_TOGGLE: Toggle(dialog); return TRUE;
    case IDC_MOV_SIZE1:
    case IDC_MOV_SIZE2:
    case IDC_MOV_SIZEFULL: s.SizeSelect = id - IDC_MOV_SIZE1; return TRUE;
    case IDC_MOV_RATE_NORMAL:
    case IDC_MOV_RATE_DOUBLE:
    case IDC_MOV_RATE_HALF: s.RateSelect = id - IDC_MOV_RATE_NORMAL; return TRUE;
    case IDC_MOV_CENTER: s.Center = IsDlgButtonChecked(dialog, id) == BST_CHECKED; return TRUE;
    case IDC_MOV_TOPMOST: s.TopMost = IsDlgButtonChecked(dialog, id) == BST_CHECKED; return TRUE;
    case IDC_MOV_SAMPLE_RESET: SetDlgItemInt(dialog, IDC_MOV_SAMPLE, 10, FALSE); return TRUE;
    case IDOK:
      Finish(dialog);
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowSettingsDialog(HWND parent) {
  DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_MOV_SETTINGS), parent, SettingsProc, 0);
}

}  // namespace tarn::mov
