// FileLoad: select codes, the sense exchange with the GIF and movie plug-ins, and every message.
#include "HostFixture.h"

#include <algorithm>

#include "app/MessageBoxPrompt.h"
#include "base/ErrorLog.h"
#include "image/PictureWnd.h"
#include "plugin_host/SenseState.h"
#include "tests/support/OwnWindow.h"

namespace tarn::test {
namespace {

class FileLoadTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    picture_ = std::make_unique<CPictureWnd>(*registry_);
    g_MovieMode = g_MovieRun = g_MovieAux = g_FlvFlag = g_Mp4Flag = g_MovSensed = 0;
    CreateErrorLog();
  }
  void TearDown() override {
    picture_.reset();
    HostTest::TearDown();
  }

  // Installs test plug-ins under `names`, each claiming `extension`.
  void InstallClaiming(std::initializer_list<const wchar_t*> names, const char* extension) {
    for (const wchar_t* name : names) Install(L"FakePlugin.spi", name);
    ASSERT_EQ(Enumerate(), static_cast<int>(names.size()));
    for (const wchar_t* name : names) std::strcpy(Control(name)->extension, extension);
  }

  // The log after its header.
  std::u16string LogEntries() {
    const std::u16string log = LogText();
    const std::u16string title = u"***読出エラーが発生したファイル***\n";
    return log.substr(log.find(title) + title.size());
  }

  std::unique_ptr<CPictureWnd> picture_;
};

TEST_F(FileLoadTest, StillPictureIsLockedAndReleasedByTheNextLoad) {
  InstallClaiming({L"Fake.spi"}, ".fake");
  const std::wstring file = WriteFile(L"a.fake", "x");
  ASSERT_EQ(picture_->FileLoad(kSelectStill, file.c_str()), 0);
  ASSERT_NE(picture_->Loaded().Info(), nullptr);
  ASSERT_NE(picture_->Loaded().Bits(), nullptr);
  EXPECT_EQ(picture_->Loaded().Width(), 2);
  EXPECT_EQ(picture_->Loaded().Record().width, 2u);
  const HLOCAL previous = LocalHandle(picture_->Loaded().Info());

  ASSERT_EQ(picture_->RotateMap(kRotateClockwise), 0);
  ASSERT_EQ(picture_->TransState(), 1);
  EXPECT_EQ(picture_->FileLoad(9, file.c_str()), -1);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"FileLoad Select = 9");
  EXPECT_EQ(LocalHandle(picture_->Loaded().Info()), previous) << "an unknown select releases nothing";
  EXPECT_EQ(picture_->TransState(), 1) << "the kept picture keeps its turn, matching its turned header";
  EXPECT_NE(picture_->CurrentBits(), picture_->Loaded().Bits());


  g_MovieRun = 1;
  EXPECT_EQ(picture_->FileLoad(kSelectRelease, (folder_ + L"missing").c_str()), 0);
  EXPECT_TRUE(picture_->Loaded().IsEmpty());
  EXPECT_EQ(picture_->Loaded().Bits(), nullptr);
  EXPECT_EQ(LocalSize(previous), 0u) << "freed";
  EXPECT_EQ(g_MovieRun, 0);
  EXPECT_EQ(picture_->TransState(), 0) << "the released picture took its work buffer with it";

  ASSERT_EQ(picture_->FileLoad(kSelectStill, file.c_str()), 0);
  ASSERT_EQ(picture_->RotateMap(kRotateHalfTurn), 0);
  ASSERT_EQ(picture_->FileLoad(kSelectStill, file.c_str()), 0);
  EXPECT_EQ(picture_->TransState(), 0) << "a new picture starts untouched";
  EXPECT_EQ(picture_->CurrentBits(), picture_->Loaded().Bits());
}

