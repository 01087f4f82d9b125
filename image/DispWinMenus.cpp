#include "image/DispWinMenus.h"

#include <initializer_list>

#include "image/PictureTransforms.h"

namespace tarn {
namespace {

struct Item {
  int id;  // 0 for a separator
  const wchar_t* text;
};

HMENU Popup(std::initializer_list<Item> items) {
  HMENU popup = CreatePopupMenu();
  for (const Item& item : items)
    AppendMenuW(popup, item.id == 0 ? MF_SEPARATOR : MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
  return popup;
}

OwnedMenu Named(const wchar_t* name, HMENU popup) {
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
  return OwnedMenu(bar);
}

}  // namespace

OwnedMenu SlideShowMenu() {
  return Named(L"スライドショー", Popup({{ID_CONTI_PAUSE, L"一時停止(&O)"},
                                         {ID_CONTI_RESTART, L"再ｽﾀｰﾄ(&R)"},
                                         {0, nullptr},
                                         {ID_CONTI_PREVIOUS, L"△前画面(&U)"},
                                         {ID_CONTI_NEXT, L"▽次画面(&D)"},
                                         {ID_CONTI_MARK_NEXT, L"選択ﾏｰｸ＆▽(&M)"},
                                         {0, nullptr},
                                         {ID_CONTI_STOP, L"ｽﾄｯﾌﾟ(&S)"},
                                         {ID_CONTI_CLEAR, L"画面ｸﾘｱ(&Z)"}}));
}

OwnedMenu WindowMenu() {
  HMENU turns = Popup({{ID_DISP_ROTATE_RIGHT, L"右90度(&R)"},
                       {ID_DISP_ROTATE_LEFT, L"左90度(&L)"},
                       {ID_DISP_ROTATE_HALF, L"180度(&T)"},
                       {ID_DISP_FLIP_VERT, L"上下反転(&V)"},
                       {ID_DISP_FLIP_HORZ, L"左右反転(&H)"},
                       {ID_DISP_RESTORE, L"元に戻す(&U)"}});
  HMENU window = CreatePopupMenu();
  AppendMenuW(window, MF_POPUP, reinterpret_cast<UINT_PTR>(turns), L"回転・反転(&R)");
  AppendMenuW(window, MF_STRING, ID_DISP_BRIGHT, L"輝度変更(&B)");
  AppendMenuW(window, MF_STRING | MF_GRAYED, ID_DISP_CLIP_SAVE, L"ｸﾘｯﾌﾟ ﾎﾞｰﾄﾞﾞに保存(&S)");
  AppendMenuW(window, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(window, MF_STRING, ID_DISP_DELETE, L"削除(&D)");
  AppendMenuW(window, MF_STRING, ID_CONTI_STOP, L"閉じる(&C)");
  return Named(L"子ｳｲﾝﾄﾞｳ右", window);
}

int RotateOpOfCommand(int command) {
  switch (command) {
    case ID_DISP_ROTATE_RIGHT: return kRotateClockwise;
    case ID_DISP_ROTATE_LEFT: return kRotateCounterClockwise;
    case ID_DISP_ROTATE_HALF: return kRotateHalfTurn;
    case ID_DISP_FLIP_VERT: return kRotateFlipTopBottom;
    case ID_DISP_FLIP_HORZ: return kRotateFlipLeftRight;
    case ID_DISP_RESTORE: return kRotateRestore;
    default: return -1;
  }
}

}  // namespace tarn
