// CTarnView: printing - the catalog page on screen, or the picture of the picture screens, on one
// page of the chosen printer by the printer's rule; the printer setup; and the page shown first in
// the print preview window.
#include "TarnView.h"

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/list/FileOpenList.h"
#include "framework/GdiScopes.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

HWND Owner(HWND view) { return GetAncestor(view, GA_ROOT); }

// Tells the user why no printer could be had; a cancel needs no word.
void SayPrinterAnswer(PrinterAnswer answer, DWORD error) {
  if (answer == kPrinterMissing)
    Say(u"プリンタが有りません。\nプリンタを接続・設定してから実行してください ", u"印刷");
  else if (answer == kPrinterDialogFailed)
    Say(u"プリンタの設定を読み込めません ErrNo=" + DecimalText(static_cast<int>(error)) + u" ", u"印刷");
}

}  // namespace

bool CTarnView::PreparePrintPage(const std::u16string& what) {
  if (PictureScreenShown()) return g_PictureShown != 0;
  if (!CatalogOnScreen()) {
    Say(what + u"は「カタログ画面」か「展開画面」で可能です ", u"表示画面不一致");
    return false;
  }
  // The page as the screen shows it: the rows in view, on white.
  RECT client;
  GetClientRect(Handle(), &client);
  MemoryBitmap page;
  const POINT scroll = ScrollPosition();
  {
    const ScreenDc screen;
    if (page.MakeContext(screen) && page.MakeBitmap(screen, client.right, client.bottom) && page.Select()) {
      page.FillWhite();
      SetViewportOrgEx(page.Dc(), -scroll.x, -scroll.y, nullptr);
      OnDraw(page.Dc());
      SetViewportOrgEx(page.Dc(), 0, 0, nullptr);
    }
  }
  if (page.Dc() == nullptr || page.Bitmap() == nullptr ||
      m_Picture->CaptureDc(page.Dc(), client.right, client.bottom, kCapturePlain) != kCaptureDone) {
    Say(u"印刷画面作成失敗<-v70> ", u"異常終了");
    return false;
  }
  return true;
}

void CTarnView::PrintCommand() {
  if (!PreparePrintPage(u"印刷")) return;
  HDC printer = nullptr;
  const PrinterAnswer answer = m_Printer.ChooseForPrint(Owner(Handle()), printer);
  if (answer != kPrinterChosen) {
    SayPrinterAnswer(answer, m_Printer.LastError());
    return;
  }
  const std::u16string title = PictureScreenShown() ? m_PicturePath : u"Tarn " + g_CurrentFolder;
  const int printed = PrintPicture(*m_Picture, printer, title);
  DeleteDC(printer);
  if (printed == 1) Say(u"印刷を開始できません ", u"印刷");
  if (printed >= 2) Say(u"印刷できませんでした ", u"印刷");
}

void CTarnView::PrintPreviewCommand() {
  if (!PreparePrintPage(u"印刷プレビュー")) return;
  HDC printer = m_Printer.InformationDc();
  const PageMetrics page = printer != nullptr ? PageMetricsOf(printer) : A4PageMetrics();
  if (printer != nullptr) DeleteDC(printer);
  if (!m_Preview.Open(Owner(Handle()), *m_Picture, page, printer == nullptr))
    Say(u"印刷プレビュー画面を作成できません ", u"異常終了");
}

void CTarnView::PrinterSetupCommand() {
  SayPrinterAnswer(m_Printer.Setup(Owner(Handle())), m_Printer.LastError());
}

}  // namespace tarn
