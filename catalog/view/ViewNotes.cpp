#include "catalog/view/ViewNotes.h"

#include "base/TextUtil.h"

namespace tarn {
namespace {

std::u16string TwoDigits(int value) {
  const std::u16string text = DecimalText(value);
  return text.size() < 2 ? u"0" + text : text;
}

std::u16string SizeText(long long bytes) {
  if (bytes < 0) return {};
  // Whole kilobytes from 1 KB on, rounded up as Explorer shows them: a 1,025-byte file is 2 KB.
  if (bytes < 1024) return GroupDigits(bytes) + u" バイト";
  return GroupDigits((bytes + 1023) / 1024) + u" KB";
}

}  // namespace

std::array<std::u16string, 4> FileFactsPanes(const FileFactsLine& facts) {
  std::array<std::u16string, 4> panes{facts.name, SizeText(facts.bytes), {}, {}};
  if (facts.width > 0 && facts.height > 0)
    panes[2] = DecimalText(facts.width) + u" × " + DecimalText(facts.height);
  if (facts.year > 0)
    panes[3] = DecimalText(facts.year) + u"/" + TwoDigits(facts.month) + u"/" + TwoDigits(facts.day) + u" " +
               TwoDigits(facts.hour) + u":" + TwoDigits(facts.minute);
  return panes;
}

std::u16string FilesDoneText(int count, std::u16string_view target, bool moved) {
  std::u16string folder(target);
  if (folder.size() > 3 && (folder.back() == u'\\' || folder.back() == u'/')) folder.pop_back();
  return DecimalText(count) + u" 個のファイルを " + folder + (moved ? u" に移動しました" : u" にコピーしました");
}

}  // namespace tarn
