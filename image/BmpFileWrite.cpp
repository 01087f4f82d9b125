#include "image/BmpFileWrite.h"

#include <algorithm>
#include <vector>

#include "common/DibLayout.h"

namespace tarn {
namespace {

bool WriteAll(HANDLE file, const void* data, std::uint64_t bytes) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (bytes > 0) {
    const DWORD chunk = bytes > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes);
    DWORD written = 0;
    if (!WriteFile(file, p, chunk, &written, nullptr) || written != chunk) return false;
    p += chunk;
    bytes -= chunk;
  }
  return true;
}

// Each row of the part goes through one buffer of the written row's size, its padding zero.
bool WritePart(HANDLE file, const std::uint8_t* info, const std::uint8_t* bits, const PicturePart& part) {
  const int bitCount = LoadDibHeader(info).biBitCount;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(DibRowBytes(part.width, bitCount)), 0);
  const std::size_t used = static_cast<std::size_t>(part.width) * (bitCount / 8);
  for (int i = 0; i < part.rows; ++i) {
    std::copy_n(bits + PartRowOffset(info, part, i), used, row.begin());
    if (!WriteAll(file, row.data(), row.size())) return false;
  }
  return true;
}

}  // namespace

int WriteBmpFile(HANDLE file, const BmpFileLayout& layout, const std::uint8_t* info, const void* bits,
                 const PicturePart& part) {
  if (!WriteAll(file, layout.head.data(), layout.head.size())) return -1;
  if (!WriteAll(file, info + kDibHeaderBytes, layout.tableBytes)) return -1;
  const bool written = part.width > 0 ? WritePart(file, info, static_cast<const std::uint8_t*>(bits), part)
                                      : WriteAll(file, bits, layout.imageBytes);
  return written ? 1 : -1;
}

}  // namespace tarn
