#include "catalog/screens/ZoomDialog.h"

#include <algorithm>
#include <cwchar>

#include "base/FrameMessages.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/TextUtil.h"
#include "base/resource.h"
#include "catalog/screens/ScreenResource.h"
#include "catalog/screens/ZoomRules.h"

namespace tarn {
namespace {

constexpr const wchar_t* kPixelChoices[] = {L"150", L"320", L"480", L"640", L"800", L"1024", L"1280", L"1600", L"2048"};

// The text as a number when it is only digits (at most five) after leading blanks, else -1: the
// percentage is shown as "%3d".
int TypedNumber(std::wstring text) {
  text.erase(0, text.find_first_not_of(L' '));
  if (text.empty() || text.size() > 5 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return -1;
  return std::stoi(text);
}

}  // namespace

CZoomDialog::CZoomDialog() : CPanelDialog(IDD_STRE_DIALOG) {}

bool CZoomDialog::OnInitDialog() {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, kZoomLowest, kZoomHighest, 0, 100};
  SetScrollInfo(Item(IDC_ZOOM_SCROLL), SB_CTL, &info, TRUE);
  for (const wchar_t* choice : kPixelChoices)
    SendItem(IDC_ZOOM_PIXELS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  ShowPercent(100);
  return true;
}

void CZoomDialog::Open(HWND frame) {
  const int percent = g_ZoomScreenFlag != 0 ? g_ZoomPercent : 100;
  g_ZoomPercent = percent;
  g_ZoomScreenFlag = 1;
  ShowPercent(percent);
  // Beside the frame's right edge, inside the screen, so that it covers as little of the picture
  // as it can.
  RECT frameRect{}, own{};
  GetWindowRect(frame, &frameRect);
  GetWindowRect(Handle(), &own);
  const int width = own.right - own.left;
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  const int x = frameRect.right + width <= screen ? frameRect.right : std::max(0, screen - width);
  SetWindowPos(Handle(), HWND_TOP, x, frameRect.top + 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetActiveWindow(Handle());
}

void CZoomDialog::ShowPercent(int percent) const {
  wchar_t text[16];
  std::swprintf(text, 16, L"%3d", percent);
  SetItemText(IDC_ZOOM_PERCENT, text);
  SetScrollPos(Item(IDC_ZOOM_SCROLL), SB_CTL, percent, TRUE);
}

void CZoomDialog::SetPercent(int percent) {
  ShowPercent(percent);
  g_ZoomPercent = percent;
  Post(kStreZoom, 0);
}

void CZoomDialog::Refresh(int percent) {
  if (percent > kZoomHighest) {
    wchar_t caption[64];
    std::swprintf(caption, 64, L"伸縮率= %d ％    [最大値=300％]", percent);
    Say(u"指定サイズが大きすぎます ", reinterpret_cast<const char16_t*>(caption));
    SetPercent(100);
    return;
  }
  ShowPercent(percent);
}

bool CZoomDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_ZOOM_STANDARD: SetPercent(SteppedPercent(g_ZoomPercent, kZoomStandard)); return true;
    case IDC_ZOOM_PLUS: SetPercent(SteppedPercent(g_ZoomPercent, kZoomPlus)); return true;
    case IDC_ZOOM_MINUS: SetPercent(SteppedPercent(g_ZoomPercent, kZoomMinus)); return true;
    case IDC_ZOOM_APPLY: Apply(); return true;
    case IDC_ZOOM_CATALOG: Leave(kStreBackToCatalog); return true;
    case IDC_ZOOM_THUMB_SOURCE: Post(kStreThumbSource, 1); return true;
    case IDC_ZOOM_QUALITY:
      PostMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(ID_FILE_JPEG_QUALITY, 0), 0);
      return true;
    default: return false;
  }
}

void CZoomDialog::Apply() {
  const std::wstring pixels = ItemText(IDC_ZOOM_PIXELS);
  if (!pixels.empty()) {
    const int count = TypedNumber(pixels);
    if (count < kZoomPixelsLowest || count > kZoomPixelsHighest) {
      Say(u"画素数は 150 ～ 2048 を入力してください");
      return;
    }
    m_PixelCount = count;
    Post(kStreZoom, 1);
    return;
  }
  const int percent = TypedNumber(ItemText(IDC_ZOOM_PERCENT));
  if (percent < kZoomLowest || percent > kZoomHighest) {
    Say(u"伸縮率は< " + DecimalText(kZoomLowest) + u"～" + DecimalText(kZoomHighest) + u" >を入力してください",
        u"入力エラー");
    return;
  }
  SetPercent(percent);
}

void CZoomDialog::SetPixelCount(int pixels) {
  m_PixelCount = pixels;
  SetItemText(IDC_ZOOM_PIXELS, std::to_wstring(pixels));
}

bool CZoomDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR* result) {
  if (message != WM_HSCROLL) return false;
  OnScroll(LOWORD(wParam), HIWORD(wParam));
  *result = 0;
  return true;
}

void CZoomDialog::OnScroll(int code, int thumb) {
  int percent = g_ZoomPercent;
  switch (code) {
    case SB_LINELEFT: percent = SteppedPercent(g_ZoomPercent, kZoomLineLeft); break;
    case SB_LINERIGHT: percent = SteppedPercent(g_ZoomPercent, kZoomLineRight); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: percent = thumb; break;
    default: return;
  }
  if (percent != g_ZoomPercent) SetPercent(percent);
}

void CZoomDialog::Dismiss() {
  g_ZoomPercent = 100;
  g_ZoomScreenFlag = 0;
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

void CZoomDialog::Leave(StreRequest request) {
  Dismiss();
  Post(request, request == kStreBackToCatalog ? 1 : 0);
}

void CZoomDialog::Post(StreRequest request, int param) const {
  PostMessageW(GetParent(Handle()), WM_STRE_DIALOG, static_cast<WPARAM>(param), request);
}

}  // namespace tarn
