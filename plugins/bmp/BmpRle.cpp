#include "BmpRle.h"

#include <cstring>

namespace tarn::bmp {
namespace {

// Reads the code stream; it cannot pass the end.
class CodeCursor {
 public:
  CodeCursor(const std::uint8_t* codes, std::size_t size) : p_(codes), end_(codes + size) {}
  bool Byte(std::uint8_t* b) {
    if (p_ == end_) return false;
    *b = *p_++;
    return true;
  }
  // The next `n` bytes, or null when fewer remain.
  const std::uint8_t* Take(std::size_t n) {
    if (static_cast<std::size_t>(end_ - p_) < n) return nullptr;
    const std::uint8_t* taken = p_;
    p_ += n;
    return taken;
  }
  // Groups are padded to 16 bits; a missing pad byte at the very end is no error.
  void SkipPad() {
    if (p_ != end_) ++p_;
  }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

// Positions count bytes: one pixel each.
class BytePixels {
 public:
  explicit BytePixels(const RleTarget& t) : block_(t.block), size_(t.blockBytes) {}
  static std::uint64_t RowUnits(const RleTarget& t) { return t.rowBytes; }
  bool Run(std::uint64_t pos, unsigned n, std::uint8_t v) {
    if (pos + n > size_) return false;
    std::memset(block_ + pos, v, n);
    return true;
  }
  bool Group(std::uint64_t pos, unsigned n, CodeCursor& in) {
    if (pos + n > size_) return false;
    const std::uint8_t* src = in.Take(n);
    if (src == nullptr) return false;
    std::memcpy(block_ + pos, src, n);
    if (n & 1) in.SkipPad();
    return true;
  }

 private:
  std::uint8_t* block_;
  std::uint64_t size_;
};

// Positions count nibbles, the left pixel of a byte in its high nibble. Writing a high nibble
// clears the low one, so a run that ends on a high nibble leaves the low nibble 0.
class NibblePixels {
 public:
  explicit NibblePixels(const RleTarget& t) : block_(t.block), size_(t.blockBytes * 2ull) {}
  static std::uint64_t RowUnits(const RleTarget& t) { return t.rowBytes * 2ull; }
  bool Run(std::uint64_t pos, unsigned n, std::uint8_t v) {
    if (pos + n > size_) return false;
    for (unsigned i = 0; i < n; ++i) Put(pos + i, i & 1 ? v & 0x0F : v >> 4);
    return true;
  }
  bool Group(std::uint64_t pos, unsigned n, CodeCursor& in) {
    if (pos + n > size_) return false;
    const unsigned bytes = (n + 1) / 2;
    const std::uint8_t* src = in.Take(bytes);
    if (src == nullptr) return false;
    for (unsigned i = 0; i < n; ++i) Put(pos + i, i & 1 ? src[i / 2] & 0x0F : src[i / 2] >> 4);
    if (bytes & 1) in.SkipPad();
    return true;
  }

 private:
  void Put(std::uint64_t pos, unsigned nibble) {
    std::uint8_t& b = block_[pos >> 1];
    b = pos & 1 ? static_cast<std::uint8_t>((b & 0xF0) | nibble) : static_cast<std::uint8_t>(nibble << 4);
  }
  std::uint8_t* block_;
  std::uint64_t size_;
};

// An end-of-line code ends a row only once more than this many pixels of it are behind.
constexpr std::uint64_t kEndOfLineMinimum = 20;

enum Escape : std::uint8_t { kEndOfLine = 0, kEndOfPicture = 1, kDelta = 2 };

template <class Pixels>
void Expand(const std::uint8_t* codes, std::size_t codeBytes, const RleTarget& target) {
  CodeCursor in(codes, codeBytes);
  Pixels out(target);
  const std::uint64_t rowUnits = Pixels::RowUnits(target);
  for (std::uint64_t row = 0; row < target.height; ++row) {
    std::uint64_t col = 0;
    bool rowEnded = false;
    while (!rowEnded && col < target.width) {
      std::uint8_t n, v;
      if (!in.Byte(&n) || !in.Byte(&v)) return;
      const std::uint64_t pos = row * rowUnits + col;
      if (n > 0) {
        if (!out.Run(pos, n, v)) return;
        col += n;
        continue;
      }
      switch (v) {
        case kEndOfLine:
          rowEnded = col > kEndOfLineMinimum;
          break;
        case kEndOfPicture:
          return;
        case kDelta: {
          std::uint8_t dx, dy;
          if (!in.Byte(&dx) || !in.Byte(&dy)) return;
          col += dx;
          row += dy;
          // Rows only go up: above the picture every write would leave the block.
          if (row >= target.height) return;
          break;
        }
        default:
          if (!out.Group(pos, v, in)) return;
          col += v;
      }
    }
  }
}

}  // namespace

void ExpandRle8(const std::uint8_t* codes, std::size_t codeBytes, const RleTarget& target) {
  Expand<BytePixels>(codes, codeBytes, target);
}

void ExpandRle4(const std::uint8_t* codes, std::size_t codeBytes, const RleTarget& target) {
  Expand<NibblePixels>(codes, codeBytes, target);
}

}  // namespace tarn::bmp
