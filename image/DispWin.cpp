// CDispWin: attaching to the frame and DisplayConti, from loading to the sized, titled window.
#include "image/DispWin.h"

#include <algorithm>
#include <string>

#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "framework/GdiScopes.h"
#include "image/DisplayWindowArea.h"
#include "image/MemoryBitmapSize.h"
#include "image/PictureTransforms.h"
#include "image/PictureWnd.h"
#include "image/StretchSource.h"

namespace tarn {
namespace {

constexpr wchar_t kClassName[] = L"CDispWin";

bool FitMode() { return g_AdjustSizeFlag != 0 && g_ZoomScreenFlag == 0; }

}  // namespace

CDispWin::CDispWin(CPictureWnd& picture) : m_Picture(picture) {}

// The window goes while this is still a CDispWin, so WM_DESTROY still reaches OnDestroy.
CDispWin::~CDispWin() { Destroy(); }

const CDispWin::Layout& CDispWin::System() {
  static const Layout layout{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
                             GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU),
                             GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
  return layout;
}

void CDispWin::Post(DispWinNotice code, WPARAM wParam) const {
  if (m_pMainFrame != nullptr) PostMessageW(m_pMainFrame, WM_DISP_WIN, wParam, code);
}

void CDispWin::Send(DispWinNotice code, WPARAM wParam) const {
  if (m_pMainFrame != nullptr) SendMessageW(m_pMainFrame, WM_DISP_WIN, wParam, code);
}

void CDispWin::Attach(HWND frame, int sideWidth, int dialogWidth) {
  m_pMainFrame = frame;
  m_ScrollMode = kScrollNone;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (g_MaxSizeFlag != 0 && dialogWidth == 0) {
    m_MaxWidth = screenWidth;
    m_MaxHeight = screenHeight;
    return;
  }
  m_MaxWidth = screenWidth - sideWidth - dialogWidth;
  m_MaxHeight = screenHeight - System().caption - System().menu;
  if (dialogWidth > 0) Post(kNoticeDialogOpen);
}

std::wstring CDispWin::Title() const {
  if (Handle() == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
  return text;
}

int CDispWin::DisplayConti(const wchar_t* path, int mode, int index) {
  if (mode < kDisplayNew || mode > kDisplayConti) {
    Say(SwitchMessage(u"CDispWin::DisplayConti", mode));
    return -1;
  }
  if (mode < kDisplayAgain) m_ContiFlag = 0;
  if (mode == kDisplayConti) m_ContiFlag = 1;
  m_Index = index;

  if (mode != kDisplayAgain) {
    // Several windows at once cannot all animate: the frame's one timer serves one picture.
    const int select = mode == kDisplayConti || g_MultiWindowFlag == 0 ? kSelectGifFrame : kSelectStill;
    if (const int loaded = m_Picture.FileLoad(select, path); loaded != 0) return loaded;
    m_LoadCount = m_Picture.LoadCount();
  }
  const PluginPicture& loaded = m_Picture.Loaded();
  if (loaded.Info() == nullptr) {
    Say(u"エラーCDispWin::DisplayConti≪lpBI=0≫");
    return kDisplayNoHeader;
  }

  MotionGif& gif = m_Picture.Animation();
  int frameX = 0, frameY = 0;
  m_PicWidth = loaded.Width();
  m_PicHeight = loaded.Rows();
  if (gif.Playing()) {
    // The animation's extent is only known frame by frame: the largest seen so far.
    frameX = gif.left;
    frameY = gif.top;
    gif.TakeFrameExtent(m_PicWidth, m_PicHeight);
    m_PicWidth = gif.maxWidth;
    m_PicHeight = gif.maxHeight;
  }
  m_ScrollX = m_ScrollY = 0;
  m_ScrollMode = kScrollNone;

  SizePictureArea(mode);
  if (const int prepared = PrepareMemoryBitmap(); prepared != 0) return prepared;
  if (g_BrightLevel != 0) m_Picture.RotateMap(kRotateKeptBrightness);
  ComposePicture(frameX, frameY);
  if (mode != kDisplayAgain) {
    if (const int placed = PlaceWindow(path, mode); placed != 0) return placed;
  }
  SetScrollBars();
  if (m_ContiFlag != 0 && m_MenuReopen && gif.CycleDone()) {
    // Opened from the message loop rather than here: the menu's own loop would otherwise run
    // the frame's timers inside this call.
    m_MenuReopen = false;
    PostMessageW(Handle(), kReopenSlideShowMenu, 0, 0);
  }
  return 0;
}

void CDispWin::SizePictureArea(int mode) {
  const Layout& sys = System();
  const int bw = 2 * sys.frameWidth + 2;
  const int bh = 2 * sys.frameHeight + 2;
  if (FitMode()) {
    const WindowArea area = FitWindowArea(m_PicWidth, m_PicHeight, m_MaxWidth, m_MaxHeight, bw, bh);
    m_ViewWidth = area.width;
    m_ViewHeight = area.height;
    m_Zoom = area.zoom;
  } else {
    const FullSizeArea area = FullSizeWindowArea(m_PicWidth, m_PicHeight, m_MaxWidth, m_MaxHeight,
                                                 bw, bh, sys.vBar, sys.hBar);
    m_ViewWidth = area.width;
    m_ViewHeight = area.height;
    m_ScrollMode = area.scrollMode;
  }
  if (mode == kDisplayAgain && g_MaxSizeFlag == 0 && Handle() != nullptr &&
      !SetWindowPos(Handle(), nullptr, 0, 0, m_ViewWidth + bw, m_ViewHeight + sys.caption + bh,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
    Say(u"ウインドウサイズ変更失敗<-d12> ");
}

int CDispWin::PrepareMemoryBitmap() {
  if (m_Memory.Dc() != nullptr) return 0;
  const ScreenDc screen;
  if (!m_Memory.MakeContext(screen)) {
    Say(u"メモリデバイスコンテキスト作成エラー<-d13> ", u"DisplayConti");
    return kDisplayNoMemoryDc;
  }
  const BitmapSize size = MemoryBitmapSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                           g_MultiWindowFlag != 0, g_SmallMemFlag != 0);
  if (!m_Memory.MakeBitmap(screen, size.width, size.height) || !m_Memory.Select()) {
    std::u16string text = u"画像処理用メモリーサイズ\n横 = " + DecimalText(size.width) + u" , 縦 = " +
                          DecimalText(size.height) + u" 《ピクセル》";
    const bool alreadySmall = g_SmallMemFlag != 0 || g_MultiWindowFlag != 0;
    if (!alreadySmall) text += u"\n設定の【小型メモリーサイズ】を選択して『 Tarn 』を再起動してください";
    Say(text, alreadySmall ? u"  メモリ確保失敗４" : u"  メモリ確保失敗５");
    ReleaseMemoryDc();
    g_ContiState = 0;
    return kDisplayNoBitmap;
  }
  m_MemWidth = size.width;
  m_MemHeight = size.height;
  return 0;
}

void CDispWin::ComposePicture(int frameX, int frameY) {
  const HDC memory = m_Memory.Dc();
  // Later frames of an animation are drawn over the earlier ones, which they only partly cover.
  const MotionGif& gif = m_Picture.Animation();
  if (!gif.DrawsOverEarlierFrames() &&
      !PatBlt(memory, 0, 0, m_MemWidth, m_MemHeight, g_BlackFlag != 0 ? BLACKNESS : WHITENESS))
    Say(u"背景色塗りつぶし処理", u"  エラー");

  const Layout& sys = System();
  int x = 0, y = 0;
  if (m_ContiFlag != 0 || g_MaxSizeFlag != 0) {
    switch (m_ScrollMode) {
      case kScrollNone:
        x = (m_MaxWidth - m_ViewWidth) / 2;
        y = (m_MaxHeight - m_ViewHeight) / 2;
        break;
      case kScrollHorizontal: y = (m_MaxHeight - m_ViewHeight - sys.hBar) / 2; break;
      case kScrollVertical: x = (m_MaxWidth - sys.vBar - m_ViewWidth) / 2; break;
      default: break;
    }
    x = std::max(x, 0);
    y = std::max(y, 0);
  }

  const int extentWidth = m_PicWidth, extentHeight = m_PicHeight;
  int drawWidth = m_ViewWidth, drawHeight = m_ViewHeight;
  if (!FitMode() || gif.Playing()) {
    const ReducedSize reduced = FitToMemoryBitmap(m_PicWidth, m_PicHeight, {m_MemWidth, m_MemHeight});
    m_Zoom = reduced.zoom;
    m_PicWidth = drawWidth = reduced.width;
    m_PicHeight = drawHeight = reduced.height;
  }
  if (extentWidth <= 0 || extentHeight <= 0) return;

  // A still picture fills the whole draw size; an animation frame takes its part of it.
  const PluginPicture& loaded = m_Picture.Loaded();
  const int width = loaded.Width(), height = loaded.Rows();
  const auto scaleX = [&](int v) { return static_cast<int>(static_cast<long long>(v) * drawWidth / extentWidth); };
  const auto scaleY = [&](int v) { return static_cast<int>(static_cast<long long>(v) * drawHeight / extentHeight); };
  m_DrawRect = {x + scaleX(frameX), y + scaleY(frameY), x + scaleX(frameX + width), y + scaleY(frameY + height)};
  const PixelRect target{m_DrawRect.left, m_DrawRect.top, m_DrawRect.right - m_DrawRect.left,
                         m_DrawRect.bottom - m_DrawRect.top};
  const PixelRect whole{0, 0, width, height};
  // A picture many times the window is averaged down to about the window's size first: GDI's
  // stretch of many megapixels is slow, and samples where the average shows the picture.
  StretchSource source;
  if (!source.Take(m_Picture, width, height, whole, target.width, target.height, 1)) return;
  const StretchModeScope stretch(memory, source.Reduced() ? HALFTONE : COLORONCOLOR);
  source.Draw(memory, target, whole);
}

int CDispWin::PlaceWindow(const wchar_t* path, int mode) {
  m_FilePath = path != nullptr ? path : L"";
  const std::size_t slash = m_FilePath.find_last_of(L'\\');
  const std::wstring name = slash == std::wstring::npos ? m_FilePath : m_FilePath.substr(slash + 1);
  const std::wstring title = name + L"  [ " + std::to_wstring(m_PicWidth) + L"×" + std::to_wstring(m_PicHeight) +
                             L"×" + std::to_wstring(m_Picture.Loaded().BitCount()) + L" ]";

  const Layout& sys = System();
  const bool created = Handle() == nullptr;
  const POINT origin = g_MaxSizeFlag != 0 ? POINT{0, 0} : m_Origin;
  if (created) {
    RegisterClassOnce(kClassName, 0, nullptr);
    const DWORD style = g_MaxSizeFlag != 0 ? WS_POPUP | WS_VISIBLE | WS_DLGFRAME : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    // Owned by the frame, so that it stays above the frame whatever the user clicks there.
    if (!CreateWin(0, kClassName, title.c_str(), style, origin.x, origin.y, m_MaxWidth, m_MaxHeight, m_pMainFrame,
                   nullptr)) {
      Say(u"CDispWin::DisplayConti CreateWindow Error");
      return -1;
    }
  } else {
    SetWindowTextW(Handle(), title.c_str());
  }

  int width = m_MaxWidth, height = m_MaxHeight;
  if (mode == kDisplayNew) {
    width = m_ViewWidth + 2 * sys.frameWidth + 2;
    height = m_ViewHeight + sys.caption + 2 * sys.frameHeight + 2;
  } else if (mode == kDisplayConti && g_MaxSizeFlag == 0) {
    height += sys.caption;
  }
  // A new window of modes 0 and 1 comes on top of everything; an existing one keeps its place.
  const bool topmost = created && mode != kDisplayConti;
  const UINT flags = (created ? 0 : SWP_NOMOVE) | (topmost ? 0 : SWP_NOZORDER | SWP_NOACTIVATE);
  const int x = std::max(0, std::min<int>(origin.x, GetSystemMetrics(SM_CXSCREEN) - width));
  const int y = std::max(0, std::min<int>(origin.y, GetSystemMetrics(SM_CYSCREEN) - height));
  if (!SetWindowPos(Handle(), topmost ? HWND_TOPMOST : nullptr, x, y, width, height, flags))
    Say(u"ウインドウサイズ変更失敗<-d14> ");
  return 0;
}

void CDispWin::SetScrollBars() {
  InvalidateRect(Handle(), nullptr, FALSE);
  const Layout& sys = System();
  const bool both = m_ScrollMode == kScrollBoth;
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
  info.nMax = m_PicWidth - 1;
  info.nPage = static_cast<UINT>(std::max(0, m_ViewWidth + (both ? sys.vBar : 0)));
  SetScrollInfo(Handle(), SB_HORZ, &info, FALSE);
  info.nMax = m_PicHeight - 1;
  info.nPage = static_cast<UINT>(std::max(0, m_ViewHeight + (both ? sys.hBar : 0)));
  SetScrollInfo(Handle(), SB_VERT, &info, FALSE);
  ShowScrollBar(Handle(), SB_HORZ, (m_ScrollMode & kScrollHorizontal) != 0);
  ShowScrollBar(Handle(), SB_VERT, (m_ScrollMode & kScrollVertical) != 0);
}

void CDispWin::ReleaseMemoryDc() {
  m_Memory.Release();
  m_MemWidth = m_MemHeight = 0;
}

}  // namespace tarn
