#include "BatchRename.h"

#include <algorithm>
#include <cstdio>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/commands/CommandScope.h"

namespace tarn {
namespace {

constexpr std::u16string_view kStringError = u"文字列指定エラー";
constexpr std::u16string_view kNoString = u"文字列未入力";
constexpr int kSequenceEnd = 10000;
// A catalog row holds names of at most this many units.
constexpr std::size_t kNameUnits = 127;

std::optional<InputRefusal> Refuse(std::u16string_view text, std::u16string_view caption) {
  return InputRefusal{std::u16string(text), std::u16string(caption)};
}

std::u16string FourDigits(long long number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04lld", number);
  return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::optional<InputRefusal> CheckReplacement(const RenameRequest& request) {
  const std::u16string& r = request.replacement;
  if (r.empty()) {
    if (Say(u"追加文字列は不要ですか？ ≪ｷｬﾝｾﾙ≫で終了", u" 文字列未入力 ", Buttons::kOkCancel) != kAnswerOk)
      return InputRefusal{};
    return std::nullopt;
  }
  if (request.extension && HalfWidthUnits(r) > 5) return Refuse(u"追加拡張子は半角5文字以内にしてください", kStringError);
  if (HalfWidthUnits(r) > 32) return Refuse(u"追加文字列は半角32文字以内にしてください ", kStringError);
  return std::nullopt;
}

// The base without a "-0" to "-99" suffix; nothing when it has none (or is nothing but one).
std::optional<std::u16string_view> WithoutNumberSuffix(std::u16string_view base) {
  const std::size_t n = base.size();
  if (n > 2 && base[n - 2] == u'-' && IsDigit(base[n - 1])) return base.substr(0, n - 2);
  if (n > 3 && base[n - 3] == u'-' && IsDigit(base[n - 2]) && IsDigit(base[n - 1])) return base.substr(0, n - 3);
  return std::nullopt;
}

// `text` with its first `search` replaced by `replacement`; nothing when `search` is not in it.
std::optional<std::u16string> ReplaceFirst(std::u16string_view text, std::u16string_view search,
                                           std::u16string_view replacement) {
  const std::size_t at = text.find(search);
  if (search.empty() || at == std::u16string_view::npos) return std::nullopt;
  std::u16string replaced(text.substr(0, at));
  replaced += replacement;
  replaced += text.substr(at + search.size());
  return replaced;
}

RenameStep Renamed(std::u16string name) { return {RenameStep::kRenamed, std::move(name)}; }

RenameStep ReplaceInExtension(std::u16string_view base, std::u16string_view extension, const RenameRequest& request) {
  const std::optional<std::u16string> replaced = ReplaceFirst(extension, request.text, request.replacement);
  if (!replaced) return {};
  if (replaced->size() < 2 || replaced->size() > 5) return {RenameStep::kBadExtension, *replaced};
  return Renamed(std::u16string(base) + u"." + *replaced);
}

}  // namespace

std::optional<InputRefusal> CheckRenameInput(const RenameRequest& request, int inScope) {
  const std::u16string& s = request.text;
  const int width = HalfWidthUnits(s);
  switch (request.operation) {
    case kRenameAppend:
    case kRenamePrepend:
      if (s.empty()) return Refuse(u"追加文字列を入力してください", kStringError);
      if (width > 16) return Refuse(u"追加文字列は半角16文字以内にしてください", kStringError);
      return std::nullopt;
    case kRenameCutEnd:
    case kRenameCutStart:
      if (s.empty()) return Refuse(u"削除文字列を入力してください", kNoString);
      if (width > 16) return Refuse(u"削除文字列は半角16文字以内にしてください", kStringError);
      return std::nullopt;
    case kRenameNumbered:
      if (s.empty()) return Refuse(u"交換文字列を入力してください", kNoString);
      if (width > 32) return Refuse(u"削除文字列は半角32文字以内にしてください", kStringError);
      if (request.start < 0 || static_cast<long long>(request.start) + inScope > kSequenceEnd)
        return Refuse(u"連番の先頭は 0～" + FourDigits(kSequenceEnd - inScope) + u" を設定してください", u"連番指定エラー");
      return std::nullopt;
    case kRenameReplace:
      if (s.empty()) return Refuse(u"削除文字列を入力してください", kNoString);
      if (request.extension && width > 5) return Refuse(u"削除拡張子は半角5文字以内にしてください", kStringError);
      if (width > 32) return Refuse(u"削除文字列は半角32文字以内にしてください", kStringError);
      return CheckReplacement(request);
    default: return std::nullopt;  // NamePlusMinus names the unknown code
  }
}

RenameStep RenamedName(std::u16string_view name, const RenameRequest& request, unsigned number) {
  const std::size_t period = name.find_last_of(u'.');
  if (period == std::u16string_view::npos || period == 0) return {RenameStep::kNoPeriod, {}};
  const std::u16string_view base = name.substr(0, period), extension = name.substr(period);
  const std::u16string_view s = request.text;
  switch (request.operation) {
    case kRenameAppend: return Renamed(std::u16string(base) + std::u16string(s) + std::u16string(extension));
    case kRenamePrepend: return Renamed(std::u16string(s) + std::u16string(name));
    case kRenameCutEnd: {
      if (EqualsIgnoreCase(s, u"-XX")) {
        const auto cut = WithoutNumberSuffix(base);
        return cut ? Renamed(std::u16string(*cut) + std::u16string(extension)) : RenameStep{};
      }
      if (s.size() >= base.size() || !EndsWithIgnoreCase(base, s)) return {};
      return Renamed(std::u16string(base.substr(0, base.size() - s.size())) + std::u16string(extension));
    }
    case kRenameCutStart:
      if (s.size() >= base.size() || !StartsWithIgnoreCase(base, s)) return {};
      return Renamed(std::u16string(name.substr(s.size())));
    case kRenameNumbered: return Renamed(std::u16string(s) + FourDigits(number) + std::u16string(extension));
    case kRenameReplace: {
      if (request.extension) return ReplaceInExtension(base, extension.substr(1), request);
      if (base.size() >= 128) return {RenameStep::kTooLong, {}};
      const std::optional<std::u16string> replaced = ReplaceFirst(base, s, request.replacement);
      return replaced ? Renamed(*replaced + std::u16string(extension)) : RenameStep{};
    }
    default: return {};
  }
}

std::u16string RenameQuestion(const RenameRequest& request) {
  const std::u16string s = request.text;
  switch (request.operation) {
    case kRenameAppend: return u"拡張子の前に <" + s + u"> を追加します。";
    case kRenamePrepend: return u"先頭に <" + s + u"> を追加します。";
    case kRenameCutEnd:
      if (EqualsIgnoreCase(s, u"-XX")) return u"拡張子の前の < -0 ～ -99 > を削除します。";
      return u"拡張子の前の <" + s + u"> を削除します。";
    case kRenameCutStart: return u"先頭の <" + s + u"> を削除します。";
    case kRenameNumbered: return u"全体の文字列を <“" + s + u"”+“連番”> に交換します。";
    case kRenameReplace:
      if (request.extension) return u"拡張子文字列 <" + s + u"> を <" + request.replacement + u"> に置き換えます。";
      return u"文字列 <" + s + u"> を文字列 <" + request.replacement + u"> に置き換えます。";
    default: return {};
  }
}

int NamePlusMinus(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, const RenameRequest& request,
                  bool selectedOnly, int offset, int shownEnd, FileRenamer& renamer) {
  if (RefuseEmptyCatalog(tables)) return 0;
  if (state.marked > 0) ClearMarks(tables, state, canvas, kClearMarksToSelection);
  if (request.operation < kRenameAppend || request.operation > kRenameReplace) {
    Say(SwitchMessage(u"CTarnView::NamePlusMinus", request.operation));
    return 0;
  }
  if (Say(RenameQuestion(request) + std::u16string(kCancelEnds), ScopeCaption(u"リネームオール", selectedOnly),
          Buttons::kOkCancel) != kAnswerOk)
    return 0;
  unsigned number = static_cast<unsigned>(std::max(request.start, 0));
  int renamed = 0;
  const int end = ShownRowsEnd(tables, shownEnd);
  for (int row = std::max(offset, 0); row < end; ++row) {
    CatalogEntry& entry = tables.entries[row];
    if (!InCommandScope(entry.state, selectedOnly)) continue;
    const std::u16string_view name = EntryName(entry);
    const RenameStep step = RenamedName(name, request, number);
    if (step.kind == RenameStep::kNoPeriod) {
      Say(u"拡張子' . 'が検出できません", u"異常終了");
      break;
    }
    if (step.kind == RenameStep::kBadExtension) {
      Say(u"置換拡張子=[ " + step.name + u" ] の長さは範囲外です", u"拡張子の長さは ２～５ 文字");
      break;
    }
    // A name the row could not hold would leave the catalog naming a file that is not there.
    if (step.kind == RenameStep::kTooLong || (step.kind == RenameStep::kRenamed && step.name.size() > kNameUnits)) {
      Say(u"ファイル名称が長すぎます", name);
      continue;
    }
    if (step.kind != RenameStep::kRenamed) continue;
    const std::u16string folder = FolderPathOf(tables, entry.folder);
    const std::u16string target = folder + step.name;
    if (!renamer.Rename(folder + std::u16string(name), target)) {
      if (Say(u"同名のファイルがあります。スキップしますか？ ≪ｷｬﾝｾﾙ≫で終了", target, Buttons::kOkCancel) != kAnswerOk)
        break;
      continue;
    }
    InvTitleColor(tables, state, canvas, row, step.name, kTitleRename);
    ++number;
    ++renamed;
  }
  return renamed;
}

}  // namespace tarn
