// The settings' defaults, the reset command and the radio groups held beside them.
#include <algorithm>

#include "AppGlobals.h"
#include "Settings.h"
#include "SettingsKeys.h"

namespace tarn {
namespace {

SettingsHost g_quietHost;
SettingsHost* g_host = &g_quietHost;

}  // namespace

void InstallSettingsHost(SettingsHost* host) { g_host = host != nullptr ? host : &g_quietHost; }
SettingsHost& TheSettingsHost() { return *g_host; }

void SelectSlideInterval(int index) {
  if (index < 0 || index > 4) return;
  std::fill(std::begin(m_TimerFlag), std::end(m_TimerFlag), 0);
  m_TimerFlag[index] = 1;
  // Tenths of a second: 0.5, 1, 2, 3 and 5 seconds.
  m_SlideInterval = index == 0 ? 5 : index == 4 ? 50 : index * 10;
}

void SelectHolder(int index) {
  if (index < 0 || index > 5) return;
  std::fill(std::begin(m_HolderFlag), std::end(m_HolderFlag), 0);
  m_HolderFlag[index] = 1;
}

void SetDefaults() {
  for (const SettingKey& key : SettingKeys())
    if (key.kind == KeyKind::kInteger) *key.value = key.defaultValue;
  SelectSlideInterval(2);
  SelectHolder(1);
  g_TreeButton[0] = g_TreeButton[1] = 7;
  g_LastTree[0] = g_LastTree[1] = -1;
  for (auto& path : g_TreeFilePath) path[0] = u'\0';
  for (auto& path : g_AppliName) path[0] = u'\0';
  for (auto& option : g_AppliSW) option[0] = u'\0';
  g_CatalogOffset = 0;
  g_SubFolderOffset = 0;
  g_MinFileSize = 0;
  g_MaxFileSize = 0;
  g_ExtRestrict = 0;
  g_MultiWindowFlag = 0;
  g_SelectStringOnly = g_SelectAttributeOnly = 0;
}

void RestoreDefaults() {
  SetDefaults();
  TheSettingsHost().ClearScreen();
}

void ResetSettings() {
  SettingsHost& host = TheSettingsHost();
  g_SinglClickFlag = 0;
  const bool wasFull = g_AdjustSizeFlag == 0;
  g_AdjustSizeFlag = 1;
  if (wasFull) host.RedrawDisplay();
  g_ChgUniFileFlag = 1;
  g_DispDlgMoveFlag = 1;
  host.MoveDisplayDialog();
  host.CloseDisplayWindows();
  g_MaxSizeFlag = 0;
  g_MultiWindowFlag = 0;
  g_MonitorFlag = 1;
  g_CatalogSize = 1;
  SelectSlideInterval(2);
  g_MinFileSize = 0;
  g_MaxFileSize = 0;
  g_ExtRestrict = 0;
  g_SelectStringOnly = g_SelectAttributeOnly = 0;
  g_CatalogOffset = 0;
  g_CatalogLimit = 1600;
  // Small memory keeps its own row: a reset never leaves more files than that mode can hold.
  ApplyCatalogLimitRule();
  g_ThumbNailFlag = 1;
  ApplyShreditRule(true);
}

}  // namespace tarn
