// Decoding a 12-megapixel lossy WebP from disk through the TarnWebp core, against libwebp's own
// dwebp decoding the same file in the same run; and the catalog preview against the full picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "plugins/webp/WebpDecode.h"
#include "tests/plugins/webp/WebpBuilder.h"

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A photo-like picture at the quality browsers and phones save at, written on first use.
const std::string& PhotoPath() {
  static const TempFile photo("tarn-bench-4000x3000.webp", test::MakeWebp({
      .width = kWidth, .height = kHeight, .lossless = false, .quality = 80,
      .pixel = [](int x, int y, std::uint8_t* p) {
        const double detail = 24 * std::sin(x * 0.05) * std::cos(y * 0.07) + ((x * 7919 + y * 104729) % 17);
        p[0] = static_cast<std::uint8_t>(std::clamp(128 + detail * 2, 0.0, 255.0));
        p[1] = static_cast<std::uint8_t>(std::clamp(y * 255.0 / kHeight + detail, 0.0, 255.0));
        p[2] = static_cast<std::uint8_t>(std::clamp(x * 255.0 / kWidth + detail, 0.0, 255.0));
        p[3] = 255;
      }}));
  return photo.path;
}

void DecodeFromDisk(benchmark::State& state, webp::Scale scale) {
  const std::string& path = PhotoPath();
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    HeapPictureMemory memory;
    if (webp::DecodeWebp(file.data.get(), file.size, scale, memory, nullptr) != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(memory.Pixels());
    benchmark::ClobberMemory();
    // Giving the delivered picture back is the host's business, as with TarnJpeg's figures.
    state.PauseTiming();
    memory.ReleasePicture();
    state.ResumeTiming();
  }
}

void WebpReadAndDecode(benchmark::State& state) { DecodeFromDisk(state, webp::Scale::kFull); }
void WebpReadAndPreview(benchmark::State& state) { DecodeFromDisk(state, webp::Scale::kPreview); }

// dwebp as a user runs it, writing its plainest output (PPM) to /dev/null.
void DwebpProcess(benchmark::State& state) {
  const char* argv[] = {"dwebp", "-quiet", "-ppm", PhotoPath().c_str(), "-o", "/dev/null", nullptr};
  for (auto _ : state)
    if (!RunProgram(argv)) state.SkipWithError("dwebp failed (package webp)");
}

BENCHMARK(DwebpProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(WebpReadAndDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(WebpReadAndPreview)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

const bool kDecodeFigure = AddFigure({"webp_decode_vs_dwebp", "WebpReadAndDecode", "DwebpProcess"});
const bool kPreviewFigure = AddFigure({"webp_preview_speedup", "WebpReadAndDecode", "WebpReadAndPreview"});

}  // namespace
}  // namespace tarn::bench
