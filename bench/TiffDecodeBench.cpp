// Decoding a 12-megapixel LZW TIFF from disk through the TarnTiff core, against libtiff's own
// tiff2rgba doing the same work (the whole page read as RGBA, written out uncompressed) on the same
// file in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include <tiffio.h>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "plugins/tiff/TiffDecode.h"
#include "tests/plugins/tiff/TiffBuilder.h"

namespace tarn::bench {
namespace {

constexpr std::uint32_t kWidth = 4000;
constexpr std::uint32_t kHeight = 3000;

// A scan-like picture: smooth tones with grain, as a scanner or a raw converter writes them.
const std::string& ScanPath() {
  static const TempFile scan("tarn-bench-4000x3000-lzw.tif", test::MakeTiff({
      .width = kWidth, .height = kHeight, .compression = COMPRESSION_LZW, .rowsPerStrip = 16,
      .sample = [](std::uint32_t x, std::uint32_t y, int c) {
        const double grain = 10 * std::sin(x * 0.03 + c) * std::cos(y * 0.05) + ((x * 31 + y * 17) % 5);
        const double tone = c == 0 ? x * 255.0 / kWidth : c == 1 ? y * 255.0 / kHeight : 128;
        return static_cast<unsigned>(std::clamp(tone + grain, 0.0, 255.0));
      }}));
  return scan.path;
}

void TiffReadAndDecode(benchmark::State& state) {
  const std::string& path = ScanPath();
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    HeapPictureMemory memory;
    if (tiff::DecodeTiff(file.data.get(), file.size, memory, nullptr) != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(memory.Pixels());
    benchmark::ClobberMemory();
    state.PauseTiming();
    memory.ReleasePicture();
    state.ResumeTiming();
  }
}

// tiff2rgba cannot write to /dev/null (it seeks back to finish its directory): it writes into
// memory-backed /dev/shm instead.
void Tiff2rgbaProcess(benchmark::State& state) {
  const std::string out = "/dev/shm/tarn-bench-tiff2rgba.tif";
  const char* argv[] = {"tiff2rgba", "-c", "none", ScanPath().c_str(), out.c_str(), nullptr};
  for (auto _ : state)
    if (!RunProgram(argv)) state.SkipWithError("tiff2rgba failed (package libtiff-tools)");
  std::filesystem::remove(out);
}

BENCHMARK(Tiff2rgbaProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(TiffReadAndDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

const bool kDecodeFigure = AddFigure({"tiff_decode_vs_tiff2rgba", "TiffReadAndDecode", "Tiff2rgbaProcess"});

}  // namespace
}  // namespace tarn::bench
