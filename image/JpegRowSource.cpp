#include "image/JpegRowSource.h"

#include <algorithm>

#include "common/DibLayout.h"

namespace tarn {

int JpegRowSource::Setup(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                         std::size_t bitsSize) {
  m_Width = m_Height = m_DensityX = m_DensityY = 0;
  m_NextRow = 0;
  if (info == nullptr || infoSize < kDibHeaderBytes) return kRowSourceBadHeader;
  const DibHeader header = LoadDibHeader(info);
  if (header.biSize < 12 || header.biSize > 64 || header.biCompression != 0) return kRowSourceBadHeader;
  if (header.biBitCount != 4 && header.biBitCount != 8 && header.biBitCount != 24 && header.biBitCount != 32)
    return kRowSourceBadBitCount;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) return kRowSourceBadHeader;
  // libjpeg takes at most 65500 pixels a side.
  const int rows = header.biHeight > 0 ? header.biHeight : -header.biHeight;
  if (header.biWidth > 65500 || rows > 65500) return kRowSourceBadHeader;

  const std::uint64_t stride = DibRowBytes(header.biWidth, header.biBitCount);
  if (bits == nullptr || bitsSize / stride < static_cast<std::uint64_t>(rows)) return kRowSourceShortBlock;

  m_Palette.fill(0);
  if (header.biBitCount <= 8) {
    const std::uint32_t entries = header.biClrUsed != 0 ? std::min<std::uint32_t>(header.biClrUsed, 256)
                                                         : PaletteEntries(header.biBitCount);
    if (infoSize < header.biSize || (infoSize - header.biSize) / 4 < entries) return kRowSourceShortBlock;
    const std::uint8_t* table = info + header.biSize;
    for (std::uint32_t i = 0; i < entries; ++i) {
      m_Palette[i * 3] = table[i * 4 + 2];
      m_Palette[i * 3 + 1] = table[i * 4 + 1];
      m_Palette[i * 3 + 2] = table[i * 4];
    }
  }
  if (header.biXPelsPerMeter > 0 && header.biYPelsPerMeter > 0) {
    m_DensityX = header.biXPelsPerMeter / 100;
    m_DensityY = header.biYPelsPerMeter / 100;
  }
  m_Width = header.biWidth;
  m_Height = rows;
  m_TopDown = header.biHeight < 0;
  m_BitCount = header.biBitCount;
  m_Stride = static_cast<std::size_t>(stride);
  m_Bits = bits;
  m_NextRow = rows;
  m_Row.assign(static_cast<std::size_t>(m_Width) * 3, 0);
  return kRowSourceReady;
}

const std::uint8_t* JpegRowSource::NextRow() {
  if (m_NextRow <= 0) return nullptr;
  --m_NextRow;
  // Bottom-up rows deliver the last memory row first; top-down ones the first.
  const int memoryRow = m_TopDown ? m_Height - 1 - m_NextRow : m_NextRow;
  const std::uint8_t* row = m_Bits + m_Stride * static_cast<std::size_t>(memoryRow);
  switch (m_BitCount) {
    case 4:
    case 8: ConvertIndexed(row); break;
    case 24: ConvertDirect(row, 3); break;
    default: ConvertDirect(row, 4); break;
  }
  return m_Row.data();
}

void JpegRowSource::ConvertIndexed(const std::uint8_t* row) {
  std::uint8_t* out = m_Row.data();
  for (int x = 0; x < m_Width; ++x, out += 3) {
    const unsigned index = m_BitCount == 8 ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
    std::copy_n(&m_Palette[index * 3], 3, out);
  }
}

void JpegRowSource::ConvertDirect(const std::uint8_t* row, int bytesPerPixel) {
  std::uint8_t* out = m_Row.data();
  for (int x = 0; x < m_Width; ++x, row += bytesPerPixel, out += 3) {
    out[0] = row[2];
    out[1] = row[1];
    out[2] = row[0];
  }
}

}  // namespace tarn
