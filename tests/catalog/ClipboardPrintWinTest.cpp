// The image tools through the frame's commands, on real files: the clipboard's picture saved and
// read back, the clipboard view left as the other commands leave it, the thumbnail-source batch
// with its refusals, questions and switches, and the printed page on a stand-in of a printer's
// metrics.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "base/TextUtil.h"
#include "catalog/save/ImageSaver.h"
#include "catalog/save/ThumbSource.h"
#include "catalog/screens/ScreenResource.h"
#include "framework/MemoryBitmap.h"

namespace tarn::test {
namespace {

// A bitmap of the screen's kind, red on the left half and blue on the right, put on the clipboard.
void PutTwoColourBitmap(HWND owner, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const RECT left{0, 0, width / 2, height}, right{width / 2, 0, width, height};
  HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
  FillRect(dc, &left, red);
  FillRect(dc, &right, blue);
  DeleteObject(red);
  DeleteObject(blue);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);
  CloseClipboard();
}

class ClipboardPrintTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_MultiWindowFlag = 0;
    Picture(L"a.bmp", 40, 30, kGreen);
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 1);
    ScriptSaveAs(frame_->View().Saver(), dialogs_, answers_);
    prompt_.shown.clear();
  }
  void TearDown() override {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    CatalogTest::TearDown();
  }

  void Command(int id) { SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  std::u16string Data(const wchar_t* name) const { return FromWide((data_ + name).c_str()); }
  const std::u16string& LastText() const { return prompt_.shown.back().text; }

  std::vector<SaveAsRequest> dialogs_;
  std::vector<std::u16string> answers_;
};

TEST_F(ClipboardPrintTest, ClipboardPictureSavedAsBmpReadsBackPixelForPixel) {
  PutTwoColourBitmap(frame_->Handle(), 37, 23);
  prompt_.answers = {kAnswerNo, kAnswerOk};  // not JPEG; BMP
  answers_ = {Data(L"clip.bmp")};
  Command(ID_FILE_CLIP_IMAGE);
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].name, u"ScreenShot.bmp");
  EXPECT_EQ(dialogs_[0].folder, g_StartFolder) << "the first clipboard save starts in the program's folder";
  const WrittenBmp clip(ReadFile(data_ + L"clip.bmp"));
  ASSERT_EQ(clip.data.size(), 54u + DibRowBytes(37, 24) * 23);
  EXPECT_EQ(clip.Width(), 37);
  EXPECT_EQ(clip.Height(), 23);
  EXPECT_EQ(clip.Bits(), 24);
  for (int y : {0, 22}) {
    EXPECT_EQ(clip.Pixel(0, y), kRed);
    EXPECT_EQ(clip.Pixel(17, y), kRed);
    EXPECT_EQ(clip.Pixel(18, y), kBlue);
    EXPECT_EQ(clip.Pixel(36, y), kBlue);
  }
  EXPECT_EQ(GetFileAttributesW(AsWide(g_StartFolder + u"ScreenShot.bmp")), INVALID_FILE_ATTRIBUTES)
      << "the working file is removed";
  EXPECT_EQ(frame_->View().Saver().LastClipboardFolder(), Data(L""));

  // The next save starts where the last one went; the file read back through the plug-in is the
  // same picture.
  ASSERT_EQ(picture_->FileLoad(kSelectStill, (data_ + L"clip.bmp").c_str()), 0);
  EXPECT_EQ(picture_->Loaded().Width(), 37);
  prompt_.answers = {kAnswerNo, kAnswerOk};
  Command(ID_FILE_CLIP_IMAGE);
  ASSERT_EQ(dialogs_.size(), 2u);
  EXPECT_EQ(dialogs_[1].folder, Data(L""));
}

