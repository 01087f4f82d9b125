// The plug-in ABI as it crosses the DLL boundary: the picture-information record, the callback
// and the exports, shared by the host and every plug-in. In the 32-bit build len, dw and lData
// are 32-bit values and the record is 26 bytes; the 64-bit build widens them to pointer size.
#pragma once

#include <windows.h>

#include <cstddef>

#include "PluginCodes.h"

extern "C" {

#pragma pack(push, 1)
struct PictureInfo {
  LONG left;        // position of the picture on its canvas
  LONG top;
  DWORD width;      // pixels
  DWORD height;     // pixels; plug-ins that pass a top-down height on store it as it stands
  WORD x_density;   // 0 when not given
  WORD y_density;
  SHORT colorDepth; // bits per pixel
  HLOCAL hInfo;     // comment text block, or null
};
#pragma pack(pop)

// int callback(nNum, nDenom, lData): non-zero asks the plug-in to stop.
typedef int(WINAPI* SpiProgressCallback)(int nNum, int nDenom, LONG_PTR lData);

int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen);
int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw);
int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo);
int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                      SpiProgressCallback lpPrgressCallback, LONG_PTR lData);
int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                      SpiProgressCallback lpPrgressCallback, LONG_PTR lData);
int WINAPI ConfigurationDlg(HWND parent, int fnc);
int WINAPI SensePlugIn(LPCSTR spiName, LPCSTR fileName, tarn::SenseCell* pInfo);

}  // extern "C"

// Pointer types of the exports, as the host resolves them by name.
using SpiGetPluginInfo = decltype(&GetPluginInfo);
using SpiIsSupported = decltype(&IsSupported);
using SpiGetPictureInfo = decltype(&GetPictureInfo);
using SpiGetPicture = decltype(&GetPicture);
using SpiGetPreview = decltype(&GetPreview);
using SpiConfigurationDlg = decltype(&ConfigurationDlg);
using SpiSensePlugIn = decltype(&SensePlugIn);

static_assert(offsetof(PictureInfo, left) == 0 && offsetof(PictureInfo, top) == 4);
static_assert(offsetof(PictureInfo, width) == 8 && offsetof(PictureInfo, height) == 12);
static_assert(offsetof(PictureInfo, x_density) == 16 && offsetof(PictureInfo, y_density) == 18);
static_assert(offsetof(PictureInfo, colorDepth) == 20 && offsetof(PictureInfo, hInfo) == 22);
static_assert(sizeof(PictureInfo) == 22 + sizeof(HLOCAL));
#ifndef _WIN64
static_assert(sizeof(PictureInfo) == 26, "the published record is 26 bytes");
static_assert(sizeof(LONG_PTR) == 4 && sizeof(ULONG_PTR) == 4, "len, dw and lData are 32-bit");
#endif
static_assert(sizeof(tarn::SenseCell) == 4, "sense cells are 32-bit integers");

// The host's copy of the record: 28 bytes in the published ABI, cleared before every call.
constexpr std::size_t kPictureInfoReserve = sizeof(PictureInfo) + 2;
