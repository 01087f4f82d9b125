// CTarnView: the catalog view. The frame forwards requests to it through the document's hint;
// each code is an operation of the catalog.
#pragma once

#include "app/TarnDoc.h"
#include "framework/ScrollView.h"

namespace tarn {

class CTarnView final : public CScrollView {
 public:
  bool Create(HWND frame);

  void OnUpdate(CView* sender, LPARAM hint, void* object) override;

  // The last request the view took, and how many it has taken.
  const HintRecord& LastRequest() const { return m_LastRequest; }
  int RequestCount() const { return m_RequestCount; }

 protected:
  void OnDraw(HDC dc) override;

 private:
  HintRecord m_LastRequest;
  int m_RequestCount = 0;
};

// Whether the view knows request `code`.
bool IsViewRequest(int code);

}  // namespace tarn
