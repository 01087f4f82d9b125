// The catalog end to end under the test display: a folder catalogued through the folder dialog's
// request, cells where the geometry puts them, the folder's thumbnail cache written, read back,
// extended and compacted, and the questions a build asks.
#include "tests/catalog/CatalogFixture.h"

#include <array>

#include "base/resource.h"
#include "catalog/cache/ThumbnailRecord.h"
#include "tests/plugins/jpeg/JpegBuilder.h"

namespace tarn::test {
namespace {

using CatalogBuildTest = CatalogTest;

TEST_F(CatalogBuildTest, FolderIsCataloguedCachedAndReadBackWithoutDecoding) {
  Picture(L"blue.bmp", 50, 50, kBlue);     // square
  Picture(L"green.bmp", 40, 60, kGreen);   // portrait
  Picture(L"red.bmp", 60, 40, kRed);       // landscape
  g_MonitorFlag = 1;
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 3);
  EXPECT_TRUE(prompt_.shown.empty()) << ToAnsi(prompt_.shown[0].text);
  const CTarnView& view = frame_->View();
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(view.DrawnRows(), 3);
  EXPECT_EQ(view.DecodedRows(), 3);
  const int blue = Row(u"blue.bmp"), green = Row(u"green.bmp"), red = Row(u"red.bmp");
  ASSERT_EQ(blue, 0);
  EXPECT_EQ(TheCatalog().entries[blue].slot, 0);
  EXPECT_EQ(TheCatalog().entries[red].slot, 2);
  // The square drawn 82 x 82 four pixels in; the portrait 59 wide centred; the landscape 59 high.
  EXPECT_EQ(CellPixel(blue, 45, 45), kBlue);
  EXPECT_EQ(CellPixel(blue, 2, 45), kWhite);
  EXPECT_EQ(CellPixel(green, 45, 45), kGreen);
  EXPECT_EQ(CellPixel(green, 10, 45), kWhite);
  EXPECT_EQ(CellPixel(green, 20, 2), kGreen);
  EXPECT_EQ(CellPixel(red, 45, 45), kRed);
  EXPECT_EQ(CellPixel(red, 45, 10), kWhite);

  // The cache: three records of size M, with the display's pixel size, the file's size and name.
  std::string cache = Cache();
  ASSERT_EQ(cache.size(), 3u * kRecordLengthM);
  const char16_t* names[] = {u"blue.bmp", u"green.bmp", u"red.bmp"};
  for (int k = 0; k < 3; ++k) {
    ThumbHeader header;
    ASSERT_TRUE(ParseHeader(reinterpret_cast<const std::uint8_t*>(cache.data()) + k * kRecordLengthM,
                            kRecordLengthM, header));
    EXPECT_EQ(header.pixelSize, view.CatalogBitmap().PixelSize());
    EXPECT_EQ(header.sizeCode, 5);
    EXPECT_EQ(std::u16string(header.name), names[k]);
    EXPECT_EQ(header.fileSize, static_cast<std::int32_t>(ReadFile(data_ + AsWide(std::u16string(names[k]))).size()));
  }

  // Again: every thumbnail from the cache, nothing decoded, the same cells.
  Catalogue();
  EXPECT_EQ(view.DrawnRows(), 3);
  EXPECT_EQ(view.DecodedRows(), 0);
  EXPECT_TRUE(Near(CellPixel(blue, 45, 45), kBlue));
  EXPECT_TRUE(Near(CellPixel(blue, 1, 45), kWhite));
  EXPECT_TRUE(Near(CellPixel(green, 45, 45), kGreen));
  EXPECT_TRUE(Near(CellPixel(green, 8, 45), kWhite));
  EXPECT_TRUE(Near(CellPixel(red, 45, 45), kRed));
  EXPECT_TRUE(Near(CellPixel(red, 45, 10), kWhite));
  EXPECT_EQ(Cache(), cache);

  // A changed file is decoded again and appended; its old record stays until the engine runs.
  Picture(L"green.bmp", 40, 61, kYellow);
  Catalogue();
  EXPECT_EQ(view.DecodedRows(), 1);
  EXPECT_EQ(CellPixel(green, 45, 45), kYellow);
  EXPECT_EQ(Cache().size(), 4u * kRecordLengthM);

