#include "RecordBuffer.h"

#include <algorithm>
#include <cstring>

namespace tarn {

std::uint8_t* ThumbRecordBuffer() {
  static std::uint8_t buffer[kRecordBufferBytes];
  return buffer;
}

bool WriteZeroBlocks(std::uint64_t size, int recordLength,
                     const std::function<bool(const std::uint8_t*, std::size_t)>& write) {
  std::uint8_t* zeros = ThumbRecordBuffer();
  if (recordLength < kRecordLengthS) recordLength = kRecordLengthM;
  const std::size_t block = std::min(static_cast<std::size_t>(recordLength), kRecordBufferBytes);
  std::memset(zeros, 0, block);
  while (size > 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, block));
    if (!write(zeros, n)) return false;
    size -= n;
  }
  return true;
}

}  // namespace tarn
