// A picture window's keys through the whole program: a small catalog, a picture opened from it,
// the keys and the wheel going through the frame to the catalog and back to the window, and the
// busy states in which they must not step.
#include "tests/catalog/CatalogFixture.h"

#include "catalog/view/PendingStep.h"
#include "image/DispWin.h"
#include "plugin_host/SenseState.h"

namespace tarn::test {
namespace {

class DisplayKeysTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_MultiWindowFlag = g_MaxSizeFlag = g_AdjustSizeFlag = 0;
    g_ContiState = g_MovieRun = g_PendingStep = 0;
    Picture(L"a.bmp", 60, 40, kRed);
    Picture(L"b.bmp", 30, 20, kGreen);
    Picture(L"c.bmp", 20, 30, kBlue);
    Catalogue();
    frame_->View().OpenEntry(0);
    Pump(20);
  }
  void TearDown() override {
    g_ContiState = g_MovieRun = g_PendingStep = 0;
    g_CatalogBuilding = g_SlideShowRun = 0;
    CatalogTest::TearDown();
  }

  // A key pressed in the picture window, through the message queue as typed.
  void Press(WPARAM key) {
    PostMessageW(frame_->SingleDisplay()->Handle(), WM_KEYDOWN, key, 1);
    Pump(20);
  }
  std::wstring Shown() const {
    const CDispWin* window = frame_->SingleDisplay();
    return window != nullptr && window->Handle() != nullptr ? window->Title() : L"";
  }
};

TEST_F(DisplayKeysTest, KeysAndTheWheelStepThroughTheCatalogAndEscCloses) {
  ASSERT_EQ(Shown(), L"a.bmp  [ 60×40×24 ]");
  Press(VK_RIGHT);
  EXPECT_EQ(Shown(), L"b.bmp  [ 30×20×24 ]");
  EXPECT_EQ(frame_->View().Cursor(), 1);
  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_EQ(Shown(), L"c.bmp  [ 20×30×24 ]") << "before the first entry: the last, as with △";
  SendMessageW(frame_->SingleDisplay()->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  Pump(20);
  EXPECT_EQ(Shown(), L"a.bmp  [ 60×40×24 ]") << "the wheel towards the user goes on";
  EXPECT_TRUE(prompt_.shown.empty());

  const HWND window = frame_->SingleDisplay()->Handle();
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(frame_->SingleDisplay(), nullptr) << "the frame let the closed window go";
  EXPECT_EQ(frame_->StatusText(0).rfind(L"カタログ画面 ：", 0), 0u);
}

TEST_F(DisplayKeysTest, BusyStatesTakeNoStep) {
  // A movie plays inside the picture object's load: nothing may load meanwhile.
  g_MovieRun = 1;
  Press(VK_RIGHT);
  EXPECT_EQ(Shown(), L"a.bmp  [ 60×40×24 ]");
  EXPECT_EQ(frame_->StatusText(0).rfind(L"画像再生中は操作できません", 0), 0u);
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, kDispNext);  // the display/sort dialog's "▽"
  Pump(20);
  EXPECT_EQ(Shown(), L"a.bmp  [ 60×40×24 ]");
  g_MovieRun = 0;

  // During a build the step waits for its end, once, as "▽" makes it wait.
  g_CatalogBuilding = 1;
  Press(VK_RIGHT);
  Press(VK_LEFT);
  EXPECT_EQ(Shown(), L"a.bmp  [ 60×40×24 ]");
  EXPECT_EQ(g_PendingStep, 2) << "the first key's step waits; the second only earns the notice";
  g_CatalogBuilding = g_PendingStep = 0;

  // While the slide show runs a step key stops it, as "▽" does.
  g_SlideShowRun = 1;
  g_ContiState = 300;
  Press(VK_RIGHT);
  EXPECT_EQ(g_SlideShowRun, 0);
  EXPECT_EQ(frame_->SingleDisplay(), nullptr);
  EXPECT_EQ(frame_->View().Cursor(), 0) << "no step was made";
}

}  // namespace
}  // namespace tarn::test
