#include "ThumbnailRecord.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tarn {

ThumbGeometry GeometryOf(int catalogSize) {
  ThumbGeometry g;
  switch (catalogSize) {
    case 0: g = {0, 76, 6, 64, kRecordLengthS, 1600}; break;
    case 2: g = {2, 120, 10, 100, kRecordLengthL, 900}; break;
    case 3: g = {3, 192, 16, 160, kRecordLengthLL, 600}; break;
    default: g = {1, 90, 8, 74, kRecordLengthM, 1600}; break;
  }
  return g;
}

bool ParseHeader(const std::uint8_t* bytes, std::size_t count, ThumbHeader& header) {
  if (bytes == nullptr || count < kRecordHeaderBytes) return false;
  header = ThumbHeader{};
  header.pixelSize = bytes[0];
  header.sizeCode = bytes[1];
  header.layout = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
  header.fileSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[4]) | static_cast<std::uint32_t>(bytes[5]) << 8 |
                                              static_cast<std::uint32_t>(bytes[6]) << 16 |
                                              static_cast<std::uint32_t>(bytes[7]) << 24);
  header.nameIntact = false;
  for (std::size_t i = 0; i < kRecordNameUnits; ++i) {
    const char16_t unit = static_cast<char16_t>(bytes[8 + 2 * i] | bytes[9 + 2 * i] << 8);
    if (unit == 0) {
      header.nameIntact = true;
      break;
    }
    header.name[i] = unit;
  }
  // A name that fills the whole field is not taken in part: a shortened name could match a
  // different file of the folder.
  if (!header.nameIntact) std::fill(std::begin(header.name), std::end(header.name), u'\0');
  return true;
}

bool WriteHeader(std::uint8_t pixelSize, std::uint8_t sizeCode, std::uint16_t layout, std::int32_t fileSize,
                 std::u16string_view name, std::uint8_t* out) {
  if (name.size() >= kRecordNameUnits || name.find(u'\0') != std::u16string_view::npos) return false;
  std::memset(out, 0, kRecordHeaderBytes);
  out[0] = pixelSize;
  out[1] = sizeCode;
  out[2] = static_cast<std::uint8_t>(layout & 0xFF);
  out[3] = static_cast<std::uint8_t>(layout >> 8);
  const auto size = static_cast<std::uint32_t>(fileSize);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  for (std::size_t i = 0; i < name.size(); ++i) {
    out[8 + 2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
    out[9 + 2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
  }
  return true;
}

void PackPixel(std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t out[2]) {
  out[0] = static_cast<std::uint8_t>((b & 0xF8) | (g >> 5));
  out[1] = static_cast<std::uint8_t>((((g >> 2) & 7) << 5) | (r >> 3));
}

void UnpackPixel(const std::uint8_t in[2], std::uint8_t& b, std::uint8_t& g, std::uint8_t& r) {
  b = static_cast<std::uint8_t>((in[0] & 0xF8) | 7);
  g = static_cast<std::uint8_t>(((in[0] & 7) << 5) | ((in[1] & 0xE0) >> 3) | 3);
  r = static_cast<std::uint8_t>(((in[1] << 3) & 0xF8) | 7);
}

namespace {

bool Fits(const WorkPixels& work, const ThumbGeometry& geometry) {
  return work.bits != nullptr && work.side == geometry.cell && work.pixelSize >= 2 && work.pixelSize <= 4 &&
         work.stride >= static_cast<std::size_t>(work.side) * static_cast<std::size_t>(work.pixelSize);
}

// Pixel (x, y) of the work bitmap.
std::uint8_t* At(const WorkPixels& work, int x, int y) {
  return work.bits + static_cast<std::size_t>(y) * work.stride + static_cast<std::size_t>(x) * work.pixelSize;
}

// Calls `visit(x, y, index)` for every pixel of the band in block order.
template <class Visit>
void ForBand(int layout, const ThumbGeometry& g, Visit visit) {
  std::size_t index = 0;
  if (IsRowLayout(layout)) {
    for (int y = g.margin; y < g.margin + g.thumb; ++y)
      for (int x = 0; x < g.cell; ++x) visit(x, y, index++);
  } else {
    for (int y = 0; y < g.cell; ++y)
      for (int x = g.margin; x < g.margin + g.thumb; ++x) visit(x, y, index++);
  }
}

}  // namespace

void FillWhite(const WorkPixels& work) {
  if (work.bits == nullptr) return;
  for (int y = 0; y < work.side; ++y) std::memset(At(work, 0, y), 0xFF, static_cast<std::size_t>(work.side) * work.pixelSize);
}

bool PackBlock(const WorkPixels& work, int layout, const ThumbGeometry& geometry, std::uint8_t* block) {
  if (!IsKnownLayout(layout) || !Fits(work, geometry)) return false;
  std::memset(block, 0xFF, geometry.BlockBytes());
  ForBand(layout, geometry, [&](int x, int y, std::size_t i) {
    const std::uint8_t* p = At(work, x, y);
    std::uint8_t* out = block + 2 * i;
    if (work.pixelSize == 2) {
      out[0] = p[0];
      out[1] = p[1];
    } else {
      PackPixel(p[0], p[1], p[2], out);
    }
  });
  return true;
}

bool UnpackBlock(const std::uint8_t* block, std::size_t stored, int layout, const ThumbGeometry& geometry,
                 const WorkPixels& work) {
  if (!IsKnownLayout(layout) || !Fits(work, geometry)) return false;
  FillWhite(work);
  const std::size_t pixels = std::min(stored, geometry.BlockBytes()) / 2;
  ForBand(layout, geometry, [&](int x, int y, std::size_t i) {
    if (i >= pixels) return;
    const std::uint8_t* in = block + 2 * i;
    std::uint8_t* p = At(work, x, y);
    if (work.pixelSize == 2) {
      p[0] = in[0];
      p[1] = in[1];
    } else {
      UnpackPixel(in, p[0], p[1], p[2]);
      if (work.pixelSize == 4) p[3] = 0;
    }
  });
  // The band's last row holds the 64 pixels the file never stored: white rather than whatever
  // the buffer held before.
  if (IsRowLayout(layout)) {
    std::memset(At(work, 0, geometry.margin + geometry.thumb - 1), 0xFF,
                static_cast<std::size_t>(geometry.cell) * work.pixelSize);
  } else {
    std::memset(At(work, geometry.margin, geometry.cell - 1), 0xFF,
                static_cast<std::size_t>(geometry.thumb) * work.pixelSize);
  }
  return true;
}

}  // namespace tarn
