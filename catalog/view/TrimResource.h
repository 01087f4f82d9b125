// Resource ids of the trimming tool: 6700-6709 its frame dialog, 33450 its command.
#pragma once

// "  トリミング枠の移動"
#define IDD_TRIM_FRAME 6700
#define IDC_TRIM_LEFT 6701
#define IDC_TRIM_RIGHT 6702
#define IDC_TRIM_UP 6703
#define IDC_TRIM_DOWN 6704
#define IDC_TRIM_CLEAR 6705
#define IDC_TRIM_NEXT 6706

// "ﾄﾘﾐﾝｸﾞ(&T)"
#define ID_VIEW_TRIM 33450
