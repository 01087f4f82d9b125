#include "catalog/view/TrimFrameDialog.h"

#include "catalog/view/TrimResource.h"

namespace tarn {
namespace {
constexpr int kGap = 8;
}  // namespace

CTrimFrameDialog::CTrimFrameDialog(const RECT& frame) : CDialog(IDD_TRIM_FRAME), m_Frame(frame) {}

bool CTrimFrameDialog::OnInitDialog() {
  RECT own;
  GetWindowRect(Handle(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // Right of the frame where the screen has room, else left of it, else over its top corner.
  int x = m_Frame.right + kGap;
  if (x + width > work.right) x = m_Frame.left - kGap - width;
  if (x < work.left) x = work.left;
  int y = m_Frame.top;
  if (y + height > work.bottom) y = work.bottom - height;
  if (y < work.top) y = work.top;
  SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return true;
}

bool CTrimFrameDialog::OnCommand(int id, int, HWND) {
  switch (id) {
    case IDC_TRIM_LEFT:
    case IDC_TRIM_RIGHT:
    case IDC_TRIM_UP:
    case IDC_TRIM_DOWN:
    case IDC_TRIM_CLEAR:
    case IDC_TRIM_NEXT: EndDialog(id); return true;
    default: return false;
  }
}

void CTrimFrameDialog::OnOK() { EndDialog(IDC_TRIM_NEXT); }
void CTrimFrameDialog::OnCancel() { EndDialog(IDC_TRIM_CLEAR); }

}  // namespace tarn
