// Control and command ids of the folder dialog and the thumbnail dialog.
#pragma once

// "読出/書込": the tree, the seven slots of a page, the buttons and counters.
#define IDC_TREE_VIEW 6200
#define IDC_TREE_SLOT0 6210  // 6210-6216: the slot buttons "1"-"5" ("6"-"10"), "ﾂﾘｰ1", "ﾂﾘｰ2" ("ﾂﾘｰ3", "ﾂﾘｰ4")
#define IDC_TREE_PATH0 6220  // 6220-6226: their folder fields
#define IDC_TREE_CHOOSE 6230
#define IDC_TREE_CATALOG 6231
#define IDC_TREE_RECATALOG 6232
#define IDC_TREE_OFFSET 6233
#define IDC_TREE_COPY 6234
#define IDC_TREE_MOVE 6235
#define IDC_TREE_DELETE 6236
#define IDC_TREE_CLEAR_SCREEN 6237
#define IDC_TREE_PAGE 6238
#define IDC_TREE_SUBFOLDER 6239
#define IDC_TREE_FILES 6240
#define IDC_TREE_SELECTED 6241
#define IDC_TREE_CLEAR_AREA 6242

// "ｻﾑﾈｲﾙ".
#define IDC_THUMB_ON 6300
#define IDC_THUMB_OFF 6301
#define IDC_THUMB_LOW 6302
#define IDC_THUMB_CLEAR 6303
#define IDC_THUMB_FLV_COPY 6304
#define IDC_THUMB_FOLDER 6305
#define IDC_THUMB_BROWSE 6306
#define IDC_THUMB_UPDATE 6307
#define IDC_THUMB_DELETE 6308
#define IDC_THUMB_COUNT 6309
#define IDC_THUMB_COUNT_TEXT 6310

// "サムネイル削除", a command of the frame without a menu item.
#define ID_THUMB_DELETE 33210

// The tree's context menu and selection menu.
#define ID_TREE_REFRESH 33200
#define ID_TREE_EXPLORER 33201
#define ID_TREE_COMPLETE_DELETE 33202
#define ID_TREE_SINGLE 33203
#define ID_TREE_MULTIPLE 33204
