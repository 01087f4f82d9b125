// The thumbnail cache on real files: records written by the catalog side, the engine's rewrite
// through "_THUMB_OLD.TRN", the mismatch question and Cancel, in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/cache/ThumbWorkBitmap.h"
#include "catalog/cache/ThumbnailCache.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "catalog/cache/Win32ThumbFiles.h"
#include "tests/support/ScriptedPrompt.h"

namespace tarn {
namespace {

class ThumbFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = FromWide(temp) + u"tarn-thumb-" + FromWide(std::to_wstring(GetCurrentProcessId()).c_str()) + u"-" +
              std::u16string(info->name(), info->name() + std::strlen(info->name())) + u"\\";
    CreateDirectoryW(AsWide(folder_), nullptr);
    g_CatalogSize = 1;
    g_ThumbNailFlag = 1;
    std::char_traits<char16_t>::copy(row_.path, folder_.c_str(), folder_.size());
    row_.state = 1;
  }
  void TearDown() override {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(AsWide(folder_ + u"*"), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::u16string path = folder_ + FromWide(found.cFileName);
        SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(AsWide(path));
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(AsWide(folder_));
    g_CatalogSize = 1;
    g_ThumbNailFlag = 1;
  }

  void Write(const std::u16string& name, const std::string& bytes) {
    HANDLE h = CreateFileW(AsWide(folder_ + name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
  }
  std::string Read(const std::u16string& name) {
    std::string bytes;
    HANDLE h = CreateFileW(AsWide(folder_ + name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
  }
  bool Exists(const std::u16string& name) {
    return GetFileAttributesW(AsWide(folder_ + name)) != INVALID_FILE_ATTRIBUTES;
  }

  // Builds the cache as a catalog pass would: every name appended with its own solid colour.
  void BuildCache(std::initializer_list<const char16_t*> names) {
    ThumbnailCache cache(files_);
    cache.SetDisplayPixelSize(4);
    ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", row_), 0);
    std::uint8_t shade = 0x10;
    for (const char16_t* name : names) {
      const WorkPixels work = cache.Work();
      for (int y = 0; y < work.side; ++y) std::memset(work.bits + y * work.stride, shade, work.stride);
      cache.SetLayout(3);
      ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, name, row_, true), 0);
      shade = static_cast<std::uint8_t>(shade + 0x20);
    }
    cache.CloseFile();
    EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheRelease, u"", row_), 0);
  }

  std::u16string folder_;
  FolderRow row_;
  Win32ThumbFiles files_;
  test::ScriptedPrompt prompt_;
  test::RecordingProgressWindow progress_;
};

TEST_F(ThumbFilesTest, RecordsOnDiskAreReadBackAndTheEngineCompactsADeletedFile) {
  Write(u"one.bmp", std::string(100, 'a'));
  Write(u"two.bmp", std::string(200, 'b'));
  Write(u"three.bmp", std::string(300, 'c'));
  BuildCache({u"one.bmp", u"two.bmp", u"three.bmp"});
  const std::string built = Read(u"_THUMB_N.TRN");
  ASSERT_EQ(built.size(), 3u * 13456);
  EXPECT_EQ(built[0], 4) << "display pixel size";
  EXPECT_EQ(built[1], 5) << "live M";
  EXPECT_EQ(built[13456 + 4], static_cast<char>(200)) << "second record's file size";
  EXPECT_EQ(built[13456 + 8], 't');

  // A second build finds every file in the cache.
  row_.state = 2;
  ThumbnailCache cache(files_);
  cache.SetDisplayPixelSize(4);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", row_), 0);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"TWO.BMP", row_), 1);
  EXPECT_EQ(cache.Layout(), 3);
  const WorkPixels work = cache.Work();
  EXPECT_EQ(work.bits[20 * work.stride + 4 * 5], (0x30 & 0xF8) | 7) << "band pixel of the second colour";
  EXPECT_EQ(work.bits[2 * work.stride], 0xFF) << "outside the band";
  cache.ThumbNailCont(ThumbnailCache::kCacheRelease, u"", row_);

  // The second file goes; its record goes with the engine.
  ASSERT_TRUE(DeleteFileW(AsWide(folder_ + u"two.bmp")));
  SetFileAttributesW(AsWide(folder_ + u"_THUMB_N.TRN"), FILE_ATTRIBUTE_READONLY);
  ThumbnailIndex index;
  int records = 0;
  EXPECT_EQ(ThumbnailEngine(0, folder_, false, files_, index, &records), kEngineCompacted);
  EXPECT_EQ(records, 2);
  const std::string compacted = Read(u"_THUMB_N.TRN");
  EXPECT_EQ(compacted, built.substr(0, 13456) + built.substr(2 * 13456));
  EXPECT_FALSE(Exists(u"_THUMB_OLD.TRN"));
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(ThumbnailEngine(0, folder_, false, files_, index), kEngineNothingToDo);

  // The rest go: no cache file is left at all.
  DeleteFileW(AsWide(folder_ + u"one.bmp"));
  DeleteFileW(AsWide(folder_ + u"three.bmp"));
  EXPECT_EQ(ThumbnailEngine(2, folder_, false, files_, index), kEngineCompacted);
  EXPECT_FALSE(Exists(u"_THUMB_N.TRN"));
  EXPECT_FALSE(Exists(u"_THUMB_OLD.TRN"));
}

TEST_F(ThumbFilesTest, AnSCacheInAnMCatalogIsDeletedOnlyAfterOk) {
  g_CatalogSize = 0;
  Write(u"a.bmp", std::string(10, 'a'));
  Write(u"b.bmp", std::string(20, 'b'));
  BuildCache({u"a.bmp", u"b.bmp"});
  ASSERT_EQ(Read(u"_THUMB_N.TRN").size(), 2u * 9864);
  g_CatalogSize = 1;  // two S records read as one M record with an S header
  row_.state = 2;
  ThumbnailCache cache(files_);
  cache.SetDisplayPixelSize(4);
  prompt_.answers = {kAnswerCancel};
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", row_), 4);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].caption, u"カタログサイズ不一致");
  EXPECT_TRUE(Exists(u"_THUMB_N.TRN"));
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", row_), 0);
  EXPECT_FALSE(Exists(u"_THUMB_N.TRN")) << "OK wipes it";
  // The catalog goes on: a decoded file is appended to a new cache.
  const WorkPixels work = cache.Work();
  std::memset(work.bits, 0, work.stride * work.side);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"a.bmp", row_, true), 0);
  cache.CloseFile();
  EXPECT_EQ(Read(u"_THUMB_N.TRN").size(), 13456u);
}

