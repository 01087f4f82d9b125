#include "ExifBlock.h"

#include <cstring>

namespace tarn {
namespace {

constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kThumbnailOffsetTag = 0x0201;
constexpr std::uint16_t kThumbnailLengthTag = 0x0202;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::size_t kEntryBytes = 12;

class TiffReader {
 public:
  TiffReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
      : data_(data), size_(size), bigEndian_(bigEndian) {}

  bool Fits(std::size_t offset, std::size_t bytes) const { return offset <= size_ && bytes <= size_ - offset; }
  std::uint16_t U16(std::size_t at) const {
    return bigEndian_ ? static_cast<std::uint16_t>(data_[at] << 8 | data_[at + 1])
                      : static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    const std::uint32_t a = U16(at), b = U16(at + 2);
    return bigEndian_ ? a << 16 | b : b << 16 | a;
  }
  // The value of a single SHORT or LONG entry, which sits at the start of its field; 0 for any
  // other type or count.
  std::uint32_t Value(std::size_t entry) const {
    if (U32(entry + 4) != 1) return 0;
    const std::uint16_t type = U16(entry + 2);
    return type == kTypeShort ? U16(entry + 8) : type == kTypeLong ? U32(entry + 8) : 0;
  }
  // Calls `take(tag, entry)` for each entry of the IFD at `ifd` that lies inside the block and
  // answers the offset of the next IFD, 0 when there is none or it cannot be read.
  template <typename Take>
  std::uint32_t Walk(std::uint32_t ifd, Take&& take) const {
    if (!Fits(ifd, 2)) return 0;
    const std::uint16_t count = U16(ifd);
    const std::size_t end = ifd + 2 + static_cast<std::size_t>(count) * kEntryBytes;
    for (std::size_t entry = ifd + 2; entry < end && Fits(entry, kEntryBytes); entry += kEntryBytes)
      take(U16(entry), entry);
    return Fits(end, 4) ? U32(end) : 0;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool bigEndian_;
};

}  // namespace

ExifFacts ReadExifBlock(const std::uint8_t* payload, std::size_t size) {
  ExifFacts facts;
  if (payload == nullptr || size < sizeof kExifId + 8 || std::memcmp(payload, kExifId, sizeof kExifId) != 0)
    return facts;
  const std::uint8_t* tiff = payload + sizeof kExifId;
  const std::size_t tiffBytes = size - sizeof kExifId;
  bool bigEndian;
  if (tiff[0] == 'I' && tiff[1] == 'I') bigEndian = false;
  else if (tiff[0] == 'M' && tiff[1] == 'M') bigEndian = true;
  else return facts;
  const TiffReader r(tiff, tiffBytes, bigEndian);
  if (r.U16(2) != 42) return facts;

  const std::uint32_t ifd1 = r.Walk(r.U32(4), [&](std::uint16_t tag, std::size_t entry) {
    if (tag != kOrientationTag) return;
    const std::uint32_t value = r.U16(entry + 2) == kTypeShort ? r.Value(entry) : 0;
    if (value >= 1 && value <= 8) facts.orientation = static_cast<int>(value);
  });
  // IFD1 pointing back at IFD0 or at itself would only repeat IFD0's entries: nothing loops.
  std::uint32_t start = 0, length = 0;
  if (ifd1 != 0)
    r.Walk(ifd1, [&](std::uint16_t tag, std::size_t entry) {
      if (tag == kThumbnailOffsetTag) start = r.Value(entry);
      if (tag == kThumbnailLengthTag) length = r.Value(entry);
    });
  if (length != 0 && r.Fits(start, length)) {
    facts.thumbnailOffset = sizeof kExifId + start;
    facts.thumbnailLength = length;
  }
  return facts;
}

}  // namespace tarn
