// The half turn and the two flips of DIB pixel rows, from one block into another of the same
// shape. Every destination row gets zero padding bits and bytes.
#pragma once

#include <cstdint>

#include "TransformGeometry.h"

namespace tarn {

// Top to bottom: whole rows in reverse order.
void FlipTopBottom(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& geometry);

// Left to right: each row with its pixel order reversed.
void FlipLeftRight(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& geometry);

// Both at once, in one pass.
void HalfTurn(const std::uint8_t* src, std::uint8_t* dst, const TransformGeometry& geometry);

}  // namespace tarn
