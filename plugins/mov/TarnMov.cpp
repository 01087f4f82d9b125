// TarnMov.spi: movie and sound files for the catalog (a frame of the video, or the shell's icon
// for the file type) and their playback in a window of its own through DirectShow.
#include <windows.h>

#include <cstring>
#include <string>

#include "MovShell.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"
#include "common/UnicodePlaceholder.h"

using namespace tarn;
using namespace tarn::mov;

namespace tarn::mov {

HINSTANCE g_module = nullptr;

MovSettings& Settings() {
  static MovSettings settings;
  return settings;
}

SenseState& Sense() {
  static SenseState state;
  return state;
}

std::wstring Wide(const char* text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
  w.resize(w.size() - 1);
  return w;
}

void Tell(const wchar_t* text, const wchar_t* caption) { MessageBoxW(nullptr, text, caption, MB_OK); }

namespace {

constexpr const char* kIni = "TarnSpi.ini";

std::string Read(const char* section, const char* key) {
  char text[256];
  GetPrivateProfileStringA(section, key, "Nothing", text, sizeof text, kIni);
  return text;
}

void WriteNumber(const char* key, int value) {
  WritePrivateProfileStringA("TarnMov", key, std::to_string(value).c_str(), kIni);
}

void ReadSettings() {
  MovSettings& s = Settings();
  s.SizeSelect = RangeFromProfile(Read("TarnMov", "SizeSelect").c_str(), 0, 2, s.SizeSelect);
  s.RateSelect = RangeFromProfile(Read("TarnMov", "RateSelect").c_str(), 0, 2, s.RateSelect);
  if (const std::string t = Read("TarnMov", "Center"); t != "Nothing") s.Center = SwitchFromProfile(t.c_str());
  if (const std::string t = Read("TarnMov", "TopMost"); t != "Nothing") s.TopMost = SwitchFromProfile(t.c_str());
  s.SampleStart = RangeFromProfile(Read("TarnMov", "SampleStart").c_str(), 0, 999, s.SampleStart);
  s.SoundVR = RangeFromProfile(Read("TarnMov", "SoundVR").c_str(), 1, 100, s.SoundVR);
  for (int form = 0; form < kFormCount; ++form) {
    const std::string t = Read("TarnMovForm", Form(form).label);
    if (t == "Nothing") break;
    s.forms.on[form] = SwitchFromProfile(t.c_str()) != 0;
  }
}

}  // namespace

void WriteSettings() {
  const MovSettings& s = Settings();
  WriteNumber("SizeSelect", s.SizeSelect);
  WriteNumber("RateSelect", s.RateSelect);
  WriteNumber("Center", s.Center != 0);
  WriteNumber("TopMost", s.TopMost != 0);
  for (int form = 0; form < kFormCount; ++form)
    WritePrivateProfileStringA("TarnMovForm", Form(form).label, s.forms.on[form] ? "1" : "0", kIni);
  WriteNumber("SampleStart", s.SampleStart);
}

void WriteVolume() { WriteNumber("SoundVR", Settings().SoundVR); }
void WriteSizeSelect() { WriteNumber("SizeSelect", Settings().SizeSelect); }
void WriteCenter() { WriteNumber("Center", Settings().Center != 0); }

}  // namespace tarn::mov

