// The display window under the test display: opened on real BMP files through TarnBmp, with a
// hidden window standing in for the main frame and recording every notification it gets.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/ErrorLog.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "framework/GdiScopes.h"
#include "framework/MemoryBitmap.h"
#include "image/BrightnessDialog.h"
#include "image/DispWin.h"
#include "image/DispWinMenus.h"
#include "image/ImageResource.h"
#include "image/PictureWnd.h"
#include "tests/plugin_host/HostFixture.h"
#include "tests/plugins/gif/GifBuilder.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/OwnWindow.h"

namespace tarn::test {
namespace {

struct Notice {
  WPARAM wParam;
  LPARAM code;
  bool operator==(const Notice&) const = default;
};
std::vector<Notice> g_Notices;
// What the stand-in frame does besides recording, as the real frame drops its windows.
std::function<void(LPARAM code)> g_FrameReaction;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DISP_WIN) {
    g_Notices.push_back({wParam, lParam});
    if (g_FrameReaction) g_FrameReaction(lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Items of the popup menu that was open when the timer came, -1 until then.
int g_MenuItems = -1;
void CALLBACK NoteAndCloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menu = FindOwnWindow(L"#32768", nullptr);
  if (menu == nullptr || g_MenuItems >= 0) return;
  g_MenuItems = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
  EndMenu();
}

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

// A 24-bit picture in four quadrants: red top left, green top right, blue bottom left, yellow
// bottom right, so every turn and flip puts a known colour in each corner.
std::string QuadrantBmp(int width, int height) {
  BmpFile f;
  f.width = width;
  f.height = height;
  const std::size_t row = DibRowBytes(width, 24);
  f.pixels.assign(row * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y)  // y counts screen rows from the top
    for (int x = 0; x < width; ++x) {
      const bool top = y < height / 2, left = x < width / 2;
      const COLORREF c = top ? (left ? kRed : kGreen) : (left ? kBlue : kYellow);
      std::uint8_t* p = &f.pixels[static_cast<std::size_t>(height - 1 - y) * row + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  const std::vector<std::uint8_t> bytes = MakeBmp(f);
  return std::string(bytes.begin(), bytes.end());
}

class DispWinTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Install(L"TarnBmp.spi", L"TarnBmp.spi");
    ASSERT_EQ(Enumerate(), 1);
    CreateErrorLog();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DispWinTestFrame";
    RegisterClassW(&wc);
    frame_ = CreateWindowExW(0, wc.lpszClassName, L"frame", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(frame_, nullptr);
    g_Notices.clear();
    g_AdjustSizeFlag = 0;
    g_MaxSizeFlag = 0;
    g_MultiWindowFlag = 0;
    g_SmallMemFlag = 1;
    g_BlackFlag = 0;
    g_SinglClickFlag = 0;
    g_ZoomScreenFlag = 0;
    g_ZoomPercent = 100;
    g_ScreenMode = 0;
    g_ContiState = 0;
    g_BrightLevel = g_BrightDelta = g_BrightKeep = 0;
    picture_ = std::make_unique<CPictureWnd>(*registry_);
    window_ = std::make_unique<CDispWin>(*picture_);
  }

  void TearDown() override {
    window_.reset();
    picture_.reset();
    DestroyWindow(frame_);
    Pump();
    g_MultiWindowFlag = g_SinglClickFlag = 0;
    HostTest::TearDown();
  }

  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  // Attaches with a largest client width of `maxWidth` and shows picture `name` in mode 0.
  std::wstring Open(const wchar_t* name, int width, int height, int maxWidth, int index = 4) {
    const std::wstring path = WriteFile(name, QuadrantBmp(width, height));
    window_->Attach(frame_, GetSystemMetrics(SM_CXSCREEN) - maxWidth, 0);
    EXPECT_EQ(window_->DisplayConti(path.c_str(), kDisplayNew, index), 0);
    return path;
  }

  COLORREF Pixel(int x, int y) const { return GetPixel(window_->MemoryDc(), x, y); }
  void Command(int id) { SendMessageW(window_->Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
  void Scroll(UINT message, int code, int thumb = 0) {
    SendMessageW(window_->Handle(), message, MAKEWPARAM(code, thumb), 0);
  }
  // Notifications other than the zoom reports every paint makes.
  std::vector<Notice> Actions() const {
    std::vector<Notice> actions;
    for (const Notice& n : g_Notices)
      if (n.code != kNoticeCatalogZoom && n.code != kNoticeExpandedZoom) actions.push_back(n);
    return actions;
  }

  HWND frame_ = nullptr;
  std::unique_ptr<CPictureWnd> picture_;
  std::unique_ptr<CDispWin> window_;
};

TEST_F(DispWinTest, AttachTakesTheRoomTheFrameLeavesAndTellsAnOpenDialog) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const int chrome = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
  window_->Attach(frame_, 100, 0);
  EXPECT_EQ(window_->MaxWidth(), sw - 100);
  EXPECT_EQ(window_->MaxHeight(), sh - chrome);
  Pump();
  EXPECT_TRUE(g_Notices.empty());

  window_->Attach(frame_, 100, 250);
  EXPECT_EQ(window_->MaxWidth(), sw - 350);
  Pump();
  EXPECT_EQ(g_Notices, (std::vector<Notice>{{0, kNoticeDialogOpen}}));

  g_MaxSizeFlag = 1;
  window_->Attach(frame_, 100, 0);
  EXPECT_EQ(window_->MaxWidth(), sw);
  EXPECT_EQ(window_->MaxHeight(), sh);
  window_->Attach(frame_, 100, 250);
  EXPECT_EQ(window_->MaxWidth(), sw - 350) << "the open dialog keeps its room even in large-screen mode";
  g_MaxSizeFlag = 0;
}

TEST_F(DispWinTest, NewWindowIsTitledSizedToThePictureAndReportsItsZoom) {
  // Wide enough that the system's smallest window width does not come into it.
  Open(L"quad.bmp", 200, 150, 800, 7);
  ASSERT_NE(window_->Handle(), nullptr);
  EXPECT_EQ(window_->Title(), L"quad.bmp  [ 200×150×24 ]");
  EXPECT_EQ(window_->Index(), 7);
  EXPECT_EQ(window_->Zoom(), 100);
  EXPECT_EQ(window_->ScrollMode(), 0);
  const int bw = 2 * GetSystemMetrics(SM_CXFRAME) + 2, bh = 2 * GetSystemMetrics(SM_CYFRAME) + 2;
  RECT outer{}, client{};
  GetWindowRect(window_->Handle(), &outer);
  GetClientRect(window_->Handle(), &client);
  EXPECT_EQ(outer.right - outer.left, 200 + bw);
  EXPECT_EQ(outer.bottom - outer.top, 150 + GetSystemMetrics(SM_CYCAPTION) + bh);
  EXPECT_GE(client.right, 200);
  EXPECT_GE(client.bottom, 150);
  EXPECT_TRUE(GetWindowLongW(window_->Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongW(window_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Small-memory setting: 1.2 screens each way; the picture at the top left on white.
  EXPECT_EQ(window_->MemWidth(), GetSystemMetrics(SM_CXSCREEN) * 6 / 5);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(199, 149), kYellow);
  EXPECT_EQ(Pixel(200, 0), RGB(255, 255, 255));

  g_Notices.clear();
  InvalidateRect(window_->Handle(), nullptr, FALSE);
  UpdateWindow(window_->Handle());
  EXPECT_EQ(g_Notices, (std::vector<Notice>{{100, kNoticeCatalogZoom}}));
  g_Notices.clear();
  g_ScreenMode = 1;
  InvalidateRect(window_->Handle(), nullptr, FALSE);
  UpdateWindow(window_->Handle());
  g_ScreenMode = 0;
  EXPECT_EQ(g_Notices, (std::vector<Notice>{{100, kNoticeExpandedZoom}}));
}

TEST_F(DispWinTest, LargeScreenModeMakesAFramelessPopupWithThePictureCentred) {
  g_MaxSizeFlag = 1;
  const std::wstring path = WriteFile(L"quad.bmp", QuadrantBmp(40, 30));
  window_->Attach(frame_, 0, 0);
  ASSERT_EQ(window_->DisplayConti(path.c_str(), kDisplayLargest, 0), 0);
  g_MaxSizeFlag = 0;
  const LONG style = GetWindowLongW(window_->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_THICKFRAME);
  const int x = (window_->MaxWidth() - 40) / 2, y = (window_->MaxHeight() - 30) / 2;
  EXPECT_EQ(Pixel(x, y), kRed);
  EXPECT_EQ(Pixel(x + 39, y + 29), kYellow);
  EXPECT_EQ(Pixel(x - 1, y), RGB(255, 255, 255));
}

TEST_F(DispWinTest, QuarterTurnRedrawsTurnedAndRestoreThenCloses) {
  Open(L"quad.bmp", 200, 150, 800, 3);
  const std::wstring title = window_->Title();
  Command(ID_DISP_ROTATE_RIGHT);
  EXPECT_EQ(picture_->TransState(), 1);
  EXPECT_EQ(window_->PicWidth(), 150);
  EXPECT_EQ(window_->PicHeight(), 200);
  // Clockwise: what was at the bottom left is now at the top left.
  EXPECT_EQ(Pixel(1, 1), kBlue);
  EXPECT_EQ(Pixel(148, 1), kRed);
  EXPECT_EQ(Pixel(148, 198), kGreen);
  EXPECT_EQ(Pixel(1, 198), kYellow);
  EXPECT_EQ(Pixel(151, 1), RGB(255, 255, 255)) << "the old picture's right part was cleared";
  EXPECT_EQ(window_->Title(), title) << "a redisplay keeps the title";
  RECT outer{};
  GetWindowRect(window_->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 150 + 2 * GetSystemMetrics(SM_CXFRAME) + 2) << "resized to the turned picture";

  Command(ID_DISP_FLIP_HORZ);
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_EQ(Pixel(148, 1), kBlue);

  Command(ID_DISP_RESTORE);
  EXPECT_EQ(picture_->TransState(), 0);
  EXPECT_EQ(window_->PicWidth(), 200);
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_EQ(Pixel(198, 1), kGreen);
  Pump();
  EXPECT_TRUE(Actions().empty());

  // Nothing left to undo: the command closes the window as its close command does.
  Command(ID_DISP_RESTORE);
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{3, kNoticeStop}}));
  EXPECT_EQ(window_->MemoryDc(), nullptr);
}

TEST_F(DispWinTest, CommandsAfterTheCatalogDecodedAnotherPictureWorkOnTheWindowsOwnFile) {
  Open(L"quad.bmp", 200, 150, 800, 3);
  // A catalog build decodes its thumbnails through the same picture object.
  const std::wstring other = WriteFile(L"other.bmp", QuadrantBmp(60, 20));
  ASSERT_EQ(picture_->FileLoad(kSelectStill, other.c_str()), 0);
  Command(ID_DISP_ROTATE_RIGHT);
  EXPECT_EQ(window_->PicWidth(), 150);
  EXPECT_EQ(window_->PicHeight(), 200);
  EXPECT_EQ(Pixel(1, 1), kBlue);
  // Restore after another decode shows the file as it is, and keeps the window open.
  ASSERT_EQ(picture_->FileLoad(kSelectStill, other.c_str()), 0);
  Command(ID_DISP_RESTORE);
  Pump();
  EXPECT_EQ(window_->PicWidth(), 200);
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_TRUE(Actions().empty());
}

TEST_F(DispWinTest, MotionGifIsNeitherTurnedFlippedNorBrightened) {
  Open(L"quad.bmp", 40, 30, 800);
  picture_->Animation().frames = 3;
  for (const int id : {ID_DISP_ROTATE_RIGHT, ID_DISP_ROTATE_LEFT, ID_DISP_ROTATE_HALF, ID_DISP_RESTORE,
                       ID_DISP_FLIP_VERT, ID_DISP_FLIP_HORZ, ID_DISP_BRIGHT})
    Command(id);
  picture_->Animation().frames = 0;
  std::vector<std::u16string> texts;
  for (const ShownMessage& m : prompt_.shown) texts.push_back(m.text);
  const std::u16string turn = u"モーションGIFは回転できません ", flip = u"モーションGIFは反転できません ";
  EXPECT_EQ(texts, (std::vector<std::u16string>{turn, turn, turn, turn, flip, flip,
                                                u"モーションGIFは輝度変更できません "}));
  EXPECT_EQ(picture_->TransState(), 0);
  EXPECT_EQ(Pixel(0, 0), kRed);
  Pump();
  EXPECT_TRUE(Actions().empty()) << "the refused restore does not close the window";
}

TEST_F(DispWinTest, ScrollingStepsAndStopsAtTheLimits) {
  // 1000 x 100 in a window at most 300 wide: a horizontal bar only, and room for it below.
  Open(L"wide.bmp", 1000, 100, 300);
  const int view = 300 - (2 * GetSystemMetrics(SM_CXFRAME) + 2);
  ASSERT_EQ(window_->ScrollMode(), 1);
  EXPECT_EQ(window_->ViewWidth(), view);
  EXPECT_EQ(window_->ViewHeight(), 100 + GetSystemMetrics(SM_CYHSCROLL));
  const int step = std::max((1000 - view) / 100, 10), limit = 1000 - view;

  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(window_->ScrollX(), step);
  Scroll(WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(window_->ScrollX(), 3 * step);
  Scroll(WM_HSCROLL, SB_THUMBTRACK, 500);
  EXPECT_EQ(window_->ScrollX(), 3 * step) << "dragging changes nothing";
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, limit - 1);
  Scroll(WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(window_->ScrollX(), limit);
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(window_->ScrollX(), limit);
  EXPECT_EQ(GetScrollPos(window_->Handle(), SB_HORZ), limit);
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 3);
  Scroll(WM_HSCROLL, SB_PAGELEFT);
  EXPECT_EQ(window_->ScrollX(), 0);

  // The copy to the window starts at the scroll offset.
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, limit);
  UpdateWindow(window_->Handle());
  const HDC dc = GetDC(window_->Handle());
  EXPECT_EQ(GetPixel(dc, 1000 - limit - 1, 1), kGreen);
  ReleaseDC(window_->Handle(), dc);
}

TEST_F(DispWinTest, WithBothBarsEachLimitGrowsByTheOtherBar) {
  g_SmallMemFlag = 0;  // room for the whole picture in the memory bitmap
  const int maxHeight = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
  Open(L"tall.bmp", 400, maxHeight + 200, 300);
  ASSERT_EQ(window_->ScrollMode(), 3);
  EXPECT_EQ(window_->Zoom(), 100);
  const int limit = maxHeight + 200 - window_->ViewHeight() + GetSystemMetrics(SM_CYHSCROLL);
  for (int i = 0; i < 200; ++i) Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(window_->ScrollY(), limit);
  Scroll(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(window_->ScrollY(), limit - 10) << "a picture 200 rows too tall steps by the least step";
  for (int i = 0; i < 100; ++i) Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(window_->ScrollX(), 400 - window_->ViewWidth() + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(DispWinTest, FitModeReducesAndTheCloseIsReported) {
  g_AdjustSizeFlag = 1;
  Open(L"wide.bmp", 1000, 100, 300, 5);
  const int view = 300 - (2 * GetSystemMetrics(SM_CXFRAME) + 2);
  EXPECT_EQ(window_->ScrollMode(), 0);
  EXPECT_EQ(window_->Zoom(), view * 100 / 1000);
  EXPECT_EQ(window_->ViewWidth(), view);
  EXPECT_EQ(window_->ViewHeight(), window_->Zoom()) << "100 rows at the zoom percentage";
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_EQ(Pixel(view - 2, window_->ViewHeight() - 2), kYellow);

  g_Notices.clear();
  SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window_->Handle(), nullptr);
  EXPECT_EQ(g_Notices, (std::vector<Notice>{{5, kNoticeClosed}, {0, kNoticeReduced}}));
}

TEST_F(DispWinTest, FrameMayDeleteTheWindowWhileHearingOfItsClose) {
  Open(L"quad.bmp", 200, 150, 800, 8);
  const HWND window = window_->Handle();
  g_FrameReaction = [this](LPARAM code) {
    if (code == kNoticeClosed) window_.reset();
  };
  SendMessageW(window, WM_CLOSE, 0, 0);
  g_FrameReaction = nullptr;
  EXPECT_EQ(window_, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Actions(), (std::vector<Notice>{{8, kNoticeClosed}}));
}

TEST_F(DispWinTest, EscClosesOnceEvenWhenTheFrameDeletesTheWindowMeanwhile) {
  Open(L"quad.bmp", 200, 150, 800, 3);
  const HWND window = window_->Handle();
  g_FrameReaction = [this](LPARAM code) {
    if (code == kNoticeClosed) window_.reset();
  };
  SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
  SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);  // to a window that is gone by now
  g_FrameReaction = nullptr;
  Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Actions(), (std::vector<Notice>{{3, kNoticeClosed}}));
}

TEST_F(DispWinTest, StepKeysAndTheWheelAskForTheNextOrPreviousEntry) {
  Open(L"quad.bmp", 40, 30, 800);
  ASSERT_EQ(window_->ScrollMode(), 0);
  const HWND window = window_->Handle();
  const auto wheel = [window](int delta, WPARAM keys = 0) {
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)), 0);
  };
  const struct {
    WPARAM key;
    int step;  // -1 the key is left alone
  } keys[] = {{VK_RIGHT, 1}, {VK_SPACE, 1}, {VK_NEXT, 1}, {VK_LEFT, 0}, {VK_BACK, 0}, {VK_PRIOR, 0},
              {VK_UP, -1},   {VK_HOME, -1}, {VK_ADD, -1}, {VK_SUBTRACT, -1}, {VK_OEM_PLUS, -1}, {VK_RETURN, -1}};
  for (const auto& k : keys) {
    g_Notices.clear();
    SendMessageW(window, WM_KEYDOWN, k.key, 1);
    Pump();
    const std::vector<Notice> expected =
        k.step < 0 ? std::vector<Notice>{} : std::vector<Notice>{{static_cast<WPARAM>(k.step), kNoticeStepKey}};
    EXPECT_EQ(Actions(), expected) << "key " << k.key;
  }

  g_Notices.clear();
  wheel(-WHEEL_DELTA);  // towards the user
  wheel(WHEEL_DELTA);
  wheel(-3 * WHEEL_DELTA);  // a fast spin still makes one step
  wheel(-WHEEL_DELTA / 2);
  wheel(WHEEL_DELTA / 2);  // turned back: the half notch towards the user is forgotten
  wheel(WHEEL_DELTA / 2);  // so this makes a whole notch away from the user
  wheel(-WHEEL_DELTA, MK_CONTROL);  // no zoom here, and no step either
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{1, kNoticeStepKey}, {0, kNoticeStepKey}, {1, kNoticeStepKey},
                                            {0, kNoticeStepKey}}));
  EXPECT_EQ(window_->Zoom(), 100);
  EXPECT_EQ(window_->Handle(), window);
}

