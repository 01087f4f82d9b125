// The record lengths of the thumbnail cache, the one record buffer the program keeps, and the
// zero blocks the wiping delete writes: a file is wiped in blocks of the current record length.
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

// Record length of the current catalog size; below kRecordLengthS until a size is chosen.
extern int g_ThumbRecordLength;

// The record buffer, large enough for the largest catalog size.
std::uint8_t* ThumbRecordBuffer();

// The record length, first set to that of size M when no size has been chosen yet.
int CurrentRecordLength();

// Writes `size` zero bytes through `write` in blocks of `block` bytes: as many whole blocks as
// fit, then the remainder. Answers false at the first failed write.
bool WriteZeroBlocks(std::uint64_t size, std::size_t block,
                     const std::function<bool(const std::uint8_t*, std::size_t)>& write);

}  // namespace tarn
