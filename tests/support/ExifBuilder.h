// Builds the payload of an APP1 EXIF block for tests: IFD0 with the orientation tag and, when a
// thumbnail is given, IFD1 pointing at the thumbnail's bytes, which follow the IFDs.
#pragma once

#include <cstdint>
#include <vector>

namespace tarn::test {

inline std::vector<std::uint8_t> ExifPayload(int orientation, bool bigEndian,
                                             const std::vector<std::uint8_t>& thumbnail = {}) {
  std::vector<std::uint8_t> b;
  for (const char c : {'E', 'x', 'i', 'f', '\0', '\0'}) b.push_back(static_cast<std::uint8_t>(c));
  const auto put16 = [&](unsigned v) {
    b.push_back(static_cast<std::uint8_t>(bigEndian ? v >> 8 : v));
    b.push_back(static_cast<std::uint8_t>(bigEndian ? v : v >> 8));
  };
  const auto put32 = [&](std::uint32_t v) {
    put16(bigEndian ? v >> 16 : v & 0xFFFF);
    put16(bigEndian ? v & 0xFFFF : v >> 16);
  };
  const auto entry = [&](unsigned tag, unsigned type, std::uint32_t value) {
    put16(tag);
    put16(type);
    put32(1);
    if (type == 3) {
      put16(value);  // a SHORT sits at the start of the field
      put16(0);
    } else {
      put32(value);
    }
  };
  const bool withThumbnail = !thumbnail.empty();
  b.push_back(bigEndian ? 'M' : 'I');
  b.push_back(bigEndian ? 'M' : 'I');
  put16(42);
  put32(8);  // IFD0 right after the header
  put16(1);
  entry(0x0112, 3, static_cast<std::uint32_t>(orientation));
  put32(withThumbnail ? 26 : 0);  // IFD1 right after IFD0, or none
  if (withThumbnail) {
    put16(2);
    entry(0x0201, 4, 56);  // the thumbnail right after IFD1
    entry(0x0202, 4, static_cast<std::uint32_t>(thumbnail.size()));
    put32(0);
    b.insert(b.end(), thumbnail.begin(), thumbnail.end());
  }
  return b;
}

}  // namespace tarn::test
