// The display window's right-button menus (their command ids are in ImageResource.h).
#pragma once

#include <windows.h>

#include "framework/GdiScopes.h"
#include "image/ImageResource.h"

namespace tarn {

// Each menu is a bar holding one popup under the menu's name ("スライドショー", "子ｳｲﾝﾄﾞｳ右");
// the popup is what opens at the click.
OwnedMenu SlideShowMenu();
OwnedMenu WindowMenu();

// The RotateMap operation of a turn, flip or "元に戻す(&U)" command (ID_DISP_...); -1 for any other.
int RotateOpOfCommand(int command);

}  // namespace tarn
