#include "SavedStrings.h"

#include "base/Prompt.h"
#include "base/TextUtil.h"

namespace tarn {

SavedStrings& TheSavedStrings() {
  static SavedStrings saved;
  return saved;
}

bool SaveString(SavedStrings& saved, std::u16string_view text) {
  std::u16string& first = saved.entries[0];
  if (text.empty()) {
    if (Say(u"保存文字列をクリアしますか？", u"文字列保存確認", Buttons::kOkCancel) != kAnswerOk) return false;
    if (first.empty()) {
      Say(u"保存文字列は有りません", u"文字列クリア確認");
      return false;
    }
    first.clear();
    return true;
  }
  if (HalfWidthUnits(text) > 15) {
    Say(u"文字列は半角15文字以内にしてください", u"文字列指定エラー");
    return false;
  }
  if (!first.empty() && Say(u"「 " + first + u" 」を「 " + std::u16string(text) + u" 」へ書き換えますか？", u"書換確認",
                            Buttons::kOkCancel) != kAnswerOk)
    return false;
  first = text;
  return true;
}

std::vector<std::u16string> ListedStrings(const SavedStrings& saved) {
  std::vector<std::u16string> listed;
  for (const std::u16string& entry : saved.entries)
    if (!entry.empty()) listed.push_back(entry);
  return listed;
}

}  // namespace tarn
