#include "image/PrintPreview.h"

#include <algorithm>
#include <string>

#include "base/resource.h"
#include "framework/GdiScopes.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

constexpr wchar_t kClassName[] = L"TarnPrintPreview";
constexpr int kButtonBand = 36;   // the strip above the sheet that holds the buttons
constexpr int kSheetMargin = 12;
// The printable area is drawn this wide at most: enough for the screen, far below a printer's.
constexpr int kRenderWidth = 1200;

enum PreviewButton : int { kPreviewPrint = 6810, kPreviewClose = 6811 };

}  // namespace

bool CPrintPreview::Open(HWND owner, CPictureWnd& picture, const PageMetrics& page, bool standIn) {
  if (IsOpen()) Destroy();
  if (page.horzRes <= 0 || page.vertRes <= 0) return false;
  m_Owner = owner;
  m_Metrics = page;
  const int width = std::min(page.horzRes, kRenderWidth);
  const int height = std::max(1, static_cast<int>(static_cast<long long>(page.vertRes) * width / page.horzRes));
  {
    const ScreenDc screen;
    if (!m_Page.MakeContext(screen) || !m_Page.MakeBitmap(screen, width, height) || !m_Page.Select()) return false;
  }
  m_Page.FillWhite();
  picture.DrawForPrinter(m_Page.Dc(), width, height);

  RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_APPWORKSPACE));
  const std::wstring title = standIn ? L"印刷プレビュー    ［プリンタが有りません：A4 用紙で表示］" : L"印刷プレビュー";
  // A sheet-shaped window of most of the screen's height.
  const int windowHeight = GetSystemMetrics(SM_CYSCREEN) * 9 / 10;
  const int windowWidth = std::max(480, windowHeight * 3 / 4);
  if (!CreateWin(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, windowWidth, windowHeight,
                 owner, nullptr))
    return false;
  OnCreateButtons();
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  return true;
}

void CPrintPreview::OnCreateButtons() {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const auto button = [&](const wchar_t* text, int id, int x) {
    HWND control = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, 6, 96,
                                   24, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  };
  button(L"印刷(&P)", kPreviewPrint, kSheetMargin);
  button(L"閉じる(&C)", kPreviewClose, kSheetMargin + 104);
}

PreviewPage CPrintPreview::PagePlacement() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  PreviewPage p = PlacePreviewPage(m_Metrics, client.right, client.bottom - kButtonBand, kSheetMargin);
  p.y += kButtonBand;
  p.areaY += kButtonBand;
  return p;
}

void CPrintPreview::OnPaint(HDC dc) {
  const PreviewPage p = PagePlacement();
  if (p.width <= 0) return;
  const RECT sheet{p.x, p.y, p.x + p.width, p.y + p.height};
  FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  {
    const StretchModeScope mode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, p.areaX, p.areaY, p.areaWidth, p.areaHeight, m_Page.Dc(), 0, 0, m_Page.Width(), m_Page.Height(),
               SRCCOPY);
  }
  // The printable area's edge, dotted, just outside what is printed.
  HPEN pen = CreatePen(PS_DOT, 1, RGB(128, 128, 128));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, p.areaX - 1, p.areaY - 1, p.areaX + p.areaWidth + 1, p.areaY + p.areaHeight + 1);
  SelectObject(dc, oldBrush);
  DeleteObject(SelectObject(dc, oldPen));
}

LRESULT CPrintPreview::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintDc dc(Handle());
      OnPaint(dc);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kPreviewPrint) {
        // The frame prints with every check of its own, once this window has gone.
        PostMessageW(m_Owner, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0);
        DestroyWindow(Handle());
      } else if (LOWORD(wParam) == kPreviewClose) {
        DestroyWindow(Handle());
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(Handle());
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace tarn
