// TarnWebp.spi: the exports over the WebP decoder. File input is read whole into a local block
// and decoded there; memory input is decoded in place.
#include <windows.h>

#include "WebpDecode.h"
#include "common/PluginInput.h"
#include "common/StillImagePlugin.h"

using namespace tarn;
using namespace tarn::webp;

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnWebp v1.00 (c) The Tarn developers",
    "*.webp",
    "WebP file",
};

constexpr const char* kMarkerNames[] = {"[UNICODE].webp"};

constexpr StillImagePlugin kWebp{
    .info = kInfo,
    .markerNames = kMarkerNames,
    .hasExtension = HasWebpExtension,
    .headerBytes = kSignatureBytes,
    .hasSignature = HasWebpSignature,
    .decode = DecodeAtScale<DecodeWebp, Scale::kFull>,
    // The catalog's picture: the library scales while it decodes, which costs less than the whole.
    .decodePreview = DecodeAtScale<DecodeWebp, Scale::kPreview>,
};

}  // namespace

TARN_STILL_IMAGE_EXPORTS(kWebp)

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<WebpInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadWebpInfo);
}