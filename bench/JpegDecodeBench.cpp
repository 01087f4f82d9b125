// Decoding a 12-megapixel photo-like JPEG from disk through the TarnJpeg core, against
// libjpeg-turbo's own djpeg decoding the same file in the same run; and the catalog preview
// (DCT-scaled) against the full picture.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "plugins/jpeg/JpegDecode.h"
#include "tests/plugins/jpeg/JpegBuilder.h"

extern char** environ;

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The photo, written on first use and removed when the program ends: smooth gradients with
// detail on top, at a camera's usual quality and chroma subsampling; stored as baseline, or as
// progressive like many pictures from the web.
test::JpegFile Photo(bool progressive) {
  test::JpegFile picture;
  picture.width = kWidth;
  picture.height = kHeight;
  picture.quality = 90;
  picture.fullChroma = false;
  picture.progressive = progressive;
  picture.pixel = [](int x, int y, std::uint8_t* p) {
    const double detail = 24 * std::sin(x * 0.05) * std::cos(y * 0.07) + ((x * 7919 + y * 104729) % 17);
    p[0] = static_cast<std::uint8_t>(std::clamp(x * 255.0 / kWidth + detail, 0.0, 255.0));
    p[1] = static_cast<std::uint8_t>(std::clamp(y * 255.0 / kHeight + detail, 0.0, 255.0));
    p[2] = static_cast<std::uint8_t>(std::clamp(128 + detail * 2, 0.0, 255.0));
  };
  return picture;
}

const std::string& PhotoPath() {
  static const TempFile photo("tarn-bench-4000x3000.jpg", test::MakeJpeg(Photo(false)));
  return photo.path;
}

const std::string& ProgressivePhotoPath() {
  static const TempFile photo("tarn-bench-4000x3000-progressive.jpg", test::MakeJpeg(Photo(true)));
  return photo.path;
}

void DecodeFromDisk(benchmark::State& state, const std::string& path, jpeg::Scale scale) {
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    HeapPictureMemory memory;
    if (jpeg::DecodeJpeg(file.data.get(), file.size, scale, memory, nullptr) != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(memory.Pixels());
    benchmark::ClobberMemory();
    // The delivered picture is the host's from here on, and giving it back is no part of reading
    // or decoding: djpeg has no such block to give back either.
    state.PauseTiming();
    memory.ReleasePicture();
    state.ResumeTiming();
  }
}

void JpegReadAndDecode(benchmark::State& state) { DecodeFromDisk(state, PhotoPath(), jpeg::Scale::kFull); }
void JpegReadAndPreview(benchmark::State& state) { DecodeFromDisk(state, PhotoPath(), jpeg::Scale::kPreview); }
// The preview of a progressive file comes from its DC scan alone.
void JpegReadAndPreviewProgressive(benchmark::State& state) {
  DecodeFromDisk(state, ProgressivePhotoPath(), jpeg::Scale::kPreview);
}

// djpeg as a user runs it: a process that reads the file and writes the decoded picture (PPM,
// its plainest output) to /dev/null. Process start-up is part of its time, as it is of any run.
void DjpegProcess(benchmark::State& state) {
  const std::string& path = PhotoPath();
  const char* argv[] = {"djpeg", "-outfile", "/dev/null", path.c_str(), nullptr};
  for (auto _ : state) {
    pid_t pid;
    if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      state.SkipWithError("djpeg could not be started (package libjpeg-turbo-progs)");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("djpeg failed");
  }
}

BENCHMARK(DjpegProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(JpegReadAndDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(JpegReadAndPreview)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(JpegReadAndPreviewProgressive)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

const bool kDecodeFigure = AddFigure({"jpeg_decode_vs_djpeg", "JpegReadAndDecode", "DjpegProcess"});
// Full picture over preview: how many times faster the catalog's picture comes.
const bool kPreviewFigure = AddFigure({"jpeg_preview_speedup", "JpegReadAndDecode", "JpegReadAndPreview"});

}  // namespace
}  // namespace tarn::bench
