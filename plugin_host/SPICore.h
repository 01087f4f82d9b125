// CSPICore: the host's handle on one loaded plug-in DLL. It resolves the exports by name, keeps
// the information strings, and wraps every export so that callers pass wide paths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/PluginAbi.h"

namespace tarn {

// Codes of HasFunction.
enum SpiFunction : int {
  kFnGetPluginInfo = 1,
  kFnIsSupported = 2,
  kFnGetPictureInfo = 3,
  kFnGetPicture = 4,
  kFnGetPreview = 5,
  kFnGetArchiveInfo = 6,
  kFnGetFileInfo = 7,
  kFnGetFile = 8,
  kFnConfigurationDlg = 9,
  kFnSensePlugIn = 10,
};

// Bytes the host offers a plug-in for one information string.
constexpr int kInfoBufferBytes = 256;
// A plug-in describes a handful of formats; counting stops here whatever it answers.
constexpr int kMaxFormats = 100;

class CSPICore {
 public:
  CSPICore() = default;
  CSPICore(const CSPICore&) = delete;
  CSPICore& operator=(const CSPICore&) = delete;
  virtual ~CSPICore() { Unload(); }

  // 1 when the DLL is loaded and exports GetPluginInfo, else 0.
  int Load(const wchar_t* path);
  void Unload();
  int HasFunction(int code) const;
  int GetApiKind() const { return m_ApiKind; }

  // The export's answer, 0 when absent. The buffer is terminated whatever the plug-in does.
  int GetPluginInfo(int infono, char* buf, int buflen);
  // 1 and the format's display name and patterns (buffers of at least 256 characters), or 0.
  int GetSupportedType(int n, wchar_t* name, wchar_t* pattern);

  int IsSupported(const wchar_t* path, const void* header);
  int IsSupported(const wchar_t* path);
  int SensePlugIn(const wchar_t* spiName, const wchar_t* path, SenseCell* cells);
  int GetPictureInfo(const wchar_t* path, PictureInfo* info);
  int GetPicture(const wchar_t* path, HLOCAL* pHBInfo, HLOCAL* pHBm, SpiProgressCallback callback,
                 LONG_PTR lData);
  int GetPreview(const wchar_t* path, LONG_PTR len, unsigned flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                 SpiProgressCallback callback, LONG_PTR lData);
  // GetPicture of a picture file's bytes held in memory.
  int GetPictureFromMemory(const std::uint8_t* data, std::size_t size, HLOCAL* pHBInfo, HLOCAL* pHBm);
  int ConfigurationDlg(HWND parent, int fnc);

  bool IsLoaded() const { return m_hModule != nullptr; }
  const std::wstring& Path() const { return m_Path; }
  const std::wstring& FileName() const { return m_FileName; }
  int FormatCount() const { return m_FormatCount; }
  const std::vector<std::wstring>& Patterns() const { return m_Patterns; }
  const std::vector<std::wstring>& FormatNames() const { return m_FormatNames; }

  int m_Enabled = 1;  // only the registry changes it; it survives Unload and Load

 private:
  // The information string `infono` as bytes; empty when absent.
  std::string InfoString(int infono);
  int ReadFormats();

  HMODULE m_hModule = nullptr;
  std::wstring m_Path;
  std::wstring m_FileName;
  unsigned char m_ApiKind = 0;
  int m_FormatCount = 0;
  std::vector<std::wstring> m_Patterns;
  std::vector<std::wstring> m_FormatNames;

  SpiGetPluginInfo m_GetPluginInfo = nullptr;
  SpiIsSupported m_IsSupported = nullptr;
  SpiSensePlugIn m_SensePlugIn = nullptr;
  SpiGetPictureInfo m_GetPictureInfo = nullptr;
  SpiGetPicture m_GetPicture = nullptr;
  SpiGetPreview m_GetPreview = nullptr;
  FARPROC m_GetArchiveInfo = nullptr;  // archive exports are only recorded, never called
  FARPROC m_GetFileInfo = nullptr;
  FARPROC m_GetFile = nullptr;
  SpiConfigurationDlg m_ConfigurationDlg = nullptr;
};

// Header bytes the host reads from a file for IsSupported.
constexpr DWORD kHeaderBlockBytes = 2048;

// Reads up to the first 2048 bytes of `path` into a zeroed block (the file opened for reading
// without sharing). Answers 0, or 1 open, 2 allocation, 3 read failure.
int ReadHeaderBlock(const wchar_t* path, std::vector<unsigned char>* block);

}  // namespace tarn
