#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/Settings.h"
#include "catalog/cache/MovieThumbCopy.h"
#include "catalog/cache/ThumbnailCache.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "tests/catalog/MemoryThumbFiles.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

using test::MemoryThumbFiles;

constexpr char16_t kFolder[] = u"C:\\pics\\";
const std::u16string kCache = std::u16string(kFolder) + u"_THUMB_N.TRN";
const std::u16string kOld = std::u16string(kFolder) + u"_THUMB_OLD.TRN";

FolderRow Folder(int state, const char16_t* path = kFolder) {
  FolderRow row;
  row.state = state;
  std::char_traits<char16_t>::copy(row.path, path, std::char_traits<char16_t>::length(path));
  return row;
}

// A record made by hand: header fields at their offsets, every pixel the same two bytes.
std::vector<std::uint8_t> HandRecord(int size, std::uint8_t pixelSize, std::uint8_t code, std::uint16_t layout,
                                     std::int32_t fileSize, std::u16string_view name, std::uint8_t p0, std::uint8_t p1) {
  const ThumbGeometry g = GeometryOf(size);
  std::vector<std::uint8_t> r(static_cast<std::size_t>(g.recordLength), 0);
  r[0] = pixelSize;
  r[1] = code;
  r[2] = static_cast<std::uint8_t>(layout);
  r[3] = static_cast<std::uint8_t>(layout >> 8);
  std::memcpy(&r[4], &fileSize, 4);  // little-endian hosts only, as the file is
  for (std::size_t i = 0; i < name.size(); ++i) {
    r[8 + 2 * i] = static_cast<std::uint8_t>(name[i]);
    r[9 + 2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
  }
  for (std::size_t i = 264; i + 1 < r.size(); i += 2) {
    r[i] = p0;
    r[i + 1] = p1;
  }
  return r;
}

void Append(std::vector<std::uint8_t>& file, const std::vector<std::uint8_t>& record) {
  file.insert(file.end(), record.begin(), record.end());
}

class ThumbCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_CatalogSize = 1;
    g_ThumbNailFlag = 1;
  }
  void TearDown() override {
    g_CatalogSize = 1;
    g_ThumbNailFlag = 1;
  }
  // An image file of `bytes` bytes in the folder.
  void Image(const std::u16string& name, std::size_t bytes) { fs.files[kFolder + name].assign(bytes, 0x42); }

  MemoryThumbFiles fs;
  test::ScriptedPrompt prompt;
  test::RecordingProgressWindow progress;
};

TEST(ThumbRecord, GeometryAndCodesOfTheFourSizes) {
  const int lengths[] = {9864, 13456, 24136, 61576};
  const int blocks[] = {9728, 13320, 24000, 61440};
  for (int s = 0; s < 4; ++s) {
    const ThumbGeometry g = GeometryOf(s);
    EXPECT_EQ(g.recordLength, lengths[s]);
    EXPECT_EQ(g.BlockBytes(), static_cast<std::size_t>(blocks[s]));
    EXPECT_EQ(g.recordLength, static_cast<int>(g.BlockBytes()) + 136) << "128 bytes of the block never stored";
    EXPECT_EQ(g.thumb, g.cell - 2 * g.margin);
    EXPECT_EQ(LiveCode(s), 1 + 4 * s);
    EXPECT_EQ(ObsoleteCode(s), 2 + 4 * s);
    EXPECT_TRUE(CodeOfSize(LiveCode(s), s));
    EXPECT_FALSE(CodeOfSize(LiveCode((s + 1) % 4), s));
  }
  EXPECT_EQ(GeometryOf(0).maxRecords, 1600);
  EXPECT_EQ(GeometryOf(2).maxRecords, 900);
  EXPECT_EQ(GeometryOf(3).maxRecords, 600);
}

