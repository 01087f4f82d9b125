// The settings dialogs the main frame opens from its "設定(&S)" menu. Each runs modally, owned
// by `owner`, and stores what the user confirms.
#pragma once

#include <windows.h>

namespace tarn {

void RunOtherSettingsDialog(HWND owner);      // "その他の設定"
void RunApplicationDialog(HWND owner);        // "起動アプリ設定"
// The catalog offset and limit dialog; answers true when the offset changed.
bool RunCatalogOffsetDialog(HWND owner);
void RunSizeLimitDialog(HWND owner);          // "サイズ制限"
void RunSubFolderOffsetDialog(HWND owner);    // "下位フォルダ・オフセット"

}  // namespace tarn
