// The catalog's selection and file operations through the view under the test display: Ctrl and
// Shift clicks, a cell dragged onto another, deleting with the gaps closed, renaming through the
// text window's request.
#include "tests/catalog/CatalogFixture.h"

#include "base/resource.h"
#include "image/DispWin.h"

namespace tarn::test {
namespace {

class CatalogSelectTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_SinglClickFlag = 0;
    g_DustBoxFlag = 0;
    g_CatRenewFlag = 1;
    for (int i = 0; i < 8; ++i) Picture(L"p" + std::to_wstring(i) + L".bmp", 20, 20, RGB(30 * i, 0, 0));
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 8);
  }

  POINT CellPoint(int k) const {
    const int columns = frame_->View().Shown().columns;
    return {4 + k % columns * 94 + 20, 4 + k / columns * 108 + 20};
  }
  // A click as the mouse makes it; the button is already up again, so no drag begins.
  void Click(int k, WPARAM keys = 0) {
    const POINT at = CellPoint(k);
    const HWND view = frame_->View().Handle();
    PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
    Pump(10);
  }
  int State(int row) const { return TheCatalog().entries[row].state; }
  std::u16string Name(int row) const { return TheCatalog().entries[row].name; }
  bool OnDisk(const wchar_t* name) const {
    return GetFileAttributesW((data_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(CatalogSelectTest, CtrlAndShiftClicksSelect) {
  Click(1, MK_CONTROL);
  Click(4, MK_CONTROL);
  EXPECT_EQ(State(1), kEntrySelected);
  EXPECT_EQ(State(4), kEntrySelected);
  EXPECT_EQ(frame_->View().Selection().selected, 2);
  Click(1, MK_CONTROL);
  EXPECT_EQ(State(1), kEntryNormal);
  // A plain click selects its row alone; Shift then takes every row up to the clicked one.
  Click(3);
  EXPECT_EQ(State(4), kEntryNormal);
  EXPECT_EQ(frame_->View().Cursor(), 3);
  TheCatalog().entries[5].state = kEntryVacated;
  Click(6, MK_SHIFT);
  for (int row : {3, 4, 6}) EXPECT_EQ(State(row), kEntrySelected) << row;
  EXPECT_EQ(State(5), kEntryVacated) << "a vacated row stays out";
  EXPECT_EQ(State(2), kEntryNormal);
  EXPECT_EQ(frame_->View().Selection().selected, 3);
}

TEST_F(CatalogSelectTest, ACellDraggedOntoAnotherTakesItsPlace) {
  Click(2);  // the drag source
  const int slot = TheCatalog().entries[2].slot;
  frame_->View().DropAt(CellPoint(5));
  EXPECT_EQ(Name(2), u"p3.bmp");
  EXPECT_EQ(Name(3), u"p4.bmp");
  EXPECT_EQ(Name(4), u"p5.bmp");
  EXPECT_EQ(Name(5), u"p2.bmp");
  EXPECT_EQ(TheCatalog().entries[5].slot, slot) << "the cell image travels with its row";
  EXPECT_EQ(frame_->View().Selection().dragSource, -1);
  // A second drop without a drag moves nothing.
  frame_->View().DropAt(CellPoint(0));
  EXPECT_EQ(Name(0), u"p0.bmp");
}

TEST_F(CatalogSelectTest, DeletingClosesTheGapsAndRenamingFollowsTheTextWindow) {
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_DISP_DIALOG, 0);
  const HWND dialog = FindOwnWindow(L"#32770", L"表示/並替");
  ASSERT_NE(dialog, nullptr);
  Click(1, MK_CONTROL);
  Click(2, MK_CONTROL);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_EDIT_DELETE, 0);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"複数ファイルを削除しますか ");
  EXPECT_FALSE(OnDisk(L"p1.bmp"));
  EXPECT_FALSE(OnDisk(L"p2.bmp"));
  EXPECT_TRUE(OnDisk(L"p3.bmp"));
  // The later cells moved up over the gaps.
  EXPECT_EQ(Name(1), u"p3.bmp");
  EXPECT_EQ(Name(5), u"p7.bmp");
  EXPECT_EQ(State(6), kEntryVacated);
  EXPECT_EQ(State(7), kEntryVacated);
  EXPECT_EQ(frame_->View().DrawnRows(), 6);
  wchar_t count[16] = {};
  GetDlgItemTextW(dialog, IDC_DISP_COUNT, count, 16);
  EXPECT_STREQ(count, L"6") << "\"ﾌｧｲﾙ数\" counts the files left, not the table's rows";

  Click(0);
  frame_->m_PopupText = L"renamed.bmp";
  SendMessageW(frame_->Handle(), WM_POPUP_WIN, 0, 21);
  EXPECT_EQ(Name(0), u"renamed.bmp");
  EXPECT_TRUE(OnDisk(L"renamed.bmp"));
  EXPECT_FALSE(OnDisk(L"p0.bmp"));
  // Onto an existing name: refused, both files kept.
  frame_->m_PopupText = L"p3.bmp";
  SendMessageW(frame_->Handle(), WM_POPUP_WIN, 0, 21);
  EXPECT_EQ(Name(0), u"renamed.bmp");
  EXPECT_TRUE(OnDisk(L"renamed.bmp"));
  EXPECT_TRUE(OnDisk(L"p3.bmp"));
}