TEST(ThumbRecord, PixelPackingByHand) {
  std::uint8_t packed[2];
  PackPixel(0x12, 0x34, 0x56, packed);
  EXPECT_EQ(packed[0], 0x11);
  EXPECT_EQ(packed[1], 0xAA);
  std::uint8_t b, g, r;
  UnpackPixel(packed, b, g, r);
  EXPECT_EQ(b, 0x17);
  EXPECT_EQ(g, 0x37);
  EXPECT_EQ(r, 0x57);
  PackPixel(0xFF, 0xFF, 0xFF, packed);
  EXPECT_EQ(packed[0], 0xFF);
  EXPECT_EQ(packed[1], 0xFF);
  UnpackPixel(packed, b, g, r);
  EXPECT_EQ(b, 0xFF);
  EXPECT_EQ(g, 0xFF);
  EXPECT_EQ(r, 0xFF);
}

TEST(ThumbRecord, HeaderNamesAtTheirLimitsAndDamagedOnes) {
  std::uint8_t header[kRecordHeaderBytes];
  const std::u16string longest(127, u'あ');
  ASSERT_TRUE(WriteHeader(4, 5, 3, -2, longest, header));
  EXPECT_EQ(header[8 + 2 * 127], 0);
  EXPECT_EQ(header[9 + 2 * 127], 0);
  ThumbHeader read;
  ASSERT_TRUE(ParseHeader(header, sizeof header, read));
  EXPECT_TRUE(read.nameIntact);
  EXPECT_EQ(std::u16string(read.name), longest);
  EXPECT_EQ(read.fileSize, -2);
  EXPECT_EQ(read.layout, 3);

  EXPECT_FALSE(WriteHeader(4, 5, 0, 1, std::u16string(128, u'a'), header)) << "no room for the terminator";
  EXPECT_FALSE(WriteHeader(4, 5, 0, 1, std::u16string(u"a\0b", 3), header));

  // A name that fills all 128 units is not taken, not even in part.
  std::memset(header + 8, 'x', 256);
  ASSERT_TRUE(ParseHeader(header, sizeof header, read));
  EXPECT_FALSE(read.nameIntact);
  EXPECT_EQ(read.name[0], u'\0');
  EXPECT_FALSE(ParseHeader(header, kRecordHeaderBytes - 1, read)) << "short input";
}

TEST(ThumbRecord, BlocksOfRowsAndColumnsComeBackWithAWhiteLastBandRow) {
  for (int size = 0; size < 4; ++size) {
    const ThumbGeometry g = GeometryOf(size);
    for (int layout : {0, 1, 3, 4, 5}) {
      for (int bpp : {2, 3, 4}) {
        const std::size_t stride = (static_cast<std::size_t>(g.cell) * bpp + 3) & ~std::size_t{3};
        std::vector<std::uint8_t> in(stride * g.cell), out(stride * g.cell, 0);
        for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 7 + 1);
        const WorkPixels src{in.data(), g.cell, bpp, stride}, dst{out.data(), g.cell, bpp, stride};
        std::vector<std::uint8_t> block(g.BlockBytes() + 8, 0xEE);
        ASSERT_TRUE(PackBlock(src, layout, g, block.data()));
        EXPECT_EQ(block[g.BlockBytes()], 0xEE) << "nothing past the block";
        ASSERT_TRUE(UnpackBlock(block.data(), g.BlockBytes() - 128, layout, g, dst));
        const bool rows = layout < 4;
        for (int y = 0; y < g.cell; ++y) {
          for (int x = 0; x < g.cell; ++x) {
            const bool band = rows ? (y >= g.margin && y < g.margin + g.thumb) : (x >= g.margin && x < g.margin + g.thumb);
            const bool lastBandRow = rows ? y == g.margin + g.thumb - 1 : y == g.cell - 1;
            const std::uint8_t* o = &out[y * stride + x * bpp];
            const std::uint8_t* i = &in[y * stride + x * bpp];
            if (!band || lastBandRow) {
              ASSERT_EQ(o[0], 0xFF) << size << " " << layout << " " << bpp << " at " << x << "," << y;
              ASSERT_EQ(o[1], 0xFF);
            } else if (bpp == 2) {
              ASSERT_EQ(o[0], i[0]);
              ASSERT_EQ(o[1], i[1]);
            } else {
              ASSERT_EQ(o[0], (i[0] & 0xF8) | 7) << "blue keeps its upper five bits";
              ASSERT_EQ(o[1], (i[1] & 0xFC) | 3) << "green keeps six";
              ASSERT_EQ(o[2], (i[2] & 0xF8) | 7) << "red keeps five";
            }
          }
        }
      }
    }
  }
  const ThumbGeometry m = GeometryOf(1);
  std::vector<std::uint8_t> px(m.cell * m.cell * 4), block(m.BlockBytes());
  const WorkPixels work{px.data(), m.cell, 4, static_cast<std::size_t>(m.cell) * 4};
  EXPECT_FALSE(PackBlock(work, 2, m, block.data())) << "unknown layout code";
  EXPECT_FALSE(UnpackBlock(block.data(), block.size(), 6, m, work));
  EXPECT_FALSE(PackBlock(work, 0, GeometryOf(3), block.data())) << "a work bitmap of another size";
}

