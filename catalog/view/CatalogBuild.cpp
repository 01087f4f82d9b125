// CatalogA: the catalog build. Each shown row gets one cell of the catalog bitmap, taken from its
// folder's thumbnail cache when the cache knows the file and otherwise decoded and cached.
#include <algorithm>
#include <memory>

#include "TarnView.h"
#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/view/CatalogShow.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/cache/JpegHead.h"
#include "catalog/list/MarkFolders.h"
#include "catalog/view/ThumbPlacement.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "common/Handles.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

constexpr char16_t kBuilding[] = u"画像ｶﾀﾛｸﾞ 作成中・・・";
constexpr char16_t kGoOn[] = u"続けますか？ ≪ｷｬﾝｾﾙ≫で終了";

bool GoOn(std::u16string_view text, std::u16string_view caption) {
  return ThePrompt().Show(text, caption, Buttons::kOkCancel) == kAnswerOk;
}

// The frame's timers that a new catalog stops: the motion-GIF frames and thumbnail continuation.
constexpr UINT_PTR kFrameTimers[] = {8, 9, 16};

// Runs the engine quietly on the folder's cache; a folder whose cache it deleted has none any more.
void RunQuietEngine(FolderRow& folder, ThumbFileSystem& files) {
  const std::u16string path = FolderPath(folder);
  auto index = std::make_unique<ThumbnailIndex>();
  ThumbnailEngine(1, path, false, files, *index);
  // The engine shows and closes a progress window of its own; the build's comes back.
  TheProgress().Open(kBuilding);
  if (!files.Exists(path + kThumbFileName)) folder.state = 1;
}

}  // namespace

int CTarnView::CatalogShow(int mode) {
  CatalogShowSteps steps;
  steps.catalogA = [this] { return CatalogA(); };
  return tarn::CatalogShow(mode, TheCatalog().rows, steps);
}

