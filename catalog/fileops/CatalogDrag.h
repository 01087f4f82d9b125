// Dragging one catalog cell onto another: the drag carries the text "Tarn Catalog Move" so that
// only the catalog's own drags are taken; a drop hands its point to the view.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>

namespace tarn {

constexpr wchar_t kCatalogDragText[] = L"Tarn Catalog Move";

// A drag's data: one item of the Unicode text format holding `text` in a block of 2 x (length + 1)
// bytes. Null (after the program's message) when the block cannot be had.
IDataObject* MakeTextDragData(const wchar_t* text);

// Runs the drag from the catalog with the copy, move and link effects; answers DoDragDrop's result.
HRESULT DragCatalogCell();

// Whether `data` is the catalog's own drag.
bool IsCatalogDrag(IDataObject* data);

// The view's drop target: `dropped` gets the client point of a drop of the catalog's own drag.
class CatalogDropTarget final : public IDropTarget {
 public:
  explicit CatalogDropTarget(HWND view, std::function<void(POINT)> dropped)
      : view_(view), dropped_(std::move(dropped)) {}
  CatalogDropTarget(const CatalogDropTarget&) = delete;
  CatalogDropTarget& operator=(const CatalogDropTarget&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // owned by the view, never deleted here
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  HWND view_;
  std::function<void(POINT)> dropped_;
  ULONG refs_ = 1;
  bool accepting_ = false;
};

}  // namespace tarn
