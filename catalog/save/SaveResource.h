// Resource ids of the save dialogs: 6000-6009.
#pragma once

// "JPEG量子化率設定"
#define IDD_JPEG_QUALITY 6000
#define IDC_QUALITY_EDIT 6001
#define IDC_QUALITY_SPIN 6002
#define IDC_QUALITY_RESET 6003