TEST_F(ThumbCacheTest, AnAppendedRecordMatchesTheHandMadeOneByteForByte) {
  Image(u"a.bmp", 1234);
  ThumbnailCache cache(fs);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(1)), 0);
  const WorkPixels work = cache.Work();
  ASSERT_EQ(work.side, 90);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 90; ++x) {
      std::uint8_t* p = work.bits + y * work.stride + x * 4;
      p[0] = 0x12, p[1] = 0x34, p[2] = 0x56, p[3] = 0x99;
    }
  cache.SetLayout(0);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"a.bmp", Folder(1), true), 0);
  cache.CloseFile();
  const auto expected = HandRecord(1, 4, 5, 0, 1234, u"a.bmp", 0x11, 0xAA);
  ASSERT_EQ(fs.files[kCache].size(), 13456u);
  EXPECT_EQ(fs.files[kCache], expected);
  EXPECT_EQ(cache.SavedCount(), 1);
  EXPECT_EQ(cache.AddedCount(), 1);
}

TEST_F(ThumbCacheTest, LookupTakesTheFirstLiveRecordWhoseSizeMatches) {
  Image(u"b.jpg", 500);
  auto& file = fs.files[kCache];
  Append(file, HandRecord(1, 4, 5, 0, 400, u"B.JPG", 0x00, 0x00));  // an older size of the file
  Append(file, HandRecord(1, 4, 6, 0, 500, u"b.jpg", 0x00, 0x1F));  // obsolete
  Append(file, HandRecord(1, 4, 5, 4, 500, u"B.jpg", 0xF8, 0x00));  // the one
  Append(file, HandRecord(1, 4, 5, 0, 500, u"b.jpg", 0x07, 0xE0));
  ThumbnailCache cache(fs);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  EXPECT_EQ(cache.Index().count, 4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"b.jpg", Folder(2)), 1);
  EXPECT_EQ(cache.Layout(), 4);
  const WorkPixels w = cache.Work();
  const std::uint8_t* band = w.bits + 10 * w.stride + 8 * 4;  // column block: x = m
  EXPECT_EQ(band[0], 0xFF);
  EXPECT_EQ(band[1], 0x03);
  EXPECT_EQ(band[2], 0x07);
  EXPECT_EQ(w.bits[10 * w.stride], 0xFF) << "outside the band stays white";
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"none.jpg", Folder(2)), 0);
  Image(u"b.jpg", 501);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"b.jpg", Folder(2)), 0)
      << "a changed file is not taken from the cache";
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ThumbCacheTest, MismatchedCachesAskAndAreDeletedOnlyWhenAllowed) {
  // An S cache read while the catalog is M.
  Append(fs.files[kCache], HandRecord(1, 4, 1, 0, 10, u"x.bmp", 0, 0));
  {
    ThumbnailCache cache(fs);
    cache.SetDisplayPixelSize(4);
    prompt.answers = {kAnswerCancel};
    EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 4);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, u"古いサムネイルファイルを削除します  ≪ｷｬﾝｾﾙ≫で終了");
    EXPECT_EQ(prompt.shown[0].caption, u"カタログサイズ不一致");
    EXPECT_EQ(prompt.shown[0].buttons, Buttons::kOkCancel);
    EXPECT_TRUE(fs.files.count(kCache)) << "Cancel keeps the file";
    EXPECT_EQ(g_ThumbNailFlag, 1);

    int repaints = 0;
    cache.repaint = [&] { ++repaints; };
    EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
    EXPECT_FALSE(fs.files.count(kCache)) << "OK deletes it";
    EXPECT_EQ(fs.wipeLengths, std::vector<int>{kRecordLengthM});
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(cache.MismatchAccepted());
    EXPECT_EQ(cache.Index().count, 0);

    // Once accepted, a further mismatch is deleted without a question.
    Append(fs.files[kCache], HandRecord(1, 2, 5, 0, 10, u"x.bmp", 0, 0));
    EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_FALSE(fs.files.count(kCache));
  }
  // A 16-bit cache on a 32-bit display, on a CD-ROM: nothing is deleted, the cache goes off.
  Append(fs.files[kCache], HandRecord(1, 2, 5, 0, 10, u"x.bmp", 0, 0));
  ThumbnailCache cd(fs);
  cd.SetDisplayPixelSize(4);
  cd.SetReadOnly(true);
  prompt.shown.clear();
  EXPECT_EQ(cd.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 4);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, u"古いサムネイルファイルです。サムネイルの使用中止 ");
  EXPECT_EQ(prompt.shown[0].caption, u"ディスプレイのカラー設定不一致 ");
  EXPECT_EQ(g_ThumbNailFlag, 0);
  EXPECT_TRUE(fs.files.count(kCache));
}

