// TarnPng.spi: the exports over the PNG decoder. File input is read whole into a local block and
// decoded there; memory input is decoded in place.
#include <windows.h>

#include <iterator>

#include "PngDecode.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginInput.h"
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

}  // namespace

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t header[kSignatureBytes];
  if (!ReadSupportHeader(dw, header, kSignatureBytes)) return 0;
  return HasPngExtension(filename) && HasPngSignature(header, kSignatureBytes) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<PngInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadPngInfo);
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return DeliverPicture(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData, kSignatureBytes, IsPngMarkerName(buf),
                        DecodePng);
}

// PNG has no cheaper reduced picture: like the other still-image plug-ins, GetPreview serves only
// the placeholder of a "[UNICODE]" name, and the host falls back to GetPicture for the rest.
extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (!IsPngMarkerName(buf)) return kSpiNotProvided;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData);
}
