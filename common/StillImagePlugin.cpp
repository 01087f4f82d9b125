#include "StillImagePlugin.h"

#include <vector>

#include "LocalPictureMemory.h"
#include "PluginInput.h"
#include "PluginNames.h"

namespace tarn {
namespace {

bool IsOneOf(LPCSTR name, std::span<const char* const> markerNames) {
  return IsMarkerName(name, markerNames.data(), markerNames.size());
}

int DecodeWith(const StillImagePlugin& plugin, StillDecoder decode, LPCSTR buf, LONG_PTR len, unsigned int flag,
               HLOCAL* pHBInfo, HLOCAL* pHBm, SpiProgressCallback callback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return DeliverPicture(buf, len, flag, pHBInfo, pHBm, callback, lData, plugin.headerBytes,
                        IsOneOf(buf, plugin.markerNames), decode);
}

}  // namespace

int StillImagePlugin::GetPluginInfo(int infono, LPSTR buf, int buflen) const {
  return CopyInfoString(info.data(), static_cast<int>(info.size()), infono, buf, buflen);
}

int StillImagePlugin::IsSupported(LPCSTR filename, ULONG_PTR dw) const {
  std::vector<std::uint8_t> header(headerBytes);
  if (!ReadSupportHeader(dw, header.data(), headerBytes)) return 0;
  return hasExtension(filename) && hasSignature(header.data(), headerBytes) ? 1 : 0;
}

int StillImagePlugin::GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback callback, LONG_PTR lData) const {
  return DecodeWith(*this, decode, buf, len, flag, pHBInfo, pHBm, callback, lData);
}

int StillImagePlugin::GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback callback, LONG_PTR lData) const {
  if (decodePreview == nullptr) return PlaceholderPreview(buf, markerNames, pHBInfo, pHBm, callback, lData);
  return DecodeWith(*this, decodePreview, buf, len, flag, pHBInfo, pHBm, callback, lData);
}

int PlaceholderPreview(LPCSTR buf, std::span<const char* const> markerNames, HLOCAL* pHBInfo, HLOCAL* pHBm,
                       SpiProgressCallback callback, LONG_PTR lData) {
  if (!IsOneOf(buf, markerNames)) return kSpiNotProvided;
  if (pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  return ServePlaceholder(pHBInfo, pHBm, callback, lData);
}

}  // namespace tarn
