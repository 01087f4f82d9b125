// The printer the user chose with "ﾌﾟﾘﾝﾀの設定" or in the print dialog, kept for the run, and the
// printing of the current picture on one page of it.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "image/PageLayout.h"

namespace tarn {

class CPictureWnd;

// The page of a printer's context.
PageMetrics PageMetricsOf(HDC printer);

// How a printer could not be had: the user closed the dialog, there is no printer at all, or the
// dialog failed with another error.
enum PrinterAnswer : int { kPrinterChosen, kPrinterCancelled, kPrinterMissing, kPrinterDialogFailed };

class PrinterChoice {
 public:
  PrinterChoice() = default;
  ~PrinterChoice();
  PrinterChoice(const PrinterChoice&) = delete;
  PrinterChoice& operator=(const PrinterChoice&) = delete;

  // The system's printer setup dialog; the choice is kept.
  PrinterAnswer Setup(HWND owner);
  // The print dialog; on kPrinterChosen `dc` is the chosen printer's context, the caller's to
  // delete.
  PrinterAnswer ChooseForPrint(HWND owner, HDC& dc);
  // An information context of the kept printer (the default one until a choice was made), or
  // null when there is none; the caller deletes it.
  HDC InformationDc();
  // The dialog's error code behind kPrinterDialogFailed.
  DWORD LastError() const { return m_Error; }

 private:
  PrinterAnswer Run(PRINTDLGW& dialog);

  HGLOBAL m_DevMode = nullptr;   // owned; null until a dialog returned one
  HGLOBAL m_DevNames = nullptr;  // owned
  DWORD m_Error = 0;
};

// The current picture printed on one page of `printer` by the printer's rule, as the document
// `title`. 0 printed; 1 the document could not start, 2 the page could not be made, 3 the
// document could not end.
int PrintPicture(CPictureWnd& picture, HDC printer, const std::u16string& title);

}  // namespace tarn
