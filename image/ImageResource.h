// Resource ids of the picture windows' dialogs, kept apart from the program's other ranges.
#pragma once

#define IDD_BRIGHTNESS 4000
#define IDC_BRIGHT_SCROLL 4001
#define IDC_BRIGHT_EDIT 4002
#define IDC_BRIGHT_PREVIEW 4003
#define IDC_BRIGHT_KEEP 4004
