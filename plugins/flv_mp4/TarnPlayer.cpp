// TarnFlv.spi and TarnMp4.spi: give FLV and MP4 files a pictogram in the catalog and play them in
// an external player. Neither reads movie data; what they decide rests on the extension that the
// last IsSupported call remembered.
#include <windows.h>

#include <cstring>

#include "PlayerShell.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"

using namespace tarn;
using namespace tarn::player;

namespace tarn::player {

HINSTANCE g_module = nullptr;

PlayerSettings& Settings() {
  static PlayerSettings settings;
  return settings;
}

std::string ReadProfile(const char* key) {
  char text[256];
  GetPrivateProfileStringA(This().name, key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

void WriteProfile(const char* key, const std::string& value) {
  WritePrivateProfileStringA(This().name, key, value.c_str(), "TarnSpi.ini");
}

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, w.data(), n);
  w.resize(w.size() - 1);
  return w;
}

void Tell(const wchar_t* text, const std::string& caption) {
  MessageBoxW(nullptr, text, Wide(caption).c_str(), MB_OK);
}

}  // namespace tarn::player

namespace {

constexpr const char* kInfo[] = {
#ifdef TARN_PLAYER_MP4
    "00IN", "TarnMp4 v0.13u (c) The Tarn developers", "*.mp4", "MP4 file",
#else
    "00IN", "TarnFlv v0.13u (c) The Tarn developers", "*.flv", "FLV file",
#endif
};
constexpr DWORD kHeaderBytes = 58;
constexpr const char* kAbsent = "Nothing";

// The last four characters of the last name IsSupported accepted; empty after any other name.
char g_remembered[kRememberedBytes] = {};

bool Remembered() { return IsOwnExtension(g_remembered, This().extension); }

std::string SlotKey(const char* stem, int slot) { return stem + std::to_string(slot); }

void ReadFlvSettings(PlayerSettings& s) {
  s.selected = SlotFromProfile(ReadProfile("ApSel").c_str());
  if (s.selected < 0) {
    s.selected = 0;
    s.slots[0] = s.Defaults();
    WriteProfile("ApSel", "0");
    WriteProfile("AppliSelReg_0", s.slots[0].path);
    WriteProfile("AppliSelSW_0", s.slots[0].switches);
  }
  for (int n = 0; n < kSlotCount; ++n) {
    const std::string path = ReadProfile(SlotKey("AppliSelReg_", n).c_str());
    const std::string switches = ReadProfile(SlotKey("AppliSelSW_", n).c_str());
    if (path != kAbsent) s.slots[n].path = path.substr(0, kFlvPathBytes - 1);
    if (switches != kAbsent) s.slots[n].switches = switches.substr(0, kFlvSwitchBytes - 1);
  }
}

void ReadMp4Settings(PlayerSettings& s) {
  const std::string path = ReadProfile("AppliData");
  if (path == kAbsent) {
    s.slots[0] = s.Defaults();
    WriteProfile("AppliData", s.slots[0].path);
    WriteProfile("AppliSW", s.slots[0].switches);
    return;
  }
  s.slots[0].path = path;
  if (const std::string switches = ReadProfile("AppliSW"); switches != kAbsent) s.slots[0].switches = switches;
}

void ReadSettings() {
  PlayerSettings& s = Settings();
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  s.startFolder = folder;
  if (s.startFolder.empty() || s.startFolder.back() != '\\') s.startFolder += '\\';
  if (kThisLibrary == Library::kFlv) ReadFlvSettings(s);
  else ReadMp4Settings(s);
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
  const NameCheck check = CheckName(filename, This().extension, g_remembered);
  if (check == NameCheck::kAccept) return 1;
  if (check == NameCheck::kOther && IsFileHandleArgument(dw)) {
    std::uint8_t header[kHeaderBytes];
    DWORD got;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), header, kHeaderBytes, &got))
      Tell(L"ファイルが読めません", filename);
  }
  return 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned int flag, PictureInfo* lpInfo) {
  if (IsMemoryInput(flag) || !Remembered()) return kSpiNotFormat;
  if (lpInfo == nullptr) return kSpiInternal;
  // The host takes nothing from the size for these files; the record tells the pictogram's.
  *lpInfo = PictureInfo{};
  lpInfo->width = kMarkerSide;
  lpInfo->height = kMarkerSide;
  lpInfo->colorDepth = 24;
  return kSpiOk;
}

extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (IsMemoryInput(flag)) return kSpiNotProvided;
  if (!Remembered()) return kSpiNotFormat;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  PreviewLook look;
  MakePreviewLook(kThisLibrary, buf, &look);
  CallbackProgress progress(lpPrgressCallback, lData);
  LocalPictureMemory memory;
  const int result = BuildMarkerPicture(memory, progress.Get(), look.style);
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR, unsigned int flag, HLOCAL*, HLOCAL*, SpiProgressCallback,
                                 LONG_PTR lData) {
  if (IsMemoryInput(flag)) return kSpiNotProvided;
  auto* cells = reinterpret_cast<SenseCell*>(lData);
  if (cells == nullptr || cells[kSenseCommand] != -1 || buf == nullptr) return kSpiInternal;
  if (IsUnicodeMarkerName(buf)) return kSpiOk;
  if (PlayAndWait(buf, cells)) return kSpiOk;
  return Remembered() ? kSpiInternal : kSpiNotFormat;
}

extern "C" int WINAPI ConfigurationDlg(HWND parent, int) {
  ShowSettingsDialog(parent);
  return kSpiOk;
}

extern "C" int WINAPI SensePlugIn(LPCSTR spiName, LPCSTR, SenseCell* pInfo) {
  if (spiName == nullptr || pInfo == nullptr || std::strcmp(spiName, This().spiName) != 0 ||
      pInfo[kSenseCommand] != -1)
    return kSpiNotProvided;
  ForgetPlayState();
  pInfo[kSenseValue2] = 0;
  return kSpiOk;
}
