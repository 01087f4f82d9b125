// Control ids of TarnGif's settings dialog.
#pragma once

#define IDD_TARNGIF_SETTINGS 100
#define IDC_LOOP_ONE_CYCLE 1000
#define IDC_LOOP_STANDARD 1001
#define IDC_LOOP_STANDARD_TWICE 1002
#define IDC_LOOP_DEFAULT 1003
#define IDC_LOOP_FIRST_IMAGE 1004
