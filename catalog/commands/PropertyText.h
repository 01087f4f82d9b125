// The property dialog's texts: the folder and name lines, the times, sizes and the attribute byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/commands/TimeStamps.h"

namespace tarn {

// The columns of a folder or name line in the property dialog.
constexpr int kPropertyColumns = 22;

// `text` on at most two lines of kPropertyColumns half-width units, cut as the catalog's titles
// are; what does not fit the second line is cut and ".." put after it.
std::u16string PropertyLines(std::u16string_view text, int osKind);

// "%8lu" of a file size, "%8d" of a picture side.
std::u16string PropertyNumber(long long value);

// The attribute byte as the dialog shows it: masked with 0x27, "%02x hex".
std::u16string PropertyAttributeText(std::uint8_t attributes);

}  // namespace tarn
