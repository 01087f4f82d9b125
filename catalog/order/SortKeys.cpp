#include "SortKeys.h"

#include <algorithm>
#include <climits>

namespace tarn {

std::int32_t ClampKey(long long value) {
  return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

KindKey KindNumber(std::u16string_view name) {
  if (name.size() >= 128) return {kKindNameTooLong, 0};
  const std::size_t period = name.rfind(u'.');
  if (period == std::u16string_view::npos) return {kKindNoPeriod, 0};
  const std::u16string_view extension = name.substr(period + 1);
  if (extension.size() < 2 || extension.size() > 5) return {kKindBadLength, 0};
  // Three units of at most five digits each stay far below the range of long long.
  long long number = 0;
  for (char16_t unit : extension.substr(0, 3)) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
    long long shift = 10;  // one place per decimal digit of the unit
    while (shift <= unit) shift *= 10;
    number = number * shift + unit;
  }
  return {kKindNumbered, ClampKey(number)};
}

}  // namespace tarn
