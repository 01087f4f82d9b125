// The display window's right-button menus and their command ids.
#pragma once

#include <windows.h>

#include "framework/GdiScopes.h"

namespace tarn {

enum DispWinCommand : int {
  ID_CONTI_PAUSE = 32873,       // "一時停止(&O)"
  ID_CONTI_RESTART = 32874,     // "再ｽﾀｰﾄ(&R)"
  ID_CONTI_STOP = 32875,        // "ｽﾄｯﾌﾟ(&S)" / "閉じる(&C)"
  ID_CONTI_PREVIOUS = 32876,    // "△前画面(&U)"
  ID_CONTI_NEXT = 32877,        // "▽次画面(&D)"
  ID_DISP_ROTATE_RIGHT = 32899, // "右90度(&R)"
  ID_DISP_ROTATE_LEFT = 32900,  // "左90度(&L)"
  ID_DISP_ROTATE_HALF = 32901,  // "180度(&T)"
  ID_DISP_RESTORE = 32902,      // "元に戻す(&U)"
  ID_DISP_FLIP_VERT = 32903,    // "上下反転(&V)"
  ID_DISP_FLIP_HORZ = 32904,    // "左右反転(&H)"
  ID_DISP_DELETE = 32909,       // "削除(&D)"
  ID_DISP_CLIP_SAVE = 32910,    // "ｸﾘｯﾌﾟ ﾎﾞｰﾄﾞﾞに保存(&S)", not offered yet
  ID_DISP_BRIGHT = 32912,       // "輝度変更(&B)"
  ID_CONTI_MARK_NEXT = 32986,   // "選択ﾏｰｸ＆▽(&M)"
  ID_CONTI_CLEAR = 32988,       // "画面ｸﾘｱ(&Z)"
};

// Each menu is a bar holding one popup under the menu's name ("スライドショー", "子ｳｲﾝﾄﾞｳ右");
// the popup is what opens at the click.
OwnedMenu SlideShowMenu();
OwnedMenu WindowMenu();

}  // namespace tarn
