#include "ExifOrientation.h"

#include <cstring>

namespace tarn::jpeg {
namespace {

constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::size_t kEntryBytes = 12;

// The TIFF block inside the EXIF payload, read in the byte order its header names.
class TiffReader {
 public:
  TiffReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
      : data_(data), size_(size), bigEndian_(bigEndian) {}

  bool Fits(std::size_t offset, std::size_t bytes) const {
    return offset <= size_ && bytes <= size_ - offset;
  }
  std::uint16_t U16(std::size_t at) const {
    return bigEndian_ ? static_cast<std::uint16_t>(data_[at] << 8 | data_[at + 1])
                      : static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    const std::uint32_t a = U16(at), b = U16(at + 2);
    return bigEndian_ ? a << 16 | b : b << 16 | a;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool bigEndian_;
};

}  // namespace

int ExifOrientation(const std::uint8_t* payload, std::size_t size) {
  if (payload == nullptr || size < sizeof kExifId + 8 || std::memcmp(payload, kExifId, sizeof kExifId) != 0)
    return kOrientationNormal;
  const std::uint8_t* tiff = payload + sizeof kExifId;
  const std::size_t tiffBytes = size - sizeof kExifId;
  bool bigEndian;
  if (tiff[0] == 'I' && tiff[1] == 'I') bigEndian = false;
  else if (tiff[0] == 'M' && tiff[1] == 'M') bigEndian = true;
  else return kOrientationNormal;
  const TiffReader r(tiff, tiffBytes, bigEndian);
  if (r.U16(2) != 42) return kOrientationNormal;

  const std::uint32_t ifd = r.U32(4);
  if (!r.Fits(ifd, 2)) return kOrientationNormal;
  const std::uint16_t count = r.U16(ifd);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = ifd + 2 + static_cast<std::size_t>(i) * kEntryBytes;
    if (!r.Fits(entry, kEntryBytes)) break;
    if (r.U16(entry) != kOrientationTag) continue;
    if (r.U16(entry + 2) != kTypeShort || r.U32(entry + 4) < 1) return kOrientationNormal;
    const std::uint16_t value = r.U16(entry + 8);  // a single SHORT sits at the start of the field
    return value >= 1 && value <= 8 ? value : kOrientationNormal;
  }
  return kOrientationNormal;
}

}  // namespace tarn::jpeg
