#include "PluginInput.h"

#include <cstring>

#include "LocalPictureMemory.h"
#include "PluginFile.h"

namespace tarn {
namespace {

int WithFileData(const ReadOnlyFile& file, LONG_PTR len, std::size_t minimumBytes, const ByteUse& use) {
  const std::int64_t size = file.Size();
  if (size < 0) return kSpiFileError;
  const std::int64_t dataBytes = size - len;
  if (dataBytes < static_cast<std::int64_t>(minimumBytes)) return kSpiNotFormat;
  if (!file.SeekTo(len)) return kSpiFileError;
  // ReadFile takes a DWORD count; a 32-bit process could not hold more anyway.
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

}  // namespace

bool ReadSupportHeader(ULONG_PTR dw, std::uint8_t* header, std::size_t bytes) {
  if (!IsFileHandleArgument(dw)) {
    std::memcpy(header, reinterpret_cast<const void*>(dw), bytes);
    return true;
  }
  DWORD got;
  return ReadSome(reinterpret_cast<HANDLE>(dw), header, static_cast<DWORD>(bytes), &got) && got == bytes;
}

int WithPictureBytes(LPCSTR buf, LONG_PTR len, unsigned int flag, std::size_t minimumBytes, const ByteUse& use) {
  if (IsMemoryInput(flag)) {
    if (len < static_cast<LONG_PTR>(minimumBytes)) return kSpiNotFormat;
    return use(reinterpret_cast<const std::uint8_t*>(buf), static_cast<std::size_t>(len));
  }
  const ReadOnlyFile file(buf);
  if (!file.IsOpen()) return kSpiFileError;
  return WithFileData(file, len, minimumBytes, use);
}

void StorePictureInfo(PictureInfo* info, std::uint32_t width, std::uint32_t height, std::uint16_t xDensity,
                      std::uint16_t yDensity, int bitCount) {
  *info = PictureInfo{};
  info->width = width;
  info->height = height;
  info->x_density = xDensity;
  info->y_density = yDensity;
  info->colorDepth = static_cast<SHORT>(bitCount);
}

int DeliverPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                   SpiProgressCallback callback, LONG_PTR lData, std::size_t minimumBytes, bool isMarkerName,
                   const PictureDecoder& decode) {
  if (!IsMemoryInput(flag) && isMarkerName && !ReadOnlyFile(buf).IsOpen())
    return ServePlaceholder(pHBInfo, pHBm, callback, lData);
  CallbackProgress progress(callback, lData);
  LocalPictureMemory memory;
  const int result = WithPictureBytes(buf, len, flag, minimumBytes, [&](const std::uint8_t* data, std::size_t size) {
    return decode(data, size, memory, progress.Get());
  });
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

}  // namespace tarn