namespace {

std::int32_t Detect(const std::uint8_t* head, std::size_t size, const char* name) {
  return DetectMedia(head, size, name, Settings().forms);
}

// The first bytes of a named file: false when it cannot be opened or read.
bool ReadHead(const char* name, std::uint8_t* head, std::size_t* got) {
  ReadOnlyFile file(name);
  DWORD read = 0;
  if (!file.IsOpen() || !ReadSome(file.Handle(), head, kDetectBytes, &read)) return false;
  *got = read;
  return true;
}

enum class Mode { kPreview, kPlay };

int Common(LPCSTR name, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm, Mode mode) {
  if ((flag & kSpiInputMask) == kSpiInputMemory) return kSpiNotFormat;
  if (IsMemoryInput(flag)) return kSpiNotProvided;
  if (name == nullptr) return kSpiInternal;
  std::uint8_t head[kDetectBytes] = {};
  std::size_t got = 0;
  if (!ReadHead(name, head, &got)) {
    ReadOnlyFile probe(name);
    if (!probe.IsOpen() && std::strncmp(name, "[UNICODE].", 10) == 0 && IsPlayableName(name))
      return pHBInfo != nullptr && pHBm != nullptr ? ServePlaceholder(pHBInfo, pHBm, nullptr, 0) : kSpiInternal;
    return kSpiFileError;
  }
  const std::int32_t type = Detect(head, got, name);
  if (type == 0) return kSpiNotFormat;
  if (mode == Mode::kPlay) return PlayMedia(name, type) ? kSpiOk : kSpiInternal;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  LocalPictureMemory memory;
  if (IsVideoType(type) && GetMovieFrame(name, memory)) {
    memory.Deliver(pHBInfo, pHBm);
    return kSpiOk;
  }
  if (IconPicture(type, memory) != kSpiOk) return kSpiInternal;
  memory.Deliver(pHBInfo, pHBm);
  return kSpiOk;
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
  // The patterns follow the forms the user has enabled.
  const std::string patterns = EnabledPatterns(Settings().forms);
  const char* info[] = {"00IN", "TarnMov v0.35u (c) The Tarn developers", patterns.c_str(), "Media file"};
  return CopyInfoString(info, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t head[kDetectBytes] = {};
  std::size_t got = 0;
  if (IsFileHandleArgument(dw)) {
    DWORD read = 0;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), head, kDetectBytes, &read)) return 0;
    got = read;
  } else {
    // The host's buffer holds 2048 bytes; detection looks at the first 2000.
    std::memcpy(head, reinterpret_cast<const void*>(dw), kDetectBytes);
    got = kDetectBytes;
  }
  return Detect(head, got, filename) != 0 ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  std::int32_t type = 0;
  if ((flag & kSpiInputMask) == kSpiInputMemory) {
    if (buf == nullptr || len <= 0) return kSpiNotFormat;
    type = Detect(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len), nullptr);
  } else if (IsMemoryInput(flag)) {
    return kSpiNotProvided;
  } else {
    std::uint8_t head[kDetectBytes] = {};
    std::size_t got = 0;
    if (buf == nullptr || !ReadHead(buf, head, &got)) return kSpiFileError;
    type = Detect(head, got, buf);
  }
  if (type == 0) return kSpiNotFormat;
  if (lpInfo == nullptr) return kSpiInternal;
  *lpInfo = PictureInfo{};
  lpInfo->width = 32;
  lpInfo->height = 32;
  lpInfo->colorDepth = 24;
  return kSpiOk;
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback, LONG_PTR lData) {
  if (Playing() || !IsPlayableName(buf)) return kSpiFileError;
  if (auto* cell = reinterpret_cast<SenseCell*>(lData); cell != nullptr && *cell == -2) Sense().cell = cell;
  return Common(buf, flag, pHBInfo, pHBm, Mode::kPlay);
}

extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (lpPrgressCallback != nullptr && lpPrgressCallback(0, 1, lData) != 0) return kSpiStopped;
  if (Playing()) return kSpiFileError;
  const int result = Common(buf, flag, pHBInfo, pHBm, Mode::kPreview);
  if (result == kSpiOk && lpPrgressCallback != nullptr && lpPrgressCallback(1, 1, lData) != 0) {
    LocalFree(*pHBInfo);
    LocalFree(*pHBm);
    *pHBInfo = *pHBm = nullptr;
    return kSpiStopped;
  }
  return result;
}

extern "C" int WINAPI ConfigurationDlg(HWND parent, int) {
  ShowSettingsDialog(parent);
  return kSpiOk;
}

extern "C" int WINAPI SensePlugIn(LPCSTR spiName, LPCSTR, SenseCell* pInfo) {
  if (spiName == nullptr || pInfo == nullptr || std::strcmp(spiName, "TarnMov.spi") != 0) return kSpiNotProvided;
  SenseState& s = Sense();
  if (pInfo[0] == -2) {
    s.cell = pInfo;
    s.current = s.stop = 0;
    return kSpiOk;
  }
  if (pInfo[0] == -1) {
    pInfo[0] = static_cast<SenseCell>((s.stop - s.current) / 10000);
    return kSpiOk;
  }
  return kSpiNotProvided;
}
