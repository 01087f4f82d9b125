// The item a drag inside the catalog carries: the standard text format holding the UTF-16 text
// "Tarn Catalog Move", so that a drop can tell the catalog's own drag from any other text.
#pragma once

#include <windows.h>

namespace tarn {

constexpr wchar_t kCatalogDragText[] = L"Tarn Catalog Move";

// A movable global block of 2 x (length + 1) bytes holding the text and its NUL, owned by the
// caller (or by the data object it is handed to). Null after " ドラッグ処理 メモリ確保失敗<-v16>"
// when the block cannot be had.
HGLOBAL MakeCatalogDragBlock();

// Whether a dropped text block holds exactly the catalog's drag text.
bool IsCatalogDragBlock(HGLOBAL block);

}  // namespace tarn
