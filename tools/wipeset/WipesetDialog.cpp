#include "tools/wipeset/WipesetDialog.h"

#include "tools/wipeset/Cleanup.h"
#include "tools/wipeset/resource.h"

namespace wipeset {

namespace {

constexpr LPARAM kModal = 0;
constexpr LPARAM kModeless = 1;

void Finish(HWND dialog, int id) {
  if (GetWindowLongPtrA(dialog, DWLP_USER) == kModeless) {
    DestroyWindow(dialog);
  } else {
    EndDialog(dialog, id);
  }
}

// The viewer closed itself before Wipeset started; whatever it left half-drawn is painted again.
void RepaintScreen() { InvalidateRect(nullptr, nullptr, TRUE); }

bool OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_WIPESET_ALL: DeleteAll(dialog); return true;
    case IDC_WIPESET_INI: DeleteOne(dialog, kTarnIni, Mode::kSingle); return true;
    case IDC_WIPESET_SPI: DeleteOne(dialog, kTarnSpiIni, Mode::kSingle); return true;
    case IDC_WIPESET_CFG: DeleteOne(dialog, kTarnCfg, Mode::kSingle); return true;
    case IDC_WIPESET_LOG: DeleteOne(dialog, kErrLog, Mode::kSingle); return true;
    case IDC_WIPESET_WALL: DeleteWallpapers(dialog); return true;
    case IDOK:
      RepaintScreen();
      Finish(dialog, IDOK);
      return true;
    case IDCANCEL:  // the close box and Escape
      Finish(dialog, IDCANCEL);
      return true;
    default: return false;
  }
}

INT_PTR CALLBACK WipesetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      const HICON icon = LoadIconA(nullptr, IDI_WARNING);
      SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
      return TRUE;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      return OnCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    default: return FALSE;
  }
}

}  // namespace

INT_PTR RunWipeset(HINSTANCE instance) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WIPESET), nullptr, WipesetProc, kModal);
}

HWND CreateWipeset(HINSTANCE instance, HWND owner) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WIPESET), owner, WipesetProc, kModeless);
}

}  // namespace wipeset
