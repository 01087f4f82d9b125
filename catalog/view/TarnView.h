// CTarnView: the catalog view. The frame forwards requests to it through the document's hint;
// each code is an operation of the catalog. The catalog itself is drawn once into an off-screen
// bitmap (CatalogA) and painted from there cell by cell (DrawCatalogCell).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/Requests.h"
#include "base/RunState.h"
#include "base/TarnDoc.h"
#include "catalog/fileops/CatalogDrag.h"
#include "catalog/view/CatalogKeys.h"
#include "catalog/view/CatalogLayout.h"
#include "catalog/view/CatalogSelection.h"
#include "catalog/view/CellTitle.h"
#include "catalog/view/TrimFrame.h"
#include "catalog/fileops/FileOperations.h"
#include "catalog/view/MonitorWindow.h"
#include "catalog/cache/ThumbWorkBitmap.h"
#include "image/PrintPreview.h"
#include "image/PrinterChoice.h"
#include "image/StretchSource.h"
#include "catalog/cache/ThumbnailCache.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/cache/Win32ThumbFiles.h"
#include "framework/MemoryBitmap.h"
#include "framework/ScrollView.h"

namespace tarn {

class CPictureWnd;
class CPluginRegistry;
class CZoomDialog;

enum ViewTimer : UINT_PTR {
  kTimerSlideShow = 1,
  kTimerEmptyListing = 3,
  kTimerOpenClick = 7,  // single-click mode opens the clicked row once the click is over
  kTimerResizeRefusal = 11,
  kTimerPictureLayout = 12,  // the picture screen laid out again once the zoom dialog has closed
  kTimerWallpaper = 13,      // the wallpaper decoded for the empty screen, after the paint that wanted it
  kTimerClipboardOpen = 14,  // the clipboard view opens once the display window has gone
  kTimerClipboardCopy = 15,  // the client area goes to the clipboard once the menu has left the screen
  kTimerCatalogRefresh = 17, // the catalog built again after a batch of thumbnail-source changes
};

// The screen modes of the clipboard view: in place of the catalog, or of a picture screen.
enum ClipboardScreen : int { kScreenClipboardOverCatalog = 4, kScreenClipboardOverPicture = 5 };

// How the frame is asked to show an entry: on its own, or as the slide show's next picture.
enum OpenRequest : int { kOpenSingle = 0, kOpenSlideShow = 3 };

// Request 9's first parameter: delete the selection, or the entry a display window shows (its
// row in the second parameter, its path in the folder field).
enum DeleteScope : int { kDeleteSelection = 0, kDeleteShownEntry = 1 };

class CTarnView final : public CScrollView, private CatalogCanvas {
 public:
  CTarnView();
  ~CTarnView() override;
  bool Create(HWND frame);
  // The registry the file list asks and the picture the catalog decodes into; both outlive the view.
  void Bind(CPluginRegistry& registry, CPictureWnd& picture);

  // What the view tells the frame: a status-bar switch with its value and text, and the frame's
  // title: the folder of a new catalog, or the picture on the picture screens.
  std::function<void(StatusSwitch sw, int value, const std::u16string& text)> statusBar;
  std::function<void(const std::u16string& folder)> catalogFolder;
  // The catalog table changed: the dialogs that show its counts refresh them.
  std::function<void()> tableChanged;
  // The user asked to rename the cursor row: the frame shows its text window at `screen`.
  std::function<void(POINT screen, const std::u16string& name)> renameAsked;
  // Shows table row `row`'s picture at `path` in a display window (see OpenRequest).
  std::function<void(const std::u16string& path, int request, int row)> openInWindow;
  // The row the single display window shows, -1 when it is not open.
  std::function<int()> displayedRow;
  // The facts of the file under the mouse or of the current cell for the status bar's panes 1 to
  // 4 (name, size, picture size, date); four empty panes when the catalog goes.
  std::function<void(const std::array<std::u16string, 4>& panes)> fileFacts;

  void OnUpdate(CView* sender, LPARAM hint, void* object) override;

