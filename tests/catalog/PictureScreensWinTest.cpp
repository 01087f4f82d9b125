// The expanded and zoom screens through the frame: entry from the catalog and return to where
// the catalog was scrolled, the zoom dialog's arithmetic and refusals as the user meets them, and
// a turned picture saved from the expanded screen.
#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/screens/ScreenResource.h"
#include "image/ImageResource.h"
#include "tests/support/DialogScript.h"

namespace tarn::test {
namespace {

class PictureScreensTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    StartPictureScreens();
    // A small frame, so that twenty cells need the scroll bar.
    SetWindowPos(frame_->Handle(), nullptr, 0, 0, 420, 330, SWP_NOZORDER);
    Picture(L"a.bmp", 400, 300, kRed);
    for (int i = 0; i < 20; ++i) Picture(L"p" + std::to_wstring(10 + i) + L".bmp", 8, 8, kBlue);
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 21);
    prompt_.shown.clear();
  }
  void TearDown() override {
    g_ScreenMode = 0;
    g_PictureShown = 0;
    g_ZoomScreenFlag = 0;
    g_ZoomPercent = 100;
    CatalogTest::TearDown();
  }
  CTarnView& View() { return frame_->View(); }
  void Command(int id) {
    SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump(50);
  }
  void Cursor(int row) { const_cast<SelectionState&>(View().Selection()).cursor = row; }
  HWND ZoomDialog() const {
    HWND dialog = FindOwnWindow(L"#32770", L" 伸縮");
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
  }
  void Press(HWND dialog, int id) {
    DialogScript::Press(dialog, id);
    Pump(50);
  }
};

TEST_F(PictureScreensTest, ExpandedScreenOpensTheCursorEntryAndReturnsToTheScrolledCatalog) {
  View().ScrollTo(0, 60);
  const POINT scrolled = View().ScrollPosition();
  ASSERT_GT(scrolled.y, 0) << "the catalog must be taller than the window";
  Cursor(Row(u"a.bmp"));
  Command(ID_SCREEN_EXPAND);
  EXPECT_EQ(g_CatalogShown, 0);
  EXPECT_EQ(g_PictureShown, 1);
  EXPECT_TRUE(View().PictureScreenShown());
  EXPECT_EQ(picture_->Loaded().Width(), 400);
  EXPECT_EQ(View().ScrollPosition().y, 0);

  Command(ID_SCREEN_CATALOG);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(g_PictureShown, 0);
  EXPECT_EQ(picture_->Loaded().Info(), nullptr) << "the picture is released";
  EXPECT_EQ(View().ScrollPosition().y, scrolled.y);

  // A music entry is refused and the catalog stays.
  std::u16string(u"tune.mp3").copy(TheCatalog().entries[Row(u"p10.bmp")].name, 9);
  Cursor(Row(u"tune.mp3"));
  Command(ID_SCREEN_EXPAND);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown.back().text, u"動画・音楽ファイルは展開できません ");
  EXPECT_EQ(g_CatalogShown, 1);
}

TEST_F(PictureScreensTest, ZoomByPixelCountAndPercentageWithTheDialogsRefusals) {
  Cursor(Row(u"a.bmp"));
  Command(ID_SCREEN_ZOOM);
  HWND dialog = ZoomDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(g_ZoomScreenFlag, 1);
  EXPECT_EQ(g_PictureShown, 1);

  // 400 x 300 at 800 pixels: 200 %, 800 x 600.
  DialogScript::Type(dialog, IDC_ZOOM_PIXELS, L"800");
  Press(dialog, IDC_ZOOM_APPLY);
  EXPECT_EQ(g_ZoomPercent, 200);
  EXPECT_EQ(picture_->m_ZoomWidth, 800);
  EXPECT_EQ(picture_->m_ZoomHeight, 600);
  wchar_t shown[16] = {};
  GetDlgItemTextW(dialog, IDC_ZOOM_PERCENT, shown, 16);
  EXPECT_STREQ(shown, L"200");

  // 1500 pixels would be 375 %: refused, and the zoom goes back to 100 %.
  DialogScript::Type(dialog, IDC_ZOOM_PIXELS, L"1500");
  Press(dialog, IDC_ZOOM_APPLY);
  EXPECT_EQ(prompt_.shown.back().text, u"指定サイズが大きすぎます ");
  EXPECT_EQ(prompt_.shown.back().caption, u"伸縮率= 375 ％    [最大値=300％]");
  EXPECT_EQ(g_ZoomPercent, 100);
  GetDlgItemTextW(dialog, IDC_ZOOM_PERCENT, shown, 16);
  EXPECT_STREQ(shown, L"100");

  // Out-of-range input, then a typed percentage and the buttons at their bounds.
  DialogScript::Type(dialog, IDC_ZOOM_PIXELS, L"149");
  Press(dialog, IDC_ZOOM_APPLY);
  EXPECT_EQ(prompt_.shown.back().text, u"画素数は 150 ～ 2048 を入力してください");
  DialogScript::Type(dialog, IDC_ZOOM_PIXELS, L"");
  DialogScript::Type(dialog, IDC_ZOOM_PERCENT, L"301");
  Press(dialog, IDC_ZOOM_APPLY);
  EXPECT_EQ(prompt_.shown.back().text, u"伸縮率は< 10～300 >を入力してください");
  DialogScript::Type(dialog, IDC_ZOOM_PERCENT, L"295");
  Press(dialog, IDC_ZOOM_APPLY);
  Press(dialog, IDC_ZOOM_PLUS);
  EXPECT_EQ(g_ZoomPercent, 300);
  RECT client;
  GetClientRect(View().Handle(), &client);
  EXPECT_EQ(View().ScrollPosition().x, (1200 - client.right) / 2) << "a zoomed picture is shown from its middle";

  // "ｷｬﾝｾﾙ": back to the expanded screen at 100 %; "ｶﾀﾛｸﾞに戻る" from a second opening: the catalog.
  Press(dialog, IDCANCEL);
  EXPECT_EQ(g_ZoomPercent, 100);
  EXPECT_EQ(g_ZoomScreenFlag, 0);
  EXPECT_EQ(ZoomDialog(), nullptr);
  EXPECT_TRUE(View().PictureScreenShown());
  Command(ID_SCREEN_ZOOM);
  ASSERT_NE(ZoomDialog(), nullptr);
  Press(ZoomDialog(), IDC_ZOOM_CATALOG);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(g_ZoomScreenFlag, 0);
  EXPECT_EQ(g_ZoomPercent, 100);
}

