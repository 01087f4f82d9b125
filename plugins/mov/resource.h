// Resources of TarnMov: the settings dialog, the playback control panel and the window's icon.
#pragma once

#define IDD_MOV_SETTINGS 101
#define IDD_MOV_PANEL 102
#define IDI_MOV_ICON 103

#define IDC_MOV_FORMS 6420
#define IDC_MOV_TOGGLE 6421
#define IDC_MOV_SIZE1 6422
#define IDC_MOV_SIZE2 6423
#define IDC_MOV_SIZEFULL 6424
#define IDC_MOV_CENTER 6425
#define IDC_MOV_RATE_NORMAL 6426
#define IDC_MOV_RATE_DOUBLE 6427
#define IDC_MOV_RATE_HALF 6428
#define IDC_MOV_TOPMOST 6429
#define IDC_MOV_SAMPLE 6430
#define IDC_MOV_SAMPLE_RESET 6431

#define IDC_PANEL_SEEK 6440
#define IDC_PANEL_RUN 6441
#define IDC_PANEL_STOP 6442
#define IDC_PANEL_REWIND 6443
#define IDC_PANEL_VOLUME 6444
#define IDC_PANEL_TIME 6445
