#include <gtest/gtest.h>

#include "base/RunState.h"
#include "base/StatusText.h"

namespace tarn {
namespace {

std::u16string Shown(int sw, int value, StatusContext context = {}) {
  const std::optional<std::u16string> text = StatusBarText(static_cast<StatusSwitch>(sw), value, context);
  if (!text) return u"(none)";
  EXPECT_EQ(text->size(), kStatusPaneCharacters) << "padded to clear the pane";
  const std::size_t end = text->find_last_not_of(u' ');
  return end == std::u16string::npos ? u"" : text->substr(0, end + 1);
}

TEST(StatusBarText, ScreensAndReductions) {
  EXPECT_EQ(Shown(0, 0), u"");
  EXPECT_EQ(Shown(1, 0), u"カタログ画面 ：");
  EXPECT_EQ(Shown(2, 50), u"AUTO ｻｲｽﾞ  縮小表示（拡大率）： 50%");
  EXPECT_EQ(Shown(2, 7, {.adjustSize = 0}), u"FULL ｻｲｽﾞ  縮小表示（拡大率）：  7%");
  EXPECT_EQ(Shown(2, 100), u"");
  EXPECT_EQ(Shown(3, 0), u"展開画面 ：");
  EXPECT_EQ(Shown(3, 100), u"展開画面 ：");
  EXPECT_EQ(Shown(3, 99), u"展開画面 ： AUTO ｻｲｽﾞ  縮小表示（拡大率）： 99%");
  EXPECT_EQ(Shown(6, 1), u"伸縮画面 ：");
  EXPECT_EQ(Shown(6, 0, {.zoomPercent = 250}), u"伸縮ｻｲｽﾞ  250%");
}

TEST(StatusBarText, OrdersFilesTrimmingAndCallersText) {
  EXPECT_EQ(Shown(4, 0), u"サイズ並び替え");
  EXPECT_EQ(Shown(4, 4), u"日時並び替え");
  EXPECT_EQ(Shown(4, 5), u"(none)");
  EXPECT_EQ(Shown(5, 12, {.fileName = u"写真.bmp"}), u" ﾌｧｲﾙNo=12  名称=写真.bmp");
  EXPECT_EQ(Shown(7, 0, {.trimWidth = 640, .trimHeight = 48}), u"ﾄﾘﾐﾝｸﾞ ｻｲｽﾞ  横= 640    縦=  48");
  EXPECT_EQ(Shown(9, 0, {.text = u"任意"}), u"任意");
  EXPECT_EQ(Shown(10, 0), u"(none)");
  EXPECT_EQ(Shown(-1, 0), u"(none)");
}

TEST(StatusBarText, BusyNoticesAndHowLongTheyStay) {
  EXPECT_EQ(Shown(8, 0), u"画像再生中は操作できません");
  EXPECT_EQ(Shown(8, 1), u"隠れ動画ウインドウを開き右上の[X]で中止してください");
  EXPECT_EQ(Shown(8, 2), u"隠れ動画ウインドウを開き右上の[X]で中止してください⇒次の画像を表示します");
  EXPECT_EQ(Shown(8, 3), u"隠れ動画ウインドウを開き右上の[X]で中止してください（３回で強制終了）");
  EXPECT_EQ(Shown(8, 4), u"FLV/MP4 連続表示 ：");
  EXPECT_EQ(Shown(8, 5), u"(none)");
  EXPECT_EQ(BusyNoticeMilliseconds(0), 4000);
  EXPECT_EQ(BusyNoticeMilliseconds(1), 15000);
  const std::u16string longName(100, u'a');
  EXPECT_EQ(StatusBarText(kStatusFileNo, 1, {.fileName = longName})->size(), 114u) << "long texts are not cut";
}

TEST(CloseRequest, DuringASlideShowTheThirdRequestCloses) {
  EXPECT_EQ(CloseRequestAction(false, false, false, 0), CloseAction::kClose);
  EXPECT_EQ(CloseRequestAction(true, true, true, 1), CloseAction::kStopAndClear);
  EXPECT_EQ(CloseRequestAction(true, false, false, 5), CloseAction::kIgnore);
  EXPECT_EQ(CloseRequestAction(true, false, true, 1), CloseAction::kClearScreen);
  EXPECT_EQ(CloseRequestAction(true, false, true, 2), CloseAction::kClearWithNotice);
  EXPECT_EQ(CloseRequestAction(true, false, true, 3), CloseAction::kForceClose);
}

TEST(OsKind, ByMajorAndMinorVersion) {
  EXPECT_EQ(OsKindOf(4, 10), 1);
  EXPECT_EQ(OsKindOf(3, 0), 1);
  EXPECT_EQ(OsKindOf(5, 1), 2);
  EXPECT_EQ(OsKindOf(6, 0), 3);
  EXPECT_EQ(OsKindOf(6, 1), 4);
  EXPECT_EQ(OsKindOf(6, 2), 5);
  EXPECT_EQ(OsKindOf(6, 3), 5) << "newer systems are of the newest kind";
  EXPECT_EQ(OsKindOf(10, 0), 5);
  EXPECT_EQ(OsKindOf(0, 0), 0) << "no version read";
}

}  // namespace
}  // namespace tarn
