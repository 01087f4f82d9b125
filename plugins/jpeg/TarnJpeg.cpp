// TarnJpeg.spi: the exports over the JPEG decoder. File input is read whole into a local block
// and decoded there; memory input is decoded in place.
#include <windows.h>

#include "JpegDecode.h"
#include "common/PluginInput.h"
#include "common/StillImagePlugin.h"

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

constexpr StillImagePlugin kJpeg{
    .info = kInfo,
    .markerNames = kMarkerNames,
    .hasExtension = HasJpegExtension,
    .headerBytes = kSignatureBytes,
    .hasSignature = HasJpegSignature,
    .decode = DecodeAtScale<DecodeJpeg, Scale::kFull>,
    // The catalog's picture: the same file decoded at a reduced DCT scale.
    .decodePreview = DecodeAtScale<DecodeJpeg, Scale::kPreview>,
};

}  // namespace

TARN_STILL_IMAGE_EXPORTS(kJpeg)

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<JpegInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadJpegInfo);
}