TEST_F(DispWinTest, WheelScrollsAPictureLargerThanTheWindowAndStepsWithShift) {
  Open(L"wide.bmp", 1000, 100, 300);
  ASSERT_EQ(window_->ScrollMode(), 1) << "a horizontal bar only: the wheel scrolls across";
  const int view = window_->ViewWidth(), step = std::max((1000 - view) / 100, 10), limit = 1000 - view;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_NE(lines, WHEEL_PAGESCROLL);
  const auto wheel = [this](int delta, WPARAM keys = 0) {
    SendMessageW(window_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)), 0);
  };
  g_Notices.clear();
  wheel(-WHEEL_DELTA);
  EXPECT_EQ(window_->ScrollX(), std::min(limit, static_cast<int>(lines) * step));
  EXPECT_EQ(GetScrollPos(window_->Handle(), SB_HORZ), window_->ScrollX());
  for (int i = 0; i < 30; ++i) wheel(-WHEEL_DELTA);
  EXPECT_EQ(window_->ScrollX(), limit) << "the far edge holds; the wheel does not step on from there";
  wheel(WHEEL_DELTA);
  EXPECT_EQ(window_->ScrollX(), std::max(0, limit - static_cast<int>(lines) * step));
  Pump();
  EXPECT_TRUE(Actions().empty());
  const int scrolled = window_->ScrollX();
  wheel(-WHEEL_DELTA, MK_SHIFT);
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{1, kNoticeStepKey}}));
  EXPECT_EQ(window_->ScrollX(), scrolled);
}

