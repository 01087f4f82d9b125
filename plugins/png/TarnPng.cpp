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

TARN_STILL_IMAGE_EXPORTS(kPng)

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<PngInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadPngInfo);
}