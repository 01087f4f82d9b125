// TarnBmp.spi: the exports over the BMP decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include <cstring>

#include "BmpDecode.h"
#include "BmpHeader.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"

using namespace tarn;
using namespace tarn::bmp;

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnBmp v0.14u (c) The Tarn developers",
    "*.bmp; *.dib",
    "BMP file",
};

constexpr const char* kMarkerNames[] = {"[UNICODE].bmp", "[UNICODE].dib"};

bool IsBmpMarkerName(LPCSTR name) { return IsMarkerName(name, kMarkerNames, 2); }

// The first kHeaderBytes of the file named `name`, from offset `len`: 0, 2 or 6.
int ReadFileHeader(LPCSTR name, LONG_PTR len, std::uint8_t* header) {
  ReadOnlyFile file(name);
  if (!file.IsOpen() || !file.SeekTo(len)) return kSpiFileError;
  DWORD got;
  if (!ReadSome(file.Handle(), header, kHeaderBytes, &got)) return kSpiFileError;
  return got < kHeaderBytes ? kSpiNotFormat : kSpiOk;
}

// Reads `file` from offset `len` to its end into a local block and decodes it there.
int DecodeFile(const ReadOnlyFile& file, LONG_PTR len, LocalPictureMemory& memory,
               ProgressReport* progress) {
  const std::int64_t size = file.Size();
  if (size < 0) return kSpiFileError;
  const std::int64_t dataBytes = size - len;
  if (dataBytes < static_cast<std::int64_t>(kHeaderBytes)) return kSpiNotFormat;
  if (!file.SeekTo(len)) return kSpiFileError;
  // ReadFile takes a DWORD count; a 32-bit process could not hold more anyway.
  if (static_cast<std::uint64_t>(dataBytes) > MAXDWORD || static_cast<std::uint64_t>(dataBytes) > SIZE_MAX)
    return kSpiNoMemory;
  LocalBlock block(static_cast<std::size_t>(dataBytes));
  if (block.Data() == nullptr) return kSpiNoMemory;
  DWORD got;
  if (!ReadSome(file.Handle(), block.Data(), static_cast<DWORD>(dataBytes), &got) ||
      got != static_cast<DWORD>(dataBytes))
    return kSpiFileError;
  return DecodeBmp(block.Data(), static_cast<std::size_t>(dataBytes), memory, progress);
}

}  // namespace

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t header[kHeaderBytes];
  if (IsFileHandleArgument(dw)) {
    DWORD got;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), header, kHeaderBytes, &got) || got < kHeaderBytes)
      return 0;
  } else {
    std::memcpy(header, reinterpret_cast<const void*>(dw), kHeaderBytes);
  }
  BmpHeader parsed;
  return HasBmpExtension(filename) && ParseHeader(header, &parsed) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  if (buf == nullptr || lpInfo == nullptr) return kSpiInternal;
  std::uint8_t header[kHeaderBytes];
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(kHeaderBytes)) return kSpiNotFormat;
    std::memcpy(header, buf, kHeaderBytes);
  } else if (const int read = ReadFileHeader(buf, len, header); read != kSpiOk) {
    return read;
  }
  BmpHeader h;
  if (!ParseHeader(header, &h)) return kSpiNotFormat;
  *lpInfo = PictureInfo{};
  lpInfo->width = static_cast<DWORD>(h.width);
  lpInfo->height = static_cast<DWORD>(h.height);
  lpInfo->colorDepth = static_cast<SHORT>(h.bitCount);
  return kSpiOk;
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  CallbackProgress progress(lpPrgressCallback, lData);
  LocalPictureMemory memory;
  int result;
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(kHeaderBytes)) return kSpiNotFormat;
    result = DecodeBmp(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len),
                       memory, progress.Get());
  } else {
    const ReadOnlyFile file(buf);
    if (!file.IsOpen())
      return IsBmpMarkerName(buf) ? ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData)
                                  : kSpiFileError;
    result = DecodeFile(file, len, memory, progress.Get());
  }
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (!IsBmpMarkerName(buf)) return kSpiNotProvided;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData);
}