TEST_F(DispWinTest, RightButtonDoesNothingInMultiWindowModeAndClosesOnSingleClick) {
  g_MultiWindowFlag = 1;
  Open(L"quad.bmp", 40, 30, 800, 2);
  g_ContiState = 300;
  SendMessageW(window_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  Pump();
  EXPECT_TRUE(Actions().empty());
  EXPECT_EQ(g_ContiState, 300);

  g_MultiWindowFlag = 0;
  g_SinglClickFlag = 1;
  SetTimer(frame_, 8, 100000, nullptr);
  SendMessageW(window_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{0, kNoticePause}, {2, kNoticeStop}}));
  EXPECT_EQ(g_ContiState, 0) << "the slide-show state ends with the animation";
  EXPECT_FALSE(KillTimer(frame_, 8)) << "the frame's GIF timer was stopped";
}

TEST_F(DispWinTest, MenuCommandsPostTheirNotifications) {
  Open(L"quad.bmp", 40, 30, 800, 6);
  for (const int id : {ID_CONTI_PAUSE, ID_CONTI_PREVIOUS}) Command(id);
  EXPECT_TRUE(window_->MenuReopen());
  Command(ID_CONTI_RESTART);
  EXPECT_FALSE(window_->MenuReopen());
  for (const int id : {ID_CONTI_NEXT, ID_CONTI_MARK_NEXT, ID_CONTI_CLEAR, ID_DISP_CLIP_SAVE, ID_DISP_DELETE}) Command(id);
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{0, kNoticePrevious},
                                            {0, kNoticeRestart},
                                            {0, kNoticeNext},
                                            {0, kNoticeMarkNext},
                                            {0, kNoticeClear},
                                            {6, kNoticeStop},
                                            {6, kNoticeDelete}}));
  EXPECT_EQ(window_->MemoryDc(), nullptr);
}

