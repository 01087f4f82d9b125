// Resource and control ids of Tarn.exe.
#pragma once

// Progress window.
#define IDD_PROGRESS 101
#define IDC_PROGRESS_TEXT 1001
#define IDC_PROGRESS_BAR 1002

// Plug-in dialog "ﾌﾟﾗｸﾞｲﾝ".
#define IDD_PLUGIN 102
#define IDC_PLUGIN_FOLDER 1120
#define IDC_PLUGIN_LIBRARIES 1123
#define IDC_PLUGIN_FORMATS 1118
#define IDC_PLUGIN_LIST 1119
#define IDC_PLUGIN_ENABLE_ALL 1349
#define IDC_PLUGIN_DISABLE_ALL 1350
#define IDC_PLUGIN_TOGGLE 1121
#define IDC_PLUGIN_INFO 1246
#define IDC_PLUGIN_SETTINGS 1243