  // Request 3: the file list of folder mode `mode` (0 the browsed folder, 2 the folder tree's),
  // the catalog table and the catalog.
  void OpenFolder(int mode, const std::wstring& folder);
  // The offset and limit questions, then CatalogA; see CatalogShowResult.
  int CatalogShow(int mode);
  // Builds and shows the catalog: 0 done, 2 cancelled, -1 failure.
  int CatalogA();
  // Request 2: the catalog built again, its marks cleared.
  void CatalogAgain();
  // Forgets the catalog on screen and empties the table.
  void ClearCatalog();
  // Forgets the catalog on screen; the table stays.
  void ResetCatalog();
  // Requests 6 (mode 0 size, 1 name, 2 kind, 4 date) and 4 (mode 3 area): the table sorted and
  // the catalog shown again in the new order.
  void SortRequest(int mode);

  // Opens a row in a display window: still pictures only, never a row that failed to load.
  void OpenEntry(int row);
  // UpDownCatalog_Up and UpDownCatalog_Down: the previous or next showable row, wrapping around;
  // false (after the message) when there is none.
  bool UpDownCatalog(bool up);
  void StartSlideShow();
  void StopSlideShow();
  int Cursor() const { return m_Selection.cursor; }
  const SelectionState& Selection() const { return m_Selection; }
  // A drop of the catalog's own drag at a client point: the drag source moves to the row there.
  void DropAt(POINT client);
  // The rename window of the cursor row, as the cell menu's "名称変更" opens it (renameAsked).
  void RenameCursorCommand();
  // "完全削除": the selected files handed to the complete-deletion program.
  void CompleteDeleteCommand();
  // "すべて選択", "すべて解除", "選択の反転" and "選択のみ表示" of the "編集" menu (command ids).
  void SelectionCommand(int command);
  // The property dialog of table row `row` (the right-button menu's "プロパティ").
  void PropertyCommand(int row);
  // "JPG/BMP形式で保存": the cursor entry's picture saved as JPEG or BMP beside it, after the format
  // questions; the frame has run its guards first.
  void SaveCommand();
  // "JPEG量子化率設定".
  void JpegQualityCommand();
  // The format questions of a save: ".jpg", ".bmp", or empty when the user cancelled.
  std::u16string AskSaveExtension();
  // The first checks of every image tool of the view: false, after the busy notice, the way back
  // from the clipboard picture or the no-catalog message, when the tool must not go on.
  bool ImageToolGuard();
  // Leaves the clipboard picture for the screen it covers and tells the user; false when it was
  // not shown.
  bool BackFromClipboardView();
  // Without a catalog (or the clipboard picture over one) the image tools say where to make one.
  bool CatalogMissing();
  // "Tarn壁紙保存" and "Tarn壁紙削除" (see ViewWallpaper.cpp).
  void WallpaperSaveCommand();
  void WallpaperDeleteCommand();
  // The selected wallpaper was written, deleted or switched: the empty screen draws it anew.
  void WallpaperChanged();
  // "ﾄﾘﾐﾝｸﾞ": arms the trimming tool; the next drag of the left button frames what is saved.
  void TrimCommand();
  bool TrimArmed() const { return m_Trim.armed; }
  // The clipboard commands of the "ﾌｧｲﾙ" menu (see ViewClipboard.cpp); the frame has refused them
  // while busy and without a catalog. "ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存" copies the client area 500 ms later.
  void ClipboardOpenCommand();
  void ClipboardSaveCommand();
  void ClipboardClearCommand();
  void ClipboardImageCommand();
  // The clipboard's bitmap is shown in place of the catalog or of a picture screen.
  bool ClipboardShown() const { return g_ScreenMode == kScreenClipboardOverCatalog || g_ScreenMode == kScreenClipboardOverPicture; }
  // Back from the clipboard view to the screen it covered.
  void LeaveClipboardView();
  // Request 49: 1 the zoom screen's BMP picture, 0 the batch over the selection of a folder of
  // thumbnail sources; both written at the BMP size (see ViewThumbSource.cpp).
  void ThumbSourceRequest(int param);
  // "印刷": the catalog page in view, or the picture screens' picture, on the printer the user
  // chooses (see ViewPrint.cpp); "ﾌﾟﾘﾝﾀの設定". The frame has run its checks first.
  void PrintCommand();
  void PrinterSetupCommand();
  // "印刷ﾌﾟﾚﾋﾞｭｰ": the same page in the preview window, on the kept printer's sheet (an A4 stand-in
  // without a printer).
  void PrintPreviewCommand();
  const CPrintPreview& Preview() const { return m_Preview; }
  // The save routine of this view (its save-as dialog can be replaced).
  CImageSaver& Saver() { return *m_Saver; }
  // The frame's zoom dialog, which the zoom screen opens and reads.
  void SetZoomDialog(CZoomDialog& dialog) { m_ZoomDialog = &dialog; }
  // The picture screens (the expanded screen and the zoom screen), ScreenResource's commands and
  // the right-button menu's turns and flips there. See ViewScreens.cpp.
  void ScreenCommand(int command);
  void ExpandCommand();
  void ZoomCommand();
  void BackToCatalog();
  // Requests 30 (0 by percentage, 1 by pixel count, 2 the zoom left) and 47 (1 the client's size
  // as the scroll size, 0 the picture's).
  void ZoomRequest(int param);
  void ScrollSizeRequest(int param);
  // A turn, flip, "元に戻す" or "輝度変更" (ID_DISP_...) of the picture on the picture screens.
  void PictureTransform(int command);
  // The expanded or zoom screen shows a picture instead of the catalog.
  bool PictureScreenShown() const { return g_CatalogShown == 0 && g_ScreenMode >= 1 && g_ScreenMode <= 3; }
  // A catalog built by this view is on the catalog screen.
  bool CatalogOnScreen() const { return g_CatalogShown != 0 && m_Catalog.Dc() != nullptr; }