  // A deleted file leaves more records than files: the build compacts the cache first.
  ASSERT_TRUE(DeleteFileW((data_ + L"red.bmp").c_str()));
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 2);
  EXPECT_EQ(view.DecodedRows(), 0);
  cache = Cache();
  ASSERT_EQ(cache.size(), 2u * kRecordLengthM);
  ThumbHeader last;
  ParseHeader(reinterpret_cast<const std::uint8_t*>(cache.data()) + kRecordLengthM, kRecordLengthM, last);
  EXPECT_EQ(std::u16string(last.name), u"green.bmp");
  EXPECT_EQ(last.fileSize, static_cast<std::int32_t>(ReadFile(data_ + L"green.bmp").size()));
  EXPECT_EQ(frame_->StatusText(0).rfind(L"カタログ画面 ：", 0), 0u);
}

TEST_F(CatalogBuildTest, CacheOfAnotherSizeIsReplacedOnlyWithConsent) {
  Picture(L"one.bmp", 30, 20, kRed);
  Catalogue();
  ASSERT_EQ(Cache().size(), static_cast<std::size_t>(kRecordLengthM));
  // Size S: Cancel keeps the M cache and shows no catalog.
  g_CatalogSize = 0;
  g_CatalogLimit = 1600;
  prompt_.answers = {kAnswerCancel};
  Catalogue();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"古いサムネイルファイルを削除します  ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_EQ(prompt_.shown[0].caption, u"カタログサイズ不一致");
  EXPECT_EQ(g_CatalogShown, 0);
  EXPECT_EQ(Cache().size(), static_cast<std::size_t>(kRecordLengthM));
  // OK deletes it and the build writes an S cache; what showed of the old catalog is repainted
  // at once, before the first picture is decoded.
  ShowWindow(frame_->Handle(), SW_SHOWNA);
  UpdateWindow(frame_->Handle());
  struct RepaintWatch : RecordingProgressWindow {
    HWND view = nullptr;
    bool invalid = false, seen = false;
    void SetPos(int pos) override {
      if (text == kBuilding && !seen) invalid = GetUpdateRect(view, nullptr, FALSE) != FALSE;
      seen = seen || text == kBuilding;
      RecordingProgressWindow::SetPos(pos);
    }
  } watch;
  watch.view = frame_->View().Handle();
  Catalogue();
  EXPECT_TRUE(watch.invalid);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(frame_->View().DecodedRows(), 1);
  EXPECT_EQ(Cache().size(), static_cast<std::size_t>(kRecordLengthS));
}

TEST_F(CatalogBuildTest, CancelEndsTheBuildAndKeepsOnlyWholeRecords) {
  for (int i = 0; i < 5; ++i) Picture(L"p" + std::to_wstring(i) + L".bmp", 20, 20, kBlue);
  BuildCancellingProgress cancelling(2);
  Catalogue();
  EXPECT_EQ(TheCatalog().rows, 5) << "the table stays";
  EXPECT_EQ(g_CatalogShown, 0);
  EXPECT_EQ(g_CatalogBuilding, 0);
  EXPECT_EQ(cancelling.closed, cancelling.opened) << "the progress window is gone";
  const std::string cache = Cache();
  EXPECT_EQ(cache.size(), 2u * kRecordLengthM);
}

TEST_F(CatalogBuildTest, UnreadableFileBecomesAnErrorCellOrEndsTheBuild) {
  Picture(L"a.bmp", 20, 20, kRed);
  // A header the plug-in accepts, but no pixels behind it.
  BmpFile empty;
  empty.width = empty.height = 20;
  const std::vector<std::uint8_t> header = MakeBmp(empty);
  WriteFile(L"pictures\\b.bmp", std::string(header.begin(), header.end()));
  Picture(L"c.bmp", 20, 20, kGreen);
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 3);
  ASSERT_GE(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown.back().text, u"ロードエラー　継続しますか？ ≪ｷｬﾝｾﾙ≫で終了");
  const CatalogEntry& bad = TheCatalog().entries[1];
  EXPECT_EQ(bad.state, kEntryUnusable);
  EXPECT_EQ(bad.slot, 1) << "a title-only cell";
  EXPECT_EQ(CellPixel(1, 45, 45), kWhite);
  EXPECT_EQ(CellPixel(2, 45, 45), kGreen);
  EXPECT_EQ(Cache().size(), 2u * kRecordLengthM) << "nothing cached for the unreadable file";

  // The row stays unusable; a new request lists it afresh, and Cancel at its question ends the build.
  prompt_.shown.clear();
  prompt_.answers = {kAnswerOk, kAnswerCancel};
  Catalogue();
  EXPECT_EQ(g_CatalogShown, 0);
  EXPECT_EQ(prompt_.shown.back().text, u"ロードエラー　継続しますか？ ≪ｷｬﾝｾﾙ≫で終了");
}

