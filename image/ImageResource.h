// Resource ids of the picture windows' dialogs, kept apart from the program's other ranges, and
// the display window's menu commands.
#pragma once

#define IDD_BRIGHTNESS 4000
#define IDC_BRIGHT_SCROLL 4001
#define IDC_BRIGHT_EDIT 4002
#define IDC_BRIGHT_PREVIEW 4003
#define IDC_BRIGHT_KEEP 4004

// The display window's right-button menus.
#define ID_CONTI_PAUSE 32873        // "一時停止(&O)"
#define ID_CONTI_RESTART 32874      // "再ｽﾀｰﾄ(&R)"
#define ID_CONTI_STOP 32875         // "ｽﾄｯﾌﾟ(&S)" / "閉じる(&C)"
#define ID_CONTI_PREVIOUS 32876     // "△前画面(&U)"
#define ID_CONTI_NEXT 32877         // "▽次画面(&D)"
#define ID_DISP_ROTATE_RIGHT 32899  // "右90度(&R)"
#define ID_DISP_ROTATE_LEFT 32900   // "左90度(&L)"
#define ID_DISP_ROTATE_HALF 32901   // "180度(&T)"
#define ID_DISP_RESTORE 32902       // "元に戻す(&U)"
#define ID_DISP_FLIP_VERT 32903     // "上下反転(&V)"
#define ID_DISP_FLIP_HORZ 32904     // "左右反転(&H)"
#define ID_DISP_DELETE 32909        // "削除(&D)"
#define ID_DISP_CLIP_SAVE 32910     // "ｸﾘｯﾌﾟ ﾎﾞｰﾄﾞﾞに保存(&S)", not offered yet
#define ID_DISP_BRIGHT 32912        // "輝度変更(&B)"
#define ID_CONTI_MARK_NEXT 32986    // "選択ﾏｰｸ＆▽(&M)"
#define ID_CONTI_CLEAR 32988        // "画面ｸﾘｱ(&Z)"
