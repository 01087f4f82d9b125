#include "StatusText.h"

#include <cstdio>

#include "TextUtil.h"

namespace tarn {
namespace {

std::u16string Percent3(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%3d%%", value);
  return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

std::u16string Width4(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%4d", value);
  return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

std::u16string Reduced(int adjustSize, int value) {
  return std::u16string(adjustSize == 1 ? u"AUTO" : u"FULL") + u" ｻｲｽﾞ  縮小表示（拡大率）：" + Percent3(value);
}

constexpr std::u16string_view kHiddenMovie = u"隠れ動画ウインドウを開き右上の[X]で中止してください";

std::optional<std::u16string> Text(StatusSwitch sw, int value, const StatusContext& c) {
  switch (sw) {
    case kStatusBlank: return u"";
    case kStatusCatalog: return u"カタログ画面 ：";
    case kStatusReduced: return value < 100 ? Reduced(c.adjustSize, value) : u"";
    case kStatusExpanded: return value == 0 || value >= 100 ? u"展開画面 ：" : u"展開画面 ： " + Reduced(c.adjustSize, value);
    case kStatusSortOrder: {
      static constexpr const char16_t* kOrders[] = {u"サイズ並び替え", u"名称並び替え", u"種類並び替え",
                                                    u"面積並び替え", u"日時並び替え"};
      if (value < 0 || value > 4) return std::nullopt;
      return kOrders[value];
    }
    case kStatusFileNo: return u" ﾌｧｲﾙNo=" + DecimalText(value) + u"  名称=" + c.fileName;
    case kStatusZoom: return value != 0 ? u"伸縮画面 ：" : u"伸縮ｻｲｽﾞ  " + Percent3(c.zoomPercent);
    case kStatusTrim: return u"ﾄﾘﾐﾝｸﾞ ｻｲｽﾞ  横=" + Width4(c.trimWidth) + u"    縦=" + Width4(c.trimHeight);
    case kStatusBusy:
      switch (value) {
        case kBusyPlaying: return u"画像再生中は操作できません";
        case kBusyHiddenMovie: return std::u16string(kHiddenMovie);
        case kBusyHiddenMovieNext: return std::u16string(kHiddenMovie) + u"⇒次の画像を表示します";
        case kBusyHiddenMovieLastCall: return std::u16string(kHiddenMovie) + u"（３回で強制終了）";
        case kBusyMovieShow: return u"FLV/MP4 連続表示 ：";
        default: return std::nullopt;
      }
    case kStatusText: return c.text;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<std::u16string> StatusBarText(StatusSwitch sw, int value, const StatusContext& context) {
  std::optional<std::u16string> text = Text(sw, value, context);
  if (text && text->size() < kStatusPaneCharacters) text->append(kStatusPaneCharacters - text->size(), u' ');
  return text;
}

int BusyNoticeMilliseconds(int value) { return value == 0 ? 4000 : 15000; }

}  // namespace tarn
