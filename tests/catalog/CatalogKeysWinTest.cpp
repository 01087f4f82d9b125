// The catalog's keyboard through the view's message handler: each key once with the selection rule
// it shares with the clicks, Enter and F2 reaching the display and rename windows, the status bar's
// file facts for the current cell and the cell under the mouse, a finished copy in the first pane,
// and the empty screen's line.
#include <array>
#include <initializer_list>
#include <vector>

#include "tests/catalog/CatalogFixture.h"

#include "framework/MemoryBitmap.h"

namespace tarn::test {
namespace {

class CatalogKeysTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_SinglClickFlag = 0;
    // Four columns and two rows to a screen: ten cells make three rows and a scroll.
    SetWindowPos(frame_->Handle(), nullptr, 0, 0, 420, 330, SWP_NOZORDER);
    for (int i = 0; i < 10; ++i) Picture(L"p" + std::to_wstring(i) + L".bmp", 20, 20, RGB(20 * i, 0, 0));
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 10);
    View().fileFacts = [this](const std::array<std::u16string, 4>& panes) { facts_.push_back(panes); };
  }

  CTarnView& View() { return frame_->View(); }
  int Columns() { return View().Shown().columns; }
  int State(int row) const { return TheCatalog().entries[row].state; }
  std::u16string Name(int row) const { return TheCatalog().entries[row].name; }

  // A key as the keyboard sends it, with `held` (VK_SHIFT, VK_CONTROL) down meanwhile.
  void Key(WPARAM key, std::initializer_list<int> held = {}) {
    BYTE keys[256];
    GetKeyboardState(keys);
    for (int k : held) keys[k] |= 0x80;
    SetKeyboardState(keys);
    SendMessageW(View().Handle(), WM_KEYDOWN, key, 1);
    for (int k : held) keys[k] &= ~0x80;
    SetKeyboardState(keys);
  }
  void MouseAt(int k, int dx = 20) {
    const int columns = Columns();
    SendMessageW(View().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4 + k % columns * 94 + dx, 4 + k / columns * 108 + 20));
  }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < TheCatalog().rows; ++row)
      if (IsSelected(State(row))) rows.push_back(row);
    return rows;
  }

  std::vector<std::array<std::u16string, 4>> facts_;
};

TEST_F(CatalogKeysTest, KeysMoveTheCurrentCellWithTheClicksRules) {
  const int c = Columns();
  ASSERT_GE(c, 2);
  ASSERT_LT(c, 6) << "the catalog needs three rows of cells";
  Key(VK_HOME);
  EXPECT_EQ(View().Cursor(), 0);
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  ASSERT_FALSE(facts_.empty());
  EXPECT_EQ(facts_.back()[0], u"p0.bmp");
  EXPECT_EQ(facts_.back()[1], u"2 KB");  // 1,254 bytes
  EXPECT_EQ(facts_.back()[2], u"20 × 20") << "the build decoded it";
  EXPECT_EQ(facts_.back()[3].size(), 16u);

  Key(VK_RIGHT);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1}) << "a plain key selects its cell alone";
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2}));
  Key(VK_RIGHT, {VK_CONTROL});
  EXPECT_EQ(View().Cursor(), 3);
  EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2})) << "Ctrl moves without selecting";
  EXPECT_EQ(facts_.back()[0], u"p3.bmp");
  Key(VK_SPACE, {VK_CONTROL});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(View().Selection().selected, 3);

  Key(VK_DOWN);
  EXPECT_EQ(View().Cursor(), 3 + c);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3 + c});
  Key(VK_END);
  Key(VK_NEXT);
  EXPECT_EQ(View().Cursor(), 9);
  EXPECT_GT(View().ScrollPosition().y, 0) << "the current cell is scrolled into the view";
  Key(VK_PRIOR);
  EXPECT_EQ(View().Cursor(), 9 % c) << "two rows to a screen";
  Key(VK_UP);
  EXPECT_EQ(View().Cursor(), 9 % c);

  // Enter opens the current entry as a double click does; F2, through the frame's key table, asks
  // for its rename.
  std::vector<std::u16string> opened, renamed;
  View().openInWindow = [&](const std::u16string& path, int, int) { opened.push_back(path); };
  View().renameAsked = [&](POINT, const std::u16string& name) { renamed.push_back(name); };
  Key(VK_RETURN);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], FromWide(data_.c_str()) + Name(View().Cursor()));
  MSG f2{View().Handle(), WM_KEYDOWN, VK_F2, 1};
  EXPECT_TRUE(TranslateAcceleratorW(frame_->Handle(), frame_->Accelerators(), &f2));
  EXPECT_EQ(renamed, std::vector<std::u16string>{Name(View().Cursor())});
}

