// The GIF87a/GIF89a file as TarnGif walks it: signature, logical screen, colour tables, extension
// and image blocks with their data sub-blocks. Everything reads through one bounded cursor.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::gif {

constexpr std::size_t kScreenEnd = 13;  // signature (6) and logical screen descriptor (7)
constexpr std::uint8_t kExtensionIntroducer = 0x21;  // "!"
constexpr std::uint8_t kImageSeparator = 0x2C;       // ","
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kApplicationLabel = 0xFF;
constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

// Reads bytes in order and never past the end: a read that does not fit fails and leaves the
// cursor where it was.
class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size, std::size_t at = 0) : data_(data), size_(size), at_(at) {}
  std::size_t At() const { return at_; }
  std::size_t Left() const { return at_ < size_ ? size_ - at_ : 0; }
  bool AtEnd() const { return at_ >= size_; }
  const std::uint8_t* Here() const { return data_ + at_; }
  bool Byte(std::uint8_t* b) {
    if (Left() < 1) return false;
    *b = data_[at_++];
    return true;
  }
  bool Le16(std::uint16_t* v) {
    if (Left() < 2) return false;
    *v = static_cast<std::uint16_t>(data_[at_] | data_[at_ + 1] << 8);
    at_ += 2;
    return true;
  }
  bool Skip(std::size_t n) {
    if (Left() < n) return false;
    at_ += n;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_;
};

// True when the data starts with "GIF8": the test of IsSupported, GetPictureInfo and GetPicture.
bool HasGif8Signature(const std::uint8_t* data, std::size_t size);
// True for the two versions the scan for animation knows: "GIF89a" and "GIF87a".
bool IsKnownVersion(const std::uint8_t* data, std::size_t size);

struct Screen {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t flags = 0;
  std::uint8_t background = 0;
  bool hasGlobalTable() const { return (flags & 0x80) != 0; }
  int tableField() const { return flags & 7; }  // table of 2^(field+1) entries
  std::size_t globalTableBytes() const { return hasGlobalTable() ? TableBytes(tableField()) : 0; }
  static std::size_t TableBytes(int field) { return std::size_t{3} << (field + 1); }
};

// The screen descriptor at offset 6; false when the data is shorter than 13 bytes.
bool ReadScreen(const std::uint8_t* data, std::size_t size, Screen* screen);

// Bits per pixel of everything TarnGif delivers, from the screen's table-size field alone (whether
// or not a global table is present): 1, 4 or 8.
int OutputDepth(int tableField);

struct ImageDescriptor {
  std::uint16_t left = 0, top = 0, width = 0, height = 0;
  std::uint8_t flags = 0;
  bool hasLocalTable() const { return (flags & 0x80) != 0; }
  bool interlaced() const { return (flags & 0x40) != 0; }
  int tableField() const { return flags & 7; }
  std::size_t localTableBytes() const { return hasLocalTable() ? Screen::TableBytes(tableField()) : 0; }
};

// Reads the 9 bytes after the image separator.
bool ReadImageDescriptor(Cursor& c, ImageDescriptor* d);

// Skips data sub-blocks up to and including the zero-length one. Answers how many sub-blocks it
// passed (the terminator not counted); stops early at the end of the data. `limit` caps the count:
// the walk stops once more than `limit` sub-blocks have been passed.
std::size_t SkipSubBlocks(Cursor& c, std::size_t limit = SIZE_MAX);

// GetPictureInfo's answer: the first image's place and size and the screen's table field + 1.
struct FirstImage {
  int left = 0, top = 0, width = 0, height = 0;
  int colorDepth = 0;
};

// The bounded parse of GetPictureInfo: signature, global table, at most 100 extension blocks and
// sub-blocks together, then the first image descriptor. kSpiOk, or kSpiNotFormat when there is no
// "GIF8", the limit is passed, or the first image does not lie within the data.
int ReadFirstImage(const std::uint8_t* data, std::size_t size, FirstImage* out);

}  // namespace tarn::gif
