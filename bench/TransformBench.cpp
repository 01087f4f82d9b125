// A quarter turn and a brightness change of a 12-megapixel 24-bit picture, each against a plain
// copy of the same pixels: the least any transform into the work buffer must do.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BenchFigures.h"
#include "image/Brightness.h"
#include "image/QuarterTurn.h"
#include "image/TransformGeometry.h"

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The loaded pixels and a work buffer for either orientation, both touched once before timing.
struct Picture {
  TransformGeometry geometry;
  std::unique_ptr<std::uint8_t[]> loaded;
  std::unique_ptr<std::uint8_t[]> work;

  Picture() {
    TakeGeometry(kWidth, kHeight, 24, geometry);
    loaded.reset(new std::uint8_t[geometry.PixelsSize()]);
    for (std::size_t i = 0; i < geometry.PixelsSize(); ++i)
      loaded[i] = static_cast<std::uint8_t>(i ^ (i >> 11));
    work.reset(new std::uint8_t[geometry.workSize]());
  }
};

Picture& ThePicture() {
  static Picture picture;
  return picture;
}

void TransformMemcpy(benchmark::State& state) {
  Picture& p = ThePicture();
  for (auto _ : state) {
    std::memcpy(p.work.get(), p.loaded.get(), p.geometry.PixelsSize());
    benchmark::DoNotOptimize(p.work.get());
    benchmark::ClobberMemory();
  }
}

void TransformRotate90(benchmark::State& state) {
  Picture& p = ThePicture();
  for (auto _ : state) {
    QuarterTurn(p.loaded.get(), p.work.get(), p.geometry, TurnDirection::kClockwise);
    benchmark::DoNotOptimize(p.work.get());
    benchmark::ClobberMemory();
  }
}

void TransformBrightness(benchmark::State& state) {
  Picture& p = ThePicture();
  for (auto _ : state) {
    BrightenPixels(p.loaded.get(), p.work.get(), p.geometry, 40);
    benchmark::DoNotOptimize(p.work.get());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(TransformMemcpy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(TransformRotate90)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(TransformBrightness)->Unit(benchmark::kMillisecond)->MinTime(2.0);

const bool kRotateFigure = AddFigure({"rotate90_vs_memcpy", "TransformRotate90", "TransformMemcpy"});
const bool kBrightnessFigure =
    AddFigure({"brightness_vs_memcpy", "TransformBrightness", "TransformMemcpy"});

}  // namespace
}  // namespace tarn::bench
