// The print preview: a window of the program's own that shows the page as the printer would
// receive it - the sheet, the printable area's outline and the picture scaled by the printer's
// rule - with "印刷" (which asks the frame to print) and "閉じる".
#pragma once

#include <windows.h>

#include "framework/MemoryBitmap.h"
#include "framework/Window.h"
#include "image/PageLayout.h"

namespace tarn {

class CPictureWnd;

class CPrintPreview final : public CWindow {
 public:
  // Draws `picture` on `page` and shows the window over `owner` (the frame, which receives the
  // print command). `standIn` says that the page is no real printer's. A preview still open is
  // replaced.
  bool Open(HWND owner, CPictureWnd& picture, const PageMetrics& page, bool standIn);
  bool IsOpen() const { return Handle() != nullptr; }
  // Where the sheet and its printable area are drawn in the client area now.
  PreviewPage PagePlacement() const;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalDestroy() override { m_Page.Release(); }

 private:
  void OnPaint(HDC dc);
  void OnCreateButtons();

  MemoryBitmap m_Page;  // the printable area at the preview's resolution
  PageMetrics m_Metrics;
  HWND m_Owner = nullptr;
};

}  // namespace tarn
