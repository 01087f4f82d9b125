// Saving from the catalog through the frame's save command: the format questions, the names, the
// overwrite question's three answers, the refusals, and the files on disk read back (the JPEG by
// libjpeg, the BMP byte by byte). The save-as dialog is answered by the test.
#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

#include "CatalogFixture.h"
#include "catalog/save/ImageSaver.h"

namespace tarn::test {
namespace {

struct JpegFacts {
  bool read = false;
  int width = 0, height = 0;
  std::uint8_t rgb[3] = {};  // the first pixel
};

JpegFacts ReadJpeg(const std::wstring& path) {
  JpegFacts facts;
  std::FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return facts;
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  std::vector<std::uint8_t> row(cinfo.output_width * 3);
  JSAMPROW rows[1] = {row.data()};
  jpeg_read_scanlines(&cinfo, rows, 1);
  facts = {true, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), {row[0], row[1], row[2]}};
  jpeg_abort_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return facts;
}

class SaveImageTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    g_MultiWindowFlag = 0;
    g_JpegQuality = kJpegQualityDefault;
    Picture(L"a.bmp", 40, 30, kRed);
    Picture(L"b.bmp", 8, 8, kBlue);
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 2);
    // A music file as a media plug-in would have listed it; no test plug-in reads one.
    std::u16string(u"tune.mp3").copy(TheCatalog().entries[Row(u"b.bmp")].name, 9);
    ScriptSaveAs(frame_->View().Saver(), dialogs_, answers_);
    prompt_.shown.clear();
  }

  void Save(int row) {
    const_cast<SelectionState&>(frame_->View().Selection()).cursor = row;
    SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_IMAGE, 0), 0);
  }
  // Lets the writer's thread end and its message arrive.
  void FinishJpeg() {
    frame_->View().Saver().WaitForWriter();
    Pump(50);
  }
  std::u16string Data(const wchar_t* name) const { return FromWide((data_ + name).c_str()); }
  const std::u16string& LastText() const { return prompt_.shown.back().text; }
  // Files left in the folder that the test did not ask for: half-written scratch files.
  int ScratchFiles() const {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((data_ + L"*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  }

  std::vector<SaveAsRequest> dialogs_;
  std::vector<std::u16string> answers_;
};

TEST_F(SaveImageTest, JpegThenOverwriteYesNoAndCancelThenBmpOnDisk) {
  // A new name: the save-as dialog proposes it with the JPEG filter; the file decodes as the picture.
  answers_ = {Data(L"a.jpg")};
  Save(0);
  FinishJpeg();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].name, u"a.jpg");
  EXPECT_EQ(dialogs_[0].title, u"[名前を付けて保存]    保存(S)で書込み");
  EXPECT_EQ(dialogs_[0].filter.substr(0, 12), u"JPEG Files （");
  EXPECT_EQ(prompt_.shown[0].text, u"JPEG 形式に変換しますか？　≪ｷｬﾝｾﾙ≫で終了");
  const std::u16string saved = u"↑↑上記のフォルダに保存しました    FileSize = ";
  EXPECT_EQ(LastText().substr(0, saved.size()), saved);
  EXPECT_EQ(prompt_.shown.back().caption, Data(L"a.jpg"));
  JpegFacts jpeg = ReadJpeg(data_ + L"a.jpg");
  ASSERT_TRUE(jpeg.read);
  EXPECT_EQ(jpeg.width, 40);
  EXPECT_EQ(jpeg.height, 30);
  EXPECT_TRUE(Near(RGB(jpeg.rgb[0], jpeg.rgb[1], jpeg.rgb[2]), kRed));

  // Yes to the overwrite: written in place without a dialog.
  DeleteFileW((data_ + L"a.jpg").c_str());
  WriteFile(L"pictures\\a.jpg", "old");
  prompt_.answers = {kAnswerYes, kAnswerYes};
  Save(0);
  FinishJpeg();
  EXPECT_EQ(prompt_.shown[prompt_.shown.size() - 2].caption, Data(L"a.jpg"));
  EXPECT_EQ(dialogs_.size(), 1u);
  EXPECT_TRUE(ReadJpeg(data_ + L"a.jpg").read);

  // No: the dialog with the editing hint; Cancel: nothing at all.
  prompt_.answers = {kAnswerYes, kAnswerNo};
  Save(0);
  ASSERT_EQ(dialogs_.size(), 2u);
  EXPECT_EQ(dialogs_[1].title, u"[名前を付けて保存]    ①ファイル名(N)の編集  ⇒  ②保存(S)で書込み");
  EXPECT_EQ(LastText(), u"キャンセルが押されました ");
  prompt_.answers = {kAnswerYes, kAnswerCancel};
  const std::size_t before = prompt_.shown.size();
  Save(0);
  EXPECT_EQ(prompt_.shown.size(), before + 2);
  EXPECT_EQ(dialogs_.size(), 2u);

  // BMP: No to JPEG, OK to BMP; the source itself exists, so the name is changed in the dialog.
  prompt_.answers = {kAnswerNo, kAnswerOk, kAnswerNo};
  answers_ = {Data(L"copy.bmp")};
  Save(0);
  ASSERT_EQ(dialogs_.size(), 3u);
  EXPECT_EQ(dialogs_[2].filter.substr(0, 11), u"DIB Files （");
  const std::string written = ReadFile(data_ + L"copy.bmp");
  const std::string source = ReadFile(data_ + L"a.bmp");
  ASSERT_EQ(written.size(), 54u + 120 * 30);
  EXPECT_EQ(written.substr(0, 2), "BM");
  EXPECT_EQ(ReadLe32(reinterpret_cast<const std::uint8_t*>(written.data()) + 34), 120u * 30) << "biSizeImage";
  EXPECT_EQ(written.substr(54), source.substr(54));
  EXPECT_EQ(ScratchFiles(), 0);
}

