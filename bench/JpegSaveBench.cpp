// Saving a 12-megapixel 24-bit picture as JPEG at quality 90 through the writer's compressor,
// against libjpeg-turbo's cjpeg compressing the same pixels (as a PPM file) in the same run.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "common/DibLayout.h"
#include "image/JpegCompress.h"

extern char** environ;

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The photo-like pixels of the decoding benchmark, as R, G, B for screen row `y`.
void PhotoPixel(int x, int y, std::uint8_t* rgb) {
  const double detail = 24 * std::sin(x * 0.05) * std::cos(y * 0.07) + ((x * 7919 + y * 104729) % 17);
  const auto clamp = [](double v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
  rgb[0] = clamp(x * 255.0 / kWidth + detail);
  rgb[1] = clamp(y * 255.0 / kHeight + detail);
  rgb[2] = clamp(128 + detail * 2);
}

struct Picture {
  std::vector<std::uint8_t> info;
  std::vector<std::uint8_t> bits;
};

// The picture as the program holds it: a 40-byte header and bottom-up BGR rows.
const Picture& ThePicture() {
  static const Picture picture = [] {
    Picture p;
    p.info.assign(kDibHeaderBytes, 0);
    DibHeader header;
    header.biWidth = kWidth;
    header.biHeight = kHeight;
    header.biBitCount = 24;
    StoreDibHeader(header, p.info.data());
    const std::size_t stride = DibRowBytes(kWidth, 24);
    p.bits.assign(stride * kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        std::uint8_t rgb[3];
        PhotoPixel(x, y, rgb);
        std::uint8_t* bgr = &p.bits[stride * (kHeight - 1 - y) + x * 3];
        bgr[0] = rgb[2];
        bgr[1] = rgb[1];
        bgr[2] = rgb[0];
      }
    return p;
  }();
  return picture;
}

// The same pixels as a binary PPM for cjpeg.
const std::string& PpmPath() {
  static const TempFile ppm("tarn-bench-4000x3000.ppm", [] {
    const std::string head = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    bytes.reserve(head.size() + static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        std::uint8_t rgb[3];
        PhotoPixel(x, y, rgb);
        bytes.insert(bytes.end(), rgb, rgb + 3);
      }
    return bytes;
  }());
  return ppm.path;
}

// The writer's own work on its thread: open the file, compress, close. /dev/null takes the file,
// as it takes cjpeg's.
void JpegSaveThroughWriter(benchmark::State& state) {
  const Picture& picture = ThePicture();
  for (auto _ : state) {
    std::FILE* file = std::fopen("/dev/null", "wb");
    if (CompressJpeg(file, picture.info.data(), picture.info.size(), picture.bits.data(), picture.bits.size(), 90) !=
        kJpegWritten)
      state.SkipWithError("compression failed");
    std::fclose(file);
  }
}

// cjpeg as a user runs it, process start-up included.
void CjpegProcess(benchmark::State& state) {
  const std::string& path = PpmPath();
  const char* argv[] = {"cjpeg", "-quality", "90", "-outfile", "/dev/null", path.c_str(), nullptr};
  for (auto _ : state) {
    pid_t pid;
    if (posix_spawnp(&pid, "cjpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      state.SkipWithError("cjpeg could not be started (package libjpeg-turbo-progs)");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("cjpeg failed");
  }
}

BENCHMARK(CjpegProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(JpegSaveThroughWriter)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

const bool kSaveFigure = AddFigure({"jpeg_save_vs_cjpeg", "JpegSaveThroughWriter", "CjpegProcess"});

}  // namespace
}  // namespace tarn::bench
