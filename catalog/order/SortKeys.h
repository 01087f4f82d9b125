// The sort keys that come from a name or a number alone. Keys live in the 32-bit size field of a
// catalog row, so larger values are held at the ends of its range.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarn {

// Saturates to the 32-bit key range: a file of 2 GB or more, or a picture of more than 2^31 pixels,
// sorts after every smaller one and among its equals.
std::int32_t ClampKey(long long value);

// Why a name has no kind number.
enum KindCheck : int {
  kKindNumbered = 0,
  kKindNameTooLong = 1,  // 128 units or more
  kKindNoPeriod = 2,
  kKindBadLength = 3,    // extension shorter than 2 or longer than 5 units
};

struct KindKey {
  int check = kKindNumbered;
  std::int32_t number = 0;
};

// The kind number of a name's extension (the text after its last period): the extension
// upper-cased (ASCII letters), cut to its first three units, and the decimal values of those units
// written one after the other and read as one number: "jpg" gives 74, 80, 71, that is 748071.
// Two-unit extensions give four digits and so sort before every three-unit one. Units beyond ASCII
// can make the number pass the key range; it then saturates, so such extensions sort after every
// ASCII one.
KindKey KindNumber(std::u16string_view name);

}  // namespace tarn
