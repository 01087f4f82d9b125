// TarnPng.spi: the exports over the PNG decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include <cstring>
#include <iterator>

#include "PngDecode.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"

using namespace tarn;
using namespace tarn::png;

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnPng v1.00 (c) The Tarn developers",
    "*.png",
    "PNG file",
};

constexpr const char* kMarkerNames[] = {"[UNICODE].png"};

bool IsPngMarkerName(LPCSTR name) { return IsMarkerName(name, kMarkerNames, std::size(kMarkerNames)); }

// Reads `file` from offset `len` to its end into a local block and hands it to `use`, whose
// answer is returned; 2 when less than a signature's worth is there, 4 or 6 when it cannot be read.
template <class Use>
int WithFileData(const ReadOnlyFile& file, LONG_PTR len, Use use) {
  const std::int64_t size = file.Size();
  if (size < 0) return kSpiFileError;
  const std::int64_t dataBytes = size - len;
  if (dataBytes < static_cast<std::int64_t>(kSignatureBytes)) return kSpiNotFormat;
  if (!file.SeekTo(len)) return kSpiFileError;
  if (static_cast<std::uint64_t>(dataBytes) > MAXDWORD || static_cast<std::uint64_t>(dataBytes) > SIZE_MAX)
    return kSpiNoMemory;
  LocalBlock block(static_cast<std::size_t>(dataBytes));
  if (block.Data() == nullptr) return kSpiNoMemory;
  DWORD got;
  if (!ReadSome(file.Handle(), block.Data(), static_cast<DWORD>(dataBytes), &got) ||
      got != static_cast<DWORD>(dataBytes))
    return kSpiFileError;
  return use(block.Data(), static_cast<std::size_t>(dataBytes));
}

}  // namespace

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t header[kSignatureBytes];
  if (IsFileHandleArgument(dw)) {
    DWORD got;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), header, kSignatureBytes, &got) || got < kSignatureBytes)
      return 0;
  } else {
    std::memcpy(header, reinterpret_cast<const void*>(dw), kSignatureBytes);
  }
  return HasPngExtension(filename) && HasPngSignature(header, kSignatureBytes) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  if (buf == nullptr || lpInfo == nullptr) return kSpiInternal;
  PngInfo info;
  const auto read = [&](const std::uint8_t* data, std::size_t size) { return ReadPngInfo(data, size, &info); };
  int result;
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(kSignatureBytes)) return kSpiNotFormat;
    result = read(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len));
  } else {
    const ReadOnlyFile file(buf);
    if (!file.IsOpen()) return kSpiFileError;
    result = WithFileData(file, len, read);
  }
  if (result != kSpiOk) return result;
  *lpInfo = PictureInfo{};
  lpInfo->width = info.width;
  lpInfo->height = info.height;
  lpInfo->x_density = info.xDpi;
  lpInfo->y_density = info.yDpi;
  lpInfo->colorDepth = static_cast<SHORT>(info.bitCount);
  return kSpiOk;
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  CallbackProgress progress(lpPrgressCallback, lData);
  LocalPictureMemory memory;
  const auto decode = [&](const std::uint8_t* data, std::size_t size) {
    return DecodePng(data, size, memory, progress.Get());
  };
  int result;
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(kSignatureBytes)) return kSpiNotFormat;
    result = decode(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len));
  } else {
    const ReadOnlyFile file(buf);
    if (!file.IsOpen())
      return IsPngMarkerName(buf) ? ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData) : kSpiFileError;
    result = WithFileData(file, len, decode);
  }
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

// PNG has no cheaper reduced picture: like the other still-image plug-ins, GetPreview serves only
// the placeholder of a "[UNICODE]" name, and the host falls back to GetPicture for the rest.
extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (!IsPngMarkerName(buf)) return kSpiNotProvided;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData);
}
