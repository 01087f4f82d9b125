// Pictures from the catalog in display windows under the test display: opening by double click,
// stepping with wrap-around, the slide show on the view's timer, a motion GIF stepping on the
// frame's timer, and the limit of ten windows in multiple-window mode.
#include "tests/catalog/CatalogFixture.h"

#include "catalog/view/CellTitle.h"
#include "image/DispWin.h"
#include "tests/plugins/gif/GifBuilder.h"
#include "tests/support/OwnWindow.h"

namespace tarn::test {
namespace {

class CatalogDisplayTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_MultiWindowFlag = g_MaxSizeFlag = 0;
    g_ContiState = 0;
    g_BrightLevel = g_BrightKeep = 0;
  }
  void TearDown() override {
    g_MultiWindowFlag = g_MaxSizeFlag = 0;
    g_ContiState = 0;
    CatalogTest::TearDown();
  }

  void DoubleClickCell(int k) {
    const int x = 4 + k % frame_->View().Shown().columns * 94 + 20, y = 4 + k / frame_->View().Shown().columns * 108 + 20;
    SendMessageW(frame_->View().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  }
  // What a display window's "▽次画面" or "△前画面" posts to the frame.
  void WindowStep(bool next) {
    SendMessageW(frame_->Handle(), WM_DISP_WIN, 0, next ? 16 : 15);
    Pump(20);
  }
  // The frame's timer 8, fired by hand so that no real time passes between the steps.
  void tick() { SendMessageW(frame_->Handle(), WM_TIMER, kTimerGifFrame, 0); }
  // The frame keeps the registry it was made with; make them again with TarnGif in it.
  void WithTarnGif() {
    Install(L"TarnGif.spi", L"TarnGif.spi");
    registry_ = std::make_unique<CPluginRegistry>();
    g_SaveSuppressed = true;
    DestroyWindow(frame_->Handle());
    frame_.reset();
    ASSERT_EQ(Enumerate(), 2);
    picture_ = std::make_unique<CPictureWnd>(*registry_);
    frame_ = std::make_unique<CMainFrame>(*registry_, scratch_, *picture_);
    ASSERT_TRUE(frame_->Create(false));
    g_SaveSuppressed = false;
    g_ThumbNailFlag = 1;
    g_CatalogLimit = 1600;
  }
  // Three 30 x 30 frames of one colour each.
  void WriteAnimatedGif(const std::wstring& name) {
    GifFile gif;
    gif.width = gif.height = 30;
    gif.application = true;
    for (int i = 0; i < 3; ++i) {
      GifImage frame;
      frame.width = frame.height = 30;
      frame.pixels.assign(900, static_cast<std::uint8_t>(10 * (i + 1)));
      frame.control = true;
      frame.delay = 1;
      gif.images.push_back(frame);
    }
    const Bytes bytes = MakeGif(gif);
    WriteFile(L"pictures\\" + name, std::string(bytes.begin(), bytes.end()));
  }
  std::wstring ShownTitle() const {
    const CDispWin* window = frame_->SingleDisplay();
    return window != nullptr && window->Handle() != nullptr ? window->Title() : L"";
  }
};

TEST_F(CatalogDisplayTest, DoubleClickOpensTheEntryAndStepsWrapAround) {
  Picture(L"a.bmp", 60, 40, kRed);
  Picture(L"b.bmp", 30, 20, kGreen);
  Picture(L"c.bmp", 20, 30, kBlue);
  Catalogue();
  g_BrightLevel = 40;  // not kept: a picture opened from the catalog starts at its own brightness
  DoubleClickCell(0);
  Pump(20);
  EXPECT_EQ(ShownTitle(), L"a.bmp  [ 60×40×24 ]");
  EXPECT_EQ(g_BrightLevel, 0);
  EXPECT_EQ(frame_->View().Cursor(), 0);
  WindowStep(true);
  EXPECT_EQ(ShownTitle(), L"b.bmp  [ 30×20×24 ]");
  WindowStep(true);
  WindowStep(true);
  EXPECT_EQ(ShownTitle(), L"a.bmp  [ 60×40×24 ]") << "past the last entry: the first again";
  WindowStep(false);
  EXPECT_EQ(ShownTitle(), L"c.bmp  [ 20×30×24 ]") << "before the first: the last";
  EXPECT_TRUE(prompt_.shown.empty());

  // The window's menu items have their prompts in the frame's status bar.
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_MENUSELECT, MAKEWPARAM(32899, MF_STRING), 1);
  EXPECT_EQ(frame_->StatusText(0), L"ウインドウ画像を右９０度回転");
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_NE(frame_->StatusText(0), L"ウインドウ画像を右９０度回転");

  // Closing the window with its stop command lets it go.
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_COMMAND, 32875, 0);
  Pump(50);
  EXPECT_EQ(frame_->SingleDisplay(), nullptr);
}

