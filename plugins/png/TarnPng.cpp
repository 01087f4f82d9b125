// TarnPng.spi: the exports over the PNG decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include "PngDecode.h"
#include "common/PluginInput.h"
#include "common/StillImagePlugin.h"

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

// PNG has no cheaper reduced picture: GetPreview serves only the placeholder of a "[UNICODE]"
// name, and the host falls back to GetPicture for the rest.
constexpr StillImagePlugin kPng{
    .info = kInfo,
    .markerNames = kMarkerNames,
    .hasExtension = HasPngExtension,
    .headerBytes = kSignatureBytes,
    .hasSignature = HasPngSignature,
    .decode = DecodePng,
};

}  // namespace

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return kPng.GetPluginInfo(infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) { return kPng.IsSupported(filename, dw); }

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<PngInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadPngInfo);
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  return kPng.GetPicture(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}

extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  return kPng.GetPreview(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}