TEST(DispWinMenus, ItemsIdsAndTheFeatureNotYetOffered) {
  const auto text = [](HMENU menu, UINT position) {
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, position, buffer, 64, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  const OwnedMenu window = WindowMenu();
  EXPECT_EQ(text(window.Get(), 0), L"子ｳｲﾝﾄﾞｳ右");
  const HMENU popup = GetSubMenu(window.Get(), 0);
  EXPECT_EQ(text(popup, 0), L"回転・反転(&R)");
  const HMENU turns = GetSubMenu(popup, 0);
  ASSERT_EQ(GetMenuItemCount(turns), 6);
  EXPECT_EQ(GetMenuItemID(turns, 5), static_cast<UINT>(ID_DISP_RESTORE));
  EXPECT_EQ(text(turns, 5), L"元に戻す(&U)");
  EXPECT_TRUE(GetMenuState(popup, ID_DISP_CLIP_SAVE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(popup, ID_DISP_DELETE, MF_BYCOMMAND) & MF_GRAYED);
  const OwnedMenu slides = SlideShowMenu();
  EXPECT_EQ(text(slides.Get(), 0), L"スライドショー");
  wchar_t stop[32] = {};
  GetMenuStringW(GetSubMenu(slides.Get(), 0), ID_CONTI_STOP, stop, 32, MF_BYCOMMAND);
  EXPECT_STREQ(stop, L"ｽﾄｯﾌﾟ(&S)");
}

// The brightness dialog is modal: a thread timer, which its message loop dispatches, plays the
// user's part at each opening.
class BrightnessScript {
 public:
  using Step = std::function<void(HWND dialog)>;
  explicit BrightnessScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &BrightnessScript::Tick);
  }
  ~BrightnessScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::size_t done() const { return next_; }
  std::vector<std::wstring> editTexts;
  std::vector<int> thumbs;
  std::vector<POINT> places;

  static void Press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static void Type(HWND dialog, const wchar_t* text) { SetDlgItemTextW(dialog, IDC_BRIGHT_EDIT, text); }
  static void ScrollBy(HWND dialog, int code) {
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BRIGHT_SCROLL)));
  }
  // A click on the scroll bar's right arrow, left to the control's own hit-testing and tracking.
  static void PressRightArrow(HWND dialog) {
    const HWND bar = GetDlgItem(dialog, IDC_BRIGHT_SCROLL);
    RECT r{};
    GetClientRect(bar, &r);
    const LPARAM at = MAKELPARAM(r.right - GetSystemMetrics(SM_CXHSCROLL) / 2, r.bottom / 2);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar, WM_LBUTTONUP, 0, at);
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    BrightnessScript* self = current_;
    if (self == nullptr || self->next_ >= self->steps_.size()) return;
    // An ended opening is hidden until its loop returns.
    const HWND dialog = FindOwnWindow(L"#32770", L"輝度変更");
    if (dialog == nullptr || !IsWindowVisible(dialog) || self->busy_) return;
    self->busy_ = true;
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, IDC_BRIGHT_EDIT, text, 16);
    self->editTexts.push_back(text);
    self->thumbs.push_back(static_cast<int>(SendDlgItemMessageW(dialog, IDC_BRIGHT_SCROLL, SBM_GETPOS, 0, 0)));
    RECT place{};
    GetWindowRect(dialog, &place);
    self->places.push_back({place.left, place.top});
    self->steps_[self->next_++](dialog);
    self->busy_ = false;
  }

  static inline BrightnessScript* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool busy_ = false;
  UINT_PTR timer_ = 0;
};