TEST_F(ThumbCacheTest, DamagedCachesAreNeverTrustedPastTheirBounds) {
  // A torn tail: the whole records are read, the tail is overwritten by the next append.
  Image(u"a.bmp", 7);
  Image(u"c.bmp", 9);
  auto& file = fs.files[kCache];
  Append(file, HandRecord(1, 4, 5, 0, 7, u"a.bmp", 1, 2));
  file.resize(file.size() + 100, 0x77);
  ThumbnailCache cache(fs);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  EXPECT_EQ(cache.SavedCount(), 1);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"a.bmp", Folder(2)), 1);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"c.bmp", Folder(2), true), 0);
  EXPECT_EQ(fs.files[kCache].size(), 2u * 13456) << "the torn tail is gone, records stay aligned";

  // A record with a layout code the program never writes is not drawn.
  fs.files[kCache] = HandRecord(1, 4, 5, 9, 7, u"a.bmp", 1, 2);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"a.bmp", Folder(2)), 0);

  // A name that fills its field names no file.
  auto damaged = HandRecord(1, 4, 5, 0, 7, u"", 1, 2);
  for (int i = 0; i < 128; ++i) damaged[8 + 2 * i] = 'a';
  fs.files[kCache] = damaged;
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, std::u16string(128, u'a'), Folder(2)), 0);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ThumbCacheTest, TheMaximumIsShownOnceAndNothingIsWrittenPastIt) {
  g_CatalogSize = 3;  // LL: 600 records
  Image(u"p.bmp", 3);
  auto& file = fs.files[kCache];
  const auto record = HandRecord(3, 4, 13, 0, 3, u"p.bmp", 0, 0);
  for (int i = 0; i < 600; ++i) Append(file, record);
  ThumbnailCache cache(fs);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"p.bmp", Folder(2), true), 3);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"p.bmp", Folder(2), true), 3);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, u"サムネイル数オーバーで保存できません");
  EXPECT_EQ(prompt.shown[0].caption, u" 最大保存サムネイル数 = 600 ");
  EXPECT_EQ(fs.files[kCache].size(), 600u * 61576);

  // One record more than the size allows is a damaged file.
  Append(fs.files[kCache], record);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 2);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイル数読み出しエラー<-v34> ");
  EXPECT_EQ(prompt.shown.back().caption, u"サムネイルの使用中止");
  EXPECT_EQ(g_ThumbNailFlag, 1) << "a damaged file does not cost the setting";
  // The engine keeps as many records as the size allows and drops the rest.
  ThumbnailIndex index;
  EXPECT_EQ(ThumbnailEngine(1, kFolder, false, fs, index), kEngineCompacted);
  EXPECT_EQ(fs.files[kCache].size(), 600u * 61576);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
}