// A header of `width` x `height` at `bits` with 4 KB of data behind it.
std::string HugeBmp(int width, int height, std::uint16_t bits) {
  BmpFile f{.width = width, .height = height, .bitCount = bits, .pixels = std::vector<std::uint8_t>(4096, 1)};
  if (bits == 8) f.palette = RampPalette(256);
  const std::vector<std::uint8_t> bytes = MakeBmp(f);
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(CatalogBuildTest, PicturesTooLargeToHoldAreErrorCellsAndPicturesTooLargeForGdiAreAveragedDown) {
  Picture(L"a.bmp", 20, 20, kRed);
  WriteFile(L"pictures\\huge.bmp", HugeBmp(30000, 30000, 24));  // 2.7 GB of pixels: not loaded
  WriteFile(L"pictures\\wide.bmp", HugeBmp(30000, 30000, 8));   // 900 MB: more than Wine's GDI stretches
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 3) << "the picture too large to hold is listed";
  const CatalogEntry& huge = TheCatalog().entries[Row(u"huge.bmp")];
  EXPECT_EQ(huge.state, kEntryUnusable);
  EXPECT_EQ(huge.slot, Row(u"huge.bmp")) << "an error cell";
  ASSERT_GE(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown.back().text, u"ロードエラー　継続しますか？ ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_NE(LogText().find(u"huge.bmp"), std::u16string::npos) << "its load error is logged";
  EXPECT_NE(TheCatalog().entries[Row(u"wide.bmp")].state, kEntryUnusable) << "drawn from its box reduction";
  EXPECT_EQ(Cache().size(), 2u * kRecordLengthM) << "records for a.bmp and wide.bmp";
}

// The cell as it should look: every pixel of the picture counted, by its centre, in the cell pixel
// it falls on, and each cell pixel the average of its share.
std::vector<COLORREF> AreaAverage(const BmpFile& bmp, int width, int height) {
  std::vector<std::array<long long, 4>> sums(static_cast<std::size_t>(width) * height);
  const std::size_t stride = DibRowBytes(bmp.width, 24);
  for (int y = 0; y < bmp.height; ++y)
    for (int x = 0; x < bmp.width; ++x) {
      const std::uint8_t* p = &bmp.pixels[(bmp.height - 1 - y) * stride + x * 3];
      std::array<long long, 4>& sum = sums[(y * height / bmp.height) * width + x * width / bmp.width];
      sum[0] += p[2], sum[1] += p[1], sum[2] += p[0], ++sum[3];
    }
  std::vector<COLORREF> average;
  for (const auto& sum : sums)
    average.push_back(RGB(sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3]));
  return average;
}