TEST_F(CatalogKeysTest, APlainKeyAsksBeforeDroppingTheMarks) {
  Key(VK_HOME);
  TheCatalog().entries[5].state = kEntryMovieMarked;
  const_cast<SelectionState&>(View().Selection()).marked = 1;
  prompt_.shown.clear();
  prompt_.answers = {kAnswerCancel};
  Key(VK_RIGHT);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"選択したファイルを解除しますか？  ≪ｷｬﾝｾﾙ≫で戻ります");
  EXPECT_EQ(View().Cursor(), 0) << "Cancel goes back";
  EXPECT_EQ(State(5), kEntryMovieMarked);
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(View().Cursor(), 0) << "no range against marks";
  Key(VK_RIGHT);
  EXPECT_EQ(View().Cursor(), 1);
  EXPECT_EQ(State(5), kEntrySelected) << "OK turns the marks into the selection";
}

TEST_F(CatalogKeysTest, TheMouseOverACellTellsItsFactsOnceAndACopySaysWhereItWent) {
  MouseAt(4);
  MouseAt(4, 40);
  MouseAt(5);
  ASSERT_EQ(facts_.size(), 2u) << "only when the cell under the mouse changes";
  EXPECT_EQ(facts_[0][0], u"p4.bmp");
  EXPECT_EQ(facts_[1][0], u"p5.bmp");
  // A file changed since the build no longer claims the size it was decoded at.
  Picture(L"p5.bmp", 30, 20, kRed);
  MouseAt(6);
  MouseAt(5);
  EXPECT_EQ(facts_.back()[2], u"");

  const std::wstring target = folder_ + L"target";
  CreateDirectoryW(target.c_str(), nullptr);
  Key(VK_HOME);
  Key(VK_RIGHT, {VK_SHIFT});
  HintRecord copy{.request = kViewCopy, .folder = target};
  View().OnUpdate(nullptr, kHintRequest, &copy);
  EXPECT_EQ(frame_->StatusText(0), L"2 個のファイルを " + target + L" にコピーしました");
  for (const wchar_t* name : {L"\\p0.bmp", L"\\p1.bmp"}) EXPECT_TRUE(DeleteFileW((target + name).c_str())) << name;
  RemoveDirectoryW(target.c_str());

  // The deleted current cell leaves no facts behind.
  Key(VK_HOME);
  prompt_.answers = {kAnswerOk};
  HintRecord remove{.request = kViewDelete};
  View().OnUpdate(nullptr, kHintRequest, &remove);
  ASSERT_EQ(State(0), kEntryVacated);
  EXPECT_EQ(facts_.back(), (std::array<std::u16string, 4>{}));

  HintRecord clear{.request = kViewClearScreen};
  View().OnUpdate(nullptr, kHintRequest, &clear);
  EXPECT_EQ(facts_.back(), (std::array<std::u16string, 4>{})) << "the panes empty with the catalog";
}

TEST_F(CatalogKeysTest, TheEmptyScreenShowsOneLineInItsMiddle) {
  HintRecord clear{.request = kViewClearScreen};
  View().OnUpdate(nullptr, kHintRequest, &clear);
  RECT client;
  GetClientRect(View().Handle(), &client);
  ASSERT_GT(client.right, 100);
  MemoryBitmap shot;
  HDC screen = GetDC(nullptr);
  const bool made = shot.MakeContext(screen) && shot.MakeBitmap(screen, client.right, client.bottom) && shot.Select();
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(made && shot.FillWhite());
  SendMessageW(View().Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Dc()), PRF_CLIENT);
  // Dark text pixels on the middle line, none in the band above it.
  const auto darkOnLine = [&](int y) {
    int dark = 0;
    for (int x = 0; x < client.right; ++x)
      for (int dy = -6; dy <= 6; ++dy) dark += GetRValue(GetPixel(shot.Dc(), x, y + dy)) < 100;
    return dark;
  };
  EXPECT_GT(darkOnLine(client.bottom / 2), 20);
  EXPECT_EQ(darkOnLine(client.bottom / 4), 0);
}

}  // namespace
}  // namespace tarn::test