TEST_F(ThumbFilesTest, CancelAndCdRomLeaveTheCacheAsItWas) {
  Write(u"a.bmp", std::string(10, 'a'));
  BuildCache({u"a.bmp"});
  DeleteFileW(AsWide(folder_ + u"a.bmp"));
  const std::string before = Read(u"_THUMB_N.TRN");
  ThumbnailIndex index;
  progress_.cancelAnswer = true;
  EXPECT_EQ(ThumbnailEngine(0, folder_, false, files_, index), kEngineCancelled);
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.closed, 1);
  EXPECT_EQ(progress_.text, u"ﾃｰﾌﾞﾙ 書込中・・・");
  progress_.cancelAnswer = false;
  EXPECT_EQ(Read(u"_THUMB_N.TRN"), before);

  Win32ThumbFiles cdrom([](std::u16string_view) { return 4; });
  EXPECT_EQ(ThumbnailEngine(0, folder_, false, cdrom, index), kEngineDeclined);
  EXPECT_EQ(prompt_.shown.back().text, u"ＣＤＲＯＭドライブは更新できません ");
  EXPECT_EQ(Read(u"_THUMB_N.TRN"), before);

  // A read-only catalog reads and never writes, even for a file missing from the cache.
  row_.state = 2;
  Write(u"new.bmp", std::string(5, 'n'));
  ThumbnailCache cache(files_);
  cache.SetDisplayPixelSize(4);
  cache.SetReadOnly(true);
  ASSERT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheOpen, u"", row_), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheLookup, u"new.bmp", row_), 0);
  EXPECT_EQ(cache.ThumbNailCont(ThumbnailCache::kCacheAppend, u"new.bmp", row_, true), -4);
  cache.ThumbNailCont(ThumbnailCache::kCacheRelease, u"", row_);
  EXPECT_EQ(Read(u"_THUMB_N.TRN"), before);
  EXPECT_EQ(g_ThumbNailFlag, 1);
}

TEST_F(ThumbFilesTest, SystemDriveKindsAreTheTablesExactRoots) {
  EXPECT_EQ(SystemDriveKind(u"C:\\"), 2);
  EXPECT_EQ(SystemDriveKind(u"c:\\"), 0) << "the table's roots are upper case";
  EXPECT_EQ(SystemDriveKind(u"C:"), 0);
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(ThumbWorkBitmapTest, PixelsGoBetweenTheBitmapAndTheCacheTopRowFirst) {
  HDC screen = GetDC(nullptr);
  ThumbWorkBitmap bitmap;
  ASSERT_EQ(bitmap.Create(screen, 90), 0);
  ReleaseDC(nullptr, screen);
  const int bpp = bitmap.PixelSize();
  ASSERT_GE(bpp, 2);
  const std::size_t stride = (90u * bpp + 1) & ~std::size_t{1};
  std::vector<std::uint8_t> pixels(stride * 90, 0xFF);
  const WorkPixels work{pixels.data(), 90, bpp, stride};
  ASSERT_TRUE(bitmap.Store(work));
  // A red square drawn by GDI in the top-left corner comes out in the first rows.
  RECT top{0, 0, 10, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(bitmap.Dc(), &top, red);
  DeleteObject(red);
  std::fill(pixels.begin(), pixels.end(), 0);
  ASSERT_TRUE(bitmap.Take(work));
  if (bpp >= 3) {
    EXPECT_EQ(pixels[0], 0x00) << "blue";
    EXPECT_EQ(pixels[2], 0xFF) << "red";
    EXPECT_EQ(pixels[50 * stride + 50 * bpp], 0xFF) << "white elsewhere";
  } else {
    EXPECT_NE(pixels[0] | pixels[1] << 8, 0xFFFF);
  }
  const WorkPixels wrong{pixels.data(), 76, bpp, stride};
  EXPECT_FALSE(bitmap.Store(wrong));
  EXPECT_FALSE(bitmap.Take(wrong));
}

}  // namespace
}  // namespace tarn