TEST_F(ThumbCacheTest, FailuresOfTheAppendAndUnknownModes) {
  Image(u"a.bmp", 5);
  ThumbnailCache cache(fs);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(1)), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"a.bmp", Folder(1), false), -2);
  EXPECT_EQ(prompt.shown.back().text, u"エラーCTarnView::CatalogA≪lpBI=0≫<-v55> ");
  EXPECT_EQ(g_ThumbNailFlag, 0);
  g_ThumbNailFlag = 1;
  fs.writesLeft = 0;
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"a.bmp", Folder(1), true), -1);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイルデータ書き込み失敗<-v58> ");
  EXPECT_EQ(g_ThumbNailFlag, 0);
  EXPECT_EQ(cache.SavedCount(), 0);
  EXPECT_EQ(cache.ThumbNailCont(static_cast<ThumbnailCache::Command>(7), u"", Folder(1)), 2);
  EXPECT_EQ(prompt.shown.back().text, u"該当処理無しエラー<-v59> ");
  EXPECT_EQ(prompt.shown.back().caption, u"CTarnView::ThumbNailCont");
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheRelease, u"", Folder(1)), 0);
  EXPECT_EQ(cache.Work().bits, nullptr);
}

TEST_F(ThumbCacheTest, LookupFailuresSayWhereAndAShortReadSwitchesTheCacheOff) {
  Image(u"a.bmp", 7);
  Append(fs.files[kCache], HandRecord(1, 4, 5, 0, 7, u"a.bmp", 1, 2));
  Append(fs.files[kCache], HandRecord(1, 4, 5, 0, 7, u"a.bmp", 1, 2));
  ThumbnailCache cache(fs);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", Folder(2)), 0);
  fs.unreadable.insert(kCache);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"a.bmp", Folder(2)), -1);
  EXPECT_EQ(prompt.shown.back().text, u"ファイル " + kCache + u" をオープンできません<-v40> ");
  EXPECT_EQ(g_ThumbNailFlag, 1) << "a writable catalog keeps the cache on";
  cache.SetReadOnly(true);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"a.bmp", Folder(2)), -1);
  EXPECT_EQ(prompt.shown.back().text, u"ファイル " + kCache + u" をオープンできません<-v51> ");
  EXPECT_EQ(g_ThumbNailFlag, 0);
  fs.unreadable.clear();
  g_ThumbNailFlag = 1;

  // The file lost its records after the index was read.
  fs.files[kCache].resize(100);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"a.bmp", Folder(2)), -3);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイル読み出しエラー<-v54> m_SaveThumbCnt=2  fr=100  k1=0");
  EXPECT_EQ(prompt.shown.back().caption, u"サムネイルの使用中止");
  EXPECT_EQ(g_ThumbNailFlag, 0);
}

