#include "GifLzw.h"

#include <algorithm>
#include <cstring>

namespace tarn::gif {
namespace {

constexpr int kTableSize = 4096;
constexpr int kWidestCode = 12;
constexpr int kRowLimit = 30;
constexpr int kLargestMinCodeSize = kWidestCode - 1;

// Codes, least significant bit first, across the joined sub-blocks; past the end every code is 0.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size), bits_(std::uint64_t{size} * 8) {}

  unsigned Read(int width) {
    const std::uint64_t at = position_;
    position_ += static_cast<unsigned>(width);
    if (at >= bits_) {
      past_ = true;
      return 0;
    }
    const std::size_t byte = static_cast<std::size_t>(at >> 3);
    std::uint32_t v;
    if (byte + 3 <= size_) {
      v = data_[byte] | data_[byte + 1] << 8 | data_[byte + 2] << 16;
    } else {
      v = data_[byte];
      if (byte + 1 < size_) v |= data_[byte + 1] << 8;
    }
    return (v >> (at & 7)) & ((1u << width) - 1);
  }
  // True once a code has been asked for after the data ran out.
  bool Past() const { return past_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::uint64_t bits_;
  std::uint64_t position_ = 0;
  bool past_ = false;
};

struct Table {
  std::uint16_t prefix[kTableSize];
  std::uint16_t length[kTableSize];
  std::uint16_t suffix[kTableSize];
  std::uint16_t first[kTableSize];
};

// A root code as a colour index: beyond one byte it is drawn as index 0.
inline std::uint8_t IndexOf(unsigned root) { return root > 0xFF ? 0 : static_cast<std::uint8_t>(root); }

// Writes the string of `code` (length[code] bytes) to dst.
inline void WriteString(const Table& t, int clear, int code, std::uint8_t* dst) {
  std::uint8_t* p = dst + t.length[code] - 1;
  while (code >= clear) {
    *p-- = IndexOf(t.suffix[code]);
    code = t.prefix[code];
  }
  *p = IndexOf(static_cast<unsigned>(code));
}

}  // namespace

LzwOutcome DecodeLzw(const std::uint8_t* codes, std::size_t codeBytes, int minCodeSize, int width,
                     int height, bool interlaced, std::uint8_t* pixels) {
  LzwOutcome outcome;
  if (minCodeSize < 2 || minCodeSize > kLargestMinCodeSize) {
    outcome.undecodable = true;
    return outcome;
  }
  if (width <= 0 || height <= 0) return outcome;

  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  Table t;
  for (int i = 0; i < clear; ++i) {
    t.prefix[i] = 0;
    t.length[i] = 1;
    t.suffix[i] = t.first[i] = static_cast<std::uint16_t>(i);
  }
  int next = clear + 2;
  int codeWidth = minCodeSize + 1;
  int prev = -1;
  BitReader reader(codes, codeBytes);

  // The string that did not fit its row, carried into the next.
  std::uint8_t carry[kTableSize];
  const std::uint8_t* pending = nullptr;
  int pendingLength = 0;

  static constexpr int kPassStart[4] = {0, 4, 2, 1};
  static constexpr int kPassStep[4] = {8, 8, 4, 2};
  const int passes = interlaced ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int step = interlaced ? kPassStep[pass] : 1;
    for (int y = interlaced ? kPassStart[pass] : 0; y < height; y += step) {
      std::uint8_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
      int x = 0;
      if (pendingLength > 0) {
        x = std::min(pendingLength, width);
        std::memcpy(row, pending, static_cast<std::size_t>(x));
        pending += x;
        pendingLength -= x;
      }
      int zeros = 0, whites = 0;
      bool limitReached = false;
      while (x < width) {
        const int code = static_cast<int>(reader.Read(codeWidth));
        if (code == 0 || code == 255) {
          (code == 0 ? zeros : whites) += 1;
          if ((zeros > kRowLimit || whites > kRowLimit) && reader.Past()) {
            limitReached = true;
            break;
          }
        }
        if (code == clear) {
          next = clear + 2;
          codeWidth = minCodeSize + 1;
          prev = -1;
          continue;
        }
        if (code == end) {
          ++outcome.rowsCutShort;
          break;
        }
        int added = -1;
        if (code < next) {
          if (prev >= 0 && next < kTableSize) added = t.first[code];
        } else if (code == next && prev >= 0) {
          added = t.first[prev];
        } else {
          ++outcome.rowsCutShort;
          break;
        }
        if (added >= 0) {
          t.prefix[next] = static_cast<std::uint16_t>(prev);
          t.suffix[next] = static_cast<std::uint16_t>(added);
          t.first[next] = t.first[prev];
          t.length[next] = static_cast<std::uint16_t>(t.length[prev] + 1);
          if (++next == (1 << codeWidth) && codeWidth < kWidestCode) ++codeWidth;
        }
        prev = code;

        const int length = t.length[code];
        if (length <= width - x) {
          WriteString(t, clear, code, row + x);
          x += length;
        } else {
          WriteString(t, clear, code, carry);
          const int fits = width - x;
          std::memcpy(row + x, carry, static_cast<std::size_t>(fits));
          pending = carry + fits;
          pendingLength = length - fits;
          x = width;
        }
      }
      if (limitReached) {
        ++outcome.rowLimitStops;
        pendingLength = 0;
        if (!interlaced) {
          outcome.readPastData = reader.Past();
          return outcome;
        }
        break;  // on to the next pass
      }
    }
  }
  outcome.readPastData = reader.Past();
  return outcome;
}

}  // namespace tarn::gif
