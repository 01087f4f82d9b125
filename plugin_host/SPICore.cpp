#include "SPICore.h"

#include <climits>
#include <cstring>
#include <new>

#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"
#include "plugin_host/MultiByteName.h"

namespace tarn {
namespace {

// Information strings are read into a block larger than the length the plug-in is told, so a
// plug-in that writes past that length still stays inside the host's memory.
constexpr int kInfoBlockBytes = 4 * kInfoBufferBytes;
// Characters an information string may have in wide form.
constexpr std::size_t kInfoWideLimit = 257;
constexpr std::size_t kTypeWideLimit = 255;  // GetSupportedType's out-buffers hold 256

template <class F>
F Resolve(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// What the wrappers say, followed by the path, when a path cannot be handed to a plug-in.
constexpr std::u16string_view kIsSupportedByFileFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::IsSupported関数_1\n  filename= ";
constexpr std::u16string_view kIsSupportedFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::IsSupported関数_2\n  filename= ";
constexpr std::u16string_view kSensePlugInFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::SensePlugIn関数\n  filename= ";
constexpr std::u16string_view kGetPictureInfoFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::GetPictureInfo関数\n  filename= ";
constexpr std::u16string_view kGetPictureFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 <-s11>]：CSPICore::GetPicture関数\n  filename= ";
constexpr std::u16string_view kGetPreviewFailed =
    u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::GetPreview関数_2\n  buf= ";

// Half-width units of one line of a path in a message box: a path of any length then leaves the
// box well inside a 1280-pixel screen.
constexpr int kMessagePathWidth = 100;

// The wide path as a plug-in name; on failure the message is logged with the path whole and
// shown with it wrapped, once per file where a report scope is open.
bool PluginNameFor(const wchar_t* path, NameMode mode, std::u16string_view failure,
                   char (&name)[kPluginNameBytes]) {
  const std::u16string_view wide = WideView(path);
  if (ToMultiByteName(name, wide, kPluginNameBytes, mode) >= 0) return true;
  if (PathReportDue()) {
    WriteErrorLog(std::u16string(failure) + std::u16string(wide));
    Say(std::u16string(failure) + WrapPath(wide, kMessagePathWidth));
  }
  return false;
}

}  // namespace

int CSPICore::Load(const wchar_t* path) {
  Unload();
  if (path == nullptr) return 0;
  m_hModule = LoadLibraryW(path);
  if (m_hModule == nullptr) return 0;
  wchar_t full[MAX_PATH] = {};
  GetModuleFileNameW(m_hModule, full, MAX_PATH - 1);
  m_Path = full;
  const std::size_t slash = m_Path.find_last_of(L"\\/");
  m_FileName = slash == std::wstring::npos ? m_Path : m_Path.substr(slash + 1);

  m_GetPluginInfo = Resolve<SpiGetPluginInfo>(m_hModule, "GetPluginInfo");
  if (m_GetPluginInfo == nullptr) {
    Unload();
    return 0;
  }
  const std::string api = InfoString(0);
  m_ApiKind = static_cast<unsigned char>(ApiKindOf(api.c_str(), api.size()));
  m_IsSupported = Resolve<SpiIsSupported>(m_hModule, "IsSupported");
  m_SensePlugIn = Resolve<SpiSensePlugIn>(m_hModule, "SensePlugIn");
  m_GetPictureInfo = Resolve<SpiGetPictureInfo>(m_hModule, "GetPictureInfo");
  m_GetPicture = Resolve<SpiGetPicture>(m_hModule, "GetPicture");
  m_GetPreview = Resolve<SpiGetPreview>(m_hModule, "GetPreview");
  m_GetArchiveInfo = GetProcAddress(m_hModule, "GetArchiveInfo");
  m_GetFileInfo = GetProcAddress(m_hModule, "GetFileInfo");
  m_GetFile = GetProcAddress(m_hModule, "GetFile");
  m_ConfigurationDlg = Resolve<SpiConfigurationDlg>(m_hModule, "ConfigurationDlg");
  return ReadFormats();
}

int CSPICore::ReadFormats() {
  int count = 0;
  while (count < kMaxFormats && !InfoString(2 * count + 2).empty()) ++count;
  m_FormatCount = count;
  for (int n = 0; n < count; ++n) {
    std::u16string pattern, name;
    if (!MultiByteToWide(InfoString(2 * n + 2), kInfoWideLimit, &pattern)) {
      Say(u"ms To ws 失敗：CDialogPlugin::OnSpiInfo関数_1 sz");
      return 0;
    }
    if (!MultiByteToWide(InfoString(2 * n + 3), kInfoWideLimit, &name)) {
      Say(u"ms To ws 失敗：CDialogPlugin::OnSpiInfo関数_2 sz");
      return 0;
    }
    m_Patterns.emplace_back(reinterpret_cast<const wchar_t*>(pattern.c_str()));
    m_FormatNames.emplace_back(reinterpret_cast<const wchar_t*>(name.c_str()));
  }
  return 1;
}

void CSPICore::Unload() {
  if (m_hModule != nullptr) FreeLibrary(m_hModule);
  m_hModule = nullptr;
  m_Path.clear();
  m_FileName.clear();
  m_Patterns.clear();
  m_FormatNames.clear();
  m_FormatCount = 0;
  m_ApiKind = 0;
  m_GetPluginInfo = nullptr;
  m_IsSupported = nullptr;
  m_SensePlugIn = nullptr;
  m_GetPictureInfo = nullptr;
  m_GetPicture = nullptr;
  m_GetPreview = nullptr;
  m_GetArchiveInfo = m_GetFileInfo = m_GetFile = nullptr;
  m_ConfigurationDlg = nullptr;
}

int CSPICore::HasFunction(int code) const {
  switch (code) {
    case kFnGetPluginInfo: return m_GetPluginInfo != nullptr;
    case kFnIsSupported: return m_IsSupported != nullptr;
    case kFnGetPictureInfo: return m_GetPictureInfo != nullptr;
    case kFnGetPicture: return m_GetPicture != nullptr;
    case kFnGetPreview: return m_GetPreview != nullptr;
    case kFnGetArchiveInfo: return m_GetArchiveInfo != nullptr;
    case kFnGetFileInfo: return m_GetFileInfo != nullptr;
    case kFnGetFile: return m_GetFile != nullptr;
    case kFnConfigurationDlg: return m_ConfigurationDlg != nullptr;
    case kFnSensePlugIn: return m_SensePlugIn != nullptr;
    default: return 0;
  }
}

std::string CSPICore::InfoString(int infono) {
  if (m_GetPluginInfo == nullptr) return {};
  char block[kInfoBlockBytes] = {};
  if (m_GetPluginInfo(infono, block, kInfoBufferBytes) == 0) return {};
  return std::string(block, strnlen(block, kInfoBufferBytes - 1));
}

int CSPICore::GetPluginInfo(int infono, char* buf, int buflen) {
  if (m_GetPluginInfo == nullptr || buf == nullptr || buflen <= 0) return 0;
  const std::string text = InfoString(infono);
  if (text.empty()) return 0;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(buflen - 1));
  std::memcpy(buf, text.data(), n);
  buf[n] = '\0';
  return static_cast<int>(n);
}

