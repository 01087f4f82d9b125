// TarnCatch.spi: claims files the other plug-ins would fail on and shows a marker picture for
// them, coloured by the extension that was caught. It never reads the file it draws for.
#include <windows.h>

#include <cstring>

#include "TarnCatchShell.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"

using namespace tarn;
using namespace tarn::catchall;

namespace tarn::catchall {

HINSTANCE g_module = nullptr;

CatchSettings& Settings() {
  static CatchSettings settings;
  return settings;
}

std::wstring Wide(const char* text, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, w.data(), n);
  return w;
}

}  // namespace tarn::catchall

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnCatch v0.20u (c) The Tarn developers",
    "*.bmp; *.jpg; *.gif; *.flv; *.mp4; *.bak",
    "JPG GIFfile(*.BMP; *.JPG; *.GIF; *.BAK)",
};
constexpr DWORD kHeaderBytes = 58;

// The extension the last IsSupported caught; GetPicture, which the host calls right after it for
// the same file, colours its marker by it.
char g_caught[kCaughtBytes] = {};

void ReadSettings() {
  CatchSettings& s = Settings();
  char text[256];
  const auto read = [&](const char* key) {
    GetPrivateProfileStringA("TarnCatch", key, "Nothing", text, sizeof text, "TarnSpi.ini");
    return text;
  };
  s.bakFlag = FlagFromProfile(read("BakFlag"), s.bakFlag);
  s.bmpFlag = FlagFromProfile(read("BmpFlag"), s.bmpFlag);
  s.jpgFlag = FlagFromProfile(read("JpgFlag"), s.jpgFlag);
  s.gifFlag = FlagFromProfile(read("GifFlag"), s.gifFlag);
  s.tifFlag = FlagFromProfile(read("TifFlag"), s.tifFlag);
  s.pattern = PatternFromProfile(read("ExtInData"), s.pattern);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    ReadSettings();
  }
  return TRUE;
}

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  const Decision decision = Decide(filename, Settings(), g_caught);
  if (decision.kind != Decision::kTestHeader) return decision.kind == Decision::kClaim ? 1 : 0;
  std::uint8_t header[kHeaderBytes] = {};
  if (IsFileHandleArgument(dw)) {
    DWORD got;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), header, kHeaderBytes, &got)) {
      MessageBoxW(nullptr, L"ファイルが読めません", Wide(filename, CP_ACP).c_str(), MB_OK);
      return 0;
    }
  } else {
    std::memcpy(header, reinterpret_cast<const void*>(dw), 2);
  }
  return LacksSignature(header, decision.signature) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned int flag, PictureInfo* lpInfo) {
  if (IsMemoryInput(flag)) return kSpiNotProvided;
  if (lpInfo == nullptr) return kSpiInternal;
  // The record has always described an 80 x 80 picture; the marker itself is 64 x 64.
  *lpInfo = PictureInfo{};
  lpInfo->width = 80;
  lpInfo->height = 80;
  lpInfo->colorDepth = 24;
  return kSpiOk;
}

// Also exported as GetPreview.
extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (IsMemoryInput(flag)) return kSpiNotProvided;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  CallbackProgress progress(lpPrgressCallback, lData);
  LocalPictureMemory memory;
  const int result = BuildMarkerPicture(memory, progress.Get(), MarkerFor(buf, g_caught));
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

extern "C" int WINAPI ConfigurationDlg(HWND parent, int) {
  ShowSettingsDialog(parent);
  return kSpiOk;
}
