// CTarnView: the clipboard commands - the clipboard's bitmap shown in place of the screen, the
// view's client area put on the clipboard, the clipboard emptied, and the clipboard's bitmap saved
// through the save routine by way of the working file "ScreenShot.bmp".
#include "TarnView.h"

#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/save/SaveNames.h"
#include "framework/GdiScopes.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

// The clipboard, open for as long as the block runs.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

bool MakeSurface(MemoryBitmap& surface, int width, int height) {
  const ScreenDc screen;
  return surface.MakeContext(screen) && surface.MakeBitmap(screen, width, height) && surface.Select();
}

enum ClipboardCopy { kCopied, kNoBitmap, kNotFetched, kNotCopied };

// The clipboard's bitmap copied into `copy`, which then belongs to the view alone (the clipboard's
// own bitmap may go with the next program that empties it).
ClipboardCopy CopyClipboardBitmap(HWND owner, MemoryBitmap& copy) {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return kNoBitmap;
  const OpenedClipboard clipboard(owner);
  HBITMAP shared = clipboard.IsOpen() ? static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)) : nullptr;
  BITMAP facts{};
  if (shared == nullptr || GetObjectW(shared, sizeof facts, &facts) == 0 || facts.bmWidth <= 0 || facts.bmHeight <= 0)
    return kNotFetched;
  if (!MakeSurface(copy, facts.bmWidth, facts.bmHeight)) return kNotCopied;
  HDC source = CreateCompatibleDC(copy.Dc());
  const HGDIOBJ previous = source != nullptr ? SelectObject(source, shared) : nullptr;
  const bool copied = previous != nullptr &&
                      BitBlt(copy.Dc(), 0, 0, facts.bmWidth, facts.bmHeight, source, 0, 0, SRCCOPY) != 0;
  if (previous != nullptr) SelectObject(source, previous);
  if (source != nullptr) DeleteDC(source);
  if (!copied) copy.Release();
  return copied ? kCopied : kNotCopied;
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

// The current picture of `picture` written to a new file at `path`; a file that could not be
// written whole does not stay.
bool WriteBmpFile(CPictureWnd& picture, const std::u16string& path) {
  HANDLE file = CreateFileW(AsWide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = picture.WriteBmp(file) == 1;
  const bool closed = CloseHandle(file) != 0;
  if (written && closed) return true;
  DeleteFileW(AsWide(path));
  return false;
}

}  // namespace