int CSPICore::GetSupportedType(int n, wchar_t* name, wchar_t* pattern) {
  std::u16string wideName, widePattern;
  const std::string typeName = InfoString(2 * n + 3);
  if (!MultiByteToWide(typeName, kTypeWideLimit, &wideName)) {
    Say(u"ms To ws 失敗：CSPICore::GetSupportedType関数 lpszTypeName");
    return 0;
  }
  if (typeName.empty()) return 0;
  if (!MultiByteToWide(InfoString(2 * n + 2), kTypeWideLimit, &widePattern)) {
    Say(u"ms To ws 失敗：CSPICore::GetSupportedType関数 lpszTypeExt");
    return 0;
  }
  std::memcpy(name, wideName.c_str(), (wideName.size() + 1) * sizeof(wchar_t));
  std::memcpy(pattern, widePattern.c_str(), (widePattern.size() + 1) * sizeof(wchar_t));
  return 1;
}

int CSPICore::IsSupported(const wchar_t* path, const void* header) {
  if (m_IsSupported == nullptr) return 0;
  char name[kPluginNameBytes];
  if (!PluginNameFor(path, NameMode::kMarker, kIsSupportedFailed, name))
    return 0;
  return m_IsSupported(name, reinterpret_cast<ULONG_PTR>(header));
}

