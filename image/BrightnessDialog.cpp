#include "image/BrightnessDialog.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "base/RunState.h"
#include "image/BrightLevels.h"
#include "image/ImageResource.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

constexpr POINT kFirstPlace{35, 70};
POINT s_Place = kFirstPlace;

// The process-wide levels as the portable rules take them, and back.
BrightLevels Levels() { return {g_BrightLevel, g_BrightDelta}; }
void Store(const BrightLevels& bright) {
  g_BrightLevel = bright.level;
  g_BrightDelta = bright.delta;
}

}  // namespace

CBrightnessDialog::CBrightnessDialog(bool pictureChanged)
    : CDialog(IDD_BRIGHTNESS), m_PictureChanged(pictureChanged) {}

POINT CBrightnessDialog::Place() { return s_Place; }

bool CBrightnessDialog::OnInitDialog() {
  SetWindowPos(Handle(), nullptr, s_Place.x, s_Place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  BrightLevels bright = Levels();
  m_Position = OpenBrightnessDialog(g_BrightKeep != 0, m_PictureChanged, bright);
  Store(bright);
  SendItem(IDC_BRIGHT_SCROLL, SBM_SETRANGE, static_cast<WPARAM>(kBrightLevelMin), kBrightLevelMax);
  ShowLevel(m_Position);
  CheckDlgButton(Handle(), IDC_BRIGHT_KEEP, g_BrightKeep != 0 ? BST_CHECKED : BST_UNCHECKED);
  return true;
}

void CBrightnessDialog::ShowLevel(int level) {
  SendItem(IDC_BRIGHT_SCROLL, SBM_SETPOS, static_cast<WPARAM>(level), TRUE);
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%4d", level);
  SetItemText(IDC_BRIGHT_EDIT, text);
}

void CBrightnessDialog::Accept(bool preview) {
  // Whatever was typed: a number where one starts (held to long's range), 0 otherwise; the
  // rules then hold it to the level's range.
  const long typed = std::wcstol(ItemText(IDC_BRIGHT_EDIT).c_str(), nullptr, 10);
  BrightLevels bright = Levels();
  AcceptBrightness(static_cast<int>(std::clamp<long>(typed, kBrightLevelMin - 1, kBrightLevelMax + 1)), bright);
  Store(bright);
  RECT place{};
  GetWindowRect(Handle(), &place);
  s_Place = {place.left, place.top};
  m_Preview = preview;
  EndDialog(IDOK);
}

void CBrightnessDialog::OnScroll(int code, int thumb) {
  int position = m_Position;
  switch (code) {
    case SB_LINELEFT: position = BrightnessLine(m_Position, -1); break;
    case SB_LINERIGHT: position = BrightnessLine(m_Position, +1); break;
    case SB_THUMBPOSITION: position = thumb; break;
    default: return;  // page steps and dragging change nothing
  }
  ShowLevel(position);
  if (position == m_Position) return;
  m_Position = position;
  Accept(true);
}

bool CBrightnessDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message != WM_HSCROLL || reinterpret_cast<HWND>(lParam) != Item(IDC_BRIGHT_SCROLL)) return false;
  // The thumb position is a 16-bit field; the range goes below zero.
  OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
  *result = 0;
  return true;
}

bool CBrightnessDialog::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case IDC_BRIGHT_PREVIEW:
      if (code == BN_CLICKED) Accept(true);
      return true;
    case IDOK:
      if (code == BN_CLICKED) Accept(false);
      return true;
    case IDCANCEL: {
      // "変更中止": nothing stays in force, not even the option to keep a level.
      BrightLevels bright = Levels();
      CancelBrightness(bright);
      Store(bright);
      s_Place = kFirstPlace;
      CheckDlgButton(Handle(), IDC_BRIGHT_KEEP, BST_UNCHECKED);
      g_BrightKeep = 0;
      EndDialog(IDCANCEL);
      return true;
    }
    case IDC_BRIGHT_KEEP:
      if (code == BN_CLICKED) g_BrightKeep = g_BrightKeep != 0 ? 0 : 1;
      return true;
    default: return false;
  }
}

void BrightnessLoop(CPictureWnd& picture, HWND owner, const std::function<void()>& shown,
                    const std::function<void()>& restored) {
  for (;;) {
    // A palette picture's level lives in its colour table while its transform state stays 0;
    // the level must survive the reopening all the same.
    CBrightnessDialog dialog(picture.Changed());
    const INT_PTR ended = dialog.DoModal(owner);
    if (ended == IDOK) {
      if (g_BrightDelta != 0 && picture.RotateMap(kRotateBrightness) == 0) shown();
      if (dialog.Preview()) continue;
    } else if (ended == IDCANCEL) {
      if (picture.RotateMap(kRotateRestore) == 0) restored();
    }
    return;
  }
}

}  // namespace tarn
