// The view's image tools through the frame's menu commands: wallpapers saved from the expanded
// screen and deleted, trimming frames dragged with the mouse and moved in their dialog, and the
// files they leave on disk read back pixel by pixel.
#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/cache/JpegHead.h"
#include "catalog/screens/ScreenResource.h"
#include "catalog/view/TrimResource.h"
#include "tests/support/DialogScript.h"

namespace tarn::test {
namespace {

constexpr COLORREF kStripe = RGB(0, 160, 0);

// 400 x 300: two green columns on the left, red up to column 200, blue after it.
std::string StripedBmp() {
  BmpFile f;
  f.width = 400;
  f.height = 300;
  const std::size_t row = DibRowBytes(400, 24);
  f.pixels.assign(row * 300, 0);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      const COLORREF c = x < 2 ? kStripe : x < 200 ? kRed : kBlue;
      std::uint8_t* p = &f.pixels[y * row + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  const std::vector<std::uint8_t> bytes = MakeBmp(f);
  return std::string(bytes.begin(), bytes.end());
}

class WallpaperTrimTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    StartPictureScreens();
    g_TrimAdjustFlag = 0;
    g_WallSelect2Flag = 0;
    g_BlackFlag = 0;
    // The trimming copies what the window shows: the frame is on the screen, the picture whole in it.
    SetWindowPos(frame_->Handle(), HWND_TOP, 0, 0, 640, 600, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    WriteFile(L"pictures\\stripes.bmp", StripedBmp());
    BmpFile few;
    few.width = few.height = 8;
    few.bitCount = 4;
    few.palette = RampPalette(16);
    few.pixels.assign(DibRowBytes(8, 4) * 8, 0x12);
    const std::vector<std::uint8_t> bytes = MakeBmp(few);
    WriteFile(L"pictures\\four.bmp", std::string(bytes.begin(), bytes.end()));
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 2);
    View().Saver().saveAs = [this](const SaveAsRequest& request, std::u16string& chosen) {
      dialogs_.push_back(request);
      if (answers_.empty()) return false;
      chosen = answers_.front();
      answers_.erase(answers_.begin());
      return true;
    };
    prompt_.shown.clear();
  }
  void TearDown() override {
    g_ScreenMode = 0;
    g_PictureShown = 0;
    g_AdjustSizeFlag = 1;
    g_TrimAdjustFlag = 0;
    for (const wchar_t* name : {L"TarnWall1.jpg", L"TarnWall1.bmp", L"TarnTrim.bmp"}) DeleteFileW((folder_ + name).c_str());
    CatalogTest::TearDown();
  }

  CTarnView& View() { return frame_->View(); }
  void Command(int id, int row = -1) {
    if (row >= 0) const_cast<SelectionState&>(View().Selection()).cursor = row;
    SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump(50);
  }
  bool Exists(const std::wstring& path) const { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::u16string Data(const wchar_t* name) const { return FromWide((data_ + name).c_str()); }

  // The stripes on the expanded screen at their own size; answers where the picture was drawn.
  POINT ExpandStripes() {
    g_AdjustSizeFlag = 0;
    Command(ID_SCREEN_EXPAND, Row(u"stripes.bmp"));
    UpdateWindow(View().Handle());
    const DrawPlacement& drawn = picture_->DrawnRect();
    EXPECT_EQ(drawn.width, 400) << "the view must show the whole picture";
    return {drawn.x - View().ScrollPosition().x, drawn.y - View().ScrollPosition().y};
  }
  // The trimming command, then a drag from `from` to `to` (client coordinates).
  void Drag(POINT from, POINT to) {
    Command(ID_VIEW_TRIM);
    const HWND view = View().Handle();
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump(50);
  }
  // Answers the format questions with BMP and the save-as dialog with `name` in the data folder.
  void SaveAsBmp(const wchar_t* name) {
    prompt_.answers = {kAnswerNo, kAnswerOk};
    answers_ = {Data(name)};
  }

  std::vector<SaveAsRequest> dialogs_;
  std::vector<std::u16string> answers_;
};

TEST_F(WallpaperTrimTest, WallpaperOfSixteenColoursIsRefusedAfterAutoSizeIsSwitchedOff) {
  Command(ID_FILE_WALL_SAVE, Row(u"four.bmp"));
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, u"「AUTOｻｲｽﾞ」を OFF します ");
  EXPECT_EQ(prompt_.shown[0].caption, u"Tarn壁紙保存");
  EXPECT_EQ(g_AdjustSizeFlag, 0);
  EXPECT_EQ(prompt_.shown[1].text, u"16 色の画像は壁紙として保存できません ");
  EXPECT_EQ(prompt_.shown[1].caption, u"壁紙対象画像≪256色以上≫");
  EXPECT_EQ(g_CatalogShown, 1) << "back on the catalog";
  EXPECT_FALSE(Exists(folder_ + L"TarnWall1.jpg"));
}

TEST_F(WallpaperTrimTest, WallpaperIsTheShownPartAndGoesWhenDeleted) {
  // A window smaller than the picture: the wallpaper is what it shows and 16 pixels more.
  SetWindowPos(frame_->Handle(), nullptr, 0, 0, 300, 260, SWP_NOZORDER | SWP_NOACTIVATE);
  Command(ID_FILE_WALL_SAVE, Row(u"stripes.bmp"));
  ASSERT_EQ(g_PictureShown, 1) << "the entry opens on the expanded screen";
  RECT client;
  GetClientRect(View().Handle(), &client);
  ASSERT_LT(client.right + 16, 400);
  prompt_.shown.clear();
  Command(ID_FILE_WALL_SAVE);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"１枚目の壁紙として保存しますか？ ≪ｷｬﾝｾﾙ≫で保留 ");
  EXPECT_EQ(prompt_.shown[0].caption, u"壁紙保存確認");
  View().Saver().WaitForWriter();
  Pump(50);
  EXPECT_EQ(prompt_.shown.back().text, u"壁紙として保存しました ");
  const std::string jpeg = ReadFile(folder_ + L"TarnWall1.jpg");
  JpegHead head;
  ASSERT_TRUE(ReadJpegHead(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size(), head));
  EXPECT_EQ(head.width, client.right + 16);
  EXPECT_EQ(head.height, std::min(300, static_cast<int>(client.bottom) + 16));
  EXPECT_FALSE(Exists(folder_ + L"TarnWall1.bmp")) << "the intermediate file is removed";