TEST_F(CatalogBuildTest, LargePicturesAveragedDownLookAsTheWholePictureStretched) {
  constexpr int kWidth = 1800, kHeight = 1200;
  const RECT target{0, 15, 90, 74};  // a 3:2 landscape in an M cell
  const auto make = [](auto colourAt) {
    BmpFile bmp{.width = kWidth, .height = kHeight};
    const std::size_t stride = DibRowBytes(kWidth, 24);
    bmp.pixels.resize(stride * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const COLORREF c = colourAt(x, kHeight - 1 - y);
        std::uint8_t* p = &bmp.pixels[y * stride + x * 3];
        p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
      }
    return bmp;
  };
  const BmpFile pictures[] = {
      // A drawing of one-pixel lines, fine print of short dark strokes, and a photograph's shading.
      make([](int x, int y) { return x % 9 == 0 || y % 7 == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255); }),
      make([](int x, int y) { return (x / 3 * 7 + y / 2 * 13) % 11 < 3 && y % 12 < 8 ? RGB(20, 20, 60) : RGB(250, 250, 240); }),
      make([](int x, int y) { return RGB(x * 255 / kWidth, y * 255 / kHeight, (x + y) / 16 + (x * 7 + y * 13) % 24); }),
  };
  const wchar_t* names[] = {L"lines.bmp", L"print.bmp", L"photo.bmp"};
  for (int k = 0; k < 3; ++k) {
    const std::vector<std::uint8_t> bytes = MakeBmp(pictures[k]);
    WriteFile(std::wstring(L"pictures\\") + names[k], std::string(bytes.begin(), bytes.end()));
  }
  Catalogue();
  for (int k = 0; k < 3; ++k) {
    const int row = Row(reinterpret_cast<const char16_t*>(names[k]));
    const std::vector<COLORREF> reference =
        AreaAverage(pictures[k], target.right - target.left, target.bottom - target.top);
    long long total = 0;
    int worst = 0, i = 0;
    for (int y = target.top; y < target.bottom; ++y)
      for (int x = target.left; x < target.right; ++x, ++i) {
        const COLORREF a = CellPixel(row, x, y), b = reference[i];
        for (const int d : {GetRValue(a) - GetRValue(b), GetGValue(a) - GetGValue(b), GetBValue(a) - GetBValue(b)}) {
          total += std::abs(d);
          worst = std::max(worst, std::abs(d));
        }
      }
    // GDI's stretch of the whole picture samples it: the drawing's lines come out black or
    // missing, 70 levels off on average. The averaged picture stays close to the true cell.
    EXPECT_LE(static_cast<double>(total) / (3.0 * i), 10.0) << ToAnsi(reinterpret_cast<const char16_t*>(names[k]));
    EXPECT_LE(worst, 48) << ToAnsi(reinterpret_cast<const char16_t*>(names[k]));
  }
}

// A JPEG of one colour, or of two halves side by side.
std::string Jpeg(int width, int height, COLORREF left, COLORREF right, int orientation = 0,
                 const std::vector<std::uint8_t>& thumbnail = {}) {
  JpegFile picture{.width = width, .height = height, .quality = 90, .orientation = orientation};
  picture.thumbnail = thumbnail;
  picture.pixel = [=](int x, int, std::uint8_t* p) {
    const COLORREF c = x < width / 2 ? left : right;
    p[0] = GetRValue(c), p[1] = GetGValue(c), p[2] = GetBValue(c);
  };
  const std::vector<std::uint8_t> bytes = MakeJpeg(picture);
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST_F(CatalogBuildTest, CameraPhotosAreDrawnFromTheirExifThumbnailWhenItFitsTheCell) {
  Install(L"TarnJpeg.spi", L"TarnJpeg.spi");
  ASSERT_EQ(Enumerate(), 1);
  const auto thumbnail = [](int w, int h, COLORREF left, COLORREF right) { return Bytes(Jpeg(w, h, left, right)); };
  WriteFile(L"pictures\\photo.jpg", Jpeg(1600, 1200, kRed, kRed, 1, thumbnail(160, 120, kGreen, kGreen)));
  // Stored on its side, the camera held upright: the thumbnail's left half becomes the top.
  WriteFile(L"pictures\\turned.jpg", Jpeg(1600, 1200, kRed, kRed, 6, thumbnail(160, 120, kGreen, kBlue)));
  WriteFile(L"pictures\\wide.jpg", Jpeg(1600, 900, kRed, kRed, 1, thumbnail(160, 120, kGreen, kGreen)));
  WriteFile(L"pictures\\small.jpg", Jpeg(1600, 1200, kRed, kRed, 1, thumbnail(80, 60, kGreen, kGreen)));
  Catalogue();
  EXPECT_TRUE(Near(CellPixel(Row(u"photo.jpg"), 45, 45), kGreen)) << "made from the thumbnail";
  EXPECT_TRUE(Near(CellPixel(Row(u"turned.jpg"), 45, 20), kGreen));
  EXPECT_TRUE(Near(CellPixel(Row(u"turned.jpg"), 45, 70), kBlue));
  EXPECT_TRUE(Near(CellPixel(Row(u"turned.jpg"), 10, 45), kWhite)) << "placed as the upright photo";
  EXPECT_TRUE(Near(CellPixel(Row(u"wide.jpg"), 45, 45), kRed)) << "a thumbnail of another shape";
  EXPECT_TRUE(Near(CellPixel(Row(u"small.jpg"), 45, 45), kRed)) << "a thumbnail smaller than the cell";

  g_ExifThumbFlag = 0;
  ASSERT_TRUE(DeleteFileW((data_ + L"_THUMB_N.TRN").c_str()));
  Catalogue();
  EXPECT_TRUE(Near(CellPixel(Row(u"photo.jpg"), 45, 45), kRed)) << "the option off: the photo itself";
}

TEST_F(CatalogBuildTest, RecordsThatCannotBeDrawnAreCompactedAway) {
  Picture(L"a.bmp", 30, 20, kRed);
  Catalogue();
  const std::string good = Cache();
  ASSERT_EQ(good.size(), static_cast<std::size_t>(kRecordLengthM));
  std::string bad = good;
  bad[2] = 9;  // a layout code no drawing gives, with the right name and size
  WriteFile(L"pictures\\_THUMB_N.TRN", bad + good);
  Catalogue();
  EXPECT_EQ(frame_->View().DecodedRows(), 0);
  EXPECT_TRUE(Cache() == good) << "two records for one file: the engine drops the one it cannot draw";
}

TEST_F(CatalogBuildTest, CacheOverTheMaximumIsLeftOutOfThisCatalogAndRepaired) {
  g_CatalogSize = 3;  // LL: at most 600 records
  g_CatalogLimit = 600;
  Picture(L"a.bmp", 30, 20, kRed);
  Catalogue();
  const std::string record = Cache();
  ASSERT_EQ(record.size(), static_cast<std::size_t>(kRecordLengthLL));
  // Enough other files that the build sees no surplus of records over files.
  for (int i = 0; i < 600; ++i) WriteFile(L"pictures\\n" + std::to_wstring(i) + L".txt", "");
  std::string cache;
  for (int i = 0; i < 601; ++i) cache += record;
  WriteFile(L"pictures\\_THUMB_N.TRN", cache);
  Catalogue();
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"サムネイル数読み出しエラー<-v34> ");
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(frame_->View().DecodedRows(), 1) << "this catalog without the cache";
  EXPECT_EQ(g_ThumbNailFlag, 1);
  EXPECT_EQ(Cache().size(), 600u * kRecordLengthLL) << "the engine kept what the size allows";
  prompt_.shown.clear();
  Catalogue();
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(frame_->View().DecodedRows(), 0);
}

