#include "image/BmpFileLayout.h"

#include <cstring>

#include "common/DibLayout.h"

namespace tarn {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;

void PutLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

int MakeBmpFileLayout(const std::uint8_t* info, std::size_t infoSize, BmpFileLayout& layout) {
  if (info == nullptr || infoSize < kDibHeaderBytes) return 0;
  DibHeader header = LoadDibHeader(info);
  if (header.biSize != kDibHeaderBytes) return 0;

  const std::uint64_t entries = header.biClrUsed != 0 ? header.biClrUsed : PaletteEntries(header.biBitCount);
  const std::uint64_t tableBytes = entries * 4;
  if (tableBytes > infoSize - kDibHeaderBytes) return 0;

  std::uint64_t imageBytes = 0;
  if (header.biCompression == 1 || header.biCompression == 2) {
    imageBytes = header.biSizeImage;
  } else {
    const std::int64_t rows = header.biHeight >= 0 ? header.biHeight : -static_cast<std::int64_t>(header.biHeight);
    imageBytes = DibRowBytes(header.biWidth < 0 ? 0 : header.biWidth, header.biBitCount) * static_cast<std::uint64_t>(rows);
  }
  const std::uint64_t offBits = kFileHeaderBytes + kDibHeaderBytes + tableBytes;
  if (offBits + imageBytes > UINT32_MAX) return 0;
  header.biSizeImage = static_cast<std::uint32_t>(imageBytes);

  layout.head.assign(kFileHeaderBytes + kDibHeaderBytes, 0);
  std::uint8_t* p = layout.head.data();
  PutLe16(p, 0x4D42);
  PutLe32(p + 2, static_cast<std::uint32_t>(offBits + imageBytes));
  PutLe32(p + 10, static_cast<std::uint32_t>(offBits));
  StoreDibHeader(header, p + kFileHeaderBytes);
  layout.tableBytes = static_cast<std::size_t>(tableBytes);
  layout.imageBytes = imageBytes;
  return 1;
}

}  // namespace tarn
