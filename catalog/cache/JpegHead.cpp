#include "JpegHead.h"

#include <cstring>

namespace tarn {
namespace {

constexpr std::uint8_t kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kApp1 = 0xE1;

// Frame headers: SOF0 to SOF15 except DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and RST0 to RST7.
bool StandsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

}  // namespace

bool ReadJpegHead(const std::uint8_t* data, std::size_t size, JpegHead& head) {
  head = {};
  if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != kSoi) return false;
  bool sawExif = false;
  std::size_t at = 2;
  for (;;) {
    // Any number of FF fill bytes may come before a marker code.
    while (at < size && data[at] == 0xFF && at + 1 < size && data[at + 1] == 0xFF) ++at;
    if (at + 2 > size || data[at] != 0xFF) return false;
    const std::uint8_t marker = data[at + 1];
    at += 2;
    if (StandsAlone(marker)) continue;
    if (marker == kSos || marker == kEoi || marker == kSoi || at + 2 > size) return false;
    const std::size_t length = Be16(data + at);
    if (length < 2 || length > size - at) return false;
    const std::uint8_t* segment = data + at + 2;
    const std::size_t bytes = length - 2;
    if (IsFrameHeader(marker)) {
      if (bytes < 5) return false;
      head.height = Be16(segment + 1);
      head.width = Be16(segment + 3);
      return head.width > 0 && head.height > 0;
    }
    if (marker == kApp1 && !sawExif && bytes >= 6 && std::memcmp(segment, "Exif\0\0", 6) == 0) {
      sawExif = true;
      head.exif = ReadExifBlock(segment, bytes);
      if (head.exif.thumbnailLength != 0) head.exif.thumbnailOffset += at + 2;
    }
    at += length;
  }
}

}  // namespace tarn
