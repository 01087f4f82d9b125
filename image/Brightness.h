// Brightness changes: every colour byte moves by an offset and stops at 0 and 255 instead of
// wrapping round.
#pragma once

#include <cstdint>

#include "TransformGeometry.h"

namespace tarn {

// The colour table `loaded` (entries of blue, green, red, reserved) brightened into `table`; the
// reserved byte of each entry stays as loaded. The two may be the same block.
void BrightenPalette(const std::uint8_t* loaded, std::uint8_t* table, std::uint32_t entries,
                     int offset);

// The pixel bytes of every row of a 24-bit or 32-bit picture (all four bytes of a 32-bit pixel)
// brightened from `src` into `dst`; row padding is not touched. The two may be the same block.
void BrightenPixels(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& geometry,
                    int offset);

}  // namespace tarn