TEST_F(ClipboardPrintTest, ClipboardWithoutBitmapAndTheClipboardView) {
  ASSERT_TRUE(OpenClipboard(frame_->Handle()));
  EmptyClipboard();
  CloseClipboard();
  Command(ID_FILE_CLIP_IMAGE);
  EXPECT_EQ(LastText(), u"クリップボードに画像が有りません");
  EXPECT_EQ(prompt_.shown.back().caption, u"画像の確認");
  Command(ID_FILE_CLIP_OPEN);
  EXPECT_EQ(LastText(), u"クリップボードに画像が有りません");
  EXPECT_EQ(g_ScreenMode, 0);

  // Shown in place of the catalog; the save command leaves the view instead of saving.
  PutTwoColourBitmap(frame_->Handle(), 20, 10);
  Command(ID_FILE_CLIP_OPEN);
  EXPECT_EQ(g_ScreenMode, kScreenClipboardOverCatalog);
  EXPECT_EQ(g_CatalogShown, 0);
  const std::size_t before = prompt_.shown.size();
  Command(ID_FILE_SAVE_IMAGE);
  ASSERT_EQ(prompt_.shown.size(), before + 1);
  EXPECT_EQ(LastText(), u"カタログ画面に戻ります ");
  EXPECT_EQ(g_ScreenMode, 0);
  EXPECT_EQ(g_CatalogShown, 1);

  // Clearing ends the view and empties the clipboard.
  Command(ID_FILE_CLIP_OPEN);
  Command(ID_FILE_CLIP_CLEAR);
  EXPECT_EQ(g_ScreenMode, 0);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));

  // Without a catalog none of them runs.
  frame_->View().ClearCatalog();
  Command(ID_FILE_CLIP_OPEN);
  EXPECT_EQ(LastText(), u"メニューの「読出・書込」でカタログを表示してください");
}

class ThumbBatchTest : public ClipboardPrintTest {
 protected:
  void SetUp() override {
    ClipboardPrintTest::SetUp();
    g_BmpSize = kBmpSizeDefault;
    g_ThumbQuietFlag = g_ThumbOverwriteFlag = 0;
    source_ = data_ + L"bmp-src\\";
    CreateDirectoryW(source_.c_str(), nullptr);
    Picture(L"bmp-src\\a.bmp", 400, 200, kRed);
    Picture(L"bmp-src\\b.bmp", 100, 280, kBlue);
    frame_->CatalogFolder(FromWide(source_.c_str()));
    ASSERT_EQ(TheCatalog().rows, 2);
    prompt_.shown.clear();
  }
  void TearDown() override {
    g_ThumbQuietFlag = g_ThumbOverwriteFlag = 0;
    for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"a-70.bmp", L"_THUMB_N.TRN"}) DeleteFileW((source_ + name).c_str());
    RemoveDirectoryW(source_.c_str());
    ClipboardPrintTest::TearDown();
  }
  void SelectAll() { Command(ID_EDIT_SELECT_ALL); }
  void Batch() {
    Command(ID_EDIT_SIZE_CHANGE);
    Pump(300);  // the catalog comes back through its timer
  }

  std::wstring source_;
};

