// TarnJpeg.spi: the exports over the JPEG decoder. File input is read whole into a local block
// and decoded there; memory input is decoded in place.
#include <windows.h>

#include <cstring>
#include <iterator>

#include "JpegDecode.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"

using namespace tarn;
using namespace tarn::jpeg;

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnJpeg v1.00 (c) The Tarn developers",
    "*.jpg; *.jpeg; *.jpe; *.jfif",
    "JPEG file",
};

constexpr const char* kMarkerNames[] = {"[UNICODE].jpg", "[UNICODE].jpeg", "[UNICODE].jpe", "[UNICODE].jfif"};

bool IsJpegMarkerName(LPCSTR name) { return IsMarkerName(name, kMarkerNames, std::size(kMarkerNames)); }

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

// GetPicture and GetPreview: decode at `scale` from memory or from the file.
int Deliver(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
            SpiProgressCallback callback, LONG_PTR lData, Scale scale) {
  CallbackProgress progress(callback, lData);
  LocalPictureMemory memory;
  const auto decode = [&](const std::uint8_t* data, std::size_t size) {
    return DecodeJpeg(data, size, scale, memory, progress.Get());
  };
  int result;
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(kSignatureBytes)) return kSpiNotFormat;
    result = decode(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len));
  } else {
    const ReadOnlyFile file(buf);
    if (!file.IsOpen())
      return IsJpegMarkerName(buf) ? ServePlaceholder(pHBInfo, pHBm, callback, lData) : kSpiFileError;
    result = WithFileData(file, len, decode);
  }
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
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
  return HasJpegExtension(filename) && HasJpegSignature(header, kSignatureBytes) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  if (buf == nullptr || lpInfo == nullptr) return kSpiInternal;
  JpegInfo info;
  const auto read = [&](const std::uint8_t* data, std::size_t size) { return ReadJpegInfo(data, size, &info); };
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
  return Deliver(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData, Scale::kFull);
}

// The catalog's picture: the same file decoded at a reduced DCT scale.
extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return Deliver(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData, Scale::kPreview);
}