void CTarnView::ClipboardOpenCommand() {
  // A display window would cover the clipboard's picture: it goes first, and the command comes
  // back once it has gone.
  if (displayedRow && displayedRow() >= 0) {
    TheSettingsHost().CloseDisplayWindows();
    SetTimer(Handle(), kTimerClipboardOpen, 20, nullptr);
    return;
  }
  if (g_ZoomScreenFlag != 0) {
    Say(u"伸縮画面ではクリップボードを表示できません ", u"クリップボードの表示制限");
    return;
  }
  switch (CopyClipboardBitmap(Handle(), m_ClipboardPicture)) {
    case kCopied: break;
    case kNoBitmap: Say(u"クリップボードに画像が有りません", u"画像の確認"); return;
    default: Say(u"クリップボードからビットマップを取得できません"); return;
  }
  if (g_CatalogShown) {
    m_CatalogScroll = ScrollPosition();
    g_CatalogShown = 0;
    g_ScreenMode = kScreenClipboardOverCatalog;
  } else {
    g_ScreenMode = kScreenClipboardOverPicture;
  }
  SetScrollSizes(m_ClipboardPicture.Width(), m_ClipboardPicture.Height());
  ScrollTo(0, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CTarnView::DrawClipboard(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const POINT scroll = ScrollPosition();
  const RECT area{0, 0, std::max<LONG>(client.right + scroll.x, m_ClipboardPicture.Width()),
                  std::max<LONG>(client.bottom + scroll.y, m_ClipboardPicture.Height())};
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  BitBlt(dc, 0, 0, m_ClipboardPicture.Width(), m_ClipboardPicture.Height(), m_ClipboardPicture.Dc(), 0, 0, SRCCOPY);
}

void CTarnView::LeaveClipboardView() {
  if (!ClipboardShown()) return;
  const bool overCatalog = g_ScreenMode == kScreenClipboardOverCatalog;
  DropClipboardView();
  if (overCatalog) {
    ShowCatalogAgain();
  } else {
    g_ScreenMode = 1;
    RedisplayPicture(2);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

void CTarnView::DropClipboardView() {
  m_ClipboardPicture.Release();
  if (ClipboardShown()) g_ScreenMode = 0;
}

void CTarnView::ClipboardSaveCommand() {
  // The menu that started the command must have left the screen before the screen is copied.
  SetTimer(Handle(), kTimerClipboardCopy, 500, nullptr);
}

void CTarnView::CopyViewToClipboard() {
  RECT area;
  GetClientRect(Handle(), &area);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&area, &area, &screen);
  MemoryBitmap copy;
  const int width = area.right - area.left, height = area.bottom - area.top;
  const ScreenDc screenDc;
  if (width <= 0 || height <= 0 || !MakeSurface(copy, width, height) ||
      !BitBlt(copy.Dc(), 0, 0, width, height, screenDc, area.left, area.top, SRCCOPY)) {
    Say(u"クリップボードへの転送失敗");
    return;
  }
  // A bitmap given to the clipboard is the clipboard's: it must be out of the copy's context.
  HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(copy.Bitmap(), IMAGE_BITMAP, 0, 0, 0));
  const OpenedClipboard clipboard(Handle());
  if (bitmap == nullptr || !clipboard.IsOpen() || !EmptyClipboard() || SetClipboardData(CF_BITMAP, bitmap) == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    Say(u"クリップボードへの転送失敗");
  }
}

void CTarnView::ClipboardClearCommand() {
  LeaveClipboardView();
  const OpenedClipboard clipboard(Handle());
  if (clipboard.IsOpen()) EmptyClipboard();
}

void CTarnView::ClipboardImageCommand() {
  if (m_Saver == nullptr || m_Registry == nullptr) return;
  MemoryBitmap copy;
  switch (CopyClipboardBitmap(Handle(), copy)) {
    case kCopied: break;
    case kNoBitmap: Say(u"クリップボードに画像が有りません", u"画像の確認"); return;
    case kNotFetched: Say(u"クリップボードからビットマップを取得できません"); return;
    case kNotCopied: Say(u"DIBへの変換に失敗しました"); return;
  }
  // The clipboard's pixels go through a picture of their own: the one on show stays as it is.
  CPictureWnd converted(*m_Registry);
  if (converted.CaptureDc(copy.Dc(), copy.Width(), copy.Height(), kCapturePlain) != kCaptureDone) {
    Say(u"DIBへの変換に失敗しました");
    return;
  }
  const std::u16string work = ClipboardWorkName(g_StartFolder);
  if (Exists(work) && !DeleteFileW(AsWide(work))) {
    Say(u"中間ファイルを削除できません<-v91> ");
    return;
  }
  if (!WriteBmpFile(converted, work)) {
    Say(u"セーブに失敗しました_1");
    return;
  }
  const std::u16string extension = AskSaveExtension();
  const unsigned shownPicture = m_Picture->LoadCount();
  const std::u16string folder = m_Saver->LastClipboardFolder().empty() ? g_StartFolder : m_Saver->LastClipboardFolder();
  const bool saved = !extension.empty() &&
                     m_Saver->SaveImage(folder, u"ScreenShot" + extension, kSaveClipboard, false) == 0;
  // The working file is the user's own once it was chosen as the target.
  const bool kept = saved && EqualsIgnoreCase(m_Saver->ClipboardPath(), work);
  if (!kept && Exists(work) && !DeleteFileW(AsWide(work))) Say(u"中間ファイルを削除できません<-v92> ");
  // A JPEG is written from the working file loaded as the picture: the picture screen gets its
  // own picture back.
  if (PictureScreenShown() && m_Picture->LoadCount() != shownPicture) {
    LoadShownPicture();
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

}  // namespace tarn
