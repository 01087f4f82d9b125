// Running the benchmarks and printing their figures: every figure is a ratio of two benchmarks
// measured in the same run, printed as "NAME VALUE UNIT" after all other output.
#pragma once

#include <string>
#include <vector>

namespace tarn::bench {

struct Figure {
  std::string name;       // e.g. "bmp_decode_vs_memcpy"
  std::string measured;   // benchmark whose time is the numerator
  std::string reference;  // benchmark whose time is the denominator
};

// Registers a figure; benchmark files call this from a static initialiser.
bool AddFigure(Figure figure);

}  // namespace tarn::bench
