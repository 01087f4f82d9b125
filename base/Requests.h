// The requests and notices the program's windows send one another, under the program's own
// numbers. The modeless dialogs, the popup and the display windows post theirs to the frame (one
// frame message each, wParam a parameter, lParam the code); the frame acts on them or hands the
// view a request of its own in the hint record; the frame and the view name the status-bar text
// by its switch. Each channel has its enum, shared by its sender and its receiver; a code keeps
// its number from hop to hop, so the numbers below are the wire and never change.
#pragma once

namespace tarn {

// The folder dialog's requests (WM_TREE_DIALOG).
enum TreeRequest : int {
  kTreeCatalogAgain = 2,    // "再ｶﾀﾛｸﾞ"
  kTreeCatalogFolder = 3,   // catalog the current folder
  kTreeCopy = 7,            // copy the selected files to the target folder
  kTreeMove = 8,            // move them there
  kTreeDelete = 9,          // "削除" of the selected files
  kTreeClearScreen = 13,    // "画面ｸﾘｱ"
  kTreeFolderChanged = 39,  // the current folder changed
  kTreeBusy = 42,           // pressed while busy: the busy notice
  kTreeRefresh = 48,        // wParam non-zero or not, handed on to the view
};

// The thumbnail dialog's one request (WM_THUMB_DIALOG).
enum ThumbRequest : int { kThumbCatalogAgain = 2 };

// The display/sort dialog's requests (WM_DISP_DIALOG).
enum DispDialogRequest : int {
  kDispSortArea = 4,
  kDispSortSize = 6,
  kDispSlideShow = 10,
  kDispStop = 12,
  kDispClear = 13,
  kDispPrevious = 15,  // wParam 1: a step is already pending during a build
  kDispNext = 16,
  kDispSortName = 24,
  kDispSwitchScreen = 36,  // the catalog or the expanded screen; wParam handed on
  kDispSortKind = 38,
  kDispBusy = 42,      // pressed while busy: the busy notice
  kDispSortDate = 43,
};

// The zoom dialog's requests (WM_STRE_DIALOG).
enum StreRequest : int {
  kStreZoom = 19,           // wParam 1 by pixel count, 0 by percentage
  kStreCancel = 20,         // "ｷｬﾝｾﾙ": back to the expanded screen's drawing
  kStreBackToCatalog = 36,  // "ｶﾀﾛｸﾞに戻る"
  kStreThumbSource = 49,    // the thumbnail-source size change
};

// The popup text window's one request (WM_POPUP_WIN): its text is the new name.
enum PopupRequest : int { kPopupRename = 21 };

// What a display window tells the frame (WM_DISP_WIN); wParam as listed.
enum DispWinNotice : int {
  kNoticeDelete = 9,         // "削除(&D)"; wParam the row whose picture is shown
  kNoticeRestart = 10,       // "再ｽﾀｰﾄ(&R)"
  kNoticePause = 12,         // right button while the slide show runs
  kNoticeClear = 13,         // "画面ｸﾘｱ(&Z)"
  kNoticePrevious = 15,      // "△前画面(&U)"
  kNoticeNext = 16,          // "▽次画面(&D)"
  kNoticeStop = 27,          // stop or close command; wParam the window's row
  kNoticeClosed = 28,        // closed by the system close; wParam the window's row (sent)
  kNoticeCatalogZoom = 29,   // painted over the catalog screen; wParam the zoom (sent)
  kNoticeMarkNext = 41,      // "選択ﾏｰｸ＆▽(&M)"
  kNoticeExpandedZoom = 42,  // painted over the expanded screen; wParam the zoom (sent)
  kNoticeReduced = 45,       // destroyed while showing a reduced picture (sent)
  kNoticeDialogOpen = 48,    // attached while the display/sort dialog is open
  kNoticeStepKey = 50,       // a step key or the wheel; wParam 0 to the previous entry, 1 to the next
};

// The frame's requests to the view, carried in the hint record with two integers and a folder.
enum ViewRequest : int {
  kViewCatalogAgain = 2,        // marks cleared, the catalog built again
  kViewOpenFolder = 3,          // param1 the folder mode
  kViewSortArea = 4,
  kViewSort = 6,                // param1 the sort mode
  kViewCopy = 7,                // folder: the target
  kViewMove = 8,                // folder: the target
  kViewDelete = 9,              // param1 kDeleteShownEntry: param2 the row, folder its path
  kViewSlideShow = 10,          // param1 1 when a display window asks
  kViewStop = 12,               // the slide show stops
  kViewClearScreen = 13,
  kViewStep = 15,               // param1 0 or 2 to the previous entry, 1 or 3 to the next
  kViewRename = 21,             // folder: the new name
  kViewBatchRename = 25,
  kViewWindowClosed = 28,
  kViewZoom = 30,               // param1 0 by percentage, 1 by pixel count, 2 the zoom left
  kViewSwitchScreen = 36,       // param1 1 back to the catalog, 0 to the expanded screen
  kViewTimeStamps = 37,
  kViewMarkNext = 41,
  kViewSelectByString = 44,
  kViewSelectByAttribute = 46,
  kViewScrollSize = 47,
  kViewRefresh = 48,
  kViewThumbSource = 49,        // param1 1 the size change of the thumbnail sources
};

// The switches of the status bar's first pane.
enum StatusSwitch : int {
  kStatusBlank = 0,
  kStatusCatalog = 1,    // "カタログ画面 ："
  kStatusReduced = 2,    // value the zoom percentage
  kStatusExpanded = 3,   // value the zoom percentage
  kStatusSortOrder = 4,  // value the sort mode
  kStatusFileNo = 5,     // value the file number, with its name
  kStatusZoom = 6,
  kStatusTrim = 7,
  kStatusBusy = 8,       // value a BusyNotice
  kStatusText = 9,       // the caller's text
};

// The busy notices of status switch 8.
enum BusyNotice : int {
  kBusyPlaying = 0,              // "画像再生中は操作できません"
  kBusyHiddenMovie = 1,          // the hidden movie window is to be closed
  kBusyHiddenMovieNext = 2,      // ... and the next picture follows
  kBusyHiddenMovieLastCall = 3,  // ... or it is ended after three times
  kBusyMovieShow = 4,            // "FLV/MP4 連続表示 ："
};

}  // namespace tarn
