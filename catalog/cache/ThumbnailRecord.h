// The thumbnail cache record ("_THUMB_N.TRN" holds a run of them, no file header); its lengths
// and the one record buffer the program keeps are in base/RecordBuffer.h. A record is a 264-byte header and a pixel block of T x W x 2
// bytes, of which the file holds only the first T x W x 2 + 136 bytes (the record length): the
// last 128 bytes of the block never reach the file. Every reader and writer uses that length so
// that caches written earlier stay readable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/RecordBuffer.h"

namespace tarn {

// Units of the name field, terminator included: names of at most 127 units.
constexpr std::size_t kRecordNameUnits = 128;

// The geometry one catalog size gives the cache: cell image side W, margin m, thumbnail side
// T = W - 2m, the record length and the most records a cache file takes.
struct ThumbGeometry {
  int size = 1;          // 0 S, 1 M, 2 L, 3 LL
  int cell = 90;         // W
  int margin = 8;        // m
  int thumb = 74;        // T
  int recordLength = kRecordLengthM;
  int maxRecords = 1600;
  std::size_t BlockBytes() const { return static_cast<std::size_t>(thumb) * cell * 2; }
};

// The geometry of catalog size 0 to 3; any other value is taken as M.
ThumbGeometry GeometryOf(int catalogSize);

// Size codes: 1, 5, 9, 13 for a live record of S, M, L, LL; one more for an obsolete one.
constexpr std::uint8_t LiveCode(int catalogSize) { return static_cast<std::uint8_t>(1 + 4 * catalogSize); }
constexpr std::uint8_t ObsoleteCode(int catalogSize) { return static_cast<std::uint8_t>(2 + 4 * catalogSize); }
// Whether `code` is the live or the obsolete code of `catalogSize`.
constexpr bool CodeOfSize(int code, int catalogSize) {
  return code == LiveCode(catalogSize) || code == ObsoleteCode(catalogSize);
}

// Layout codes of the pixel block: rows of the work bitmap (0, 1, 3) or columns (4, 5).
constexpr bool IsRowLayout(int layout) { return layout == 0 || layout == 1 || layout == 3; }
constexpr bool IsColumnLayout(int layout) { return layout == 4 || layout == 5; }
constexpr bool IsKnownLayout(int layout) { return IsRowLayout(layout) || IsColumnLayout(layout); }

// The header of one record as the program reads it.
struct ThumbHeader {
  std::uint8_t pixelSize = 0;  // bytes per pixel of the display that wrote the record
  std::uint8_t sizeCode = 0;
  std::uint16_t layout = 0;
  std::int32_t fileSize = 0;
  char16_t name[kRecordNameUnits] = {};  // always terminated
  // False when the stored name had no terminator within its 128 units: such a record names no
  // file, so it never matches and the engine drops it.
  bool nameIntact = true;
};

// Reads a header from the first kRecordHeaderBytes of `bytes` (false when fewer are given).
bool ParseHeader(const std::uint8_t* bytes, std::size_t count, ThumbHeader& header);

// Writes a header into `out` (kRecordHeaderBytes): the name is zero-padded; false, with nothing
// written, when the name is longer than 127 units or holds a NUL.
bool WriteHeader(std::uint8_t pixelSize, std::uint8_t sizeCode, std::uint16_t layout,
                 std::int32_t fileSize, std::u16string_view name, std::uint8_t* out);

// The 16-bit packed form of a blue, green, red pixel (3- and 4-byte displays), and back. Unpacked
// channels carry their lost low bits set (B and R | 7, G | 3).
void PackPixel(std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t out[2]);
void UnpackPixel(const std::uint8_t in[2], std::uint8_t& b, std::uint8_t& g, std::uint8_t& r);

// The thumbnail work bitmap as plain memory: W x W pixels, top row first, `stride` bytes a row,
// `pixelSize` bytes a pixel (2: the display's own 16-bit form; 3, 4: blue, green, red, [unused]).
struct WorkPixels {
  std::uint8_t* bits = nullptr;
  int side = 0;
  int pixelSize = 4;
  std::size_t stride = 0;
};

// Fills the work bitmap white.
void FillWhite(const WorkPixels& work);

// Takes the band of `layout` out of the work bitmap into a pixel block of T x W x 2 bytes: rows
// m .. m + T - 1 (row layouts) or, for every row, columns m .. m + T - 1 (column layouts).
// False for an unknown layout or a work bitmap that does not fit the geometry.
bool PackBlock(const WorkPixels& work, int layout, const ThumbGeometry& geometry, std::uint8_t* block);

// The reverse: fills the work bitmap white, puts the first `stored` bytes of the block into the
// band and paints white the band's last row, whose 64 pixels the record does not hold (for a row
// block the whole row m + T - 1, for a column block the T band pixels of the bitmap's last row).
bool UnpackBlock(const std::uint8_t* block, std::size_t stored, int layout, const ThumbGeometry& geometry,
                 const WorkPixels& work);

}  // namespace tarn