int CSPICore::IsSupported(const wchar_t* path) {
  if (m_IsSupported == nullptr) return 0;
  char name[kPluginNameBytes];
  if (!PluginNameFor(path, NameMode::kMarker, kIsSupportedByFileFailed, name))
    return 0;
  std::vector<unsigned char> header;
  if (ReadHeaderBlock(path, &header) != 0) return 0;
  return m_IsSupported(name, reinterpret_cast<ULONG_PTR>(header.data()));
}

int CSPICore::SensePlugIn(const wchar_t* spiName, const wchar_t* path, SenseCell* cells) {
  if (m_SensePlugIn == nullptr) return -1;
  char spi[kPluginNameBytes];
  if (ToMultiByteName(spi, WideView(spiName), kPluginNameBytes, NameMode::kStrict) < 0) {
    Say(u"ws To ms 失敗：CSPICore::SensePlugIn関数 SpiName");
    return -1;
  }
  char name[kPluginNameBytes];
  if (!PluginNameFor(path, NameMode::kMarker, kSensePlugInFailed, name))
    return -1;
  return m_SensePlugIn(spi, name, cells);
}

int CSPICore::GetPictureInfo(const wchar_t* path, PictureInfo* info) {
  if (m_GetPictureInfo == nullptr) return -1;
  char name[kPluginNameBytes];
  if (!PluginNameFor(path, NameMode::kMarker, kGetPictureInfoFailed, name))
    return -1;
  if (m_GetPictureInfo(name, 0, 0, info) == 0) return 0;
  // Some files carry a 128-byte preamble before the picture. The second answer starts from a
  // clean record, not from whatever the failed first call left in it.
  std::memset(info, 0, sizeof(PictureInfo));
  return m_GetPictureInfo(name, 128, 0, info);
}

int CSPICore::GetPicture(const wchar_t* path, HLOCAL* pHBInfo, HLOCAL* pHBm, SpiProgressCallback callback,
                         LONG_PTR lData) {
  if (m_GetPicture == nullptr) return -1;
  char name[kPluginNameBytes];
  const NameMode mode = g_ChgUniFileFlag != 0 ? NameMode::kMarkerCopy : NameMode::kMarker;
  if (!PluginNameFor(path, mode, kGetPictureFailed, name))
    return -1;
  return m_GetPicture(name, 0, 0, pHBInfo, pHBm, callback, lData);
}

int CSPICore::GetPictureFromMemory(const std::uint8_t* data, std::size_t size, HLOCAL* pHBInfo, HLOCAL* pHBm) {
  if (m_GetPicture == nullptr || size > static_cast<std::size_t>(LONG_MAX)) return -1;
  return m_GetPicture(reinterpret_cast<LPCSTR>(data), static_cast<LONG_PTR>(size), kSpiInputMemory, pHBInfo, pHBm,
                      nullptr, 0);
}

int CSPICore::GetPreview(const wchar_t* path, LONG_PTR len, unsigned flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                         SpiProgressCallback callback, LONG_PTR lData) {
  if (m_GetPreview == nullptr) return -1;
  char name[kPluginNameBytes];
  if (!PluginNameFor(path, NameMode::kMarker, kGetPreviewFailed, name))
    return -1;
  return m_GetPreview(name, len, flag, pHBInfo, pHBm, callback, lData);
}

int CSPICore::ConfigurationDlg(HWND parent, int fnc) {
  return m_ConfigurationDlg != nullptr ? m_ConfigurationDlg(parent, fnc) : -1;
}

int ReadHeaderBlock(const wchar_t* path, std::vector<unsigned char>* block) {
  const FileHandle file(CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return 1;
  try {
    block->assign(kHeaderBlockBytes, 0);
  } catch (const std::bad_alloc&) {
    return 2;
  }
  DWORD got = 0;
  return ReadFile(file.Get(), block->data(), kHeaderBlockBytes, &got, nullptr) ? 0 : 3;
}

}  // namespace tarn
