// What the decoder tests check on a picture delivered into VectorPictureMemory.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn::test {

// What every decode must leave behind: a picture held exactly when it answered 0, and every work
// block given back. Answers `result`.
inline int Settled(int result, const VectorPictureMemory& memory) {
  EXPECT_EQ(result == kSpiOk, memory.held) << "a picture is held exactly when the answer is 0";
  EXPECT_EQ(memory.workOutstanding, 0) << "every work block is given back";
  return result;
}

// The header of the delivered picture.
inline DibHeader Header(const VectorPictureMemory& m) { return LoadDibHeader(m.info.data()); }

// Pixel (x, y), counted from the top, of a delivered 24-bit picture stored bottom row first: blue,
// green, red.
inline std::array<int, 3> At(const VectorPictureMemory& m, int x, int y) {
  const DibHeader h = Header(m);
  const std::uint8_t* p = m.pixels.data() + (h.biHeight - 1 - y) * DibRowBytes(h.biWidth, 24) + x * 3;
  return {p[0], p[1], p[2]};
}

}  // namespace tarn::test
