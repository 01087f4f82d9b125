// The exports of a still-image plug-in, written once. TarnBmp, TarnJpeg, TarnPng, TarnWebp and
// TarnTiff differ only in their information strings, the names they take, the header test, the
// decoder and how they read a picture's size; each describes itself in a StillImagePlugin and
// forwards its exports to it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "PictureMemory.h"
#include "PluginAbi.h"

namespace tarn {

// Decodes a whole picture file held in memory into `memory`; answers a plug-in return code.
using StillDecoder = int (*)(const std::uint8_t* data, std::size_t size, PictureMemory& memory,
                             ProgressReport* progress);

// A StillDecoder of a decoder that takes a scale: `decode` at `scale`, for the full picture and
// the catalog's reduced one.
template <auto decode, auto scale>
int DecodeAtScale(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress) {
  return decode(data, size, scale, memory, progress);
}

struct StillImagePlugin {
  std::span<const char* const> info;         // GetPluginInfo's strings, infono 0 to 3
  std::span<const char* const> markerNames;  // "[UNICODE]" names that get the placeholder
  bool (*hasExtension)(const char* name);
  // Bytes IsSupported looks at, and the fewest a picture of this format can have.
  std::size_t headerBytes;
  bool (*hasSignature)(const std::uint8_t* header, std::size_t bytes);
  StillDecoder decode;
  // A reduced decode for the catalog; null when the format has none, and GetPreview then serves
  // only the placeholder, so that the host falls back to GetPicture.
  StillDecoder decodePreview = nullptr;

  int GetPluginInfo(int infono, LPSTR buf, int buflen) const;
  int IsSupported(LPCSTR filename, ULONG_PTR dw) const;
  int GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                 SpiProgressCallback callback, LONG_PTR lData) const;
  int GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                 SpiProgressCallback callback, LONG_PTR lData) const;
};

// GetPluginInfo, IsSupported, GetPicture and GetPreview of a still-image plug-in, forwarded to the
// StillImagePlugin `plugin`; the plug-in writes its own GetPictureInfo.
#define TARN_STILL_IMAGE_EXPORTS(plugin)                                                                     \
  extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {                                   \
    return (plugin).GetPluginInfo(infono, buf, buflen);                                                      \
  }                                                                                                          \
  extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) { return (plugin).IsSupported(filename, dw); } \
  extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm, \
                                   SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {                  \
    return (plugin).GetPicture(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);                     \
  }                                                                                                          \
  extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm, \
                                   SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {                  \
    return (plugin).GetPreview(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);                     \
  }

// GetPreview of a plug-in without reduced pictures: the placeholder for one of `markerNames`, -1
// for any other name.
int PlaceholderPreview(LPCSTR buf, std::span<const char* const> markerNames, HLOCAL* pHBInfo, HLOCAL* pHBm,
                       SpiProgressCallback callback, LONG_PTR lData);

}  // namespace tarn
