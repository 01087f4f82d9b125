// The error log, the wiping delete and the file-name conversion, on real files under Wine.
#include "HostFixture.h"

#include "base/ErrorLog.h"
#include "base/FileUtil.h"
#include "base/RecordBuffer.h"
#include "plugin_host/MultiByteName.h"

namespace tarn::test {
namespace {

using AppFiles = HostTest;

TEST_F(AppFiles, ErrorLogStartsWithItsHeaderAndAppendsEntries) {
  CreateErrorLog();
  WriteErrorLog(u"m_SelTreeDir ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= 300\nC:\\x");
  const std::string bytes = ReadFile(folder_ + L"ErrLog.txt");
  const std::u16string text = LogText();
  ASSERT_EQ(text.rfind(u"; Localized    ", 0), 0u) << "header line";
  // "; Localized    YYYY/MM/DD  hh:mm:ss    Tarn_ErrLog.txt"
  ASSERT_GT(text.size(), 56u);
  EXPECT_EQ(text[19], u'/');
  EXPECT_EQ(text[22], u'/');
  EXPECT_EQ(text.substr(25, 2), u"  ");
  EXPECT_EQ(text[29], u':');
  EXPECT_EQ(text.substr(35, 20), u"    Tarn_ErrLog.txt\n");
  EXPECT_EQ(text.substr(55), u"\n***読出エラーが発生したファイル***\nm_SelTreeDir ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= 300\nC:\\x\n");
  // In code page 932: "読" is 0x93 0xC7, the half-width "ﾌ" one byte 0xCC.
  EXPECT_NE(bytes.find("\x93\xC7\x8F\x6F"), std::string::npos);
  EXPECT_NE(bytes.find("\xCC\xA7\xB2\xD9"), std::string::npos);
  EXPECT_EQ(bytes.find('\r'), std::string::npos) << "entries end in a line feed";

  CreateErrorLog();
  EXPECT_EQ(LogText().find(u"m_SelTreeDir"), std::u16string::npos) << "made anew at every start";
}

TEST_F(AppFiles, NothingIsLoggedOnceSavingIsSuppressed) {
  CreateErrorLog();
  const std::u16string before = LogText();
  g_SaveSuppressed = true;
  WriteErrorLog(u"after the cleanup tool");
  EXPECT_EQ(LogText(), before);
}

TEST_F(AppFiles, LogThatCannotBeOpenedIsToldOnce) {
  g_StartFolder = u"Z:\\no\\such\\folder\\";
  WriteErrorLog(u"entry");
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ファイル Z:\\no\\such\\folder\\ErrLog.txt を開けません");
}

TEST_F(AppFiles, WipeDeleteRemovesFilesOfEverySize) {
  // 0 is the length before any catalog size was chosen: size M's blocks.
  for (int length : {0, kRecordLengthS, kRecordLengthLL}) {
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{13456}, std::size_t{30000}}) {
      const std::wstring path = WriteFile(L"wipe.bin", std::string(size, 'x'));
      EXPECT_EQ(WipeDelete(FromWide(path.c_str()), length), kWipeDeleted) << length << " " << size;
      EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << length << " " << size;
    }
  }
  EXPECT_EQ(WipeDelete(FromWide((folder_ + L"missing.bin").c_str()), kRecordLengthM), kWipeCannotOpen);
}

TEST_F(AppFiles, ReadOnlyFilesNeedClearReadOnlyFirst) {
  const std::wstring path = WriteFile(L"locked.bin", "data");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::u16string wide = FromWide(path.c_str());
  EXPECT_EQ(WipeDelete(wide, kRecordLengthM), kWipeCannotOpen);
  EXPECT_EQ(ReadFile(path), "data") << "nothing was overwritten";
  EXPECT_EQ(ClearReadOnly(wide), 1);
  EXPECT_EQ(ClearReadOnly(wide), 0);
  EXPECT_EQ(WipeDelete(wide, kRecordLengthM), kWipeDeleted);
  EXPECT_EQ(ClearReadOnly(wide), 2) << "gone";
}