  // The catalog on screen.
  const ShownCatalog& Shown() const { return m_Shown; }
  const MemoryBitmap& CatalogBitmap() const { return m_Catalog; }
  // Rows drawn by the last build, and how many of them were decoded rather than read from a cache.
  int DrawnRows() const { return m_DrawnRows; }
  int DecodedRows() const { return m_DecodedRows; }
  CatalogHit HitTest(POINT client) const;

  // The last request the view took, and how many it has taken.
  const HintRecord& LastRequest() const { return m_LastRequest; }
  int RequestCount() const { return m_RequestCount; }

 protected:
  void OnDraw(HDC dc) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // One pass of the build over the shown rows of `folder` (every shown row when -1).
  int CatalogPass(HDC screen, int folder, int shown, int& done, bool readOnly);
  // Loads a row's file by its kind of name; 0, or the failure of the load.
  int DecodeRow(const std::u16string& path, std::u16string_view name);
  // The file picture's size as the plug-in reports it, when that fits the pixels delivered (a
  // reduced picture is smaller, never of another shape); else 0 x 0, the pixels' own size.
  SIZE FilePictureSize() const;
  // The plug-in's reduced picture just loaded makes cells as good as the whole picture would.
  bool ReducedPictureServes() const;
  // Makes the picture just decoded the source of the row's thumbnails; the picture's size.
  SIZE TakeThumbSource();
  // Loads the thumbnail a camera photo carries in its EXIF block when it is large enough for the
  // cell and of the photo's shape; false, with nothing loaded, otherwise.
  bool LoadExifThumbnail(const wchar_t* file);
  // Counts the records of a folder's cache against its files and compacts a cache that holds more.
  void TrimFolderCache(FolderRow& folder);
  int DrawThumbnail(int mode, HDC dc, int row, std::u16string_view name);
  int DrawCatalogCell(HDC dc, int k);
  void FinishBuild(int result, int done);
  void OnEmptyListing();
  // Request 15: parameter 0 or 2 the previous entry, 1 or 3 the next.
  void StepRequest(int param);
  void OnSlideShowTimer();
  // The step pressed while the catalog was being built.
  void MakePendingStep();
  void OnSize();
  void OnLeftButton(POINT point, WPARAM keys);
  // A double click or Enter on a catalog row: the row opens unless a step or show owns the
  // display window.
  void OpenFromCatalog(int row);

