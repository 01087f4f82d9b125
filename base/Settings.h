// The user's settings: process-wide variables named as their keys in "Tarn.cfg", loaded when the
// main frame is made and saved when it goes. Common mode keeps them in "Tarn.ini" (Windows
// folder), individual mode in "Tarn.cfg" (start folder).
#pragma once

#include <string>

namespace tarn {

// Persisted settings, with their defaults after start-up and after a reset.
extern int g_SinglClickFlag;      // 0
extern int g_MonitorFlag;         // 1
extern int g_SequenceFlag;        // 0
extern int g_AdjustSizeFlag;      // 1
extern int m_TimerFlag[5];        // slide-show interval radio group (0.5, 1, 2, 3, 5 s); [2] on
extern int g_BlackFlag;           // 0
extern int g_MaxSizeFlag;         // 0
extern int m_HolderFlag[6];       // folder-tree root radio group; [1] on
extern int g_ChgUniFileFlag;      // 1
extern int g_TreeButton[2];       // 7, 7
extern char16_t g_TreeFilePath[14][256];
extern int g_CatalogLimit;        // 0, then clamped by the limit rule
extern char16_t g_AppliName[3][256];
extern char16_t g_AppliSW[3][64];
extern int g_HighSpeedFlag;       // 1
extern int g_ExifThumbFlag;       // 1 = cells of camera photos from their EXIF thumbnails ("高速サムネイル")
extern int g_SmallMemFlag;        // 0
extern int g_CatRenewFlag;        // 0
extern int g_ClearThumbFlag;      // 0
extern int g_TrimAdjustFlag;      // 0
extern int g_DustBoxFlag;         // 1
extern int g_DblKeyEnterFlag;     // 0
extern int g_SelectOnlyFlag;      // 1
extern int g_SelectOnlyTimeFlag;  // 1
extern int g_TimeStampSelect;     // 0
extern int g_CatalogUseFlag;      // 0
extern int g_ThumbNailFlag;       // 1
extern int g_ThumbLowFlag;        // 0
extern int g_CatalogSize;         // 1 (0 S, 1 M, 2 L, 3 LL)
extern int g_DispDlgMoveFlag;     // 1
extern int g_WallSelect2Flag;     // 0

// Held beside the radio groups: the slide-show interval in tenths of a second (20 = 2 s), and
// the last tree of each folder-dialog page (5 or 6; 12 or 13), or -1.
extern int m_SlideInterval;
extern int g_LastTree[2];

// Run-time values, reset with the settings but never stored.
extern int g_CatalogOffset;       // files skipped at the start of a folder, 0-4800
extern int g_SubFolderOffset;     // subfolders skipped, 0-800
extern long long g_MinFileSize;   // a file is listed when larger than this (0 no limit)
extern long long g_MaxFileSize;   // and smaller than this (0 no limit)
extern int g_ExtRestrict;         // 0 none; 1, 2, 3 leave out ".BMP", ".FLV", ".MP4" files
extern int g_MultiWindowFlag;     // multiple display windows ("複数画面表示")
extern int g_SelectStringOnly;    // "選択ﾌｧｲﾙのみ" of the string search
extern int g_SelectAttributeOnly; // "選択ﾌｧｲﾙのみ" of the attribute search
extern int g_IndividualFlag;      // individual mode: "Tarn.cfg" exists
extern int g_ShreditFound;        // "Shredit.exe" was in the start folder at start-up

// What the settings ask of the main frame when they change; the frame installs its own.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  virtual void ClearScreen() {}              // the screen-clear command
  virtual void CloseDisplayWindows() {}
  virtual void RedrawDisplay() {}            // an open display window at the new AUTO size
  virtual void MoveDisplayDialog() {}        // the display/sort dialog, by DispDlgMoveFlag
  virtual void RefreshTreeDialog() {}        // the folder dialog's tree lists, if open
  virtual void RefreshFolderCounters() {}    // the folder dialog's counters, if open
  virtual void ClearAndRedrawView() {}
};
void InstallSettingsHost(SettingsHost* host);
SettingsHost& TheSettingsHost();

// Start-up load (switching false) or the mode switch (switching true; the new state of the
// individual-mode box already in g_IndividualFlag).
void LoadSettings(bool switching);
// To "Tarn.cfg" when it opens for reading, else to "Tarn.ini"; nothing once saving is suppressed.
void SaveSettings();
void SetDefaults();
void RestoreDefaults();
// The "**設定初期化**(&Z)" command (the caller has passed the busy guard).
void ResetSettings();
// Clamps CatalogLimit into the row of the limit rule; `toMaximum` sets it to the row's maximum.
void ApplyCatalogLimitRule(bool toMaximum = false);
// The largest CatalogLimit of the current row: 600, 900 or 1600.
int CatalogLimitMaximum();
// Catalog size chosen from the menu: L lowers a limit above 900, LL one above 600 (unless small
// memory is on).
void SelectCatalogSize(int size);
// Selects interval index 0-4 of the slide-show radio group.
void SelectSlideInterval(int index);
// Selects tree root 0-5 of the folder-tree radio group.
void SelectHolder(int index);

}  // namespace tarn
