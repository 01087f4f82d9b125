#include "RecordBuffer.h"

#include <algorithm>
#include <cstring>

namespace tarn {

int g_ThumbRecordLength = 0;

std::uint8_t* ThumbRecordBuffer() {
  static std::uint8_t buffer[kRecordBufferBytes];
  return buffer;
}

int CurrentRecordLength() {
  if (g_ThumbRecordLength < kRecordLengthS) g_ThumbRecordLength = kRecordLengthM;
  return g_ThumbRecordLength;
}

bool WriteZeroBlocks(std::uint64_t size, std::size_t block,
                     const std::function<bool(const std::uint8_t*, std::size_t)>& write) {
  std::uint8_t* zeros = ThumbRecordBuffer();
  block = std::min(block, kRecordBufferBytes);
  std::memset(zeros, 0, block);
  while (size > 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, block));
    if (!write(zeros, n)) return false;
    size -= n;
  }
  return true;
}

}  // namespace tarn