  // The keyboard (see ViewKeys.cpp): the catalog's current cell, Enter, Ctrl+Space, and Esc and
  // the zoom keys of the picture screens.
  void OnKeyDown(WPARAM key);
  // A catalog just came on the screen: the keyboard goes to it while the frame is the active
  // window (a companion dialog the user works in keeps it).
  void TakeKeyboard();
  void OnPictureScreenKey(WPARAM key);
  void MoveCursorByKey(CursorKey key, bool shift, bool ctrl);
  // One step of the zoom dialog's "＋" or "－" on the zoom screen; false elsewhere.
  bool ZoomByStep(bool in);
  // The current cell moved from `before`: its focus frame follows and the status bar tells its
  // facts; `reveal` scrolls it into the view.
  void CursorMoved(int before, bool reveal);
  // The focus frame round the cell of shown row `row`, in view coordinates; false for a row not
  // shown.
  bool FocusFrame(int row, RECT& frame) const;
  void InvalidateFocusFrame(int row);
  void DrawFocusFrame(HDC dc);
  void ScrollToRow(int row);
  // The empty screen's line saying how to begin.
  void DrawEmptyStartLine(HDC dc);

  // The status bar's file facts (see ViewFileFacts.cpp): of a row, of the cell the mouse moved
  // onto, and the picture sizes the build learnt from the pictures it decoded.
  void ReportFileFacts(int row);
  void OnMouseOverCell(POINT client);
  void ClearFileFacts();
  void NotePictureSize(const std::u16string& path, SIZE size);
  // The right-button menu of a cell: copy, move, delete, rename and the complete deletion.
  void OnRightButton(POINT point);
  // A command of that menu; `screen` is where the menu was opened.
  void CatalogCommand(int command, POINT screen);
  // Copy, move or delete of the selected rows; the rename of the cursor row to `name`.
  void FileRequest(FileOperation operation, const std::wstring& target);
  void RenameRequest(const std::wstring& name);
  // Request 9 from a display window: the file of row `row`, which showed `path`.
  void DeleteShownEntry(int row, const std::wstring& path);
  // Runs one operation on the selection with the shown range, then updates the counts and dialogs.
  void RunFileOperation(const std::function<void(CatalogFileOps&)>& operation);
  // Requests 25, 37, 44 and 46: each command's dialog, then the command on the shown rows.
  void RenameAllCommand();
  void TimeStampCommand();
  void SelectByStringCommand();
  void SelectByAttributeCommand();
  void ShowOnlySelectionCommand();

  // The row the picture screens open: the cursor row when it is shown, else the first selected
  // shown row; -1 for none.
  int SelectFileSearch() const;
  // Shows table row `row` on the expanded screen (the zoom screen when its dialog is open).
  void OpenPictureScreen(int row);
  // After a new picture (1, also its title), a turn or flip (2): scroll sizes for the picture's
  // drawing; 0 only the title.
  void RedisplayPicture(int mode);
  // Releases the picture of the picture screens and closes the zoom dialog: the catalog is about
  // to be built, cleared or shown again, and the build decodes into the same picture object.
  void LeavePictureScreen();
  void DrawPicture(HDC dc);
  void OnPictureRightButton(POINT point);
  // Loads m_PicturePath as the picture screens' picture, with the brightness level kept.
  void LoadShownPicture();
  // The catalog on the catalog screen again, where it was scrolled to.
  void ShowCatalogAgain();
  void DrawClipboard(HDC dc);
  // Forgets the clipboard view's bitmap and mode, without redrawing.
  void DropClipboardView();
  void CopyViewToClipboard();
  // Makes what is printed the current picture: the catalog page in view (captured), or the
  // picture screens' own. False, after the message (`what` names the command), when the screen
  // has nothing to print.
  bool PreparePrintPage(const std::u16string& what);
  void ThumbSourceChange();
  void ThumbSourceBatch();
  // One batch entry: loaded, asked about and saved; false when the user stopped the batch.
  bool ThumbSourceEntry(int row);