TEST_F(PictureScreensTest, KeysAndTheWheelZoomWithinTheBoundsAndEscLeaves) {
  const HWND view = View().Handle();
  const auto key = [&](WPARAM vk) {
    SendMessageW(view, WM_KEYDOWN, vk, 1);
    Pump(30);
  };
  Cursor(Row(u"a.bmp"));
  Command(ID_SCREEN_EXPAND);
  key(VK_ADD);
  EXPECT_EQ(g_ZoomPercent, 100) << "the expanded screen does not zoom";
  Command(ID_SCREEN_ZOOM);
  const HWND dialog = ZoomDialog();
  ASSERT_NE(dialog, nullptr);
  key(VK_OEM_PLUS);
  EXPECT_EQ(g_ZoomPercent, 110);
  EXPECT_EQ(picture_->m_ZoomWidth, 0);
  RECT client;
  GetClientRect(view, &client);
  EXPECT_EQ(View().ScrollPosition().x, (440 - client.right) / 2) << "the zoom request was made";
  key(VK_SUBTRACT);
  key(VK_OEM_MINUS);
  EXPECT_EQ(g_ZoomPercent, 90);
  SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  Pump(30);
  EXPECT_EQ(g_ZoomPercent, 100);
  for (int i = 0; i < 25; ++i) SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  Pump(50);
  EXPECT_EQ(g_ZoomPercent, 300);
  wchar_t shown[16] = {};
  GetDlgItemTextW(dialog, IDC_ZOOM_PERCENT, shown, 16);
  EXPECT_STREQ(shown, L"300");
  for (int i = 0; i < 40; ++i) SendMessageW(view, WM_KEYDOWN, VK_SUBTRACT, 1);
  Pump(50);
  EXPECT_EQ(g_ZoomPercent, 10);

  key(VK_ESCAPE);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(g_ZoomScreenFlag, 0);
  EXPECT_EQ(ZoomDialog(), nullptr);
}

TEST_F(PictureScreensTest, ATurnedPictureIsSavedWithItsSuffixAndTurnedSize) {
  Cursor(Row(u"a.bmp"));
  Command(ID_SCREEN_EXPAND);
  View().PictureTransform(ID_DISP_ROTATE_RIGHT);
  EXPECT_EQ(picture_->TransState(), 1);
  std::vector<SaveAsRequest> dialogs;
  View().Saver().saveAs = [&](const SaveAsRequest& request, std::u16string& chosen) {
    dialogs.push_back(request);
    chosen = request.folder + request.name;
    return true;
  };
  prompt_.answers = {kAnswerNo, kAnswerOk};
  Command(ID_FILE_SAVE_IMAGE);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].name, u"a-r.bmp");
  const std::string bytes = ReadFile(data_ + L"a-r.bmp");
  ASSERT_EQ(bytes.size(), 54u + 900 * 400);
  const auto* header = reinterpret_cast<const std::uint8_t*>(bytes.data()) + 14;
  EXPECT_EQ(ReadLe32(header + 4), 300u);
  EXPECT_EQ(ReadLe32(header + 8), 400u);
  EXPECT_EQ(ReadLe32(header + 20), 900u * 400);
}

}  // namespace
}  // namespace tarn::test
