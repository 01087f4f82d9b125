// The record lengths of the thumbnail cache, the one record buffer the program keeps, and the
// zero blocks the wiping delete writes: a file is wiped in blocks of a record length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tarn {

constexpr int kRecordLengthS = 9864;
constexpr int kRecordLengthM = 13456;
constexpr int kRecordLengthL = 24136;
constexpr int kRecordLengthLL = 61576;
constexpr std::size_t kRecordHeaderBytes = 264;
constexpr std::size_t kRecordBufferBytes = kRecordHeaderBytes + 160 * 192 * 2;

// The record length of catalog size 0 to 3 (S, M, L, LL); any other value is taken as M.
constexpr int RecordLengthOf(int catalogSize) {
  return catalogSize == 0 ? kRecordLengthS
         : catalogSize == 2 ? kRecordLengthL
         : catalogSize == 3 ? kRecordLengthLL
                            : kRecordLengthM;
}

// The record buffer, large enough for the largest catalog size.
std::uint8_t* ThumbRecordBuffer();

// Writes `size` zero bytes through `write` in blocks of `recordLength` bytes: as many whole
// blocks as fit, then the remainder. A length below size S's (no size chosen yet) is taken as
// size M's. Answers false at the first failed write.
bool WriteZeroBlocks(std::uint64_t size, int recordLength,
                     const std::function<bool(const std::uint8_t*, std::size_t)>& write);

}  // namespace tarn
