// TarnTiff.spi: the exports over the TIFF decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include "TiffDecode.h"
#include "common/PluginInput.h"
#include "common/StillImagePlugin.h"

using namespace tarn;
using namespace tarn::tiff;

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnTiff v1.00 (c) The Tarn developers",
    "*.tif; *.tiff",
    "TIFF file",
};

constexpr const char* kMarkerNames[] = {"[UNICODE].tif", "[UNICODE].tiff"};

// TIFF has no cheaper reduced picture to offer: GetPreview serves only the placeholder of a
// "[UNICODE]" name, and the host falls back to GetPicture for the rest.
constexpr StillImagePlugin kTiff{
    .info = kInfo,
    .markerNames = kMarkerNames,
    .hasExtension = HasTiffExtension,
    .headerBytes = kSignatureBytes,
    .hasSignature = HasTiffSignature,
    .decode = DecodeTiff,
};

}  // namespace

TARN_STILL_IMAGE_EXPORTS(kTiff)

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<TiffInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadTiffInfo);
}