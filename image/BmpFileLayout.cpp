#include "image/BmpFileLayout.h"

#include <algorithm>
#include <cstring>

#include "common/DibLayout.h"

namespace tarn {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
// How far past the client the wallpaper reaches, and how far it steps back from the edge.
constexpr int kShownMargin = 16;

void PutLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool Compressed(const DibHeader& header) { return header.biCompression == 1 || header.biCompression == 2; }

std::int64_t RowsOf(const DibHeader& header) {
  return header.biHeight >= 0 ? header.biHeight : -static_cast<std::int64_t>(header.biHeight);
}

int LayoutOf(DibHeader header, std::size_t infoSize, BmpFileLayout& layout) {
  if (header.biSize != kDibHeaderBytes) return 0;
  const std::uint64_t entries = header.biClrUsed != 0 ? header.biClrUsed : PaletteEntries(header.biBitCount);
  const std::uint64_t tableBytes = entries * 4;
  if (tableBytes > infoSize - kDibHeaderBytes) return 0;

  std::uint64_t imageBytes = header.biSizeImage;
  if (!Compressed(header)) {
    const std::uint64_t rowBytes = DibRowBytes(header.biWidth < 0 ? 0 : header.biWidth, header.biBitCount);
    const auto rows = static_cast<std::uint64_t>(RowsOf(header));
    // A wild width, height and bit count together would wrap the product round to a small size.
    if (rowBytes != 0 && rows > UINT32_MAX / rowBytes) return 0;
    imageBytes = rowBytes * rows;
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

// One direction of ShownPartOf: the span of `client` + 16 from `scroll` inside `size`.
void ShownSpan(int size, int client, int scroll, int& start, int& length) {
  length = static_cast<int>(std::min<std::int64_t>(size, std::max<std::int64_t>(0, std::int64_t{client} + kShownMargin)));
  std::int64_t from = std::max(0, scroll);
  if (from + length > size) from -= kShownMargin;
  start = static_cast<int>(std::clamp<std::int64_t>(from, 0, size - length));
}

}  // namespace

int MakeBmpFileLayout(const std::uint8_t* info, std::size_t infoSize, BmpFileLayout& layout) {
  if (info == nullptr || infoSize < kDibHeaderBytes) return 0;
  return LayoutOf(LoadDibHeader(info), infoSize, layout);
}

PicturePart ShownPartOf(int width, int rows, const ShownView& view) {
  PicturePart part;
  ShownSpan(std::max(0, width), view.clientWidth, view.scrollX, part.x, part.width);
  ShownSpan(std::max(0, rows), view.clientHeight, view.scrollY, part.top, part.rows);
  return part;
}

int MakeShownBmpFileLayout(const std::uint8_t* info, std::size_t infoSize, const ShownView& view,
                           BmpFileLayout& layout, PicturePart& part) {
  // The whole picture must be describable before any part of it is taken.
  if (MakeBmpFileLayout(info, infoSize, layout) == 0) return 0;
  DibHeader header = LoadDibHeader(info);
  const int rows = static_cast<int>(RowsOf(header));
  part = {};
  if (header.biBitCount < 8 || Compressed(header) || header.biWidth <= 0) return 1;
  part = ShownPartOf(header.biWidth, rows, view);
  header.biWidth = part.width;
  header.biHeight = header.biHeight < 0 ? -part.rows : part.rows;
  return LayoutOf(header, infoSize, layout);
}

std::uint64_t PartRowOffset(const std::uint8_t* info, const PicturePart& part, int fileRow) {
  const DibHeader header = LoadDibHeader(info);
  const std::int64_t rows = RowsOf(header);
  // Top-down pictures keep their order in the file; bottom-up ones start with the part's bottom row.
  const std::int64_t memoryRow = header.biHeight < 0 ? std::int64_t{part.top} + fileRow
                                                     : rows - part.top - part.rows + fileRow;
  return DibRowBytes(header.biWidth, header.biBitCount) * static_cast<std::uint64_t>(memoryRow) +
         static_cast<std::uint64_t>(part.x) * (header.biBitCount / 8);
}

}  // namespace tarn