TEST_F(CatalogDisplayTest, UnreadableEntriesAreRefused) {
  Picture(L"a.bmp", 20, 20, kRed);
  Catalogue();
  TheCatalog().entries[0].state = kEntryUnusable;
  DoubleClickCell(0);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"エラーファイル ≪読出不可≫");
  EXPECT_EQ(prompt_.shown[0].caption, FromWide((data_ + L"a.bmp").c_str()));
  EXPECT_EQ(frame_->SingleDisplay(), nullptr);
}

TEST_F(CatalogDisplayTest, SlideShowStepsOnItsTimerAndStops) {
  Picture(L"a.bmp", 20, 20, kRed);
  Picture(L"b.bmp", 20, 20, kGreen);
  Picture(L"c.bmp", 20, 20, kBlue);
  Catalogue();
  m_SlideInterval = 5;  // half a second
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, 10);  // "ｽﾀｰﾄ"
  EXPECT_EQ(g_ContiState, 300);
  EXPECT_EQ(g_SlideShowRun, 1);
  ASSERT_NE(frame_->SingleDisplay(), nullptr);
  EXPECT_TRUE(frame_->SingleDisplay()->ContiFlag()) << "the show uses the continuous display";
  EXPECT_EQ(ShownTitle().substr(0, 5), L"b.bmp");
  // The view's timer 1, fired by hand: one step each time, the counter going down.
  SendMessageW(frame_->View().Handle(), WM_TIMER, kTimerSlideShow, 0);
  EXPECT_EQ(ShownTitle().substr(0, 5), L"c.bmp");
  EXPECT_EQ(g_ContiState, 299);
  SendMessageW(frame_->View().Handle(), WM_TIMER, kTimerSlideShow, 0);
  EXPECT_EQ(ShownTitle().substr(0, 5), L"a.bmp") << "round to the first";
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, 12);  // "ｽﾄｯﾌﾟ"
  Pump(50);
  EXPECT_EQ(g_ContiState, 0);
  EXPECT_EQ(g_SlideShowRun, 0);
  EXPECT_EQ(frame_->SingleDisplay(), nullptr) << "the stop closes the window";
  SendMessageW(frame_->View().Handle(), WM_TIMER, kTimerSlideShow, 0);
  EXPECT_EQ(frame_->View().Cursor(), 0) << "no step after the stop";
}

TEST_F(CatalogDisplayTest, AMotionGifAdvancesFrameByFrameOnTheFramesTimer) {
  WithTarnGif();
  WriteAnimatedGif(L"anim.gif");
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 1);
  DoubleClickCell(0);
  ASSERT_EQ(picture_->Animation().frames, 3) << "the frame count from TarnGif";
  ASSERT_GT(picture_->Animation().loops, 0) << "cycles from TarnGif";
  EXPECT_EQ(picture_->Animation().frame, 1);
  tick();
  EXPECT_EQ(picture_->Animation().frame, 2);
  tick();
  EXPECT_EQ(picture_->Animation().frame, 3);
  const int loops = picture_->Animation().loops;
  tick();
  EXPECT_EQ(picture_->Animation().frame, 1) << "a new cycle starts from the first frame";
  EXPECT_EQ(picture_->Animation().loops, loops - 1);
  EXPECT_EQ(ShownTitle(), L"anim.gif  [ 30×30×8 ]");
  // A turn is refused while it plays.
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_COMMAND, 32899, 0);
  EXPECT_EQ(prompt_.shown.back().text, u"モーションGIFは回転できません ");
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_CLOSE, 0, 0);
  Pump(50);
}

TEST_F(CatalogDisplayTest, MultipleWindowModeKeepsTenWindows) {
  for (int i = 0; i < 11; ++i) Picture(L"p" + std::to_wstring(10 + i) + L".bmp", 20, 20, kRed);
  Catalogue();
  g_MultiWindowFlag = 1;
  for (int k = 0; k < 11; ++k) DoubleClickCell(k);
  Pump(50);
  EXPECT_EQ(frame_->TrackedDisplays(), 10u);
  // A slide show cannot use several windows: the mode is switched off.
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, 10);
  EXPECT_EQ(g_MultiWindowFlag, 0);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown.back().text, u"「複数画面表示」をOFF します。再実行してください ");
  EXPECT_EQ(prompt_.shown.back().caption, u"画面設定変更");
}

