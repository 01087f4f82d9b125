// The application's ordered list of loaded plug-ins. Registration order is search order: the
// first enabled plug-in that claims a file and decodes it serves it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "SPICore.h"

namespace tarn {

// Number of registered plug-ins, for the plug-in dialog.
extern int g_PluginCount;

class CPluginRegistry {
 public:
  // Loads every "*.spi" of `folder` in the order the file system lists them. Answers the number
  // of plug-ins added; files that fail to load, picture filters of another kind and names
  // already registered are skipped silently.
  int Enumerate(const wchar_t* folder);

  // 0 decoded, 2 no plug-in decoded it, 6 the file could not be read, 8 a null argument.
  int LoadPicture(const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits, PictureInfo* info);
  int LoadPreview(const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits, PictureInfo* info);
  // The bytes of a picture file held in memory (a thumbnail a file carries, say), offered to the
  // plug-ins that claim `name` with those bytes: 0 decoded, 2 none decoded it, 8 a null argument.
  int LoadFromMemory(const wchar_t* name, const std::uint8_t* data, std::size_t size, HLOCAL* outInfo,
                     HLOCAL* outBits);
  // 0 a plug-in answered 0, 2 none did, 61/62/63 open/allocate/read failure, 8 a null argument.
  int SenseDispatch(const wchar_t* spiName, const wchar_t* path, SenseCell* cells);

  int FindByName(const wchar_t* spiName) const;
  int GetName(int index, wchar_t* out) const;  // out holds MAX_PATH characters
  int Enabled(int index, int value);
  int IsSupportedAny(const wchar_t* path);
  std::wstring RepresentativeExtensions(int index);
  int CountFormats();

  int Count() const { return static_cast<int>(m_Plugins.size()); }
  CSPICore& At(int index) { return *m_Plugins[static_cast<std::size_t>(index)]; }

  SpiProgressCallback m_ProgressCallback = nullptr;  // never set in this program
  LONG_PTR m_lData = 0;                              // the image loader's sense cells, or null
  unsigned char m_AcceptedKinds = kApiImportNormal;
  int m_LastPlugin = -1;

 private:
  enum class Decoder { kPicture, kPreview };
  int Load(Decoder decoder, const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits, PictureInfo* info);
  bool IsRegistered(const std::wstring& fileName, std::size_t before) const;

  std::vector<std::unique_ptr<CSPICore>> m_Plugins;
};

}  // namespace tarn
