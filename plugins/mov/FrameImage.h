// A frame taken from a video as the media services hand it over (a packed DIB: header, masks or
// colour table, pixels), turned into the picture TarnMov delivers, and the choices around it:
// where to take the sample and when a frame is too dark to show. Portable; every size is checked
// against the bytes actually given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/PictureMemory.h"

namespace tarn::mov {

// 100-nanosecond units, as the media services count time.
constexpr std::int64_t kOneSecond = 10'000'000;
constexpr std::int64_t kSampleUnit = 1'000'000;  // SampleStart counts tenths of a second
constexpr std::int64_t kDarkStep = 2 * kOneSecond;

// Where to take a sample `wanted` units in: no later than a tenth of a second before `end`, no
// earlier than `start`. Without a known range the end is a tenth of a second past `wanted`.
std::int64_t SamplePosition(std::int64_t wanted, bool rangeKnown, std::int64_t start, std::int64_t end);

// True when at most max(bytes / 200, 100) bytes of the first quarter of `pixels` are non-zero.
bool IsDarkFrame(const std::uint8_t* pixels, std::size_t bytes);

// The packed DIB turned into `memory`: 1, 4, 8 and 24 bits as they are (with their colour table),
// 16 and 32 bits through their channel masks and YV12 through its planes into 24 bits. Answers a
// plug-in return code: kSpiBroken for a header or size that does not hold together. On success
// `pixelBytes` tells the size of the pixel block.
int ConvertFrame(const std::uint8_t* dib, std::size_t size, PictureMemory& memory, std::size_t* pixelBytes);

}  // namespace tarn::mov
