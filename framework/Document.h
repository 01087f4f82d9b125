// The single document and its views: update-all-views passes a hint and an object to every view.
#pragma once

#include <windows.h>

#include <vector>

#include "Window.h"

namespace tarn {

class CView : public CWindow {
 public:
  // `sender` is the view that caused the update, or null; `hint` and `object` are the caller's.
  virtual void OnUpdate(CView* sender, LPARAM hint, void* object) = 0;
};

class CDocument {
 public:
  virtual ~CDocument() = default;
  void AddView(CView* view) { m_Views.push_back(view); }
  void UpdateAllViews(CView* sender, LPARAM hint, void* object) {
    for (CView* view : m_Views)
      if (view != sender) view->OnUpdate(sender, hint, object);
  }

 private:
  std::vector<CView*> m_Views;  // not owned: the frame owns its view
};

}  // namespace tarn
