#include "BmpDecode.h"

#include <algorithm>
#include <cstring>

#include "BmpHeader.h"
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
  out.biBitCount = h.bitCount;
  out.biSizeImage = static_cast<std::uint32_t>(h.pixelBlockBytes());
  out.biXPelsPerMeter = h.xPelsPerMeter;
  out.biYPelsPerMeter = h.yPelsPerMeter;
  out.biClrUsed = PaletteEntries(h.bitCount);
  out.biClrImportant = h.clrImportant;
  StoreDibHeader(out, info);
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

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;

  // A block beyond the cap could never be allocated here: the answer is the allocation's.
  if (h.pixelBlockBytes() > kMaxPixelBlockBytes) return kSpiNoMemory;
  const auto block = static_cast<std::size_t>(h.pixelBlockBytes());
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + h.paletteBytes(), block);
  if (allocated != kSpiOk) return allocated;

  StoreResultHeader(h, memory.Info());
  CopyClipped(memory.Info() + kDibHeaderBytes, h.paletteBytes(), file + kColourTableOffset,
              size - kColourTableOffset);

  const std::uint8_t* data = file + h.offBits;
  const std::size_t dataBytes = size - h.offBits;
  if (h.compression == kRle8 || h.compression == kRle4) {
    const int expanded = ExpandThroughWork(h, block, data, dataBytes, memory);
    if (expanded != kSpiOk) return expanded;
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