TEST_F(CatalogSelectTest, AWindowDeletesThePictureItShowsAndAStepCarriesALoneSelection) {
  const auto open = [&](int k) {
    const POINT at = CellPoint(k);
    SendMessageW(frame_->View().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Pump(10);
  };
  const auto deleteFromWindow = [&] {
    ASSERT_NE(frame_->SingleDisplay(), nullptr);
    SendMessageW(frame_->SingleDisplay()->Handle(), WM_COMMAND, 32909, 0);  // "削除(&D)"
    Pump(50);
  };
  // p0 is shown; the user then selects p5 in the catalog: the window's delete still means p0.
  Click(0);
  open(0);
  Click(5);
  deleteFromWindow();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイルを削除しますか ");
  EXPECT_EQ(prompt_.shown[0].caption, u"p0.bmp");
  EXPECT_FALSE(OnDisk(L"p0.bmp"));
  EXPECT_TRUE(OnDisk(L"p5.bmp"));
  ASSERT_GE(Row(u"p5.bmp"), 0);
  EXPECT_EQ(State(Row(u"p5.bmp")), kEntrySelected) << "the catalog's selection is left as it was";
  EXPECT_EQ(frame_->View().Selection().selected, 1);

  // p1 selected and shown; the window steps to p2 and the lone selection goes along.
  Click(Row(u"p1.bmp"));
  open(Row(u"p1.bmp"));
  SendMessageW(frame_->Handle(), WM_DISP_WIN, 0, 16);  // "▽次画面"
  Pump(20);
  EXPECT_EQ(frame_->SingleDisplay()->Title().substr(0, 6), L"p2.bmp");
  EXPECT_EQ(State(Row(u"p2.bmp")), kEntrySelected);
  EXPECT_EQ(State(Row(u"p1.bmp")), kEntryNormal);
  deleteFromWindow();
  EXPECT_EQ(prompt_.shown.back().caption, u"p2.bmp");
  EXPECT_FALSE(OnDisk(L"p2.bmp"));
  EXPECT_TRUE(OnDisk(L"p1.bmp"));
}

TEST_F(CatalogSelectTest, AVacatedCellShowsNoNameWhenPaintedAgain) {
  g_CatRenewFlag = 0;  // the gap stays where the file was
  Click(1);
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_EDIT_DELETE, 0);
  ASSERT_EQ(State(1), kEntryVacated);
  const HWND view = frame_->View().Handle();
  RECT client{};
  GetClientRect(view, &client);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  // Dark pixels in the title band of cell k (cells of size M: 90 pixels, 94 apart).
  const auto inked = [&](int k) {
    int n = 0;
    for (int y = 4 + 90; y < 4 + 104; ++y)
      for (int x = 4 + k * 94; x < 4 + k * 94 + 90; ++x) n += GetRValue(GetPixel(dc, x, y)) < 128;
    return n;
  };
  EXPECT_EQ(inked(1), 0) << "the deleted file's name is not drawn again";
  EXPECT_GT(inked(2), 0);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(CatalogSelectTest, ASingleClickOnThePictureOnDisplayOpensNothingAgain) {
  g_SinglClickFlag = 1;
  Click(0);
  Pump(50);  // the 10 ms timer opens it
  ASSERT_NE(frame_->SingleDisplay(), nullptr);
  const unsigned loads = picture_->LoadCount();
  Click(0);
  Pump(50);
  EXPECT_EQ(picture_->LoadCount(), loads) << "already on display";
  Click(1);
  Pump(50);
  EXPECT_GT(picture_->LoadCount(), loads);
  EXPECT_EQ(frame_->SingleDisplay()->Title().substr(0, 6), L"p1.bmp");
  g_SinglClickFlag = 0;
}

}  // namespace
}  // namespace tarn::test
