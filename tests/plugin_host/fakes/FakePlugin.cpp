// A plug-in that stands in for the cases the host must handle: its answers are set by the test,
// and it records what the host sent. Copies of one DLL serve as "TarnGif.spi", "TarnMov.spi" and
// the others, each with its own control block.
#include <windows.h>

#include <cstring>

#include "FakeControl.h"
#include "common/PluginAbi.h"
#include "common/PluginNames.h"

namespace {

FakeControl g_control;

bool IsOwnName(LPCSTR spiName) {
  char path[MAX_PATH] = {};
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&g_control), &self);
  GetModuleFileNameA(self, path, MAX_PATH);
  const char* name = std::strrchr(path, '\\');
  return tarn::EqualsIgnoreCase(spiName, name != nullptr ? name + 1 : path);
}

bool Claims(LPCSTR name) {
  const std::size_t n = std::strlen(name), e = std::strlen(g_control.extension);
  return n >= e && tarn::EqualsIgnoreCase(name + n - e, g_control.extension);
}

int Deliver(HLOCAL* pHBInfo, HLOCAL* pHBm, LONG_PTR lData) {
  g_control.lastLData = lData;
  if (lData != 0) g_control.frameAtLoad = *reinterpret_cast<int*>(lData);
  if (g_control.pictureResult != 0) {
    if (g_control.handlesOnFailure) {
      *pHBInfo = LocalAlloc(LMEM_MOVEABLE, 40);
      *pHBm = LocalAlloc(LMEM_MOVEABLE, 16);
      g_control.handedOver[0] = *pHBInfo;
      g_control.handedOver[1] = *pHBm;
    }
    return g_control.pictureResult;
  }
  if (g_control.emptyBlocks) {
    // Zero-sized movable blocks: valid handles that LocalLock refuses.
    *pHBInfo = LocalAlloc(LMEM_MOVEABLE, 0);
    *pHBm = LocalAlloc(LMEM_MOVEABLE, 0);
    return 0;
  }
  *pHBInfo = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
  *pHBm = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 16);
  auto* header = static_cast<BITMAPINFOHEADER*>(LocalLock(*pHBInfo));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = 2;
  header->biHeight = 2;
  header->biPlanes = 1;
  header->biBitCount = 24;
  LocalUnlock(*pHBInfo);
  return 0;
}

}  // namespace

extern "C" FakeControl* FakeControlBlock() { return &g_control; }

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
#ifdef FAKE_OVERLONG
  // A careless plug-in: writes 600 bytes without a terminator whatever it was offered.
  if (infono == 1) {
    std::memset(buf, 'A', 600);
    return 600;
  }
#endif
  const char* text = nullptr;
  if (infono == 0) text = g_control.api;
  else if (infono == 1) text = FAKE_VERSION;
  else if (infono >= 2 && infono < 2 + 2 * g_control.formats) text = infono % 2 == 0 ? FAKE_PATTERN : FAKE_TYPENAME;
  if (text == nullptr || buflen <= 0) return 0;
  lstrcpynA(buf, text, buflen);
  return lstrlenA(buf);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  ++g_control.isSupportedCalls;
  lstrcpynA(g_control.lastName, filename, sizeof g_control.lastName);
  if (!tarn::IsFileHandleArgument(dw)) std::memcpy(g_control.lastHeader, reinterpret_cast<const void*>(dw), 8);
  return Claims(filename) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR, LONG_PTR len, unsigned int, PictureInfo* lpInfo) {
  if (g_control.infoCalls < 4) g_control.infoOffsets[g_control.infoCalls] = static_cast<int>(len);
  ++g_control.infoCalls;
  if (len == 0 && g_control.infoResult != 0) {
    lpInfo->left = 77;  // a failed answer may leave anything behind
    return g_control.infoResult;
  }
  lpInfo->width = 2;
  lpInfo->height = 2;
  lpInfo->colorDepth = 24;
  return 0;
}

extern "C" int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback, LONG_PTR lData) {
  ++g_control.pictureCalls;
  return Deliver(pHBInfo, pHBm, lData);
}

extern "C" int WINAPI GetPreview(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback, LONG_PTR lData) {
  ++g_control.previewCalls;
  return Deliver(pHBInfo, pHBm, lData);
}

extern "C" int WINAPI ConfigurationDlg(HWND, int) {
  ++g_control.configCalls;
  return g_control.configResult;
}

extern "C" int WINAPI SensePlugIn(LPCSTR spiName, LPCSTR, tarn::SenseCell* pInfo) {
  if (!IsOwnName(spiName)) return -1;
  ++g_control.senseCalls;
  lstrcpynA(g_control.lastSpiName, spiName, sizeof g_control.lastSpiName);
  g_control.lastCommand = pInfo[0];
  std::memcpy(g_control.movieCells, pInfo, sizeof g_control.movieCells);
  const bool refused = g_control.refuseCommand == 0 || g_control.refuseCommand == pInfo[0];
  if (g_control.senseResult != 0 && refused) return g_control.senseResult;
  if (pInfo[0] == -1 || pInfo[0] == -3) {
    pInfo[0] = g_control.frames;
    pInfo[1] = g_control.cycles;
  }
  return 0;
}