TEST_F(ThumbBatchTest, RenamedThenOverwrittenSourcesKeepTheirPixelsAndNeverGoHalfWritten) {
  SelectAll();
  // a.bmp: 400 x 200 at 280 pixels is 70 %; No names it "a-70.bmp". b.bmp is already 280 high.
  prompt_.answers = {kAnswerNo, kAnswerOk};
  answers_ = {FromWide((source_ + L"a-70.bmp").c_str())};
  Batch();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].name, u"a-70.bmp");
  ASSERT_GE(prompt_.shown.size(), 3u);
  EXPECT_EQ(prompt_.shown[0].caption, u"サムネイル作成用の画像サイズ変更");
  EXPECT_EQ(prompt_.shown[1].text, u"↑↑上記のフォルダに保存しました    FileSize = " +
                                       GroupDigits(54 + static_cast<long long>(DibRowBytes(280, 24)) * 140) +
                                       u" byte\n\nフォルダを指定して「カタログ」ボタンを押すと表示されます ");
  EXPECT_EQ(prompt_.shown[2].caption, u"b.bmp") << "the batch asks before going on";
  EXPECT_EQ(LastText(), u"画像サイズは変更不用です");
  const WrittenBmp renamed(ReadFile(source_ + L"a-70.bmp"));
  EXPECT_EQ(renamed.Width(), 280);
  EXPECT_EQ(renamed.Height(), 140);
  EXPECT_EQ(renamed.Pixel(140, 70), kRed);
  EXPECT_EQ(WrittenBmp(ReadFile(source_ + L"a.bmp")).Width(), 400) << "No leaves the source alone";

  // Quiet and overwriting: a.bmp itself becomes 280 x 140 without a word; b.bmp is skipped quietly.
  g_ThumbQuietFlag = g_ThumbOverwriteFlag = 1;
  DeleteFileW((source_ + L"a-70.bmp").c_str());
  frame_->CatalogFolder(FromWide(source_.c_str()));
  SelectAll();
  prompt_.shown.clear();
  Batch();
  ASSERT_EQ(prompt_.shown.size(), 1u) << "only the question before b.bmp";
  const WrittenBmp overwritten(ReadFile(source_ + L"a.bmp"));
  EXPECT_EQ(overwritten.Width(), 280);
  EXPECT_EQ(overwritten.Pixel(140, 70), kRed);
  EXPECT_EQ(WrittenBmp(ReadFile(source_ + L"b.bmp")).Height(), 280);

  // A read-only source is not overwritten, and nothing half-written is left beside it.
  SetFileAttributesW((source_ + L"a.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  g_BmpSize = 200;
  SelectAll();
  prompt_.shown.clear();
  prompt_.answers = {kAnswerOk, kAnswerCancel};
  Batch();
  SetFileAttributesW((source_ + L"a.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(prompt_.shown[0].text, u"画像ファイルを削除できません<-v64> ");
  EXPECT_EQ(WrittenBmp(ReadFile(source_ + L"a.bmp")).Width(), 280);
  WIN32_FIND_DATAW found;
  HANDLE left = FindFirstFileW((source_ + L"*.tmp").c_str(), &found);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE);
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

TEST_F(ThumbBatchTest, RefusalsBeforeAnythingIsWritten) {
  Batch();
  EXPECT_EQ(LastText(), u"サイズ変更するサムネイルを選択してください");

  // 601 selected rows are one too many; 600 would be taken.
  CatalogTables& tables = TheCatalog();
  for (int row = 2; row < 601; ++row) tables.entries[row] = tables.entries[row % 2];
  tables.rows = 601;
  const_cast<ShownCatalog&>(frame_->View().Shown()).shownEnd = 601;
  for (int row = 0; row < 601; ++row) tables.entries[row].state = kEntrySelected;
  Batch();
  EXPECT_EQ(LastText(), u"サイズ変更する画像数が多すぎます");
  EXPECT_EQ(prompt_.shown.back().caption, u"最大変更画像数=600");
  EXPECT_EQ(WrittenBmp(ReadFile(source_ + L"a.bmp")).Width(), 400);

  // Outside a folder of thumbnail sources.
  Catalogue();
  SelectAll();
  Batch();
  EXPECT_EQ(LastText(), u"サムネイル用画像の保存フォルダを開いてください");
}

// A memory bitmap of the screen's kind, `width` x `height`, white.
bool WhiteSurface(MemoryBitmap& surface, int width, int height) {
  HDC screen = GetDC(nullptr);
  const bool made = surface.MakeContext(screen) && surface.MakeBitmap(screen, width, height) && surface.Select();
  ReleaseDC(nullptr, screen);
  return made && surface.FillWhite();
}

TEST_F(ClipboardPrintTest, PrintedPageFillsTheWidthOrIsReducedToTheHeightAndCentred) {
  // The picture to print comes from a context, as the catalog page does: CaptureDc's 24-bit copy.
  MemoryBitmap source;
  ASSERT_TRUE(WhiteSurface(source, 200, 100));
  HBRUSH red = CreateSolidBrush(kRed);
  const RECT all{0, 0, 200, 100};
  FillRect(source.Dc(), &all, red);
  ASSERT_EQ(picture_->CaptureDc(source.Dc(), 200, 100, kCapturePlain), kCaptureDone);
  EXPECT_EQ(picture_->Loaded().Width(), 200);
  EXPECT_EQ(picture_->Loaded().Rows(), 100);
  EXPECT_EQ(picture_->Loaded().BitCount(), 24);
  EXPECT_EQ(picture_->Loaded().Info()->bmiHeader.biSizeImage, DibRowBytes(200, 24) * 100);

  // A wide picture on a 600 x 800 printable area: 600 x 300 from the top-left corner.
  MemoryBitmap page;
  ASSERT_TRUE(WhiteSurface(page, 600, 800));
  picture_->DrawForPrinter(page.Dc(), 600, 800);
  EXPECT_EQ(GetPixel(page.Dc(), 0, 0), kRed);
  EXPECT_EQ(GetPixel(page.Dc(), 599, 299), kRed);
  EXPECT_EQ(GetPixel(page.Dc(), 300, 300), kWhite) << "nothing below the picture";

  // A tall one (100 x 400) would be 2400 high: 33 % of the width, 198 x 800, centred across.
  MemoryBitmap tall;
  ASSERT_TRUE(WhiteSurface(tall, 100, 400));
  const RECT column{0, 0, 100, 400};
  FillRect(tall.Dc(), &column, red);
  DeleteObject(red);
  ASSERT_EQ(picture_->CaptureDc(tall.Dc(), 100, 400, kCapturePlain), kCaptureDone);
  ASSERT_TRUE(page.FillWhite());
  picture_->DrawForPrinter(page.Dc(), 600, 800);
  EXPECT_EQ(GetPixel(page.Dc(), 200, 400), kWhite);
  EXPECT_EQ(GetPixel(page.Dc(), 201, 0), kRed);
  EXPECT_EQ(GetPixel(page.Dc(), 398, 799), kRed);
  EXPECT_EQ(GetPixel(page.Dc(), 399, 400), kWhite);

  // An empty area gives no picture: the old one has been released already.
  EXPECT_EQ(picture_->CaptureDc(page.Dc(), 0, 10, kCapturePlain), kCaptureNoMemory);
  EXPECT_EQ(picture_->Loaded().Info(), nullptr);
}

TEST_F(ClipboardPrintTest, PrintWithoutAPrinterSaysSo) {
  PRINTDLGW probe{};
  probe.lStructSize = sizeof probe;
  probe.Flags = PD_RETURNDEFAULT;
  if (PrintDlgW(&probe)) {
    GlobalFree(probe.hDevMode);
    GlobalFree(probe.hDevNames);
    GTEST_SKIP() << "a printer is installed: its dialog would wait for a user";
  }
  Command(ID_FILE_PRINT);
  EXPECT_EQ(LastText(), u"プリンタが有りません。\nプリンタを接続・設定してから実行してください ");
  // What would have been printed is the catalog page in view.
  RECT client;
  GetClientRect(frame_->View().Handle(), &client);
  ASSERT_GT(client.right, 0);
  EXPECT_EQ(picture_->Loaded().Width(), client.right);
  EXPECT_EQ(picture_->Loaded().Rows(), client.bottom);
}

TEST_F(ClipboardPrintTest, PreviewShowsTheExpandedPictureAcrossThePrintableWidthAndPrintsFromItsButton) {
  const_cast<SelectionState&>(frame_->View().Selection()).cursor = 0;
  Command(ID_SCREEN_EXPAND);
  ASSERT_EQ(g_PictureShown, 1);
  Command(ID_FILE_PRINT_PREVIEW);
  const CPrintPreview& preview = frame_->View().Preview();
  ASSERT_TRUE(preview.IsOpen());
  wchar_t title[128] = {};
  GetWindowTextW(preview.Handle(), title, 128);
  EXPECT_EQ(std::wstring(title).substr(0, 7), L"印刷プレビュー");
  UpdateWindow(preview.Handle());
  const PreviewPage p = preview.PagePlacement();
  ASSERT_GT(p.areaWidth, 100);
  HDC dc = GetDC(preview.Handle());
  // The 40 x 30 picture spans the printable width from its top; below it and beside the
  // printable area the sheet is white.
  EXPECT_TRUE(Near(GetPixel(dc, p.areaX + 2, p.areaY + 2), kGreen));
  EXPECT_TRUE(Near(GetPixel(dc, p.areaX + p.areaWidth - 3, p.areaY + 2), kGreen));
  EXPECT_EQ(GetPixel(dc, p.areaX + p.areaWidth / 2, p.areaY + p.areaWidth * 30 / 40 + 4), kWhite);
  EXPECT_EQ(GetPixel(dc, p.x + 2, p.y + p.height / 2), kWhite);
  ReleaseDC(preview.Handle(), dc);

  // "印刷" hands the print to the frame and closes the preview.
  HWND print = FindWindowExW(preview.Handle(), nullptr, L"BUTTON", L"印刷(&P)");
  ASSERT_NE(print, nullptr);
  PRINTDLGW probe{};
  probe.lStructSize = sizeof probe;
  probe.Flags = PD_RETURNDEFAULT;
  const bool printerInstalled = PrintDlgW(&probe) != 0;
  if (printerInstalled) {
    GlobalFree(probe.hDevMode);
    GlobalFree(probe.hDevNames);
    SendMessageW(FindWindowExW(preview.Handle(), nullptr, L"BUTTON", L"閉じる(&C)"), BM_CLICK, 0, 0);
    EXPECT_FALSE(preview.IsOpen());
    return;
  }
  EXPECT_NE(std::wstring(title).find(L"A4"), std::wstring::npos) << "the stand-in sheet is named";
  SendMessageW(print, BM_CLICK, 0, 0);
  EXPECT_FALSE(preview.IsOpen());
  Pump(50);
  EXPECT_EQ(LastText(), u"プリンタが有りません。\nプリンタを接続・設定してから実行してください ");
}

}  // namespace
}  // namespace tarn::test