TEST_F(CatalogBuildTest, OffsetSkipsRowsAndCellsPaintWithTitlesAndHits) {
  for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"}) Picture(name, 20, 20, kBlue);
  g_CatalogOffset = 1;
  Catalogue();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].caption, u"「ｶﾀﾛｸﾞ ｵﾌｾｯﾄ」確認");
  EXPECT_EQ(TheCatalog().entries[0].slot, -1);
  EXPECT_EQ(TheCatalog().entries[1].slot, 0);
  EXPECT_EQ(frame_->View().DrawnRows(), 2);

  // Painting: the selected row's title on blue, cells copied from the catalog bitmap.
  TheCatalog().entries[2].state = kEntrySelected;
  const HWND view = frame_->View().Handle();
  RECT client;
  GetClientRect(view, &client);
  HDC screen = GetDC(view);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
  SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 4 + 45, 4 + 45), kBlue) << "row 1 in the first cell";
  EXPECT_EQ(GetPixel(dc, 4 + 94 + 45, 4 + 45), kBlue);
  EXPECT_EQ(GetPixel(dc, 4 + 2 * 94 + 45, 4 + 45), RGB(0, 0, 0)) << "no third cell: nothing painted";
  int blueInTitle[2] = {};
  for (int cell = 0; cell < 2; ++cell)
    for (int x = 0; x < 90; ++x)
      for (int y = 0; y < 14; ++y) blueInTitle[cell] += GetPixel(dc, 4 + cell * 94 + x, 4 + 90 + y) == kBlue;
  EXPECT_EQ(blueInTitle[0], 0);
  EXPECT_GT(blueInTitle[1], 20);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(view, screen);

  EXPECT_EQ(frame_->View().HitTest({4 + 94 + 10, 4 + 10}).row, 2);
  EXPECT_TRUE(frame_->View().HitTest({4 + 10, 4 + 95}).titleBand);
  EXPECT_EQ(frame_->View().HitTest({4 + 92, 4 + 10}).row, -1) << "the gap between cells";
  EXPECT_EQ(frame_->View().HitTest({4 + 2 * 94 + 10, 4 + 10}).row, -1) << "past the shown end";
}

