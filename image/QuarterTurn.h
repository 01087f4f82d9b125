// Quarter turns of DIB pixel rows (bottom row first), from one block into another.
#pragma once

#include <cstdint>

#include "TransformGeometry.h"

namespace tarn {

enum class TurnDirection { kClockwise, kCounterClockwise };

// Writes the picture `src`, shaped as `geometry` says, turned a quarter into `dst`: W rows of
// geometry.TransStride() bytes each, padding bits and bytes zero. Seen on screen, a clockwise turn
// takes the top-left pixel to the top-right corner. The blocks must not overlap.
void QuarterTurn(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& geometry,
                 TurnDirection direction);

}  // namespace tarn
