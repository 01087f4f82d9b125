#include "TimeStamps.h"

#include <algorithm>
#include <cstdio>

#include "base/Prompt.h"
#include "catalog/commands/CommandScope.h"

namespace tarn {
namespace {

constexpr std::uint32_t kReadOnly = 0x01;

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::u16string_view StampName(StampChoice choice) {
  switch (choice) {
    case kStampCreation: return u"『 ﾌｧｲﾙ作成日時 』 を変更します。";
    case kStampModification: return u"『 最終変更日時 』 を変更します。";
    case kStampAccess: return u"『 最終ｱｸｾｽ日時 』 を変更します。";
    default: return u"『 ３種類の日時 』 を変更します。";
  }
}

// One file: read-only lifted for the write and put back after it.
bool StampFile(FileStatusStore& files, std::u16string_view path, StampChoice choice, const StampTime& time) {
  std::uint32_t attributes = 0;
  if (!files.Attributes(path, attributes)) return false;
  const bool readOnly = (attributes & kReadOnly) != 0;
  if (readOnly && !files.SetAttributes(path, attributes & ~kReadOnly)) return false;
  const bool stamped = files.SetTime(path, choice, time);
  if (readOnly) files.SetAttributes(path, attributes);
  return stamped;
}

}  // namespace

std::optional<std::u16string> CheckStampTime(const StampTime& t) {
  if (t.year < 1980 || t.year > 2037) return u"≪年≫を入れ直してください ⇒ 範囲：1980～2037";
  if (t.month < 1 || t.month > 12) return u"≪月≫を入れ直してください ⇒ 範囲：1～12";
  // The file system would refuse a day the month lacks, after the question was already answered.
  if (t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return u"≪日≫を入れ直してください ⇒ 範囲：1～31";
  if (t.hour < 0 || t.hour > 23) return u"≪時≫を入れ直してください ⇒ 範囲：0～23";
  if (t.minute < 0 || t.minute > 59) return u"≪分≫を入れ直してください ⇒ 範囲：0～59";
  if (t.second < 0 || t.second > 59) return u"≪秒≫を入れ直してください ⇒ 範囲：0～59";
  return std::nullopt;
}

int WriteTimeStamps(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, StampChoice choice,
                    const StampTime& time, bool selectedOnly, int offset, int shownEnd, FileStatusStore& files) {
  if (RefuseEmptyCatalog(tables)) return 0;
  if (state.marked > 0) ClearMarks(tables, state, canvas, kClearMarksToSelection);
  const std::u16string caption = ScopeCaption(u"日時変更", selectedOnly);
  if (selectedOnly && CountSelected(tables) == 0) {
    Say(u"ファイルを選択してください", caption);
    return 0;
  }
  if (Say(std::u16string(StampName(choice)) + std::u16string(kCancelEnds) + u" ", caption, Buttons::kOkCancel) !=
      kAnswerOk)
    return 0;
  int stamped = 0;
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    if (!InCommandScope(tables.entries[row].state, selectedOnly)) continue;
    const std::u16string path = EntryPath(tables, tables.entries[row]);
    if (StampFile(files, path, choice, time)) {
      ++stamped;
      continue;
    }
    if (Say(u"ファイルがオープンできません。続けますか？ ≪ｷｬﾝｾﾙ≫で終了", path, Buttons::kOkCancel) != kAnswerOk) break;
  }
  if (!selectedOnly) ClearMarks(tables, state, canvas, kClearAll);
  return stamped;
}

std::uint8_t PropertyAttributeByte(std::uint8_t old, bool readOnly, bool hidden, bool system, bool archive) {
  return static_cast<std::uint8_t>((old & 0xD8) | (readOnly ? 0x01 : 0) | (hidden ? 0x02 : 0) | (system ? 0x04 : 0) |
                                   (archive ? 0x20 : 0));
}

std::u16string PropertyTimeText(const StampTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d-%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace tarn
