// Turns the rows of a device-independent bitmap into the RGB rows a JPEG compressor takes, top
// row first, one row at a time through a single row buffer: memory does not grow with the height.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

enum RowSourceResult : int {
  kRowSourceReady = 0,
  kRowSourceBadHeader = -1,    // header size outside 12..64, or compressed
  kRowSourceBadBitCount = -2,  // anything but 4, 8, 24 or 32 bits
  kRowSourceShortBlock = -3,   // the blocks hold less than the header promises
};

class JpegRowSource {
 public:
  // Checks `info` (header and colour table) and `bits` and prepares the first row; a
  // RowSourceResult. The blocks must stay unchanged while rows are taken.
  int Setup(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits, std::size_t bitsSize);

  // The next row as width x (R, G, B), or null once every row has been delivered.
  const std::uint8_t* NextRow();

  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  int BitCount() const { return m_BitCount; }
  std::size_t Stride() const { return m_Stride; }
  // Dots per centimetre from the header's pixels per metre; 0 when either is not above 0.
  int DensityX() const { return m_DensityX; }
  int DensityY() const { return m_DensityY; }

 private:
  void ConvertIndexed(const std::uint8_t* row);
  void ConvertDirect(const std::uint8_t* row, int bytesPerPixel);

  int m_Width = 0;
  int m_Height = 0;
  int m_BitCount = 24;
  int m_DensityX = 0;
  int m_DensityY = 0;
  std::size_t m_Stride = 0;
  const std::uint8_t* m_Bits = nullptr;
  int m_NextRow = 0;        // rows still to deliver; the memory row is chosen by m_TopDown
  bool m_TopDown = false;   // a negative height: the first memory row is the top one
  // Colour table as R, G, B; entries the header does not give stay black so that no index can
  // read outside the table.
  std::array<std::uint8_t, 256 * 3> m_Palette{};
  std::vector<std::uint8_t> m_Row;  // one RGB row
};

}  // namespace tarn
