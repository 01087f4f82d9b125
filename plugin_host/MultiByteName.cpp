#include "MultiByteName.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "base/Prompt.h"
#include "base/WinText.h"

namespace tarn {
namespace {

constexpr UINT kJapaneseCodePage = 932;
char g_lastName[kPluginNameBytes];
int g_ReportScopes = 0;
bool g_PathReported = false;

// Offers to copy a file whose name has no code-page form to a name that has one, with "・" in
// place of each character that has none.
void OfferCopy(std::u16string_view path, Win932Encoder& encoder) {
  std::u16string substitute;
  if (!MultiByteToWide(SubstituteName(path, encoder), MAX_PATH, &substitute)) {
    Say(u"ms To ws 失敗：元のワイド文字列に戻す<-w12>");
    return;
  }
  if (GetFileAttributesW(AsWide(substitute)) != INVALID_FILE_ATTRIBUTES) return;
  if (Say(u"変更したワイド文字列のファイルを作成しますか？   ", {}, Buttons::kYesNo) != kAnswerYes) return;
  ProgressWindow& progress = TheProgress();
  progress.Open({});
  progress.SetPos(50);
  const std::u16string source(path);
  const bool copied = CopyFileW(AsWide(source), AsWide(substitute), TRUE) != FALSE;
  progress.Close();
  if (copied)
    Say(u"ワイド文字列のファイル作成完了\n" + substitute +
        u"\n\n再生を終了して「カタログ」ボタンを押すと表示されます");
  else
    Say(u"作成失敗：同名のファイルがあります");
}

}  // namespace

int Win932Encoder::Encode(char16_t c, char out[2]) {
  const wchar_t w = static_cast<wchar_t>(c);
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kJapaneseCodePage, WC_NO_BEST_FIT_CHARS, &w, 1, out, 2, nullptr, &usedDefault);
  return n > 0 && !usedDefault ? n : 0;
}

int ToMultiByteName(char* out, std::u16string_view path, int size, NameMode mode) {
  Win932Encoder encoder;
  const PluginName name = MakePluginName(path, mode, encoder);
  if (name.outcome == NameOutcome::kFailed || out == nullptr || size <= 0 ||
      name.bytes.size() >= static_cast<std::size_t>(size))
    return -1;
  if (name.outcome == NameOutcome::kNoExtension && PathReportDue()) Say(u"_T(拡張子' . 'が検出できません<-w11>");
  std::memcpy(out, name.bytes.c_str(), name.bytes.size() + 1);
  std::memcpy(g_lastName, name.bytes.c_str(), name.bytes.size() + 1);
  if (name.outcome == NameOutcome::kMarker && mode == NameMode::kMarkerCopy) OfferCopy(path, encoder);
  return static_cast<int>(name.bytes.size());
}

PathReportScope::PathReportScope() {
  if (g_ReportScopes++ == 0) g_PathReported = false;
}

PathReportScope::~PathReportScope() { --g_ReportScopes; }

bool PathReportDue() {
  if (g_ReportScopes == 0) return true;
  return !std::exchange(g_PathReported, true);
}

const char* LastMultiByteName() { return g_lastName; }

}  // namespace tarn
