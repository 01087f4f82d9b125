#include "catalog/CatalogDrag.h"

#include <cstring>
#include <cwchar>

#include "app/Prompt.h"

namespace tarn {

HGLOBAL MakeCatalogDragBlock() {
  constexpr SIZE_T bytes = sizeof kCatalogDragText;  // 2 x (length + 1)
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* text = block != nullptr ? GlobalLock(block) : nullptr;
  if (text == nullptr) {
    if (block != nullptr) GlobalFree(block);
    Say(u" ドラッグ処理 メモリ確保失敗<-v16>");
    return nullptr;
  }
  std::memcpy(text, kCatalogDragText, bytes);
  GlobalUnlock(block);
  return block;
}

bool IsCatalogDragBlock(HGLOBAL block) {
  if (block == nullptr) return false;
  // A block from another program may be shorter than the text or lack its NUL.
  constexpr SIZE_T units = sizeof kCatalogDragText / sizeof(wchar_t);
  if (GlobalSize(block) < sizeof kCatalogDragText) return false;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(block));
  if (text == nullptr) return false;
  const bool same = std::wmemcmp(text, kCatalogDragText, units) == 0;
  GlobalUnlock(block);
  return same;
}

}  // namespace tarn