TEST_F(DispWinTest, BrightnessPreviewReopensAndOkKeepsTheClampedLevel) {
  Open(L"quad.bmp", 40, 30, 800);
  std::vector<COLORREF> seen;
  BrightnessScript script({
      [](HWND d) { BrightnessScript::Type(d, L"40"), BrightnessScript::Press(d, IDC_BRIGHT_PREVIEW); },
      [&](HWND d) {
        seen.push_back(Pixel(0, 0));
        BrightnessScript::ScrollBy(d, SB_PAGERIGHT);  // page steps do nothing
        BrightnessScript::ScrollBy(d, SB_LINELEFT);   // a line ends the opening as a preview
      },
      [&](HWND d) {
        seen.push_back(Pixel(0, 0));
        BrightnessScript::Type(d, L"-300");
        BrightnessScript::Press(d, IDOK);
      },
  });
  Command(ID_DISP_BRIGHT);
  ASSERT_EQ(script.done(), 3u);
  EXPECT_EQ(script.editTexts, (std::vector<std::wstring>{L"   0", L"  40", L"  39"}));
  EXPECT_EQ(script.places[0].x, 35);
  EXPECT_EQ(script.places[0].y, 70);
  EXPECT_EQ(seen, (std::vector<COLORREF>{RGB(255, 40, 40), RGB(255, 39, 39)}));
  EXPECT_EQ(g_BrightLevel, -128);
  EXPECT_EQ(picture_->TransState(), 2);
  EXPECT_EQ(Pixel(0, 0), RGB(127, 0, 0)) << "absolute from the loaded pixels, never wrapped";
  EXPECT_EQ(Pixel(39, 29), RGB(127, 127, 0));
}