  prompt_.shown.clear();
  Command(ID_FILE_WALL_DELETE);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"１枚目の壁紙を削除しますか ");
  EXPECT_FALSE(Exists(folder_ + L"TarnWall1.jpg"));
  Command(ID_FILE_WALL_DELETE);
  EXPECT_EQ(prompt_.shown.back().text, u"Tarnの壁紙がありません ");
  EXPECT_EQ(prompt_.shown.back().caption, u"削除エラー");
}

TEST_F(WallpaperTrimTest, TrimmingKeepsSixteenBySixteenAndCancelsFifteenWide) {
  const POINT at = ExpandStripes();
  Drag({at.x + 100, at.y + 20}, {at.x + 115, at.y + 220});
  EXPECT_TRUE(prompt_.shown.empty()) << "15 x 200 is no frame";
  EXPECT_FALSE(View().TrimArmed());
  EXPECT_FALSE(Exists(folder_ + L"TarnTrim.bmp"));

  SaveAsBmp(L"cut.bmp");
  Drag({at.x + 208, at.y + 26}, {at.x + 192, at.y + 10});
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].name, u"TarnTrim.bmp");
  const WrittenBmp cut(ReadFile(data_ + L"cut.bmp"));
  ASSERT_EQ(cut.data.size(), 54u + 48 * 16);
  EXPECT_EQ(cut.Width(), 16);
  EXPECT_EQ(cut.Height(), 16);
  for (int y : {0, 15}) {
    EXPECT_EQ(cut.Pixel(0, y), kRed);
    EXPECT_EQ(cut.Pixel(7, y), kRed);
    EXPECT_EQ(cut.Pixel(8, y), kBlue);
    EXPECT_EQ(cut.Pixel(15, y), kBlue);
  }
  EXPECT_FALSE(Exists(folder_ + L"TarnTrim.bmp")) << "the working file is removed";
  EXPECT_EQ(picture_->Loaded().Width(), 400) << "the expanded screen shows its own picture again";

  // A corner dragged past the picture stops on its edge.
  SaveAsBmp(L"edge.bmp");
  Drag({at.x + 380, at.y + 10}, {at.x + 520, at.y + 30});
  const WrittenBmp edge(ReadFile(data_ + L"edge.bmp"));
  EXPECT_EQ(edge.Width(), 20);
  EXPECT_EQ(edge.Pixel(19, 0), kBlue);
}

TEST_F(WallpaperTrimTest, TrimmingFrameMovedLeftStopsAtThePictureEdge) {
  const POINT at = ExpandStripes();
  g_TrimAdjustFlag = 1;
  const auto press = [](int id) { return [id](HWND dialog) { DialogScript::Press(dialog, id); }; };
  DialogScript script(L"  トリミング枠の移動",
                      {press(IDC_TRIM_LEFT), press(IDC_TRIM_LEFT), press(IDC_TRIM_LEFT), press(IDC_TRIM_NEXT)});
  SaveAsBmp(L"moved.bmp");
  Drag({at.x + 3, at.y + 40}, {at.x + 23, at.y + 60});
  EXPECT_EQ(script.done(), 4u);
  const WrittenBmp moved(ReadFile(data_ + L"moved.bmp"));
  ASSERT_EQ(moved.Width(), 20);
  // From column 3 two steps reach column 0 and the third stays there: the green columns come first.
  EXPECT_EQ(moved.Pixel(0, 0), kStripe);
  EXPECT_EQ(moved.Pixel(1, 0), kStripe);
  EXPECT_EQ(moved.Pixel(2, 0), kRed);

  // "画面クリア" abandons the frame: nothing is asked or written.
  prompt_.shown.clear();
  DialogScript clear(L"  トリミング枠の移動", {press(IDC_TRIM_CLEAR)});
  Drag({at.x + 50, at.y + 40}, {at.x + 90, at.y + 80});
  EXPECT_EQ(clear.done(), 1u);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_FALSE(Exists(folder_ + L"TarnTrim.bmp"));
}

}  // namespace
}  // namespace tarn::test
