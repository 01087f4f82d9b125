// Resource ids of the zoom dialog (6010-6029) and the picture screens' commands (33100-33119).
#pragma once

#define IDC_ZOOM_PERCENT 6010
#define IDC_ZOOM_SCROLL 6011
#define IDC_ZOOM_MINUS 6012
#define IDC_ZOOM_STANDARD 6013
#define IDC_ZOOM_PLUS 6014
#define IDC_ZOOM_PIXELS 6015
#define IDC_ZOOM_APPLY 6016
#define IDC_ZOOM_CATALOG 6017
#define IDC_ZOOM_QUALITY 6018
#define IDC_ZOOM_THUMB_SOURCE 6800   // "ｻﾑﾈｲﾙ用変更"

#define ID_SCREEN_EXPAND 33100       // "展開画面(&P)"
#define ID_SCREEN_ZOOM 33101         // "伸縮画面(&S)"
#define ID_SCREEN_CATALOG 33102      // "ｶﾀﾛｸﾞに戻る(&U)" / "カタログ画面に戻る"
#define ID_SCREEN_SAVE 33103         // the right-button menus' "JPG/BMP保存(&A)"