TEST_F(FileLoadTest, FailuresAreLoggedAndShownWithThePathAsCaption) {
  InstallClaiming({L"Fake.spi"}, ".fake");
  const std::u16string folder = FromWide(folder_.c_str());
  const std::wstring jpg = WriteFile(L"broken.JPG", "x");
  const std::wstring jpeg = WriteFile(L"broken.jpeg", "x");
  const std::wstring avi = WriteFile(L"movie.avi", "x");
  const std::wstring missing = folder_ + L"missing.fake";
  const std::wstring missingAvi = folder_ + L"missing.avi";

  struct Case {
    int select;
    std::wstring path;
    int result;
    std::u16string shown, logged;
  };
  const std::vector<Case> cases = {
      {kSelectStill, jpg, 2, u"≪JPGプラグイン≫が組み込まれていますか？ ",
       u"≪JPGプラグイン≫が組み込まれていますか？ " + folder + u"broken.JPG"},
      {kSelectStill, jpeg, 2, u"Load Error ≪未知のフォーマット≫",
       u"Load Error ≪未知のフォーマット≫\n" + folder + u"broken.jpeg"},
      {kSelectMedia, avi, 2, u" ≪動画・音楽ファイル読出失敗≫",
       u"Load Error ≪動画・音楽ファイル読出失敗≫\n" + folder + u"movie.avi"},
      {kSelectFlvMp4, avi, 2, u" ≪動画・音楽ファイル読出失敗≫",
       u"Load Error ≪動画・音楽ファイル読出失敗≫\n" + folder + u"movie.avi"},
      {kSelectStill, missing, 6, u"Load Error ≪ロードエラー≫",
       u"Load Error ≪ロードエラー≫\n" + folder + u"missing.fake"},
      {kSelectMedia, missingAvi, 6, u"≪動画・音楽ファイル読出失敗１≫",
       u"Load Error ≪動画・音楽ファイル読出失敗１≫\n" + folder + u"missing.avi"},
      {kSelectGifFrame, L"", 6, u"Load Error ≪ロードエラー≫", u"Load Error ≪ロードエラー≫\n"},
  };
  std::u16string expectedLog;
  for (const Case& c : cases) {
    prompt_.shown.clear();
    g_MovieRun = g_MovieAux = 1;
    EXPECT_EQ(picture_->FileLoad(c.select, c.path.c_str()), c.result) << c.select;
    ASSERT_EQ(prompt_.shown.size(), 1u) << c.select;
    EXPECT_EQ(prompt_.shown[0].text, c.shown);
    EXPECT_EQ(prompt_.shown[0].caption, FromWide(c.path.c_str()));
    EXPECT_TRUE(picture_->Loaded().IsEmpty());
    EXPECT_EQ(g_MovieRun, 0);
    EXPECT_EQ(g_MovieAux, 0);
    EXPECT_EQ(g_MovieMode, 0);
    expectedLog += c.logged + u"\n";
  }
  EXPECT_EQ(LogEntries(), expectedLog);
}

TEST_F(FileLoadTest, AnyOtherCodeIsShownByNumber) {
  InstallClaiming({L"Fake.spi"}, ".fake");
  EXPECT_EQ(picture_->FileLoad(kSelectStill, nullptr), 8);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"Load Error ≪8≫");
  EXPECT_EQ(LogEntries(), u"Load Error ≪8≫\n\n");
}

TEST_F(FileLoadTest, PreviewFailuresAreSilent) {
  InstallClaiming({L"Fake.spi"}, ".fake");
  const std::wstring other = WriteFile(L"a.other", "x");
  const std::wstring fake = WriteFile(L"a.fake", "x");
  EXPECT_EQ(picture_->FileLoad(kSelectThumbnail, other.c_str()), 2);
  EXPECT_EQ(picture_->FileLoad(kSelectMediaThumbnail, (folder_ + L"missing").c_str()), 6);
  Control(L"Fake.spi")->pictureResult = 3;
  Control(L"Fake.spi")->handlesOnFailure = 1;
  EXPECT_EQ(picture_->FileLoad(kSelectFlvMp4Thumbnail, fake.c_str()), 2);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(LogEntries(), u"");
  EXPECT_TRUE(picture_->Loaded().IsEmpty());
  EXPECT_EQ(LocalSize(Control(L"Fake.spi")->handedOver[0]), 0u) << "freed";
  Control(L"Fake.spi")->pictureResult = 0;
  EXPECT_EQ(picture_->FileLoad(kSelectThumbnail, fake.c_str()), 0);
  EXPECT_EQ(Control(L"Fake.spi")->previewCalls, 2);
  EXPECT_NE(picture_->Loaded().Bits(), nullptr);
}

TEST_F(FileLoadTest, MotionGifFramesCyclesAndTheStillReset) {
  InstallClaiming({L"TarnGif.spi"}, ".gif");
  FakeControl* gif = Control(L"TarnGif.spi");
  gif->frames = 3;
  gif->cycles = 2;
  const std::wstring file = WriteFile(L"anim.GIF", "GIF89a");

  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(gif->senseCalls, 1);
  EXPECT_EQ(gif->lastCommand, -1) << "a new animation";
  EXPECT_EQ(picture_->Animation().frames, 3);
  EXPECT_EQ(picture_->Animation().loops, 2);
  EXPECT_EQ(picture_->Animation().frame, 1);
  EXPECT_EQ(gif->frameAtLoad, 1);
  EXPECT_EQ(gif->lastLData, reinterpret_cast<LONG_PTR>(&g_SenseCells[2]));

  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(gif->senseCalls, 1) << "within a cycle no sense call";
  EXPECT_EQ(gif->frameAtLoad, 2);

  picture_->Animation().frame = 0;  // the frame timer ends a cycle
  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(gif->senseCalls, 2);
  EXPECT_EQ(gif->lastCommand, -2) << "the next cycle restarts the walk";
  EXPECT_EQ(gif->frameAtLoad, 1);
  EXPECT_EQ(picture_->Animation().loops, 2) << "-2 does not change the cycles";

  g_SenseCells[6] = g_SenseCells[7] = 9;
  ASSERT_EQ(picture_->FileLoad(kSelectStill, file.c_str()), 0);
  EXPECT_EQ(gif->lastCommand, -3);
  EXPECT_EQ(gif->lastLData, 0) << "a still load passes no frame number";
  EXPECT_EQ(picture_->Animation().frames, 0);
  EXPECT_EQ(g_SenseCells[2], 0);
  EXPECT_EQ(g_SenseCells[6], 0);
  EXPECT_EQ(g_SenseCells[7], 0);
}

