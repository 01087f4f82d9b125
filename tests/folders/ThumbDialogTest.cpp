// The thumbnail dialog on real caches: an update and a delete over a tree of catalogued folders,
// the count against the catalog size, the drive check with a stand-in drive table, and the
// FLV/MP4 copy in its two phases handed on through the frame's timer.
#include <windows.h>

#include "folders/FoldersResource.h"
#include "folders/ThumbDialog.h"
#include "tests/catalog/CatalogFixture.h"

namespace tarn::test {
namespace {

class ThumbDialogTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    tree_ = data_ + L"tc\\";
    for (const std::wstring& f : {tree_, tree_ + L"s1\\", tree_ + L"s2\\"}) CreateDirectoryW(f.c_str(), nullptr);
    g_ThumbLowFlag = 0;
  }
  void TearDown() override {
    for (const wchar_t* sub : {L"s1\\", L"s2\\", L""}) {
      for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp", L"d.bmp", L"_THUMB_N.TRN"})
        DeleteFileW((tree_ + sub + name).c_str());
      RemoveDirectoryW((tree_ + sub).c_str());
    }
    g_ThumbLowFlag = 0;
    CatalogTest::TearDown();
  }

  // Catalogues `folder` so that the view writes its cache.
  void Cache(const std::wstring& folder) {
    frame_->CatalogFolder(FromWide(folder.c_str()));
    Pump(300);
  }
  long long CacheBytes(const std::wstring& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW((folder + L"_THUMB_N.TRN").c_str(), GetFileExInfoStandard, &data)) return -1;
    return data.nFileSizeLow;
  }
  void Prepare() {
    for (const auto& [sub, names] : {std::pair{L"s1\\", std::pair{L"a.bmp", L"b.bmp"}}, std::pair{L"s2\\", std::pair{L"c.bmp", L"d.bmp"}}}) {
      WriteFile(L"pictures\\tc\\" + std::wstring(sub) + names.first, SolidBmp(8, 8, kRed));
      WriteFile(L"pictures\\tc\\" + std::wstring(sub) + names.second, SolidBmp(9, 9, kBlue));
      Cache(tree_ + sub);
      ASSERT_EQ(CacheBytes(tree_ + sub), 2 * kRecordLengthM) << "both pictures cached";
    }
    SendMessageW(frame_->Handle(), WM_COMMAND, ID_SET_THUMBNAIL, 0);
    dialog().SetFolder(FromWide(tree_.c_str()));
    prompt_.shown.clear();
  }
  CThumbDialog& dialog() { return frame_->ThumbDialog(); }
  bool Shown(const std::u16string& text) const {
    for (const ShownMessage& m : prompt_.shown)
      if (m.text == text || m.caption == text) return true;
    return false;
  }

  std::wstring tree_;
};

TEST_F(ThumbDialogTest, UpdateOverATreeCompactsEveryCacheAndASingleFolderIgnoresSubfolders) {
  Prepare();
  dialog().Update(false);
  EXPECT_TRUE(Shown(u"サムネイルがありません")) << "without the subfolder option only the folder itself counts";

  DeleteFileW((tree_ + L"s1\\b.bmp").c_str());
  DeleteFileW((tree_ + L"s2\\d.bmp").c_str());
  g_ThumbLowFlag = 1;
  prompt_.shown.clear();
  dialog().Update(false);
  EXPECT_TRUE(Shown(u"下位フォルダを含むサムネイル ファイル数 = 2"));
  EXPECT_TRUE(Shown(u"サムネイルを更新しました "));
  EXPECT_EQ(CacheBytes(tree_ + L"s1\\"), kRecordLengthM);
  EXPECT_EQ(CacheBytes(tree_ + L"s2\\"), kRecordLengthM);
}

TEST_F(ThumbDialogTest, DeleteOverATreeAndItsCancel) {
  Prepare();
  g_ThumbLowFlag = 1;
  prompt_.answers = {kAnswerCancel};
  dialog().Delete(FromWide(tree_.c_str()));
  EXPECT_EQ(CacheBytes(tree_ + L"s1\\"), 2 * kRecordLengthM) << "Cancel at the question deletes nothing";
  dialog().Delete(FromWide(tree_.c_str()));
  EXPECT_EQ(CacheBytes(tree_ + L"s1\\"), -1);
  EXPECT_EQ(CacheBytes(tree_ + L"s2\\"), -1);
  EXPECT_EQ(prompt_.shown.back().caption, u"削除完了");
}

TEST_F(ThumbDialogTest, CountChecksTheCatalogSize) {
  Prepare();
  dialog().SetFolder(FromWide((tree_ + L"s1").c_str()));
  dialog().Count();
  wchar_t count[16] = {};
  GetDlgItemTextW(dialog().Handle(), IDC_THUMB_COUNT_TEXT, count, 16);
  EXPECT_STREQ(count, L"   2");
  g_CatalogSize = 2;
  dialog().Count();
  EXPECT_EQ(prompt_.shown.back().text, u"≪ カタログサイズ不一致 ≫  Ｌサイズではありません");
  GetDlgItemTextW(dialog().Handle(), IDC_THUMB_COUNT_TEXT, count, 16);
  EXPECT_STREQ(count, L"");
}

