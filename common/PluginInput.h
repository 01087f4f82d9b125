// Where a still-image plug-in finds its bytes: a header for IsSupported (a handle or a pointer),
// and the picture for GetPictureInfo and GetPicture (memory input, or the file from offset len).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>

#include "PictureMemory.h"
#include "PluginAbi.h"

namespace tarn {

// IsSupported's header: `bytes` bytes read from the handle's position, or copied from the pointer.
// False when the read fails or comes short.
bool ReadSupportHeader(ULONG_PTR dw, std::uint8_t* header, std::size_t bytes);

using ByteUse = std::function<int(const std::uint8_t* data, std::size_t size)>;

// Hands `use` the picture's bytes and answers what it answers: `len` bytes at `buf` for memory
// input; otherwise the file named `buf` from offset `len` to its end, read whole into a local
// block. 2 when fewer than `minimumBytes` are there; 6 when the file cannot be opened, positioned
// or read; 4 when no block can be had.
int WithPictureBytes(LPCSTR buf, LONG_PTR len, unsigned int flag, std::size_t minimumBytes, const ByteUse& use);

// GetPictureInfo's record for a picture of the given size, densities (0 when not given) and depth;
// every other field is 0.
void StorePictureInfo(PictureInfo* info, std::uint32_t width, std::uint32_t height, std::uint16_t xDensity,
                      std::uint16_t yDensity, int bitCount);

// GetPictureInfo of a plug-in whose `readInfo(data, size, &info)` fills an Info with width,
// height, xDpi, yDpi and bitCount and answers a plug-in code.
template <typename Info, typename ReadInfo>
int AnswerPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo, std::size_t minimumBytes,
                      ReadInfo readInfo) {
  if (buf == nullptr || lpInfo == nullptr) return kSpiInternal;
  Info info;
  const int result = WithPictureBytes(buf, len, flag, minimumBytes, [&](const std::uint8_t* data, std::size_t size) {
    return readInfo(data, size, &info);
  });
  if (result != kSpiOk) return result;
  StorePictureInfo(lpInfo, info.width, info.height, info.xDpi, info.yDpi, info.bitCount);
  return kSpiOk;
}

using PictureDecoder =
    std::function<int(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress)>;

// GetPicture: decodes the picture's bytes into local memory and hands both handles over on
// success. A file that cannot be opened gets the "[UNICODE]" placeholder when `isMarkerName`.
int DeliverPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                   SpiProgressCallback callback, LONG_PTR lData, std::size_t minimumBytes, bool isMarkerName,
                   const PictureDecoder& decode);

}  // namespace tarn
