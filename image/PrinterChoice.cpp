#include "image/PrinterChoice.h"

#include <cderr.h>

#include "base/WinText.h"
#include "image/PictureWnd.h"

namespace tarn {

PageMetrics PageMetricsOf(HDC printer) {
  PageMetrics page;
  page.horzRes = GetDeviceCaps(printer, HORZRES);
  page.vertRes = GetDeviceCaps(printer, VERTRES);
  page.pageWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
  page.pageHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
  page.offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
  page.offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
  // Devices that know no sheet (a display context) print on their whole area.
  if (page.pageWidth < page.horzRes || page.pageHeight < page.vertRes) {
    page.pageWidth = page.horzRes;
    page.pageHeight = page.vertRes;
    page.offsetX = page.offsetY = 0;
  }
  return page;
}

PrinterChoice::~PrinterChoice() {
  if (m_DevMode != nullptr) GlobalFree(m_DevMode);
  if (m_DevNames != nullptr) GlobalFree(m_DevNames);
}

PrinterAnswer PrinterChoice::Run(PRINTDLGW& dialog) {
  // Without a printer some systems' dialogs say so in words of their own: the default printer is
  // looked for quietly first, so that the program's message is the one shown.
  if ((dialog.Flags & PD_RETURNDEFAULT) == 0 && m_DevNames == nullptr) {
    PRINTDLGW probe{};
    probe.Flags = PD_RETURNDEFAULT;
    if (const PrinterAnswer found = Run(probe); found != kPrinterChosen) return found;
  }
  dialog.lStructSize = sizeof dialog;
  dialog.hDevMode = m_DevMode;
  dialog.hDevNames = m_DevNames;
  const BOOL chosen = PrintDlgW(&dialog);
  // The dialog may have replaced the blocks it was given, whatever it answered.
  m_DevMode = dialog.hDevMode;
  m_DevNames = dialog.hDevNames;
  if (chosen) return kPrinterChosen;
  m_Error = CommDlgExtendedError();
  if (m_Error == 0) return kPrinterCancelled;
  return m_Error == PDERR_NODEFAULTPRN || m_Error == PDERR_PRINTERNOTFOUND ? kPrinterMissing : kPrinterDialogFailed;
}

PrinterAnswer PrinterChoice::Setup(HWND owner) {
  PRINTDLGW dialog{};
  dialog.hwndOwner = owner;
  dialog.Flags = PD_PRINTSETUP;
  return Run(dialog);
}

PrinterAnswer PrinterChoice::ChooseForPrint(HWND owner, HDC& dc) {
  PRINTDLGW dialog{};
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
  dialog.nCopies = 1;
  const PrinterAnswer answer = Run(dialog);
  dc = answer == kPrinterChosen ? dialog.hDC : nullptr;
  if (answer == kPrinterChosen && dc == nullptr) {
    m_Error = CommDlgExtendedError();
    return kPrinterDialogFailed;
  }
  return answer;
}

HDC PrinterChoice::InformationDc() {
  if (m_DevNames == nullptr) {
    PRINTDLGW dialog{};
    dialog.Flags = PD_RETURNDEFAULT;
    if (Run(dialog) != kPrinterChosen) return nullptr;
  }
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(m_DevNames));
  if (names == nullptr) return nullptr;
  const auto* base = reinterpret_cast<const wchar_t*>(names);
  const DEVMODEW* mode = m_DevMode != nullptr ? static_cast<const DEVMODEW*>(GlobalLock(m_DevMode)) : nullptr;
  HDC dc = CreateICW(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
  if (mode != nullptr) GlobalUnlock(m_DevMode);
  GlobalUnlock(m_DevNames);
  return dc;
}

int PrintPicture(CPictureWnd& picture, HDC printer, const std::u16string& title) {
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = AsWide(title);
  if (StartDocW(printer, &document) <= 0) return 1;
  if (StartPage(printer) <= 0) {
    AbortDoc(printer);
    return 2;
  }
  picture.DrawForPrinter(printer, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES));
  if (EndPage(printer) <= 0) {
    AbortDoc(printer);
    return 2;
  }
  return EndDoc(printer) > 0 ? 0 : 3;
}

}  // namespace tarn