TEST_F(CatalogBuildTest, SortsRebuildTheCatalogInTheNewOrder) {
  Picture(L"a.bmp", 40, 40, kRed);     // largest file and area
  Picture(L"b.bmp", 10, 10, kGreen);   // smallest
  Picture(L"c.bmp", 20, 20, kBlue);
  Catalogue();
  ASSERT_EQ(TheCatalog().rows, 3);
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, 6);  // "ｻｲｽﾞ"
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"b.bmp");
  EXPECT_EQ(std::u16string(TheCatalog().entries[2].name), u"a.bmp");
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(TheCatalog().entries[0].slot, 0);
  EXPECT_TRUE(Near(CellPixel(0, 45, 45), kGreen)) << "the catalog follows the new order, from the cache";
  EXPECT_EQ(frame_->View().DecodedRows(), 0);
  g_SequenceFlag = 1;
  SendMessageW(frame_->Handle(), WM_DISP_DIALOG, 0, 4);  // "面積", descending
  g_SequenceFlag = 0;
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"a.bmp");
  EXPECT_EQ(std::u16string(TheCatalog().entries[2].name), u"b.bmp");
  EXPECT_EQ(TheCatalog().entries[0].size, 1600) << "the area is the key";
  EXPECT_TRUE(Near(CellPixel(0, 45, 45), kRed));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(CatalogBuildTest, DisplaySortDialogButtonsPostTheirRequests) {
  Picture(L"a.bmp", 40, 40, kRed);
  Picture(L"b.bmp", 10, 10, kGreen);
  Catalogue();
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_MENU_DISP_DIALOG, 0);
  const HWND dialog = FindOwnWindow(L"#32770", L"表示/並替");
  ASSERT_NE(dialog, nullptr);
  wchar_t count[16] = {};
  GetDlgItemTextW(dialog, IDC_DISP_COUNT, count, 16);
  EXPECT_STREQ(count, L"2");
  const auto click = [&](int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    Pump(50);
  };
  click(IDC_DISP_SIZE);
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"b.bmp");
  click(IDC_DISP_NAME);
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"a.bmp");
  // While busy a sort only earns the notice.
  g_MoveRun = 1;
  click(IDC_DISP_SIZE);
  g_MoveRun = 0;
  EXPECT_EQ(std::u16string(TheCatalog().entries[0].name), u"a.bmp");
  EXPECT_EQ(frame_->StatusText(0).rfind(L"画像再生中は操作できません", 0), 0u);
  // "展開画面" opens the cursor entry in place of the catalog, and pressed again goes back.
  click(IDC_DISP_EXPAND);
  EXPECT_EQ(g_CatalogShown, 0);
  EXPECT_EQ(g_PictureShown, 1);
  click(IDC_DISP_EXPAND);
  EXPECT_EQ(g_CatalogShown, 1);
  EXPECT_EQ(g_PictureShown, 0);
  click(IDC_DISP_CLEAR);
  EXPECT_EQ(TheCatalog().rows, 0);
  EXPECT_EQ(g_CatalogShown, 0);
  GetDlgItemTextW(dialog, IDC_DISP_COUNT, count, 16);
  EXPECT_STREQ(count, L"0");
}

TEST_F(CatalogBuildTest, FolderThatListsNothingDropsItsCacheAndSaysSo) {
  Picture(L"gone.bmp", 20, 20, kRed);
  Catalogue();
  ASSERT_EQ(Cache().size(), static_cast<std::size_t>(kRecordLengthM));
  ASSERT_TRUE(DeleteFileW((data_ + L"gone.bmp").c_str()));
  Catalogue();
  EXPECT_EQ(TheCatalog().rows, 0);
  EXPECT_TRUE(prompt_.shown.empty()) << "the follow-up waits for its timer";
  Pump(400);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"表示ファイルが有りません");
  EXPECT_EQ(GetFileAttributesW((data_ + L"_THUMB_N.TRN").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tarn::test
