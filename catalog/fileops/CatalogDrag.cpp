#include "CatalogDrag.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "base/Prompt.h"

namespace tarn {
namespace {

FORMATETC TextFormat() { return {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// One Unicode text item, handed out as a copy on every request.
class DragData final : public IDataObject {
 public:
  explicit DragData(HGLOBAL text) : text_(text) {}
  ~DragData() { GlobalFree(text_); }
  DragData(const DragData&) = delete;
  DragData& operator=(const DragData&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const SIZE_T size = GlobalSize(text_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(copy), GlobalLock(text_), size);
    GlobalUnlock(text_);
    GlobalUnlock(copy);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == CF_UNICODETEXT && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = TextFormat();
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL text_;  // owned
  ULONG refs_ = 1;
};

class DragSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the stack of the drag.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

constexpr DWORD kAllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

}  // namespace

IDataObject* MakeTextDragData(const wchar_t* text) {
  const SIZE_T bytes = 2 * (std::wcslen(text) + 1);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* locked = block != nullptr ? GlobalLock(block) : nullptr;
  if (locked == nullptr) {
    if (block != nullptr) GlobalFree(block);
    Say(u" ドラッグ処理 メモリ確保失敗<-v16>");
    return nullptr;
  }
  std::memcpy(locked, text, bytes);
  GlobalUnlock(block);
  return new DragData(block);
}

HRESULT DragCatalogCell() {
  IDataObject* data = MakeTextDragData(kCatalogDragText);
  if (data == nullptr) return E_OUTOFMEMORY;
  DragSource source;
  DWORD effect = 0;
  const HRESULT result = DoDragDrop(data, &source, kAllowedEffects, &effect);
  data->Release();
  return result;
}

bool IsCatalogDrag(IDataObject* data) {
  if (data == nullptr) return false;
  FORMATETC format = TextFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) return false;
  bool ours = false;
  if (const auto* text = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
    const SIZE_T units = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
    ours = units > 0 && wcsnlen(text, units) < units && std::wcscmp(text, kCatalogDragText) == 0;
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return ours;
}

HRESULT CatalogDropTarget::QueryInterface(REFIID id, void** out) {
  if (id == IID_IUnknown || id == IID_IDropTarget) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT CatalogDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  accepting_ = IsCatalogDrag(data);
  *effect = accepting_ ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT CatalogDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = accepting_ ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT CatalogDropTarget::DragLeave() {
  accepting_ = false;
  return S_OK;
}

HRESULT CatalogDropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  accepting_ = false;
  POINT point{at.x, at.y};
  ScreenToClient(view_, &point);
  const bool ours = IsCatalogDrag(data);
  *effect = ours ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  if (ours && dropped_) dropped_(point);
  return S_OK;
}

}  // namespace tarn
