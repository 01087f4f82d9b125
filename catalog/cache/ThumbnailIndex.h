// The headers of one cache file in file order, one row per record, as the catalog view and the
// engine keep them while they work on a folder.
#pragma once

#include <cstdint>

namespace tarn {

constexpr int kThumbIndexCapacity = 1600;

struct ThumbIndexRow {
  std::uint8_t sizeCode = 0;
  std::int32_t fileSize = 0;
  char16_t name[128] = {};  // empty when the record's name was damaged
};

struct ThumbnailIndex {
  ThumbIndexRow rows[kThumbIndexCapacity];
  int count = 0;
};

}  // namespace tarn