TEST_F(ThumbDialogTest, CdRomAndUnknownDrivesAreRefused) {
  int kind = 4;
  dialog().driveKind = [&kind](std::u16string_view) { return kind; };
  Prepare();
  dialog().Update(false);
  EXPECT_EQ(prompt_.shown.back().text, u"ＣＤＲＯＭドライブは更新できません ");
  dialog().Delete(FromWide(tree_.c_str()));
  EXPECT_EQ(prompt_.shown.back().caption, u"削除不可");
  kind = 0;
  dialog().Update(false);
  EXPECT_EQ(prompt_.shown.back().text, u"ドライブ名称不一致<-x01> ");
  EXPECT_EQ(CacheBytes(tree_ + L"s1\\"), 2 * kRecordLengthM);
}

TEST_F(ThumbDialogTest, MovieCopyRenamesFirstFramesThenUpdatesAfterTheCatalogIsBuiltAgain) {
  const std::wstring movies = tree_ + L"s1\\";
  WriteFile(L"pictures\\tc\\s1\\a.bmp", SolidBmp(8, 8, kRed));  // stands in for clip.BMP already there
  WriteFile(L"pictures\\tc\\s1\\b.bmp", SolidBmp(8, 8, kRed));
  MoveFileW((movies + L"b.bmp").c_str(), (movies + L"c[0].BMP").c_str());
  WriteFile(L"pictures\\tc\\s1\\d.bmp", SolidBmp(8, 8, kGreen));
  MoveFileW((movies + L"d.bmp").c_str(), (movies + L"a[0].bmp").c_str());
  Cache(movies);
  ASSERT_EQ(TheCatalog().rows, 3);
  prompt_.answers = {kAnswerOk};  // skip a[0].bmp, whose new name is taken
  SendMessageW(frame_->Handle(), WM_COMMAND, ID_EDIT_THUMB_COPY, 0);
  EXPECT_TRUE(Shown(u"同名のファイルがあります。スキップしますか？ ≪ｷｬﾝｾﾙ≫で終了"));
  EXPECT_NE(GetFileAttributesW((movies + L"c.BMP").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((movies + L"a[0].bmp").c_str()), INVALID_FILE_ATTRIBUTES) << "skipped";
  Pump(800);  // the frame builds the catalog again, then its timer continues the copy
  EXPECT_TRUE(Shown(u"下位フォルダ↑↑でサムネイルを作成してください")) << "no first-frame folder below";
  EXPECT_EQ(CacheBytes(movies), 4 * kRecordLengthM) << "the new name's record added, the cache not compacted";
  EXPECT_FALSE(IsDlgButtonChecked(dialog().Handle(), IDC_THUMB_FLV_COPY));
  DeleteFileW((movies + L"c.BMP").c_str());
  DeleteFileW((movies + L"a[0].bmp").c_str());
}

TEST_F(ThumbDialogTest, MovieCopyGivesAMovieTheThumbnailOfItsFirstFrame) {
  Install(L"TarnFlv.spi", L"TarnFlv.spi");
  ASSERT_EQ(Enumerate(), 1) << "TarnFlv beside TarnBmp";
  const std::wstring movies = tree_ + L"s1\\", frames = movies + L"bmp-f\\";
  CreateDirectoryW(frames.c_str(), nullptr);
  WriteFile(L"pictures\\tc\\s1\\clip.flv", std::string("FLV\x01\x05", 5) + std::string(64, '\0'));
  WriteFile(L"pictures\\tc\\s1\\bmp-f\\clip[0].BMP", SolidBmp(8, 8, kRed));
  TheFileListSources().subfolderMode = true;
  Cache(movies);
  ASSERT_EQ(TheCatalog().rows, 2);
  const std::string before = ReadFile(movies + L"_THUMB_N.TRN");
  ASSERT_EQ(before.size(), static_cast<std::size_t>(kRecordLengthM)) << "the movie's pictogram";

  SendMessageW(frame_->Handle(), WM_COMMAND, ID_EDIT_THUMB_COPY, 0);
  Pump(1200);  // renamed, catalogued again, continued by the timer, copied, catalogued again
  EXPECT_TRUE(Shown(u"サムネイルを書き換えました "));
  EXPECT_TRUE(Shown(u"コピー完了"));
  const std::string after = ReadFile(movies + L"_THUMB_N.TRN");
  const std::string frame = ReadFile(frames + L"_THUMB_N.TRN");
  ASSERT_EQ(after.size(), before.size());
  ASSERT_EQ(frame.size(), before.size()) << "clip.BMP's record, made after the rename";
  EXPECT_EQ(after.substr(0, 264), before.substr(0, 264)) << "the movie keeps its own header";
  EXPECT_EQ(after.substr(264), frame.substr(264)) << "and takes the frame's pixels";
  EXPECT_NE(after.substr(264), before.substr(264));

  for (const std::wstring& file : {movies + L"clip.flv", frames + L"clip.BMP", frames + L"_THUMB_N.TRN"})
    DeleteFileW(file.c_str());
  RemoveDirectoryW(frames.c_str());
}

}  // namespace
}  // namespace tarn::test
