// The settings variables, at their start-up defaults.
#include "Settings.h"

namespace tarn {

int g_SinglClickFlag = 0;
int g_MonitorFlag = 1;
int g_SequenceFlag = 0;
int g_AdjustSizeFlag = 1;
int m_TimerFlag[5] = {0, 0, 1, 0, 0};
int g_BlackFlag = 0;
int g_MaxSizeFlag = 0;
int m_HolderFlag[6] = {0, 1, 0, 0, 0, 0};
int g_ChgUniFileFlag = 1;
int g_TreeButton[2] = {7, 7};
char16_t g_TreeFilePath[14][256] = {};
int g_CatalogLimit = 0;
char16_t g_AppliName[3][256] = {};
char16_t g_AppliSW[3][64] = {};
int g_HighSpeedFlag = 1;
int g_ExifThumbFlag = 1;
int g_SmallMemFlag = 0;
int g_CatRenewFlag = 0;
int g_ClearThumbFlag = 0;
int g_TrimAdjustFlag = 0;
int g_DustBoxFlag = 1;
int g_DblKeyEnterFlag = 0;
int g_SelectOnlyFlag = 1;
int g_SelectOnlyTimeFlag = 1;
int g_TimeStampSelect = 0;
int g_CatalogUseFlag = 0;
int g_ThumbNailFlag = 1;
int g_ThumbLowFlag = 0;
int g_CatalogSize = 1;
int g_DispDlgMoveFlag = 1;
int g_WallSelect2Flag = 0;

int m_SlideInterval = 20;
int g_LastTree[2] = {-1, -1};

int g_CatalogOffset = 0;
int g_SubFolderOffset = 0;
long long g_MinFileSize = 0;
long long g_MaxFileSize = 0;
int g_ExtRestrict = 0;
int g_MultiWindowFlag = 0;
int g_SelectStringOnly = 0;
int g_SelectAttributeOnly = 0;
int g_IndividualFlag = 0;
int g_ShreditFound = 0;

}  // namespace tarn
