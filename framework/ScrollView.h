// CScrollView: a view whose drawing is larger than its window, scrolled by its bars. Derived
// views draw in document coordinates in OnDraw; the view moves the origin.
#pragma once

#include "Document.h"

namespace tarn {

class CScrollView : public CView {
 public:
  // Total size of the drawing; the bars follow the window's size.
  void SetScrollSizes(int width, int height);
  POINT ScrollPosition() const { return {m_PosX, m_PosY}; }
  void ScrollTo(int x, int y);

 protected:
  bool CreateView(HWND parent, const wchar_t* className);
  virtual void OnDraw(HDC dc) = 0;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  int m_Line = 16;  // pixels per arrow click

 private:
  void UpdateBars();
  void Scroll(int bar, int code);
  void Paint(HDC dc);

  int m_Width = 0, m_Height = 0;
  int m_PosX = 0, m_PosY = 0;
};

}  // namespace tarn
