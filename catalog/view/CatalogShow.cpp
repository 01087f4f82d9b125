#include "CatalogShow.h"

#include <string>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"

namespace tarn {
namespace {

bool Confirmed(const std::u16string& text, const std::u16string& caption) {
  return ThePrompt().Show(text, caption, Buttons::kOkCancel) == kAnswerOk;
}

}  // namespace

int CatalogShow(int mode, int rows, const CatalogShowSteps& steps) {
  if (rows < 1) {
    Say(u"メニューの「読出・書込」でカタログを表示してください", u"ファイルが有りません");
    return kShowEmpty;
  }
  const int standard = CatalogLimitMaximum();
  const std::u16string label = g_CatalogLimit == standard ? u"ｶﾀﾛｸﾞ最大数" : u"ｶﾀﾛｸﾞ制限数";
  const std::u16string limitText = label + u"=" + DecimalText(g_CatalogLimit);
  const auto clearOffset = [&] {
    g_CatalogOffset = 0;
    if (steps.offsetCleared) steps.offsetCleared();
  };

  if (g_CatalogOffset != 0) {
    // An offset at the row count would leave nothing to show, so it counts as too large.
    if (g_CatalogOffset >= rows) {
      if (Confirmed(u"≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱするか、「設定」でｵﾌｾｯﾄを小さい値にしてください",
                    u"カタログ・オフセット値オーバー"))
        return kShowOffsetRefused;
      clearOffset();
    } else if (g_CatalogLimit < rows - g_CatalogOffset) {
      const std::u16string caption =
          u"≪カタログ表示≫ ｵﾌｾｯﾄ値=" + DecimalText(g_CatalogOffset) + u"  " + limitText;
      if (mode == 1 && g_CatalogLimit < standard) {
        if (!Confirmed(u"オフセット値から「" + label + u"」を表示します  ≪ｷｬﾝｾﾙ≫で制限数クリア ", caption))
          g_CatalogLimit = standard;
      } else if (!Confirmed(u"オフセット値から「" + label + u"」を表示します ", caption)) {
        return kShowCancelled;
      }
      return steps.catalogA();
    } else if (!Confirmed(u"「ｶﾀﾛｸﾞｵﾌｾｯﾄ」≪ " + DecimalText(g_CatalogOffset) + u" ≫を使用しますか。≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱ ",
                          u"「ｶﾀﾛｸﾞ ｵﾌｾｯﾄ」確認")) {
      clearOffset();
      if (rows > g_CatalogLimit) return kShowCancelled;
    }
  }

  if (g_CatalogOffset == 0 && g_CatalogLimit < rows) {
    const std::u16string caption = u"≪カタログ表示≫ ﾌｧｲﾙ数=" + DecimalText(rows) + u"  " + limitText;
    if (g_CatalogLimit < standard) {
      if (!Confirmed(u"「" + label + u"」を表示します  ≪ｷｬﾝｾﾙ≫で制限数クリア ", caption)) g_CatalogLimit = standard;
    } else if (!Confirmed(u"「" + label + u"」を表示します  ", caption)) {
      return kShowCancelled;
    }
  }
  return steps.catalogA();
}

}  // namespace tarn
