#include "TarnCfg.h"

#include <array>

#include "Settings.h"
#include "SettingsKeys.h"
#include "TextUtil.h"

namespace tarn {
namespace {

enum class CfgKind { kDescription, kDigit, kTimer, kHolder, kTreeButton, kLimit, kTreePaths, kAppliNames, kAppliSwitches };

struct CfgKey {
  std::u16string_view prefix;
  CfgKind kind;
  int* value;   // for kDigit
  bool waits;   // a line that is not this key is passed over while waiting for it
};

const std::array kCfgKeys = {
    CfgKey{u"[Description]", CfgKind::kDescription, nullptr, true},
    CfgKey{u"g_SinglClickFlag=", CfgKind::kDigit, &g_SinglClickFlag, false},
    CfgKey{u"g_MonitorFlag=", CfgKind::kDigit, &g_MonitorFlag, true},
    CfgKey{u"g_SequenceFlag=", CfgKind::kDigit, &g_SequenceFlag, false},
    CfgKey{u"g_AdjustSizeFlag=", CfgKind::kDigit, &g_AdjustSizeFlag, false},
    CfgKey{u"m_TimerFlag=", CfgKind::kTimer, nullptr, false},
    CfgKey{u"g_BlackFlag=", CfgKind::kDigit, &g_BlackFlag, false},
    CfgKey{u"g_MaxSizeFlag=", CfgKind::kDigit, &g_MaxSizeFlag, false},
    CfgKey{u"m_HolderFlag=", CfgKind::kHolder, nullptr, false},
    CfgKey{u"g_ChgUniFileFlag=", CfgKind::kDigit, &g_ChgUniFileFlag, false},
    CfgKey{u"g_TreeButton=", CfgKind::kTreeButton, nullptr, true},
    CfgKey{u"g_TreeFilePath=", CfgKind::kTreePaths, nullptr, false},
    CfgKey{u"g_CatalogLimit=", CfgKind::kLimit, &g_CatalogLimit, false},
    CfgKey{u"g_AppliName=", CfgKind::kAppliNames, nullptr, false},
    CfgKey{u"g_AppliSW=", CfgKind::kAppliSwitches, nullptr, false},
    CfgKey{u"g_HighSpeedFlag=", CfgKind::kDigit, &g_HighSpeedFlag, false},
    CfgKey{u"g_SmallMemFlag=", CfgKind::kDigit, &g_SmallMemFlag, true},
    CfgKey{u"g_CatRenewFlag=", CfgKind::kDigit, &g_CatRenewFlag, false},
    CfgKey{u"g_ClearThumbFlag=", CfgKind::kDigit, &g_ClearThumbFlag, false},
    CfgKey{u"g_TrimAdjustFlag=", CfgKind::kDigit, &g_TrimAdjustFlag, false},
    CfgKey{u"g_DustBoxFlag=", CfgKind::kDigit, &g_DustBoxFlag, true},
    CfgKey{u"g_DblKeyEnterFlag=", CfgKind::kDigit, &g_DblKeyEnterFlag, true},
    CfgKey{u"g_SelectOnlyFlag=", CfgKind::kDigit, &g_SelectOnlyFlag, true},
    CfgKey{u"g_SelectOnlyTimeFlag=", CfgKind::kDigit, &g_SelectOnlyTimeFlag, true},
    CfgKey{u"g_TimeStampSelect=", CfgKind::kDigit, &g_TimeStampSelect, true},
    CfgKey{u"g_CatalogUseFlag=", CfgKind::kDigit, &g_CatalogUseFlag, true},
    CfgKey{u"g_ThumbNailFlag=", CfgKind::kDigit, &g_ThumbNailFlag, true},
    CfgKey{u"g_ThumbLowFlag=", CfgKind::kDigit, &g_ThumbLowFlag, true},
    CfgKey{u"g_CatalogSize=", CfgKind::kDigit, &g_CatalogSize, true},
    CfgKey{u"g_DispDlgMoveFlag=", CfgKind::kDigit, &g_DispDlgMoveFlag, true},
    CfgKey{u"g_WallSelect2Flag=", CfgKind::kDigit, &g_WallSelect2Flag, true},
};

constexpr std::u16string_view kEol = u"\r\n";

std::u16string TwoDigits(int n) {
  std::u16string text = DecimalText(n);
  return text.size() < 2 ? u"0" + text : text;
}

// A value as one line: it ends at its first line break, which the file cannot hold inside a value.
std::u16string_view OneLine(std::u16string_view text) { return text.substr(0, text.find_first_of(u"\r\n")); }

// One character as the runtime's wide-to-integer conversion reads a one-character string.
int DigitAt(std::u16string_view line, std::size_t pos) {
  if (pos >= line.size()) return 0;
  const char16_t c = line[pos];
  return c >= u'0' && c <= u'9' ? c - u'0' : 0;
}

// The radio flags follow the prefix as "_f_f_f...": the one that is 1 is the chosen index, or -1.
int RadioChoice(std::u16string_view line, std::size_t prefix, int count) {
  for (int i = 0; i < count; ++i) {
    const std::size_t pos = prefix + 1 + 2 * static_cast<std::size_t>(i);
    if (pos >= line.size()) break;
    if (line[pos] == u'1') return i;
  }
  return -1;
}

}  // namespace

std::u16string WriteTarnCfg(const SaveStamp& when) {
  std::u16string out;
  auto line = [&](std::u16string_view text) {
    out += text;
    out += kEol;
  };
  auto value = [&](std::u16string_view key, int v) { line(std::u16string(key) + DecimalText(v)); };

  line(u"; Localized    " + TwoDigits(when.year) + u"/" + TwoDigits(when.month) + u"/" + TwoDigits(when.day) +
       u"  " + TwoDigits(when.hour) + u":" + TwoDigits(when.minute) + u":" + TwoDigits(when.second) +
       u"    Tarn.cfg");
  line(u"[Description]");
  value(u"g_SinglClickFlag=", g_SinglClickFlag);
  value(u"g_MonitorFlag=", g_MonitorFlag);
  value(u"g_SequenceFlag=", g_SequenceFlag);
  value(u"g_AdjustSizeFlag=", g_AdjustSizeFlag);
  std::u16string radio = u"m_TimerFlag=";
  for (int flag : m_TimerFlag) radio += u"_" + DecimalText(flag);
  line(radio);
  value(u"g_BlackFlag=", g_BlackFlag);
  value(u"g_MaxSizeFlag=", g_MaxSizeFlag);
  radio = u"m_HolderFlag=";
  for (int flag : m_HolderFlag) radio += u"_" + DecimalText(flag);
  line(radio);
  value(u"g_ChgUniFileFlag=", g_ChgUniFileFlag);
  const auto button = [](int b) { return b > 6 ? 7 : b; };
  line(u"g_TreeButton=" + DecimalText(button(g_TreeButton[0])) + u"_" + DecimalText(button(g_TreeButton[1])));
  line(u"g_TreeFilePath=");
  for (const auto& path : g_TreeFilePath) line(OneLine(SettingText(path, kPathChars)));
  value(u"g_CatalogLimit=", g_CatalogLimit);
  line(u"g_AppliName=");
  for (const auto& path : g_AppliName) line(OneLine(SettingText(path, kPathChars)));
  line(u"g_AppliSW=");
  for (const auto& option : g_AppliSW) line(OneLine(SettingText(option, kSwitchChars)));
  value(u"g_HighSpeedFlag=", g_HighSpeedFlag);
  value(u"g_SmallMemFlag=", g_SmallMemFlag);
  value(u"g_CatRenewFlag=", g_CatRenewFlag);
  value(u"g_ClearThumbFlag=", g_ClearThumbFlag);
  value(u"g_TrimAdjustFlag=", g_TrimAdjustFlag);
  value(u"g_DustBoxFlag=", g_DustBoxFlag);
  value(u"g_DblKeyEnterFlag=", g_DblKeyEnterFlag);
  value(u"g_SelectOnlyFlag=", g_SelectOnlyFlag);
  value(u"g_SelectOnlyTimeFlag=", g_SelectOnlyTimeFlag);
  value(u"g_TimeStampSelect=", g_TimeStampSelect);
  value(u"g_CatalogUseFlag=", g_CatalogUseFlag);
  value(u"g_ThumbNailFlag=", g_ThumbNailFlag);
  value(u"g_ThumbLowFlag=", g_ThumbLowFlag);
  value(u"g_CatalogSize=", g_CatalogSize);
  value(u"g_DispDlgMoveFlag=", g_DispDlgMoveFlag);
  value(u"g_WallSelect2Flag=", g_WallSelect2Flag);
  return out;
}

CfgReadResult ReadTarnCfg(std::u16string_view text) {
  CfgReadResult result;
  std::size_t state = 0;
  // The value lines still owed to a list header, and where they go.
  int listLeft = 0, listNext = 0;
  CfgKind listKind = CfgKind::kTreePaths;

  std::size_t at = 0;
  while (at < text.size() && state < kCfgKeys.size()) {
    // One line as the runtime's text mode gives it: up to the line feed, a CR before it dropped.
    std::size_t end = text.find(u'\n', at);
    const bool hasFeed = end != std::u16string_view::npos;
    if (!hasFeed) end = text.size();
    std::u16string_view line = text.substr(at, end - at);
    at = hasFeed ? end + 1 : end;
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);

    if (listLeft > 0) {
      const int slot = listNext++;
      --listLeft;
      if (listKind == CfgKind::kTreePaths) StoreSettingText(g_TreeFilePath[slot], kPathChars, line);
      else if (listKind == CfgKind::kAppliNames) StoreSettingText(g_AppliName[slot], kPathChars, line);
      else StoreSettingText(g_AppliSW[slot], kSwitchChars, line);
      continue;
    }
    if (line.size() > kCfgLineChars) line = line.substr(0, kCfgLineChars);

    const CfgKey& key = kCfgKeys[state];
    if (line.substr(0, key.prefix.size()) != key.prefix) {
      if (!key.waits) ++state;
      continue;
    }
    ++state;
    ++result.keysMatched;
    const std::size_t p = key.prefix.size();
    switch (key.kind) {
      case CfgKind::kDescription: break;
      case CfgKind::kDigit: *key.value = DigitAt(line, p); break;
      case CfgKind::kTimer: {
        const int choice = RadioChoice(line, p, 5);
        if (choice >= 0) SelectSlideInterval(choice);
        break;
      }
      case CfgKind::kHolder: {
        const int choice = RadioChoice(line, p, 6);
        if (choice >= 0) SelectHolder(choice);
        break;
      }
      case CfgKind::kTreeButton:
        g_TreeButton[0] = DigitAt(line, p);
        g_TreeButton[1] = DigitAt(line, p + 2);
        break;
      case CfgKind::kLimit: *key.value = WideToInt(line.substr(p)); break;
      case CfgKind::kTreePaths:
      case CfgKind::kAppliNames:
      case CfgKind::kAppliSwitches:
        listKind = key.kind;
        listLeft = key.kind == CfgKind::kTreePaths ? kTreePathCount : kAppliCount;
        listNext = 0;
        if (key.kind == CfgKind::kAppliNames) result.applicationsRead = true;
        break;
    }
  }
  return result;
}

}  // namespace tarn