TEST_F(AppFiles, UnconvertibleNamesBecomeMarkersAndDotlessOnesEmpty) {
  char name[kPluginNameBytes];
  const std::u16string folder = g_StartFolder;
  const int length = ToMultiByteName(name, folder + u"写真.png", kPluginNameBytes, NameMode::kMarker);
  ASSERT_EQ(length, static_cast<int>(std::strlen(name)));
  EXPECT_EQ(std::string(name).substr(static_cast<std::size_t>(length) - 8), "\x8E\xCA\x90\x5E.png") << "kanji convert";
  EXPECT_EQ(ToMultiByteName(name, folder + u"caf\u00E9.PNG", kPluginNameBytes, NameMode::kMarker), 13);
  EXPECT_STREQ(name, "[UNICODE].PNG");
  EXPECT_STREQ(LastMultiByteName(), "[UNICODE].PNG");
  EXPECT_EQ(ToMultiByteName(name, folder + u"\u301C.gif", kPluginNameBytes, NameMode::kMarker), 13)
      << "the wave dash has only a best-fit form";
  EXPECT_EQ(ToMultiByteName(name, folder + u"caf\u00E9.png", kPluginNameBytes, NameMode::kStrict), -1);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(ToMultiByteName(name, u"C:\\caf\u00E9", kPluginNameBytes, NameMode::kMarker), 0);
  EXPECT_STREQ(name, "");
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"_T(拡張子' . 'が検出できません<-w11>");
  EXPECT_EQ(ToMultiByteName(name, folder + u"a.png", 5, NameMode::kMarker), -1) << "too long for the buffer";
}

TEST_F(AppFiles, SubstituteNameTooLongForAPathIsTold) {
  char name[kPluginNameBytes];
  const std::u16string path = u"C:\\\u00E9" + std::u16string(270, u'a') + u".png";
  EXPECT_EQ(ToMultiByteName(name, path, kPluginNameBytes, NameMode::kMarkerCopy), 13);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"ms To ws 失敗：元のワイド文字列に戻す<-w12>");
}

TEST_F(AppFiles, CopyOfferMakesAFileUnderTheMiddleDotName) {
  const std::wstring original = WriteFile(L"caf\u00E9.fake", "picture");
  const std::wstring substitute = folder_ + L"caf\u30FB.fake";
  char name[kPluginNameBytes];
  prompt_.answers = {kAnswerNo};
  EXPECT_EQ(ToMultiByteName(name, FromWide(original.c_str()), kPluginNameBytes, NameMode::kMarkerCopy), 14);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"変更したワイド文字列のファイルを作成しますか？   ");
  EXPECT_EQ(prompt_.shown[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(GetFileAttributesW(substitute.c_str()), INVALID_FILE_ATTRIBUTES) << "No copies nothing";

  prompt_.shown.clear();
  EXPECT_EQ(ToMultiByteName(name, FromWide(original.c_str()), kPluginNameBytes, NameMode::kMarkerCopy), 14);
  EXPECT_STREQ(name, "[UNICODE].fake") << "the plug-in still gets the marker";
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].text, u"ワイド文字列のファイル作成完了\n" + FromWide(substitute.c_str()) +
                                       u"\n\n再生を終了して「カタログ」ボタンを押すと表示されます");
  EXPECT_EQ(ReadFile(substitute), "picture");
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.lastPos, 50);
  EXPECT_EQ(progress_.closed, 1);

  prompt_.shown.clear();
  ToMultiByteName(name, FromWide(original.c_str()), kPluginNameBytes, NameMode::kMarkerCopy);
  EXPECT_TRUE(prompt_.shown.empty()) << "a file of the substitute name exists: no offer";

  prompt_.shown.clear();
  ToMultiByteName(name, FromWide((folder_ + L"gone\u00E9.fake").c_str()), kPluginNameBytes, NameMode::kMarkerCopy);
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].text, u"作成失敗：同名のファイルがあります") << "the copy failed";
}

}  // namespace
}  // namespace tarn::test