int CTarnView::CatalogA() {
  CatalogTables& tables = TheCatalog();
  const HWND frame = GetParent(Handle());
  for (UINT_PTR timer : kFrameTimers) KillTimer(frame, timer);
  StopSlideShow();
  LeavePictureScreen();
  g_CatalogShown = 0;
  const int offset = std::clamp(g_CatalogOffset, 0, tables.rows);
  int shown = std::min(tables.rows - offset, g_CatalogLimit);
  if (shown < 1 || m_Picture == nullptr) return -1;

  const CatalogGeometry geometry = CurrentCatalogGeometry();
  const int W = geometry.Cell();
  RECT client;
  GetClientRect(Handle(), &client);
  const int columns = CatalogColumns(client.right - 4, geometry);
  const int lastRow = BitmapLastRow(columns, shown, g_CatalogSize);
  const Extent scroll = CatalogScrollSize(columns, shown, geometry);
  SetScrollSizes(scroll.width, scroll.height);

  HDC screen = GetDC(Handle());
  if (!FillRect(screen, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
    Say(u"クライアント領域のクリアエラー<-v07> ", u"CatalogA");
  if (!m_Catalog.MakeContext(screen)) {
    ReleaseDC(Handle(), screen);
    Say(u"メモリデバイスコンテキスト作成エラー<-v08> ", u"CatalogA");
    return -1;
  }
  int rowsMade = lastRow;
  while (!m_Catalog.MakeBitmap(screen, columns * W, (rowsMade + 1) * W)) {
    if (--rowsMade < 1) {
      m_Catalog.Release();
      ReleaseDC(Handle(), screen);
      Say(u"画像表示メモリの確保ができません ", u"  メモリ確保失敗１");
      return -1;
    }
  }
  // Rows given up from the rounding above the last row cost nothing; only a bitmap too small for
  // the shown rows lowers the limit.
  if (rowsMade < lastRow && (rowsMade + 1) * columns < shown) {
    g_CatalogLimit = (rowsMade + 1) * columns;
    shown = g_CatalogLimit;
    Say(u"表示数を≪" + DecimalText(g_CatalogLimit) + u"≫に変更しました ", u"  メモリ確保調整1");
    const Extent lowered = CatalogScrollSize(columns, shown, geometry);
    SetScrollSizes(lowered.width, lowered.height);
  }

  m_Shown = {columns, offset, offset + shown, g_CatalogLimit};
  m_BitmapColumns = columns;
  m_Cache.SetDisplayPixelSize(m_Catalog.PixelSize());
  for (int i = 0; i < tables.rows; ++i) tables.entries[i].slot = -1;
  m_CellCounter = 0;
  m_DrawnRows = 0;
  m_DecodedRows = 0;
  g_CatalogBuilding = 1;
  ProgressWindow& progress = TheProgress();
  progress.Open(kBuilding);
  m_Picture->FileLoad(kSelectRelease, nullptr);
  if (g_MonitorFlag) m_Monitor.Open(Handle());

  int result = 0, done = 0;
  if (!m_Catalog.Select()) {
    Say(u"メモリＤＣにビットマップ割付エラー<-v09> ", u"CatalogA");
    result = -1;
  } else {
    if (tables.folderRows > 0) MarkFolders(tables, offset, offset + shown, m_ThumbFiles);
    if (!m_Catalog.FillWhite()) Say(u"カアタログ保存領域のクリアエラー<-v10> ", u"CatalogA");
    bool readOnly = false;
    const bool thumbPasses = g_ThumbNailFlag != 0;
    if (thumbPasses) {
      const std::u16string root = std::u16string(FolderPath(tables.folders[0])).substr(0, 3);
      const int kind = m_ThumbFiles.DriveKind(root);
      if (kind == 0) Say(u"ドライブ名称不一致<-v11> ", u"ドライブ種別検索エラー");
      readOnly = kind == kDriveCdRom;
      m_Cache.SetReadOnly(readOnly);
      for (int f = 0; f < tables.folderRows && result == 0; ++f)
        if (tables.folders[f].state > 0) result = CatalogPass(screen, f, shown, done, readOnly);
    } else {
      result = CatalogPass(screen, -1, shown, done, readOnly);
    }
  }
  ReleaseDC(Handle(), screen);
  FinishBuild(result, done);
  return result;
}

void CTarnView::TrimFolderCache(FolderRow& folder) {
  const std::u16string path = FolderPath(folder);
  std::uint64_t length = 0;
  if (std::unique_ptr<ThumbFile> file = m_ThumbFiles.Open(path + kThumbFileName, OpenMode::kRead)) {
    file->Length(length);
    file->Close();
  }
  const std::uint64_t records = length / static_cast<std::uint64_t>(GeometryOf(g_CatalogSize).recordLength);
  // The cache file itself is one of the folder's files.
  if (static_cast<std::uint64_t>(std::max(CountFolderFiles(path) - 1, 0)) >= records) return;
  RunQuietEngine(folder, m_ThumbFiles);
}

int CTarnView::CatalogPass(HDC screen, int folder, int shown, int& done, bool readOnly) {
  CatalogTables& tables = TheCatalog();
  ProgressWindow& progress = TheProgress();
  const bool thumbPass = folder >= 0;
  FolderRow none;
  FolderRow& folderRow = thumbPass ? tables.folders[folder] : none;
  bool cacheLive = false;
  if (thumbPass) {
    if (folderRow.state == 2) TrimFolderCache(folderRow);
    progress.SetText(u"ｻﾑﾈｰﾙ ﾃｰﾌﾞﾙ 展開中・・・");
    int opened = m_Cache.ThumbNailCont(ThumbnailCache::kCacheOpen, {}, folderRow);
    if (opened == 2) {
      // A cache that cannot be read whole (more records than a file may hold, say) is not worth
      // losing the catalog or the cache setting over: this folder goes on without it, and the
      // engine rewrites the file for the next catalog.
      if (!readOnly) RunQuietEngine(folderRow, m_ThumbFiles);
    } else {
      if (opened == 0) opened = m_Work.Create(screen, CurrentCatalogGeometry().Cell());
      if (opened != 0) {
        if (opened < 0) m_Cache.ThumbNailCont(ThumbnailCache::kCacheRelease, {}, folderRow);
        return opened == 4 ? 2 : -1;
      }
      cacheLive = true;
    }
    progress.SetText(kBuilding);
  }

  int result = 0;
  for (int row = m_Shown.offset; row < m_Shown.shownEnd; ++row) {
    CatalogEntry& entry = tables.entries[row];
    if (thumbPass && entry.folder != folder) continue;
    progress.SetPos(done * 100 / shown + 1);
    if (progress.Cancelled()) {
      result = 2;
      break;
    }
    ++done;
    if (entry.state >= kEntryUnusable) continue;
    if (g_MonitorFlag && statusBar) statusBar(kStatusFileNo, row, entry.name);
    const std::u16string_view name(entry.name);
    // A cache that switched itself off on a serious error is not asked again in this build.
    cacheLive = cacheLive && g_ThumbNailFlag != 0;
    if (thumbPass && EndsWithIgnoreCase(name, u".trn")) {
      DrawThumbnail(kDrawBlank, m_Catalog.Dc(), row, name);
      continue;
    }
    if (cacheLive && m_Cache.Index().count > 0) {
      const int found = m_Cache.ThumbNailCont(ThumbnailCache::kCacheLookup, name, folderRow);
      if (found == 1 && m_Work.Store(m_Cache.Work())) {
        if (g_MonitorFlag) DrawThumbnail(kDrawWorkToMonitor, m_Monitor.Surface(), row, name);
        DrawThumbnail(kDrawWorkToCatalog, m_Catalog.Dc(), row, name);
        continue;
      }
      if (found < 0) {
        m_Cache.ThumbNailCont(ThumbnailCache::kCacheRelease, {}, folderRow);
        cacheLive = false;
        if (!GoOn(kGoOn, u" Error ret No.= " + DecimalText(found) + u" ")) {
          result = 2;
          break;
        }
      }
    }
    const std::u16string path = EntryPath(tables, entry);
    int loaded = DecodeRow(path, name);
    if (loaded == 0) {
      const SIZE picture = TakeThumbSource();
      if (ClassifyFileName(name) == kClassStill) NotePictureSize(path, picture);
      if (g_MonitorFlag && m_Monitor.Surface() != nullptr) {
        m_Monitor.Clear();
        DrawThumbnail(kDrawToMonitor, m_Monitor.Surface(), row, name);
      }
      // A picture GDI refuses to draw (Wine gives up on some very large ones) is as unreadable
      // as one that did not load: it gets an error cell and never a cache record.
      loaded = DrawThumbnail(kDrawToCatalog, m_Catalog.Dc(), row, name);
    }
    if (loaded != 0) {
      entry.state = kEntryUnusable;
      if (!GoOn(u"ロードエラー　継続しますか？ ≪ｷｬﾝｾﾙ≫で終了", {})) {
        result = 2;
        break;
      }
      DrawThumbnail(kDrawBlank, m_Catalog.Dc(), row, name);  // an error cell: the title alone
      continue;
    }
    ++m_DecodedRows;
    if (!cacheLive || readOnly) continue;
    m_Work.FillWhite();
    const bool drawn = DrawThumbnail(kDrawToWork, m_Work.Dc(), row, name) == 0 && m_Work.Take(m_Cache.Work());
    const int appended = m_Cache.ThumbNailCont(ThumbnailCache::kCacheAppend, name, folderRow, drawn);
    if (appended < 0 && appended != -4) {
      m_Cache.ThumbNailCont(ThumbnailCache::kCacheRelease, {}, folderRow);
      cacheLive = false;
      if (!GoOn(kGoOn, u" Error No. = " + DecimalText(appended) + u" ")) {
        result = 2;
        break;
      }
    }
  }
  if (thumbPass) m_Cache.CloseFile();
  return result;
}

int CTarnView::DecodeRow(const std::u16string& path, std::u16string_view name) {
  const wchar_t* file = reinterpret_cast<const wchar_t*>(path.c_str());
  switch (const int kind = ClassifyFileName(name)) {
    case kClassMedia: return m_Picture->FileLoad(kSelectMediaThumbnail, file);
    case kClassFlvMp4: return m_Picture->FileLoad(kSelectFlvMp4Thumbnail, file);
    case kClassStill: {
      m_EmbeddedFrom = {};
      if (g_ExifThumbFlag != 0 && LoadExifThumbnail(file)) return 0;
      // A plug-in's reduced picture serves when it is large enough for the cell, and then saves
      // most of the decoding; with the fast catalog and no cache to fill any reduced picture does.
      const bool anyReduced = g_HighSpeedFlag && !g_ThumbNailFlag;
      const int reduced = m_Picture->FileLoad(kSelectThumbnail, file);
      if (reduced == 0 && (anyReduced || ReducedPictureServes())) return 0;
      if (anyReduced && reduced != 2) return reduced;
      return m_Picture->FileLoad(kSelectStill, file);
    }
    default: {
      const std::u16string text = std::u16string(g_HighSpeedFlag ? u"CatalogA_1" : u"CatalogA_2") +
                                  u" ﾌｧｲﾙ名称ｴﾗｰ ret= " + DecimalText(kind) + u"  Title= " + std::u16string(name);
      WriteErrorLog(text);
      Say(text);
      return -1;
    }
  }
}

bool CTarnView::LoadExifThumbnail(const wchar_t* file) {
  const FileHandle handle(
      CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle.IsOpen()) return false;
  // A look at the signature first: most other files end here after four bytes.
  m_FileHead.resize(kJpegHeadBytes);
  DWORD got = 0, more = 0;
  if (!ReadFile(handle.Get(), m_FileHead.data(), 4, &got, nullptr) || got != 4 || m_FileHead[0] != 0xFF ||
      m_FileHead[1] != 0xD8 || m_FileHead[2] != 0xFF)
    return false;
  if (!ReadFile(handle.Get(), m_FileHead.data() + 4, kJpegHeadBytes - 4, &more, nullptr)) return false;
  JpegHead head, thumbnail;
  if (!ReadJpegHead(m_FileHead.data(), got + more, head) || head.exif.thumbnailLength == 0) return false;
  const std::uint8_t* bytes = m_FileHead.data() + head.exif.thumbnailOffset;
  // A thumbnail that would be turned by its own EXIF block could be turned twice: not trusted.
  if (!ReadJpegHead(bytes, head.exif.thumbnailLength, thumbnail) ||
      thumbnail.exif.orientation != kOrientationNormal)
    return false;
  const bool swap = SwapsSides(head.exif.orientation);
  const SIZE photo{swap ? head.height : head.width, swap ? head.width : head.height};
  const int width = swap ? thumbnail.height : thumbnail.width, height = swap ? thumbnail.width : thumbnail.height;
  if (!ReducedPictureServesCells(width, height, photo.cx, photo.cy, CurrentCatalogGeometry().thumb,
                                 g_ClearThumbFlag != 0, 1))
    return false;
  if (m_Picture->LoadEmbedded(file, bytes, head.exif.thumbnailLength, head.exif.orientation) != 0) return false;
  m_EmbeddedFrom = photo;
  return true;
}

void CTarnView::FinishBuild(int result, int done) {
  TheProgress().Close();
  m_Monitor.Close();
  g_CatalogBuilding = 0;
  if (result != 0 && result != 1) {
    m_Catalog.Release();
    m_Shown = {};
    m_Picture->FileLoad(kSelectRelease, nullptr);
  } else {
    m_DrawnRows = done;
    ScrollTo(0, 0);
    g_CatalogShown = 1;
    if (catalogFolder) catalogFolder(g_CurrentFolder);
    if (statusBar) statusBar(kStatusCatalog, 0, {});
    m_Selection = SelectionState{};
    TakeKeyboard();
  }
  InvalidateRect(Handle(), nullptr, TRUE);
  m_Cache.ThumbNailCont(ThumbnailCache::kCacheRelease, {}, FolderRow{});
  m_Work.Release();
  m_ThumbSource.Release();
  if (result == 0) MakePendingStep();
}

}  // namespace tarn