TEST_F(FileLoadTest, StillGifSentAsAFrameStaysStill) {
  InstallClaiming({L"TarnGif.spi"}, ".gif");
  Control(L"TarnGif.spi")->frames = 0;
  const std::wstring file = WriteFile(L"still.gif", "GIF89a");
  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(picture_->Animation().frames, 0);
  EXPECT_EQ(picture_->Animation().frame, 0);
  EXPECT_EQ(Control(L"TarnGif.spi")->frameAtLoad, 0);

  Control(L"TarnGif.spi")->senseResult = 8;  // "[UNICODE]" names are refused
  picture_->Animation().frames = 5;
  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(picture_->Animation().frames, 0);
}

TEST_F(FileLoadTest, DisabledGifPlugInMeansNoSenseExchange) {
  InstallClaiming({L"TarnGif.spi", L"OtherGif.spi"}, ".gif");
  registry_->Enabled(registry_->FindByName(L"TarnGif.spi"), 0);
  const std::wstring file = WriteFile(L"anim.gif", "GIF89a");
  registry_->m_lData = 12345;
  ASSERT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0);
  EXPECT_EQ(Control(L"TarnGif.spi")->senseCalls, 0);
  EXPECT_EQ(Control(L"OtherGif.spi")->pictureCalls, 1);
  EXPECT_EQ(Control(L"OtherGif.spi")->lastLData, 0);

  const std::wstring bmp = WriteFile(L"a.bmp", "BM");
  picture_->Animation().loops = 4;
  picture_->FileLoad(kSelectGifFrame, bmp.c_str());
  EXPECT_EQ(picture_->Animation().loops, 0) << "not a GIF: the animation state is cleared";
}

TEST_F(FileLoadTest, MediaFilesAreSensedBeforeAndAfterTheLoad) {
  InstallClaiming({L"TarnMov.spi"}, ".avi");
  FakeControl* mov = Control(L"TarnMov.spi");
  const std::wstring file = WriteFile(L"clip.avi", "RIFF");
  g_MovieAux = g_FlvFlag = g_Mp4Flag = 1;
  ASSERT_EQ(picture_->FileLoad(kSelectMedia, file.c_str()), 0);
  EXPECT_EQ(mov->senseCalls, 2);
  EXPECT_EQ(mov->lastCommand, -1) << "the after-load query";
  EXPECT_EQ(g_MovSensed, 1);
  EXPECT_EQ(g_MovieMode, 1);
  EXPECT_EQ(g_MovieAux + g_FlvFlag + g_Mp4Flag, 0);
  EXPECT_EQ(mov->lastLData, reinterpret_cast<LONG_PTR>(&g_SenseCells[1]));

  mov->senseResult = 5;
  g_MovieRun = 1;
  EXPECT_EQ(picture_->FileLoad(kSelectMedia, file.c_str()), 2) << "no plug-in answered 0";
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text,
            u"ファイルを認識できません。複数の同種プラグインが組み込まれていませんか？ \n [TarnMov.spi]エラー<-d01> ");
  EXPECT_EQ(prompt_.shown[0].caption, FromWide(file.c_str()));
  EXPECT_EQ(g_MovieRun, 0);
  EXPECT_EQ(LogEntries(), u"") << "sense messages are not logged";
}

TEST_F(FileLoadTest, RefusedAfterLoadQueryReleasesThePicture) {
  InstallClaiming({L"TarnMov.spi"}, ".avi");
  FakeControl* mov = Control(L"TarnMov.spi");
  mov->senseResult = 5;
  mov->refuseCommand = -1;
  const std::wstring file = WriteFile(L"clip.avi", "RIFF");
  EXPECT_EQ(picture_->FileLoad(kSelectMedia, file.c_str()), 2);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, FromWide(file.c_str()));
  EXPECT_EQ(prompt_.shown[0].caption, u"≪SensePlugInInfo エラー２≫ ret=2 ");
  EXPECT_TRUE(picture_->Loaded().IsEmpty());
  EXPECT_EQ(g_MovieMode, 0);
}

