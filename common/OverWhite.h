// Transparent pictures are shown over white: the program has no background of its own to show
// through, and white is what a page behind a picture looks like.
#pragma once

#include <cstdint>

namespace tarn {

// `colour` seen through `alpha` against white, both at 8 or both at 16 bits.
constexpr std::uint8_t OverWhite8(unsigned colour, unsigned alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 255u * (255u - alpha) + 127u) / 255u);
}
constexpr std::uint16_t OverWhite16(std::uint32_t colour, std::uint32_t alpha) {
  return static_cast<std::uint16_t>(
      (static_cast<std::uint64_t>(colour) * alpha + 65535ull * (65535u - alpha) + 32767u) / 65535u);
}

}  // namespace tarn