// The scroll bar's right arrow pressed with the mouse, three times, then OK. A palette picture is
// brightened in its colour table and keeps transform state 0, yet each reopening must start from
// the level in force as it does for a 24-bit picture, so that the steps add up.
TEST_F(DispWinTest, BrightnessArrowStepsAddUpForTrueColourAndPalettePictures) {
  BmpFile grey;  // 4 bits, every pixel entry 0: grey 100
  grey.width = 8;
  grey.height = 2;
  grey.bitCount = 4;
  grey.palette.assign(16, 0x00646464);
  grey.pixels.assign(8, 0);
  const std::vector<std::uint8_t> bytes = MakeBmp(grey);
  const std::pair<std::string, COLORREF> pictures[] = {{QuadrantBmp(40, 30), RGB(255, 3, 3)},
                                                       {std::string(bytes.begin(), bytes.end()), RGB(103, 103, 103)}};
  window_->Attach(frame_, GetSystemMetrics(SM_CXSCREEN) - 800, 0);
  for (const auto& [file, brightened] : pictures) {
    g_BrightLevel = 0;
    ASSERT_EQ(window_->DisplayConti(WriteFile(L"p.bmp", file).c_str(), kDisplayNew, 0), 0);
    const auto arrow = [](HWND d) { BrightnessScript::PressRightArrow(d); };
    BrightnessScript script({arrow, arrow, arrow, [](HWND d) { BrightnessScript::Press(d, IDOK); }});
    Command(ID_DISP_BRIGHT);
    EXPECT_EQ(script.editTexts, (std::vector<std::wstring>{L"   0", L"   1", L"   2", L"   3"}));
    EXPECT_EQ(script.thumbs, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Pixel(0, 0), brightened);
  }
}

TEST_F(DispWinTest, BrightnessCancelUndoesATurnAsWell) {
  Open(L"quad.bmp", 40, 30, 800);
  Command(ID_DISP_ROTATE_LEFT);
  ASSERT_EQ(window_->PicWidth(), 30);
  g_BrightKeep = 1;
  BrightnessScript script({
      [](HWND d) { BrightnessScript::Type(d, L"99999999999x"), BrightnessScript::Press(d, IDC_BRIGHT_PREVIEW); },
      [](HWND d) {
        EXPECT_EQ(g_BrightLevel, 128) << "a number past any range is held to the level's";
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_BRIGHT_KEEP), BST_CHECKED);
        BrightnessScript::Press(d, IDCANCEL);
      },
  });
  Command(ID_DISP_BRIGHT);
  ASSERT_EQ(script.done(), 2u);
  EXPECT_EQ(script.editTexts[1], L" 128");
  EXPECT_EQ(picture_->TransState(), 0);
  EXPECT_EQ(window_->PicWidth(), 40);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(g_BrightLevel, 0);
  EXPECT_EQ(g_BrightKeep, 0);
  EXPECT_EQ(CBrightnessDialog::Place().x, 35);
  EXPECT_EQ(CBrightnessDialog::Place().y, 70);
}

