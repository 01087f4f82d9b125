#include "PluginInput.h"

#include <cstring>
#include <memory>
#include <new>

#include "LocalPictureMemory.h"
#include "PluginFile.h"

namespace tarn {
namespace {

// Reading a file whole into fresh memory costs a page fault for every 4 KiB first touched, which
// under Wine in a virtual machine takes longer than reading the bytes: a catalog of camera photos
// spent a third of its time there. Each thread keeps its block for the next file, unless the
// block grew past what is worth holding; a read nested in another (through a progress callback)
// gets a block of its own.
constexpr std::size_t kKeptBlockBytes = 64u << 20;

struct ReadBlock {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
  bool busy = false;

  bool Fit(std::size_t bytes) {
    if (size >= bytes) return true;
    data.reset(new (std::nothrow) std::uint8_t[bytes]);
    size = data != nullptr ? bytes : 0;
    return data != nullptr;
  }
};

thread_local ReadBlock t_kept;

int WithFileData(const ReadOnlyFile& file, LONG_PTR len, std::size_t minimumBytes, const ByteUse& use) {
  const std::int64_t size = file.Size();
  if (size < 0) return kSpiFileError;
  const std::int64_t dataBytes = size - len;
  if (dataBytes < static_cast<std::int64_t>(minimumBytes)) return kSpiNotFormat;
  if (!file.SeekTo(len)) return kSpiFileError;
  // ReadFile takes a DWORD count; a 32-bit process could not hold more anyway.
  if (static_cast<std::uint64_t>(dataBytes) > MAXDWORD || static_cast<std::uint64_t>(dataBytes) > SIZE_MAX)
    return kSpiNoMemory;
  const std::size_t bytes = static_cast<std::size_t>(dataBytes);
  ReadBlock nested;
  ReadBlock& block = t_kept.busy ? nested : t_kept;
  if (!block.Fit(bytes)) return kSpiNoMemory;
  block.busy = true;
  DWORD got;
  const bool read = ReadSome(file.Handle(), block.data.get(), static_cast<DWORD>(bytes), &got) && got == bytes;
  const int result = read ? use(block.data.get(), bytes) : kSpiFileError;
  block.busy = false;
  if (block.size > kKeptBlockBytes) block = ReadBlock{};
  return result;
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
