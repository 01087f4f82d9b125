#include "BmpDecode.h"

#include <algorithm>
#include <cstring>

#include "BmpHeader.h"
#include "BmpMasks.h"
#include "BmpRle.h"
#include "common/DibLayout.h"
#include "common/PluginCodes.h"

namespace tarn::bmp {
namespace {

// Copies up to `count` bytes from `src` (which holds `available`) and clears the rest.
void CopyClipped(std::uint8_t* dst, std::size_t count, const std::uint8_t* src,
                 std::size_t available) {
  const std::size_t n = std::min(count, available);
  std::memcpy(dst, src, n);
  std::memset(dst + n, 0, count - n);
}

void StoreResultHeader(const BmpHeader& h, std::uint8_t* info) {
  DibHeader out;
  out.biWidth = h.width;
  out.biHeight = h.height;
  out.biBitCount = static_cast<std::uint16_t>(h.deliveredBitCount());
  out.biSizeImage = static_cast<std::uint32_t>(h.deliveredBlockBytes());
  out.biXPelsPerMeter = h.xPelsPerMeter;
  out.biYPelsPerMeter = h.yPelsPerMeter;
  out.biClrUsed = PaletteEntries(h.deliveredBitCount());
  out.biClrImportant = h.clrImportant;
  StoreDibHeader(out, info);
}

// The colour table as delivered: four bytes an entry, whatever the file's entries take.
void StorePalette(const BmpHeader& h, const std::uint8_t* file, std::size_t size, std::uint8_t* table) {
  const std::size_t at = h.paletteOffset();
  const std::size_t available = at < size ? size - at : 0;
  if (h.fileEntryBytes() == 4) {
    CopyClipped(table, h.paletteBytes(), file + at, available);
    return;
  }
  std::memset(table, 0, h.paletteBytes());
  for (std::size_t i = 0; i < PaletteEntries(h.bitCount) && (i + 1) * 3 <= available; ++i)
    std::memcpy(table + i * 4, file + at + i * 3, 3);
}

// Expands RLE codes through a cleared work buffer, as the decoder always has; the buffer for
// RLE8 is twice the pixel block of `block` bytes.
int ExpandThroughWork(const BmpHeader& h, std::size_t block, const std::uint8_t* codes, std::size_t codeBytes,
                      PictureMemory& memory) {
  const std::size_t workBytes = h.compression == kRle8 ? block * 2 : block;
  std::uint8_t* work = memory.AllocateWork(workBytes);
  if (work == nullptr) {
    memory.WarnOutOfMemory();
    memory.ReleasePicture();
    return kSpiLockFailed;
  }
  std::memset(work, 0, workBytes);
  const RleTarget target{work, block, h.rowBytes(), static_cast<std::uint32_t>(h.width), h.rows()};
  if (h.compression == kRle8)
    ExpandRle8(codes, codeBytes, target);
  else
    ExpandRle4(codes, codeBytes, target);
  std::memcpy(memory.Pixels(), work, block);
  memory.ReleaseWork(work);
  return kSpiOk;
}

}  // namespace

int DecodeBmp(const std::uint8_t* file, std::size_t size, PictureMemory& memory,
              ProgressReport* progress) {
  BmpHeader h;
  if (file == nullptr || size < kHeaderBytes || !ParseHeader(file, &h)) return kSpiNotFormat;
  if (h.offBits >= size) return kSpiNotFormat;
  PixelMasks masks;
  if (h.hasMasks() && !ReadMasks(h, file, size, &masks)) return kSpiNotFormat;

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;

  // A block beyond the cap could never be allocated here: the answer is the allocation's.
  if (h.pixelBlockBytes() > kMaxPixelBlockBytes || h.deliveredBlockBytes() > kMaxPixelBlockBytes)
    return kSpiNoMemory;
  const auto block = static_cast<std::size_t>(h.deliveredBlockBytes());
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + h.paletteBytes(), block);
  if (allocated != kSpiOk) return allocated;

  StoreResultHeader(h, memory.Info());
  StorePalette(h, file, size, memory.Info() + kDibHeaderBytes);

  const std::uint8_t* data = file + h.offBits;
  const std::size_t dataBytes = size - h.offBits;
  if (h.compression == kRle8 || h.compression == kRle4) {
    const int expanded = ExpandThroughWork(h, block, data, dataBytes, memory);
    if (expanded != kSpiOk) return expanded;
  } else if (h.hasMasks()) {
    ConvertMaskedRows(h, masks, data, dataBytes, memory.Pixels(), DibRowBytes(h.width, 24));
  } else {
    CopyClipped(memory.Pixels(), block, data, dataBytes);
  }

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

}  // namespace tarn::bmp