TEST_F(DispWinTest, KeptLevelIsGivenToTheNextPictureAndALoadFailureIsPassedBack) {
  g_BrightLevel = 30;
  Open(L"quad.bmp", 40, 30, 800);
  EXPECT_EQ(Pixel(0, 0), RGB(255, 30, 30));
  EXPECT_EQ(picture_->TransState(), 2);

  // A header promising far more rows than the pixel block holds is not handed to GDI.
  const_cast<BITMAPINFO*>(picture_->Loaded().Info())->bmiHeader.biHeight = 1 << 20;
  picture_->DiscardWork();
  EXPECT_EQ(picture_->DrawableBits(), nullptr);
  g_BrightLevel = 0;
  EXPECT_EQ(window_->DisplayConti(L"", kDisplayAgain, 1), 0);
  EXPECT_EQ(Pixel(0, 0), RGB(255, 255, 255)) << "background only";
  picture_->StretchDraw(window_->MemoryDc(), 0, 0, 100, 100);
  EXPECT_EQ(Pixel(0, 0), RGB(255, 255, 255));
  g_BrightLevel = 30;

  const std::wstring broken = WriteFile(L"broken.bmp", "BM not a picture");
  EXPECT_NE(window_->DisplayConti(broken.c_str(), kDisplayNew, 1), 0);
  EXPECT_EQ(window_->DisplayConti(L"", kDisplayAgain, 1), kDisplayNoHeader);
  EXPECT_EQ(prompt_.shown.back().text, u"エラーCDispWin::DisplayConti≪lpBI=0≫");
  g_BrightLevel = 0;
}

// The slide show: the largest window with the picture centred, and after "▽次画面" the next
// step brings the slide-show menu back by itself.
TEST_F(DispWinTest, SlideShowStepReopensTheMenuAfterNext) {
  const std::wstring path = WriteFile(L"quad.bmp", QuadrantBmp(200, 150));
  window_->Attach(frame_, GetSystemMetrics(SM_CXSCREEN) - 800, 0);
  ASSERT_EQ(window_->DisplayConti(path.c_str(), kDisplayConti, 1), 0);
  EXPECT_TRUE(window_->ContiFlag());
  RECT outer{};
  GetWindowRect(window_->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, window_->MaxWidth());
  EXPECT_EQ(outer.bottom - outer.top, window_->MaxHeight() + GetSystemMetrics(SM_CYCAPTION));
  const int x = (window_->MaxWidth() - 200) / 2, y = (window_->MaxHeight() - 150) / 2;
  EXPECT_EQ(Pixel(x, y), kRed);
  EXPECT_EQ(Pixel(x - 1, y), RGB(255, 255, 255));

  Command(ID_CONTI_NEXT);
  ASSERT_TRUE(window_->MenuReopen());
  ASSERT_EQ(window_->DisplayConti(path.c_str(), kDisplayConti, 2), 0);
  EXPECT_FALSE(window_->MenuReopen());

  // The menu runs its own loop; a thread timer inside it notes the menu and closes it.
  g_MenuItems = -1;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &NoteAndCloseMenu);
  const DWORD end = GetTickCount() + 3000;
  while (g_MenuItems < 0 && GetTickCount() < end) {
    Pump();
    Sleep(10);
  }
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_MenuItems, 9) << "seven commands and two separators";
  Pump();
  EXPECT_EQ(Actions(), (std::vector<Notice>{{0, kNoticeNext}}));
}