TEST_F(FileLoadTest, BlocksThatCannotBeLockedFailStillLoadsOnly) {
  InstallClaiming({L"Fake.spi"}, ".fake");
  Control(L"Fake.spi")->emptyBlocks = 1;
  const std::wstring file = WriteFile(L"a.fake", "x");
  EXPECT_EQ(picture_->FileLoad(kSelectStill, file.c_str()), 8);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"Load Error No=8 Select=1<-d04>");
  EXPECT_EQ(prompt_.shown[0].caption, u"エラー");
  EXPECT_TRUE(picture_->Loaded().IsEmpty());
  EXPECT_EQ(picture_->FileLoad(kSelectThumbnail, file.c_str()), 8);
  EXPECT_EQ(prompt_.shown.back().text, u"Load Error No=8 Select=2<-d04>");
  prompt_.shown.clear();
  EXPECT_EQ(picture_->FileLoad(kSelectGifFrame, file.c_str()), 0) << "frames may come without pixels";
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(FileLoadTest, FlvAndMp4PlugInsGetTheMovieCells) {
  InstallClaiming({L"TarnFlv.spi", L"TarnMp4.spi"}, ".x");
  std::strcpy(Control(L"TarnFlv.spi")->extension, ".flv");
  std::strcpy(Control(L"TarnMp4.spi")->extension, ".mp4");
  const std::wstring flv = WriteFile(L"a.FLV", "FLV");
  const std::wstring mp4 = WriteFile(L"a.mp4", "mp4");
  ASSERT_EQ(picture_->FileLoad(kSelectFlvMp4, flv.c_str()), 0);
  const int* cells = Control(L"TarnFlv.spi")->movieCells;
  EXPECT_EQ(cells[0], -1);
  EXPECT_EQ(cells[1], -2);
  EXPECT_EQ(cells[2], -3);
  EXPECT_EQ(g_FlvFlag, 1);
  EXPECT_EQ(g_Mp4Flag, 0);
  EXPECT_EQ(Control(L"TarnFlv.spi")->lastLData, reinterpret_cast<LONG_PTR>(g_MovieCells));

  ASSERT_EQ(picture_->FileLoad(kSelectFlvMp4, mp4.c_str()), 0);
  EXPECT_EQ(g_FlvFlag, 0);
  EXPECT_EQ(g_Mp4Flag, 1);

  Control(L"TarnMp4.spi")->senseResult = 2;
  EXPECT_EQ(picture_->FileLoad(kSelectFlvMp4, mp4.c_str()), 2);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"[TarnFlv.spi/TarnMp4.spi]を認識できません。プラグインは最新版ですか？ <-d03> ");
}

// The width of the message box a thread timer finds, which then closes it.
int g_BoxWidth = -1;
void CALLBACK MeasureAndCloseBox(HWND, UINT, UINT_PTR, DWORD) {
  const HWND box = FindOwnWindow(L"#32770", L"Tarn");
  if (box == nullptr || g_BoxWidth >= 0) return;
  RECT r{};
  GetWindowRect(box, &r);
  g_BoxWidth = r.right - r.left;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// A path of 258 units, which Windows still opens but no plug-in name buffer holds: said and logged
// once per file and operation however many plug-ins are asked, in a box that fits the screen.
TEST_F(FileLoadTest, PathTooLongForThePlugInsIsSaidOncePerFileInABoxThatFits) {
  InstallClaiming({L"TarnGif.spi", L"Fake2.spi", L"Fake3.spi"}, ".gif");
  const std::wstring path = WriteFile(std::wstring(258 - folder_.size() - 4, L'a') + L".gif", "GIF89a");
  EXPECT_EQ(registry_->IsSupportedAny(path.c_str()), 0);
  // A still GIF: the sense exchange and the decoding each go round every plug-in.
  EXPECT_EQ(picture_->FileLoad(kSelectStill, path.c_str()), 2);
  std::vector<std::u16string> failures;
  for (const ShownMessage& m : prompt_.shown)
    if (m.text.find(u"変換失敗") != std::u16string::npos) failures.push_back(m.text);
  ASSERT_EQ(failures.size(), 2u);
  const std::u16string logged = LogEntries();
  EXPECT_EQ(std::count(logged.begin(), logged.end(), u'変'), 2);
  EXPECT_NE(logged.find(FromWide(path.c_str()) + u"\n"), std::u16string::npos) << "the log keeps the path whole";
  g_BoxWidth = -1;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &MeasureAndCloseBox);
  MessageBoxPrompt().Show(failures[0], {}, Buttons::kOk);
  KillTimer(nullptr, timer);
  EXPECT_GT(g_BoxWidth, 0);
  EXPECT_LE(g_BoxWidth, 1280);
}

}  // namespace
}  // namespace tarn::test