TEST_F(SaveImageTest, RefusalsLeaveNothingBehind) {
  // A music entry, a reserved working name, an extension that is neither, a folder that has gone.
  Save(Row(u"tune.mp3"));
  EXPECT_EQ(LastText(), u"動画・音楽ファイル以外を選択してください ");
  answers_ = {g_StartFolder + u"TarnTrim.bmp", Data(L"a.png"), Data(L"gone\\a.bmp"), Data(L"gone\\a.jpg")};
  Save(0);
  EXPECT_EQ(LastText(), u"トリミングの専用名称は指定できません ");
  Save(0);
  EXPECT_EQ(prompt_.shown.back().caption, u"拡張子 不一致");
  prompt_.answers = {kAnswerNo, kAnswerOk, kAnswerNo};
  Save(0);
  EXPECT_EQ(LastText(), u"BMPファイルを保存できません_1-A3 ");
  Save(0);
  FinishJpeg();
  EXPECT_EQ(LastText(), u"ファイルを保存できません<-v69> ");
  EXPECT_EQ(prompt_.shown.back().caption, Data(L"gone\\a.jpg"));
  EXPECT_EQ(ScratchFiles(), 0);
  EXPECT_EQ(GetFileAttributesW((data_ + L"a.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SaveImageTest, FewColoursAreRefusedAsJpegAndASecondJpegWaitsForTheFirst) {
  for (int bits : {1, 4}) {
    BmpFile f;
    f.width = 8;
    f.height = 8;
    f.bitCount = static_cast<std::uint16_t>(bits);
    f.palette = RampPalette(1u << bits);
    f.pixels.assign(DibRowBytes(8, bits) * 8, 0);
    const std::vector<std::uint8_t> bytes = MakeBmp(f);
    WriteFile(L"pictures\\few" + std::to_wstring(bits) + L".bmp", std::string(bytes.begin(), bytes.end()));
  }
  Picture(L"big.bmp", 3000, 2400, kGreen);
  Catalogue();
  answers_ = {Data(L"few.jpg"), Data(L"few.jpg")};
  Save(Row(u"few1.bmp"));
  EXPECT_EQ(LastText(), u"2 色の画像は“ bmp ”形式を指定してください ");
  EXPECT_EQ(prompt_.shown.back().caption, u"“jpg”対象画像≪256色以上≫");
  Save(Row(u"few4.bmp"));
  EXPECT_EQ(LastText(), u"16 色の画像は“ bmp ”形式を指定してください ");

  answers_ = {Data(L"big.jpg"), Data(L"big2.jpg")};
  Save(Row(u"big.bmp"));
  ASSERT_TRUE(frame_->View().Saver().IsJpegBusy());
  EXPECT_EQ(frame_->View().Saver().SaveImage(FromWide(data_.c_str()), u"big2.jpg", kSaveCommand, false), 1);
  EXPECT_EQ(LastText(), u"変換実行中です ");
  FinishJpeg();
  EXPECT_EQ(ReadJpeg(data_ + L"big.jpg").width, 3000);
  EXPECT_EQ(GetFileAttributesW((data_ + L"big2.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tarn::test
