// TarnJpeg.spi: the exports over the JPEG decoder. File input is read whole into a local block
// and decoded there; memory input is decoded in place.
#include <windows.h>

#include <iterator>

#include "JpegDecode.h"
#include "common/PluginAbi.h"
#include "common/PluginInput.h"
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

// GetPicture and GetPreview: decode at `scale` from memory or from the file.
int Deliver(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
            SpiProgressCallback callback, LONG_PTR lData, Scale scale) {
  return DeliverPicture(buf, len, flag, pHBInfo, pHBm, callback, lData, kSignatureBytes, IsJpegMarkerName(buf),
                        [scale](const std::uint8_t* data, std::size_t size, PictureMemory& memory,
                                ProgressReport* progress) { return DecodeJpeg(data, size, scale, memory, progress); });
}

}  // namespace

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t header[kSignatureBytes];
  if (!ReadSupportHeader(dw, header, kSignatureBytes)) return 0;
  return HasJpegExtension(filename) && HasJpegSignature(header, kSignatureBytes) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  return AnswerPictureInfo<JpegInfo>(buf, len, flag, lpInfo, kSignatureBytes, ReadJpegInfo);
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
