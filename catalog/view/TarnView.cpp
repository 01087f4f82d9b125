#include "TarnView.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/order/TableOrder.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "image/PictureWnd.h"

namespace tarn {

namespace {
// The JPEG writer's thread tells the view that its file is done; wParam 1 written, 0 not.
constexpr UINT kMessageJpegWritten = WM_APP + 1;

// The view takes every request the frame sends; those of features still to come do nothing yet.
constexpr int kViewRequests[] = {kViewCatalogAgain, kViewOpenFolder, kViewSortArea, kViewSort, kViewCopy, kViewMove,
                                 kViewDelete, kViewSlideShow, kViewStop, kViewClearScreen, kViewStep, kViewRename,
                                 kViewBatchRename, kViewWindowClosed, kViewZoom, kViewSwitchScreen, kViewTimeStamps,
                                 kViewMarkNext, kViewSelectByString, kViewSelectByAttribute, kViewScrollSize,
                                 kViewRefresh, kViewThumbSource, 17, 22, 33, 40};
}  // namespace

bool IsViewRequest(int code) {
  return std::find(std::begin(kViewRequests), std::end(kViewRequests), code) != std::end(kViewRequests);
}

CTarnView::CTarnView() = default;
CTarnView::~CTarnView() = default;

bool CTarnView::Create(HWND frame) {
  if (!CreateView(frame, L"TarnCatalogView")) return false;
  // Drops of the catalog's own drag rearrange the cells; without OLE the catalog simply takes none.
  m_DropTarget = std::make_unique<CatalogDropTarget>(Handle(), [this](POINT at) { DropAt(at); });
  if (FAILED(RegisterDragDrop(Handle(), m_DropTarget.get()))) m_DropTarget.reset();
  // A mismatched cache the user let go: what the screen shows of the old catalog goes with it.
  m_Cache.repaint = [this] { RepaintView(); };
  return true;
}

void CTarnView::Bind(CPluginRegistry& registry, CPictureWnd& picture) {
  m_Registry = &registry;
  m_Picture = &picture;
  m_Saver = std::make_unique<CImageSaver>(picture);
  m_Wallpaper = std::make_unique<CPictureWnd>(registry);
  m_Saver->Bind(Handle(), kMessageJpegWritten);
}

void CTarnView::OnUpdate(CView*, LPARAM hint, void* object) {
  if (hint != kHintRequest || object == nullptr) return;
  const HintRecord& record = *static_cast<const HintRecord*>(object);
  if (!IsViewRequest(record.request)) {
    Say(SwitchMessage(u"CTarnView::OnUpdate", record.request));
    return;
  }
  m_LastRequest = record;
  ++m_RequestCount;
  switch (record.request) {
    case kViewCatalogAgain: CatalogAgain(); break;
    case kViewOpenFolder: OpenFolder(record.param1, record.folder); break;
    case kViewSortArea: SortRequest(kSortArea); break;
    case kViewSort: SortRequest(record.param1); break;
    case kViewSlideShow: StartSlideShow(); break;
    case kViewStop: StopSlideShow(); break;
    case kViewStep: StepRequest(record.param1); break;
    case kViewDelete:
      if (record.param1 == kDeleteShownEntry)
        DeleteShownEntry(record.param2, record.folder);
      else
        FileRequest(kOpDelete, record.folder);
      break;
    case kViewCopy: FileRequest(kOpCopy, record.folder); break;
    case kViewMove: FileRequest(kOpMove, record.folder); break;
    case kViewRename: RenameRequest(record.folder); break;
    case kViewWindowClosed: StopSlideShow(); break;
    case kViewClearScreen: ClearCatalog(); break;
    case kViewBatchRename: RenameAllCommand(); break;
    case kViewTimeStamps: TimeStampCommand(); break;
    case kViewSelectByString: SelectByStringCommand(); break;
    case kViewSelectByAttribute: SelectByAttributeCommand(); break;
    case kViewZoom: ZoomRequest(record.param1); break;
    case kViewSwitchScreen:
      if (record.param1 == 1 && PictureScreenShown())
        BackToCatalog();
      else if (record.param1 == 0)
        ExpandCommand();
      break;
    case kViewScrollSize: ScrollSizeRequest(record.param1); break;
    case kViewThumbSource: ThumbSourceRequest(record.param1); break;
    default: break;  // the operations behind the other codes come with their features
  }
}

void CTarnView::CatalogAgain() {
  // Marks cleared, unusable and vacated rows dropped, the catalog rebuilt.
  CatalogTables& tables = TheCatalog();
  for (int i = 0; i < tables.rows; ++i)
    if (tables.entries[i].state == kEntrySelected || tables.entries[i].state == kEntryUnusableSelected)
      --tables.entries[i].state;
  ResetCatalog();
  CompactTable(tables);
  CatalogShow(0);
}

void CTarnView::OpenFolder(int mode, const std::wstring& folder) {
  if (m_Registry == nullptr) return;
  const int walked = FileOpenList(mode, FromWide(folder.c_str()), *m_Registry);
  // A failed, cancelled or over-searched walk leaves the old catalog as it is.
  if (walked < 0 || walked == kListCancelled || walked == kListSearchLimit) return;
  const int listed = ListFileTable(OpenListPath());
  if (tableChanged) tableChanged();
  if (listed != 0) return;
  if (TheCatalog().rows == 0) {
    SetTimer(Handle(), kTimerEmptyListing, 100, nullptr);
    return;
  }
  CatalogShow(1);
}

void CTarnView::ClearCatalog() {
  CatalogTables& tables = TheCatalog();
  tables.rows = tables.offeredRows = 0;
  ResetCatalog();
  m_DrawnRows = 0;
  SetScrollSizes(0, 0);
  ClearFileFacts();
  if (tableChanged) tableChanged();
}

CatalogHit CTarnView::HitTest(POINT client) const {
  if (!g_CatalogShown) return {};
  const POINT scroll = ScrollPosition();
  return HitTestCatalog(client.x + scroll.x, client.y + scroll.y, m_Shown, CurrentCatalogGeometry(), TheCatalog());
}

void CTarnView::OnEmptyListing() {
  KillTimer(Handle(), kTimerEmptyListing);
  std::u16string folder = g_CurrentFolder;
  AppendBackslash(folder);
  // The folder's cache names nothing that is still listed; the engine drops what is gone.
  if (g_ThumbNailFlag && m_ThumbFiles.Exists(folder + kThumbFileName)) {
    auto index = std::make_unique<ThumbnailIndex>();
    ThumbnailEngine(2, folder, false, m_ThumbFiles, *index);
  }
  Say(u"表示ファイルが有りません");
}

void CTarnView::OnSize() {
  RECT client;
  GetClientRect(Handle(), &client);
  const bool tooSmall = ClientTooSmall(client.right, client.bottom, CurrentCatalogGeometry());
  if (!tooSmall) {
    m_ResizeRefused = false;
    return;
  }
  // Only a catalog on screen cares, and a minimised frame is not a resize; the message waits for
  // the sizing to end and is shown once until the size is valid again.
  if (!g_CatalogShown || m_ResizeRefused || IsIconic(GetAncestor(Handle(), GA_ROOT))) return;
  m_ResizeRefused = true;
  SetTimer(Handle(), kTimerResizeRefusal, 10, nullptr);
}

LRESULT CTarnView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kTimerEmptyListing) {
        OnEmptyListing();
        return 0;
      }
      if (wParam == kTimerOpenClick) {
        KillTimer(Handle(), kTimerOpenClick);
        OpenEntry(m_Selection.cursor);
        return 0;
      }
      if (wParam == kTimerSlideShow) {
        OnSlideShowTimer();
        return 0;
      }
      if (wParam == kTimerPictureLayout) {
        KillTimer(Handle(), kTimerPictureLayout);
        RedisplayPicture(2);
        InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
      }
      if (wParam == kTimerWallpaper) {
        LoadWallpaper();
        return 0;
      }
      if (wParam == kTimerClipboardCopy || wParam == kTimerClipboardOpen) {
        KillTimer(Handle(), wParam);
        if (wParam == kTimerClipboardCopy)
          CopyViewToClipboard();
        else
          ClipboardOpenCommand();
        return 0;
      }
      if (wParam == kTimerCatalogRefresh) {
        KillTimer(Handle(), kTimerCatalogRefresh);
        if (CatalogOnScreen()) CatalogAgain();
        return 0;
      }
      if (wParam == kTimerResizeRefusal) {
        KillTimer(Handle(), kTimerResizeRefusal);
        Say(u"カタログサイズ以上を設定してください", u"ウィンドウサイズ変更エラー");
        return 0;
      }
      break;
    case WM_SIZE: {
      const LRESULT result = CScrollView::OnMessage(message, wParam, lParam);
      OnSize();
      return result;
    }
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      if (!OnTrimButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        OnLeftButton({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_MOUSEMOVE:
      if (OnTrimMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
      OnMouseOverCell({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_LBUTTONUP:
      if (OnTrimButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse in the middle of a frame: the frame is dropped.
      if (m_Trim.dragging && reinterpret_cast<HWND>(lParam) != Handle()) {
        EndTrimDrag();
        m_Trim.armed = false;
        if (statusBar) statusBar(kStatusBlank, 0, {});
      }
      break;
    case WM_RBUTTONUP:
      OnRightButton({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDBLCLK:
      OpenFromCatalog(HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}).row);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateFocusFrame(m_Selection.cursor);
      break;
    case WM_MOUSEWHEEL:
      if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0 && ZoomByStep(GET_WHEEL_DELTA_WPARAM(wParam) > 0)) return 0;
      break;
    case kMessageJpegWritten:
      if (m_Saver) m_Saver->OnJpegWritten(wParam != 0);
      return 0;
    case WM_DESTROY:
      // A JPEG still being written is finished first; its message then has no window to go to.
      if (m_Saver) m_Saver->WaitForWriter();
      m_Monitor.Destroy();
      if (m_DropTarget) RevokeDragDrop(Handle());
      break;
    default: break;
  }
  return CScrollView::OnMessage(message, wParam, lParam);
}

}  // namespace tarn
