// Expansion of run-length encoded BMP pixels (RLE8 and RLE4) into a cleared pixel block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::bmp {

// Where the expanded pixels go: `block` of `blockBytes` bytes, rows of `rowBytes` bytes from the
// bottom row up. Nothing is written outside the block and nothing read outside the codes.
struct RleTarget {
  std::uint8_t* block = nullptr;
  std::size_t blockBytes = 0;
  std::size_t rowBytes = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Expands the codes. An end-of-line code ends a row only past its 20th pixel (earlier ones are
// passed over, and the row goes on); a run or group that would leave the block ends the
// expansion, as do end-of-picture and the end of the codes. What was written stays.
void ExpandRle8(const std::uint8_t* codes, std::size_t codeBytes, const RleTarget& target);
void ExpandRle4(const std::uint8_t* codes, std::size_t codeBytes, const RleTarget& target);

}  // namespace tarn::bmp
