// Resources of TarnFlv and TarnMp4: the settings dialog of each, under the one id 101.
#pragma once

#define IDD_PLAYER_SETTINGS 101
#define IDC_PLAYER_SLOT1 6400
#define IDC_PLAYER_SLOT2 6401
#define IDC_PLAYER_SLOT3 6402
#define IDC_PLAYER_PATH 6403
#define IDC_PLAYER_SWITCHES 6404
#define IDC_PLAYER_REGISTER 6405
#define IDC_PLAYER_DEFAULTS 6406
#define IDC_PLAYER_BROWSE 6407