  // Wallpapers: the entry chosen on the catalog opened for the save, the colour check, the save
  // itself from the expanded screen, and the empty screen's drawing.
  void OfferWallpaper(int row);
  bool WallpaperColoursAccepted();
  void SaveWallpaper();
  bool EmptyScreenShown() const;
  void DrawWallpaper(HDC dc);
  void LoadWallpaper();

  // Trimming (see ViewTrimming.cpp): where the corners may go, the drag, the adjustment dialog's
  // loop (false when the user abandoned the frame) and the save.
  TrimBox TrimBounds() const;
  bool OnTrimButtonDown(POINT client);
  bool OnTrimMove(POINT client);
  bool OnTrimButtonUp(POINT client);
  void EndTrimDrag();
  void RestoreTrimScreen();
  bool AdjustTrimFrame(TrimBox& frame);
  std::u16string TrimFolder() const;
  void SaveTrimming(const TrimBox& frame);
  void ShowTrimmedScreen();

  // CatalogCanvas: rows repainted on the screen as the selection and file operations change them.
  void RepaintTitle(int row) override;
  bool RepaintCell(int row) override;
  void PaintCellWhite(int row) override;
  void RepaintView() override;
  bool CatalogShown() override { return CatalogOnScreen(); }

  CPluginRegistry* m_Registry = nullptr;  // not owned
  CPictureWnd* m_Picture = nullptr;       // not owned
  std::unique_ptr<CImageSaver> m_Saver;   // made with the picture it saves
  PrinterChoice m_Printer;
  CPrintPreview m_Preview;
  CZoomDialog* m_ZoomDialog = nullptr;    // the frame's; not owned
  POINT m_CatalogScroll{};                // where the catalog was scrolled when a picture screen opened
  std::u16string m_PicturePath;           // what the picture screens show
  Win32ThumbFiles m_ThumbFiles;
  ThumbnailCache m_Cache{m_ThumbFiles};
  ThumbWorkBitmap m_Work;
  StretchSource m_ThumbSource;  // the row being drawn
  // The photo's size when the row's picture is the thumbnail it carries, else 0 x 0.
  SIZE m_EmbeddedFrom{};
  std::vector<std::uint8_t> m_FileHead;  // kept from file to file: fresh memory is slow under Wine
  MemoryBitmap m_Catalog;
  MemoryBitmap m_ClipboardPicture;  // the clipboard view's own copy of the clipboard's bitmap
  CMonitorWindow m_Monitor;
  TitleFont m_TitleFont;
  ShownCatalog m_Shown;
  int m_BitmapColumns = 1;
  int m_CellCounter = 0;
  int m_DrawnRows = 0;
  int m_DecodedRows = 0;
  bool m_ResizeRefused = false;
  SelectionState m_Selection;
  int m_HoverRow = -1;  // the row under the mouse whose facts the status bar shows, -1 none
  // Picture sizes of files this run decoded, by path, with the file size they were read at.
  struct PictureNote {
    long long bytes = 0;
    SIZE size{};
  };
  std::unordered_map<std::u16string, PictureNote> m_PictureSizes;
  std::unique_ptr<CatalogDropTarget> m_DropTarget;  // registered with OLE while the view exists
  HintRecord m_LastRequest;
  int m_RequestCount = 0;
  // The empty screen's wallpaper, in a picture object of its own so that it never takes the
  // place of the picture the catalog or a display window works on.
  std::unique_ptr<CPictureWnd> m_Wallpaper;
  std::u16string m_WallpaperStamp;  // the file (name, time, size) m_Wallpaper was loaded from
  struct TrimDrag {
    bool armed = false;     // the command was given; the next button down starts the frame
    bool dragging = false;  // between button down and up, with the mouse captured
    bool drawn = false;     // the inverted frame is on the screen
    TrimPoint start;        // client coordinates, inside `bounds`
    TrimPoint end;
    TrimBox bounds;
  } m_Trim;
};

// Whether the view knows request `code`.
bool IsViewRequest(int code);

}  // namespace tarn
