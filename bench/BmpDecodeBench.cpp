// Decoding a 12-megapixel 24-bit BMP from disk, against the least any reader must do: read the
// file and copy its pixels into a new block.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "plugins/bmp/BmpDecode.h"
#include "tests/support/BmpBuilder.h"

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The picture file, written on first use and removed when the program ends.
const std::string& PicturePath() {
  static const TempFile picture("tarn-bench-4000x3000.bmp", [] {
    std::vector<std::uint8_t> pixels(DibRowBytes(kWidth, 24) * kHeight);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i ^ (i >> 11));
    return test::MakeBmp({.width = kWidth, .height = kHeight, .pixels = pixels});
  }());
  return picture.path;
}

void BmpReadAndMemcpy(benchmark::State& state) {
  const std::string& path = PicturePath();
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    const std::size_t pixelBytes = file.size - 54;
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[pixelBytes]);
    std::memcpy(pixels.get(), file.data.get() + 54, pixelBytes);
    benchmark::DoNotOptimize(pixels.get());
    benchmark::ClobberMemory();
  }
}

void BmpReadAndDecode(benchmark::State& state) {
  const std::string& path = PicturePath();
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    HeapPictureMemory memory;
    if (bmp::DecodeBmp(file.data.get(), file.size, memory, nullptr) != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(memory.Pixels());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BmpReadAndMemcpy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BmpReadAndDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

const bool kFigure = AddFigure({"bmp_decode_vs_memcpy", "BmpReadAndDecode", "BmpReadAndMemcpy"});

}  // namespace
}  // namespace tarn::bench