TEST_F(ThumbCacheTest, EngineCompactsAwayDeletedAndChangedFiles) {
  Image(u"keep.bmp", 10);
  Image(u"changed.bmp", 11);
  Image(u"keep2.bmp", 12);
  auto& file = fs.files[kCache];
  const auto keep = HandRecord(1, 4, 5, 0, 10, u"keep.bmp", 1, 1);
  const auto keep2 = HandRecord(1, 4, 5, 1, 12, u"keep2.bmp", 2, 2);
  Append(file, keep);
  Append(file, HandRecord(1, 4, 5, 0, 99, u"gone.bmp", 3, 3));
  Append(file, HandRecord(1, 4, 5, 0, 10, u"changed.bmp", 4, 4));
  Append(file, HandRecord(1, 4, 6, 0, 12, u"keep2.bmp", 5, 5));  // already obsolete
  Append(file, HandRecord(1, 4, 5, 9, 12, u"keep2.bmp", 6, 6));  // a layout no drawing gives
  Append(file, keep2);
  ThumbnailIndex index;
  int records = -1;
  EXPECT_EQ(ThumbnailEngine(0, u"C:\\pics", false, fs, index, &records), kEngineCompacted);
  std::vector<std::uint8_t> expected = keep;
  Append(expected, keep2);
  EXPECT_EQ(fs.files[kCache], expected);
  EXPECT_FALSE(fs.files.count(kOld));
  EXPECT_EQ(records, 2);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(progress.opened, 1);
  EXPECT_EQ(progress.closed, 1);

  // Now nothing differs.
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineNothingToDo);
  EXPECT_EQ(ThumbnailEngine(0, kFolder, true, fs, index), kEngineCompacted) << "subfolder variant";
  EXPECT_EQ(fs.files[kCache], expected);

  // Every file gone: no cache file at all afterwards.
  fs.files.erase(kFolder + std::u16string(u"keep.bmp"));
  fs.files.erase(kFolder + std::u16string(u"keep2.bmp"));
  EXPECT_EQ(ThumbnailEngine(2, kFolder, false, fs, index, &records), kEngineCompacted);
  EXPECT_FALSE(fs.files.count(kCache));
  EXPECT_FALSE(fs.files.count(kOld));
  EXPECT_EQ(records, 0);
}

TEST_F(ThumbCacheTest, EngineLeavesTheCacheAloneWhenItStopsBeforeCompaction) {
  Image(u"a.bmp", 10);
  Append(fs.files[kCache], HandRecord(1, 4, 5, 0, 99, u"a.bmp", 1, 1));
  const auto before = fs.files[kCache];
  ThumbnailIndex index;

  progress.cancelAnswer = true;
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineCancelled);
  progress.cancelAnswer = false;

  fs.drives[u"C:\\"] = 4;
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineDeclined);
  EXPECT_EQ(prompt.shown.back().text, u"ＣＤＲＯＭドライブは更新できません ");
  EXPECT_EQ(prompt.shown.back().caption, u"保存サムネイル更新不可");
  fs.drives.erase(u"C:\\");
  EXPECT_EQ(ThumbnailEngine(0, u"c:\\pics\\", false, fs, index), kEngineDeclined) << "exact drive compare";
  EXPECT_EQ(prompt.shown.back().text, u"ドライブ名称不一致<-x02> ");
  EXPECT_EQ(prompt.shown.back().caption, u"ドライブ種別検索エラー");
  fs.drives[u"C:\\"] = 2;

  // A file that exists but cannot be opened stops mode 0 and is kept by the quiet modes.
  fs.unreadable.insert(kFolder + std::u16string(u"a.bmp"));
  prompt.shown.clear();
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineOpenFailed);
  EXPECT_EQ(prompt.shown.back().text, u"ファイルをオープンできません<-x06> ");
  EXPECT_EQ(ThumbnailEngine(3, kFolder, false, fs, index), kEngineNothingToDo);
  fs.unreadable.clear();

  // A write failure half-way through: the old records come back under the cache's name.
  fs.writesLeft = 0;
  Image(u"b.bmp", 3);
  Append(fs.files[kCache], HandRecord(1, 4, 5, 0, 3, u"b.bmp", 1, 1));
  const auto two = fs.files[kCache];
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineWriteFailed);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイルデータ書き込み失敗<-x27> ");
  EXPECT_EQ(fs.files[kCache], two);
  EXPECT_FALSE(fs.files.count(kOld));
  fs.writesLeft = -1;

  // No cache file: quiet modes say nothing.
  fs.files.erase(kCache);
  prompt.shown.clear();
  EXPECT_EQ(ThumbnailEngine(1, kFolder, false, fs, index), kEngineOpenFailed);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineOpenFailed);
  EXPECT_EQ(prompt.shown.back().text, u"サムネイルをオープンできません<-x05> ");
  EXPECT_EQ(prompt.shown.back().caption, kCache);
  EXPECT_EQ(before.size(), 13456u);
}

