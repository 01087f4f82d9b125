#include "TarnView.h"

#include <algorithm>

#include "app/Prompt.h"
#include "app/TextUtil.h"

namespace tarn {

namespace {
constexpr int kViewRequests[] = {2,  3,  4,  6,  7,  8,  9,  10, 12, 13, 15, 17, 21, 22,
                                 25, 28, 30, 33, 36, 37, 40, 41, 44, 46, 47, 48, 49};
}  // namespace

bool IsViewRequest(int code) {
  return std::find(std::begin(kViewRequests), std::end(kViewRequests), code) != std::end(kViewRequests);
}

bool CTarnView::Create(HWND frame) { return CreateView(frame, L"TarnCatalogView"); }

void CTarnView::OnUpdate(CView*, LPARAM hint, void* object) {
  if (hint != kHintRequest || object == nullptr) return;
  const HintRecord& record = *static_cast<const HintRecord*>(object);
  if (!IsViewRequest(record.request)) {
    Say(SwitchMessage(u"CTarnView::OnUpdate", record.request));
    return;
  }
  // The catalog operations behind each code belong to the catalog itself; the view takes the
  // request in order.
  m_LastRequest = record;
  ++m_RequestCount;
}

void CTarnView::OnDraw(HDC) {}

}  // namespace tarn
