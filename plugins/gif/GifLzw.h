// LZW decoding of one GIF image into one byte per pixel.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::gif {

// What the decoder did, for tests and fuzzing; the pixels are the result that matters.
struct LzwOutcome {
  int rowLimitStops = 0;   // times the row limit ended the data (non-interlaced) or a pass
  int rowsCutShort = 0;    // rows ended by an end code or a code outside the table
  bool readPastData = false;
  bool undecodable = false;  // a minimum code size no decoder can read: nothing was decoded
};

// Decodes the codes in `codes` (the image's sub-block payload, joined) into `pixels`, `width` x
// `height` bytes, top row first, which the caller has cleared to 0.
//
// The decoder follows GIF89a: clear code 2^m, end code 2^m + 1, code width m + 1 growing to at
// most 12 bits, a table of 4096 entries that stops growing when full until a clear code. Rows are
// filled in order (interlaced: passes from rows 0, 4, 2, 1 with steps 8, 8, 4, 2), and a string
// that does not fit its row carries over into the next. An end code, or a code that is neither in
// the table nor the next free one, ends its row; the rest of that row stays 0. Once the data has
// run out every further code reads as 0.
//
// Row limits: more than 30 codes of value 0, or more than 30 of value 255, within one row end the
// image's data (the remaining rows stay 0), or, interlaced, the current pass. They hold once the
// codes have run out; valid data never gets there, since it codes every pixel before its end.
//
// Minimum code sizes run from 2 to 11: the first codes must leave room below the 12-bit limit.
// Sizes above 8 give colour indices beyond 255, which draw as index 0 (no colour table reaches
// them). Any other size is undecodable and leaves every pixel 0.
LzwOutcome DecodeLzw(const std::uint8_t* codes, std::size_t codeBytes, int minCodeSize, int width,
                     int height, bool interlaced, std::uint8_t* pixels);

}  // namespace tarn::gif