TEST_F(ThumbCacheTest, EngineOnACacheOfAnotherSize) {
  // S records read as M: the first M-long record starts with an S header.
  const auto sCache = HandRecord(1, 4, 1, 0, 10, u"a.bmp", 0, 0);
  fs.files[kCache] = sCache;
  ThumbnailIndex index;
  EXPECT_EQ(ThumbnailEngine(1, kFolder, false, fs, index), kEngineSizeMismatch);
  EXPECT_TRUE(prompt.shown.empty());
  prompt.answers = {kAnswerNo, kAnswerCancel, kAnswerYes};
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineDeclined);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, u"≪カタログサイズ不一致≫  Ｍサイズではありません。削除しますか？ ≪ｷｬﾝｾﾙ≫で終了");
  EXPECT_EQ(prompt.shown[0].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineCancelled);
  EXPECT_EQ(fs.files[kCache], sCache);
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineDeletedMismatch);
  EXPECT_FALSE(fs.files.count(kCache));

  g_CatalogSize = 3;
  fs.files[kCache] = sCache;
  fs.files[kCache].resize(61576 * 2);  // two LL records, the first with code 1
  fs.wipeResult = 6;
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index), kEngineDeleteFailed);
  EXPECT_EQ(fs.wipeLengths, (std::vector<int>{kRecordLengthM, kRecordLengthLL})) << "each in its size's blocks";
  EXPECT_EQ(prompt.shown.back().text, u"サムネイルファイルを削除できません ErrNo=6  <-x03> ");
  EXPECT_EQ(prompt.shown[prompt.shown.size() - 2].text,
            u"≪カタログサイズ不一致≫  ＬＬサイズではありません。削除しますか？ ≪ｷｬﾝｾﾙ≫で終了");
}

TEST_F(ThumbCacheTest, RenameToOldReplacesAStaleOldFile) {
  fs.files[kCache] = {1, 2, 3};
  fs.files[kOld] = {9};
  EXPECT_EQ(RenameToOld(kCache, kOld, kRecordLengthS, fs, false), 0);
  EXPECT_EQ(fs.wipeLengths, std::vector<int>{kRecordLengthS}) << "the stale file in the given blocks";
  EXPECT_EQ(fs.files[kOld], (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(fs.files.count(kCache));
  EXPECT_EQ(RenameToOld(kCache, kOld, kRecordLengthS, fs, false), -1) << "stale old file is wiped, but no cache to rename";
  EXPECT_EQ(prompt.shown.back().text, u"ファイルの名称変更失敗<-x43> ");
  fs.files[kCache] = {1};
  fs.files[kOld] = {2};
  fs.wipeResult = 3;
  EXPECT_EQ(RenameToOld(kCache, kOld, kRecordLengthS, fs, false), -1);
  EXPECT_EQ(prompt.shown.back().text, u"削除失敗<-x42> ");
  EXPECT_EQ(prompt.shown.back().caption, kOld);
}

TEST_F(ThumbCacheTest, MovieCellsTakeTheirFirstFrameThumbnailsFromTheSourceSubfolder) {
  const std::u16string source = std::u16string(kFolder) + u"bmp-frames\\";
  const std::u16string sourceCache = source + u"_THUMB_N.TRN";
  Image(u"clip.flv", 10);
  Image(u"Talk.MP4", 11);
  Image(u"keep.bmp", 12);
  Image(u"other.flv", 13);
  Image(u"gone.flv", 14);
  const auto keep = HandRecord(1, 4, 5, 0, 12, u"keep.bmp", 1, 1);
  auto& file = fs.files[kCache];
  Append(file, HandRecord(1, 4, 5, 0, 10, u"clip.flv", 0xF0, 0xF0));    // the player's pictogram
  Append(file, keep);
  Append(file, HandRecord(1, 4, 5, 0, 11, u"Talk.MP4", 0xF0, 0xF0));
  Append(file, HandRecord(1, 4, 5, 0, 13, u"other.flv", 0xF0, 0xF0));   // no frame image
  Append(file, HandRecord(1, 4, 5, 0, 99, u"gone.flv", 0xF0, 0xF0));    // changed since: obsolete
  auto& frames = fs.files[sourceCache];
  Append(frames, HandRecord(1, 4, 5, 4, 500, u"CLIP.BMP", 0x12, 0x34));
  Append(frames, HandRecord(1, 4, 6, 0, 500, u"talk.bmp", 0x99, 0x99));  // obsolete: not taken
  Append(frames, HandRecord(1, 4, 5, 1, 600, u"talk.bmp", 0x56, 0x78));
  Append(frames, HandRecord(1, 2, 5, 0, 700, u"other.bmp", 0x11, 0x11));  // another display's pixels
  Append(frames, HandRecord(1, 4, 5, 0, 800, u"gone.bmp", 0x22, 0x22));
  const auto framesBefore = frames;

  ThumbnailIndex index;
  int records = 0;
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index, &records, source), kEngineCopied);
  std::vector<std::uint8_t> expected = HandRecord(1, 4, 5, 4, 10, u"clip.flv", 0x12, 0x34);
  Append(expected, keep);
  Append(expected, HandRecord(1, 4, 5, 1, 11, u"Talk.MP4", 0x56, 0x78));
  Append(expected, HandRecord(1, 4, 5, 0, 13, u"other.flv", 0xF0, 0xF0));
  EXPECT_EQ(fs.files[kCache], expected) << "the movies keep their names and sizes; the changed one goes";
  EXPECT_EQ(fs.files[sourceCache], framesBefore);
  EXPECT_EQ(records, 4);
  EXPECT_TRUE(prompt.shown.empty());

  // A second run copies the same thumbnails again and changes nothing.
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index, nullptr, source), kEngineCopied);
  EXPECT_EQ(fs.files[kCache], expected);
}

