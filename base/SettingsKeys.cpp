#include "SettingsKeys.h"

#include <array>
#include <climits>

#include "AppGlobals.h"
#include "Settings.h"
#include "TextUtil.h"

namespace tarn {
namespace {

constexpr SettingKey Int(std::u16string_view key, std::u16string_view section, int* value, int def) {
  return {key, section, KeyKind::kInteger, 0, value, def};
}
constexpr SettingKey Slot(std::u16string_view key, std::u16string_view section, KeyKind kind, int index) {
  return {key, section, kind, index, nullptr, 0};
}

const std::array kKeys = {
    Int(u"SinglClickFlag", kSectionTarn, &g_SinglClickFlag, 0),
    Int(u"MonitorFlag", kSectionTarn, &g_MonitorFlag, 1),
    Int(u"SequenceFlag", kSectionTarn, &g_SequenceFlag, 0),
    Int(u"AdjustSizeFlag", kSectionTarn, &g_AdjustSizeFlag, 1),
    SettingKey{u"TimerFlag", kSectionTarn, KeyKind::kTimer, 0, nullptr, 2},
    Int(u"BlackFlag", kSectionTarn, &g_BlackFlag, 0),
    Int(u"MaxSizeFlag", kSectionTarn, &g_MaxSizeFlag, 0),
    SettingKey{u"HolderFlag", kSectionTarn, KeyKind::kHolder, 0, nullptr, 1},
    Int(u"ChgUniFileFlag", kSectionTarn, &g_ChgUniFileFlag, 1),
    SettingKey{u"TreeButton0", kSectionDialog, KeyKind::kTreeButton, 0, nullptr, 7},
    SettingKey{u"TreeButton1", kSectionDialog, KeyKind::kTreeButton, 1, nullptr, 7},
    Slot(u"TreeFilePath0", kSectionTreePath, KeyKind::kTreePath, 0),
    Slot(u"TreeFilePath1", kSectionTreePath, KeyKind::kTreePath, 1),
    Slot(u"TreeFilePath2", kSectionTreePath, KeyKind::kTreePath, 2),
    Slot(u"TreeFilePath3", kSectionTreePath, KeyKind::kTreePath, 3),
    Slot(u"TreeFilePath4", kSectionTreePath, KeyKind::kTreePath, 4),
    Slot(u"TreeFilePath5", kSectionTreePath, KeyKind::kTreePath, 5),
    Slot(u"TreeFilePath6", kSectionTreePath, KeyKind::kTreePath, 6),
    Slot(u"TreeFilePath7", kSectionTreePath, KeyKind::kTreePath, 7),
    Slot(u"TreeFilePath8", kSectionTreePath, KeyKind::kTreePath, 8),
    Slot(u"TreeFilePath9", kSectionTreePath, KeyKind::kTreePath, 9),
    Slot(u"TreeFilePath10", kSectionTreePath, KeyKind::kTreePath, 10),
    Slot(u"TreeFilePath11", kSectionTreePath, KeyKind::kTreePath, 11),
    Slot(u"TreeFilePath12", kSectionTreePath, KeyKind::kTreePath, 12),
    Slot(u"TreeFilePath13", kSectionTreePath, KeyKind::kTreePath, 13),
    Int(u"CatalogLimit", kSectionTarn, &g_CatalogLimit, 0),
    Slot(u"AppliSel0", kSectionAppli, KeyKind::kAppliName, 0),
    Slot(u"AppliSel1", kSectionAppli, KeyKind::kAppliName, 1),
    Slot(u"AppliSel2", kSectionAppli, KeyKind::kAppliName, 2),
    Slot(u"AppliSW0", kSectionAppli, KeyKind::kAppliSwitch, 0),
    Slot(u"AppliSW1", kSectionAppli, KeyKind::kAppliSwitch, 1),
    Slot(u"AppliSW2", kSectionAppli, KeyKind::kAppliSwitch, 2),
    Int(u"HighSpeedFlag", kSectionTarn, &g_HighSpeedFlag, 1),
    Int(u"SmallMemFlag", kSectionTarn, &g_SmallMemFlag, 0),
    Int(u"CatRenewFlag", kSectionTarn, &g_CatRenewFlag, 0),
    Int(u"ClearThumbFlag", kSectionTarn, &g_ClearThumbFlag, 0),
    Int(u"TrimAdjustFlag", kSectionTarn, &g_TrimAdjustFlag, 0),
    Int(u"DustBoxFlag", kSectionTarn, &g_DustBoxFlag, 1),
    Int(u"DblKeyEnterFlag", kSectionTarn, &g_DblKeyEnterFlag, 0),
    Int(u"SelectOnlyFlag", kSectionDialog, &g_SelectOnlyFlag, 1),
    Int(u"SelectOnlyTimeFlag", kSectionDialog, &g_SelectOnlyTimeFlag, 1),
    Int(u"TimeStampSelect", kSectionDialog, &g_TimeStampSelect, 0),
    Int(u"CatalogUseFlag", kSectionTarn, &g_CatalogUseFlag, 0),
    Int(u"ThumbNailFlag", kSectionTarn, &g_ThumbNailFlag, 1),
    Int(u"ThumbLowFlag", kSectionTarn, &g_ThumbLowFlag, 0),
    Int(u"CatalogSize", kSectionTarn, &g_CatalogSize, 1),
    Int(u"DispDlgMoveFlag", kSectionTarn, &g_DispDlgMoveFlag, 1),
    Int(u"WallSelect2Flag", kSectionTarn, &g_WallSelect2Flag, 0),
    Int(u"ExifThumbnail", kSectionThumbnail, &g_ExifThumbFlag, 1),
};

// The index of the radio flag that is on, or `none`.
int RadioIndex(const int* flags, int count, int none) {
  for (int i = 0; i < count; ++i)
    if (flags[i] != 0) return i;
  return none;
}

}  // namespace

std::span<const SettingKey> SettingKeys() { return kKeys; }

std::u16string_view SettingText(const char16_t* buffer, int capacity) {
  int n = 0;
  while (n < capacity - 1 && buffer[n] != u'\0') ++n;
  return {buffer, static_cast<std::size_t>(n)};
}

void CopySettingText(char16_t* buffer, int capacity, std::u16string_view text) {
  int n = 0;
  for (char16_t c : text) {
    if (n == capacity - 1 || c == u'\0' || c == u'\r' || c == u'\n') break;
    buffer[n++] = c;
  }
  buffer[n] = u'\0';
}

bool StoreSettingText(char16_t* buffer, int capacity, std::u16string_view text) {
  const std::size_t end = text.find_first_of(std::u16string_view(u"\0\r\n", 3));
  if (end != std::u16string_view::npos) text = text.substr(0, end);
  if (text.size() > static_cast<std::size_t>(capacity - 1)) return false;
  CopySettingText(buffer, capacity, text);
  return true;
}

int WideToInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - u'0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) magnitude = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) return static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

std::u16string IniValueText(const SettingKey& key) {
  switch (key.kind) {
    case KeyKind::kInteger: return DecimalText(*key.value);
    case KeyKind::kTimer: return DecimalText(RadioIndex(m_TimerFlag, 5, 2));
    case KeyKind::kHolder: return DecimalText(RadioIndex(m_HolderFlag, 6, 1));
    case KeyKind::kTreeButton: {
      const int button = g_TreeButton[key.index];
      return DecimalText(button > 7 ? 7 : button);
    }
    case KeyKind::kTreePath: return std::u16string(SettingText(g_TreeFilePath[key.index], kPathChars));
    case KeyKind::kAppliName: return std::u16string(SettingText(g_AppliName[key.index], kPathChars));
    case KeyKind::kAppliSwitch: return std::u16string(SettingText(g_AppliSW[key.index], kSwitchChars));
  }
  return {};
}

void ApplyIniValue(const SettingKey& key, std::u16string_view text) {
  switch (key.kind) {
    case KeyKind::kInteger: *key.value = WideToInt(text); return;
    case KeyKind::kTimer: {
      const int index = WideToInt(text);
      if (index >= 0 && index < 5) SelectSlideInterval(index);
      return;
    }
    case KeyKind::kHolder: {
      const int index = WideToInt(text);
      if (index >= 0 && index < 6) SelectHolder(index);
      return;
    }
    case KeyKind::kTreeButton: g_TreeButton[key.index] = WideToInt(text); return;
    case KeyKind::kTreePath: StoreSettingText(g_TreeFilePath[key.index], kPathChars, text); return;
    case KeyKind::kAppliName: StoreSettingText(g_AppliName[key.index], kPathChars, text); return;
    case KeyKind::kAppliSwitch: StoreSettingText(g_AppliSW[key.index], kSwitchChars, text); return;
  }
}

void ApplyShreditRule(bool evenIfSet) {
  if (!g_ShreditFound) return;
  if (!evenIfSet && g_AppliName[2][0] != u'\0') return;
  const std::u16string path = g_StartFolder + u"Shredit.exe";
  // A start folder too long for the slot leaves it as it was rather than store half a path.
  if (path.size() >= static_cast<std::size_t>(kPathChars)) return;
  CopySettingText(g_AppliName[2], kPathChars, path);
}

void FinishSettingsLoad(bool applicationsRead) {
  for (int page = 0; page < 2; ++page) {
    int& button = g_TreeButton[page];
    // 7 is "no button"; anything the dialog has no button for is read as that.
    if (button > 6 || button < 0) button = 7;
    if (button == 5 || button == 6) g_LastTree[page] = page == 0 ? button : button + 7;
  }
  // These two pick rows of fixed tables (the catalog sizes, the time stamp kinds).
  if (g_CatalogSize < 0 || g_CatalogSize > 3) g_CatalogSize = 1;
  if (g_TimeStampSelect < 0 || g_TimeStampSelect > 3) g_TimeStampSelect = 0;
  if (applicationsRead) ApplyShreditRule(false);
  ApplyCatalogLimitRule();
}

}  // namespace tarn