// StretchDraw into a plain memory bitmap: the fit, zoom and full-size rules, the background, and
// the current-pixels rule after a turn.
TEST_F(DispWinTest, StretchDrawFitsZoomsAndFillsTheBackground) {
  const std::wstring path = WriteFile(L"wide.bmp", QuadrantBmp(1000, 500));
  ASSERT_EQ(picture_->FileLoad(kSelectStill, path.c_str()), 0);
  const ScreenDc screen;
  MemoryBitmap target;
  ASSERT_TRUE(target.MakeContext(screen) && target.MakeBitmap(screen, 1000, 600) && target.Select());
  const HDC dc = target.Dc();

  g_AdjustSizeFlag = 1;
  picture_->StretchDraw(dc, 0, 0, 800, 600);
  const DrawPlacement fit = picture_->DrawnRect();
  EXPECT_EQ(fit.x, 0);
  EXPECT_EQ(fit.y, 100);
  EXPECT_EQ(fit.width, 800);
  EXPECT_EQ(fit.height, 400);
  EXPECT_EQ(picture_->ShownPercent(), 80);
  EXPECT_EQ(GetPixel(dc, 0, 99), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 0, 100), kRed);
  EXPECT_EQ(GetPixel(dc, 799, 499), kYellow);
  EXPECT_EQ(GetPixel(dc, 0, 500), RGB(255, 255, 255));

  g_AdjustSizeFlag = 0;
  g_ZoomScreenFlag = 1;
  g_ZoomPercent = 50;
  g_BlackFlag = 1;
  picture_->StretchDraw(dc, 0, 0, 800, 600);
  EXPECT_EQ(picture_->m_ZoomWidth, 500);
  EXPECT_EQ(picture_->DrawnRect().x, 150);
  EXPECT_EQ(picture_->DrawnRect().y, 175);
  EXPECT_EQ(picture_->ShownPercent(), 100);
  EXPECT_EQ(GetPixel(dc, 149, 175), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 150, 175), kRed);
  EXPECT_EQ(GetPixel(dc, 649, 424), kYellow);

  // 100 %, larger than the area: drawn from the corner, the extent and background as large as it.
  g_ZoomPercent = 100;
  g_BlackFlag = 0;
  picture_->StretchDraw(dc, 0, 0, 800, 300);
  EXPECT_EQ(picture_->DrawnRect().x, 0);
  EXPECT_EQ(picture_->ScrollExtentWidth(), 1000);
  EXPECT_EQ(picture_->ScrollExtentHeight(), 500);
  EXPECT_EQ(GetPixel(dc, 999, 499), kYellow);
  EXPECT_EQ(GetPixel(dc, 799, 550), RGB(0, 0, 0)) << "below the extent the black of before stays";

  // A turned picture is drawn from the work buffer, with the turned header.
  g_ZoomScreenFlag = 0;
  g_AdjustSizeFlag = 1;
  ASSERT_EQ(picture_->RotateMap(kRotateClockwise), 0);
  picture_->StretchDraw(dc, 0, 0, 800, 600);
  EXPECT_EQ(picture_->DrawnRect().width, 301) << "500 x 1000 by the whole ratio 166";
  EXPECT_EQ(GetPixel(dc, 251, 1), kBlue);
  EXPECT_EQ(GetPixel(dc, 548, 1), kRed);

  // No picture: nothing is drawn, not even the background.
  ASSERT_EQ(picture_->FileLoad(kSelectRelease, path.c_str()), 0);
  PatBlt(dc, 0, 0, 10, 10, BLACKNESS);
  picture_->StretchDraw(dc, 0, 0, 800, 600);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
}

TEST_F(DispWinTest, AnimationFramesSitAtTheirOffsetsInsideTheLargestExtentSoFar) {
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"TarnGif.spi").c_str(), (folder_ + L"TarnGif.spi").c_str(), FALSE));
  window_.reset();
  picture_.reset();
  registry_ = std::make_unique<CPluginRegistry>();
  ASSERT_EQ(Enumerate(), 2);
  picture_ = std::make_unique<CPictureWnd>(*registry_);
  window_ = std::make_unique<CDispWin>(*picture_);
  GifFile gif;
  gif.width = 60;
  gif.height = 40;
  gif.application = true;  // played as an animation
  for (const auto& [left, top, index] : {std::tuple{0, 0, 10}, std::tuple{30, 20, 20}}) {
    GifImage frame;
    frame.left = static_cast<std::uint16_t>(left);
    frame.top = static_cast<std::uint16_t>(top);
    frame.width = 20;
    frame.height = 10;
    frame.pixels.assign(200, static_cast<std::uint8_t>(index));
    frame.control = true;
    frame.delay = 5;
    gif.images.push_back(frame);
  }
  const Bytes bytes = MakeGif(gif);
  const std::wstring path = WriteFile(L"anim.gif", std::string(bytes.begin(), bytes.end()));
  window_->Attach(frame_, GetSystemMetrics(SM_CXSCREEN) - 800, 0);

  ASSERT_EQ(window_->DisplayConti(path.c_str(), kDisplayNew, 0), 0);
  ASSERT_EQ(picture_->Animation().frames, 2);
  EXPECT_EQ(window_->PicWidth(), 20);
  EXPECT_EQ(window_->PicHeight(), 10);
  // The ramp table: entry i is (i, 255 - i, 7 i).
  EXPECT_EQ(Pixel(0, 0), RGB(10, 245, 70));

  ASSERT_EQ(window_->DisplayConti(path.c_str(), kDisplayNew, 0), 0);
  EXPECT_EQ(picture_->Animation().frame, 2);
  EXPECT_EQ(window_->PicWidth(), 50);
  EXPECT_EQ(window_->PicHeight(), 30);
  EXPECT_EQ(Pixel(30, 20), RGB(20, 235, 140));
  EXPECT_EQ(Pixel(49, 29), RGB(20, 235, 140));
  EXPECT_EQ(Pixel(0, 0), RGB(10, 245, 70)) << "a later frame is drawn over the earlier ones";
  EXPECT_EQ(Pixel(25, 15), RGB(255, 255, 255));
  EXPECT_EQ(window_->Title(), L"anim.gif  [ 50×30×8 ]");
}

}  // namespace
}  // namespace tarn::test