TEST_F(ThumbCacheTest, MovieCopyRefusesSourcesItCannotTrustAndLeavesTheCacheAlone) {
  const std::u16string source = std::u16string(kFolder) + u"bmp_frames\\";
  const std::u16string sourceCache = source + u"_THUMB_N.TRN";
  Image(u"clip.flv", 10);
  Append(fs.files[kCache], HandRecord(1, 4, 5, 0, 10, u"clip.flv", 0xF0, 0xF0));
  const auto before = fs.files[kCache];
  ThumbnailIndex index;
  const auto refused = [&](int result, const std::u16string& text, const std::u16string& caption) {
    prompt.shown.clear();
    EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index, nullptr, source), result);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, text);
    EXPECT_EQ(prompt.shown[0].caption, caption);
    EXPECT_EQ(fs.files[kCache], before);
  };
  refused(kEngineOpenFailed, u"下位フォルダ↑↑でサムネイルを作成してください", sourceCache);
  fs.files[sourceCache];
  fs.unreadable.insert(sourceCache);
  refused(kEngineOpenFailed, u"下位フォルダのサムネイルファイル↑↑をオープンできません。 ファイルが在りますか？", sourceCache);
  fs.unreadable.clear();

  Append(fs.files[sourceCache], HandRecord(2, 4, 9, 0, 1, u"clip.bmp", 1, 1));
  refused(kEngineSizeMismatch, u"下位フォルダのサムネイルを作り直してください", u"カタログサイズ不一致");

  fs.files[sourceCache].clear();
  const auto frame = HandRecord(1, 4, 5, 0, 1, u"x.bmp", 1, 1);
  for (int i = 0; i < kMovieThumbSourceMax; ++i) Append(fs.files[sourceCache], frame);
  prompt.shown.clear();
  EXPECT_EQ(ThumbnailEngine(0, kFolder, false, fs, index, nullptr, source), kEngineCompacted) << "400 are taken";
  Append(fs.files[sourceCache], frame);
  refused(kEngineTooManyRecords, u"下位サムネイル数オーバーでサムネイルテーブル作成失敗", u" 最大下位サムネイル数 = 400 ");

  // A write that fails leaves the movie's record as it was.
  fs.files[sourceCache] = HandRecord(1, 4, 5, 0, 1, u"clip.bmp", 1, 1);
  fs.writesLeft = 0;
  refused(kEngineWriteFailed, u"サムネイルデータ書き込み失敗<-x15> ", kCache);
  fs.writesLeft = -1;
}

}  // namespace
}  // namespace tarn