TEST_F(CatalogDisplayTest, SwitchingTheWayOfShowingClosesTheWindowsAndAnAnimationStaysInItsWindow) {
  WithTarnGif();
  Picture(L"a.bmp", 20, 20, kRed);
  Picture(L"b.bmp", 20, 20, kGreen);
  WriteAnimatedGif(L"c.gif");
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 3);
  // Only this program's windows: other test programs run beside it on the same desktop.
  const auto windowsOnScreen = [] {
    int n = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"CDispWin", nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, L"CDispWin", nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      n += process == GetCurrentProcessId() ? 1 : 0;
    }
    return n;
  };
  g_MultiWindowFlag = 1;
  DoubleClickCell(0);
  DoubleClickCell(1);
  ASSERT_EQ(windowsOnScreen(), 2);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MULTI_WINDOW, 0);
  Pump(20);
  EXPECT_EQ(g_MultiWindowFlag, 0);
  EXPECT_EQ(windowsOnScreen(), 0) << "switching the mode off closes its windows";
  EXPECT_EQ(frame_->TrackedDisplays(), 0u);

  DoubleClickCell(2);
  ASSERT_EQ(picture_->Animation().frames, 3);
  tick();
  EXPECT_EQ(picture_->Animation().frame, 2);
  EXPECT_EQ(windowsOnScreen(), 1) << "the later frames go to the window the animation started in";
  EXPECT_EQ(ShownTitle(), L"c.gif  [ 30×30×8 ]");
  // Closed while it plays: the next tick brings no window back.
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_CLOSE, 0, 0);
  Pump(20);
  tick();
  Pump(20);
  EXPECT_EQ(windowsOnScreen(), 0);
  // Opened again, it plays from its first frame: the closed animation left no cycles behind.
  DoubleClickCell(2);
  EXPECT_EQ(picture_->Animation().frames, 3);
  EXPECT_EQ(picture_->Animation().frame, 1);
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_CLOSE, 0, 0);
  Pump(20);

  // Large-screen display switched on, then off: each switch closes what the other way showed.
  DoubleClickCell(0);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MAX_SIZE, 0);
  Pump(20);
  EXPECT_EQ(windowsOnScreen(), 0);
  DoubleClickCell(0);
  ASSERT_EQ(windowsOnScreen(), 1);
  EXPECT_TRUE(GetWindowLongW(frame_->SingleDisplay()->Handle(), GWL_STYLE) & WS_POPUP);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_MAX_SIZE, 0);
  Pump(20);
  EXPECT_EQ(windowsOnScreen(), 0);
  EXPECT_EQ(g_MaxSizeFlag, 0);
}

TEST_F(CatalogDisplayTest, ResetShowsACatalogOfAnotherSizeAgainAtTheNewSize) {
  Picture(L"a.bmp", 20, 20, kRed);
  g_CatalogSize = 2;  // L
  Catalogue();
  ASSERT_EQ(frame_->View().DrawnRows(), 1);
  const int before = frame_->View().RequestCount();
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_RESET, 0);
  EXPECT_EQ(g_CatalogSize, 1);
  ASSERT_GT(frame_->View().RequestCount(), before);
  EXPECT_EQ(frame_->View().LastRequest().request, 2) << "catalog again";
  // Drawn again at M: the picture fills the 90-pixel cell's middle.
  EXPECT_EQ(CellPixel(0, 45, 45), kRed);
}

TEST_F(CatalogDisplayTest, WindowsOpenOverTheCatalogCascadeAndFillTheScreenInLargeScreenMode) {
  Picture(L"a.bmp", 40, 30, kRed);
  Picture(L"b.bmp", 40, 30, kGreen);
  Picture(L"c.bmp", 200, 150, kBlue);
  Catalogue();
  POINT corner{0, 0};
  ClientToScreen(frame_->View().Handle(), &corner);
  const auto placeOf = [](const wchar_t* title) {
    RECT r{};
    GetWindowRect(FindOwnWindow(L"CDispWin", title), &r);
    return r;
  };
  g_MultiWindowFlag = 1;
  DoubleClickCell(0);
  DoubleClickCell(1);
  const RECT first = placeOf(L"a.bmp  [ 40×30×24 ]"), second = placeOf(L"b.bmp  [ 40×30×24 ]");
  EXPECT_EQ(first.left, corner.x);
  EXPECT_EQ(first.top, corner.y);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  EXPECT_EQ(second.left - first.left, step) << "each further window steps in by a caption";
  EXPECT_EQ(second.top - first.top, step);

  // Large screen: the whole screen, with the picture centred where the window shows it.
  g_MultiWindowFlag = 0;
  g_MaxSizeFlag = 1;
  DoubleClickCell(2);
  g_MaxSizeFlag = 0;
  const CDispWin* large = frame_->SingleDisplay();
  ASSERT_NE(large, nullptr);
  RECT window{};
  GetWindowRect(large->Handle(), &window);
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.right - window.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetPixel(large->MemoryDc(), GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2), kBlue);
}

// A title band is 14 pixels high under the cell; the name, its underscores and descenders
// included, is drawn inside it and nothing of it below.
TEST(CellTitle, ATitleIsDrawnWholeWithinItsBand) {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 40);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  // The title font, and one taller than the band as a font substitute may be.
  TitleFont title;
  const HFONT tall = CreateFontW(-17, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
  for (const auto& [font, name] : {std::pair{title.Get(dc), u"IMG_0001.jpg"}, std::pair{tall, u"_"},
                                   std::pair{tall, u"gjpqy"}}) {
    const RECT all{0, 0, 120, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawTitleBand(dc, font, 0, 10, 100, name, 40, {RGB(255, 0, 0), RGB(255, 255, 255)});
    int red = 0, below = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        if (y >= 10 + 14 || y < 10) below += c != RGB(0, 0, 0);
        else red += c == RGB(255, 0, 0);
      }
    EXPECT_EQ(below, 0) << "drawn outside the band";
    EXPECT_GT(red, 0) << "the glyphs, underscores included, are inside it";
  }
  DeleteObject(tall);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace tarn::test
