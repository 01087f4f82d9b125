// TarnBmp.spi: the exports over the BMP decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include <cstring>

#include "BmpDecode.h"
#include "BmpHeader.h"
#include "common/PluginFile.h"
#include "common/PluginInput.h"
#include "common/StillImagePlugin.h"

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

bool HasBmpHeader(const std::uint8_t* header, std::size_t) {
  BmpHeader parsed;
  return ParseHeader(header, &parsed);
}

constexpr StillImagePlugin kBmp{
    .info = kInfo,
    .markerNames = kMarkerNames,
    .hasExtension = HasBmpExtension,
    .headerBytes = kHeaderBytes,
    .hasSignature = HasBmpHeader,
    .decode = DecodeBmp,
};

// The first kHeaderBytes of the file named `name`, from offset `len`: 0, 2 or 6.
int ReadFileHeader(LPCSTR name, LONG_PTR len, std::uint8_t* header) {
  ReadOnlyFile file(name);
  if (!file.IsOpen() || !file.SeekTo(len)) return kSpiFileError;
  DWORD got;
  if (!ReadSome(file.Handle(), header, kHeaderBytes, &got)) return kSpiFileError;
  return got < kHeaderBytes ? kSpiNotFormat : kSpiOk;
}

}  // namespace

TARN_STILL_IMAGE_EXPORTS(kBmp)

// Only the header is read: the record needs nothing past it.
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
  StorePictureInfo(lpInfo, static_cast<std::uint32_t>(h.width), static_cast<std::uint32_t>(h.height), 0, 0,
                   h.bitCount);
  return kSpiOk;
}