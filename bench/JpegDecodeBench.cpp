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
#include "plugins/jpeg/JpegDecode.h"
#include "tests/plugins/jpeg/JpegBuilder.h"

extern char** environ;

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The photo, written on first use and removed when the program ends: smooth gradients with
// detail on top, at a camera's usual quality and chroma subsampling.
struct PhotoFile {
  std::string path;
  ~PhotoFile() { std::filesystem::remove(path); }
};

const std::string& PhotoPath() {
  static const PhotoFile photo{[] {
    const auto file = std::filesystem::temp_directory_path() / "tarn-bench-4000x3000.jpg";
    test::JpegFile picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.quality = 90;
    picture.fullChroma = false;
    picture.pixel = [](int x, int y, std::uint8_t* p) {
      const double detail = 24 * std::sin(x * 0.05) * std::cos(y * 0.07) + ((x * 7919 + y * 104729) % 17);
      p[0] = static_cast<std::uint8_t>(std::clamp(x * 255.0 / kWidth + detail, 0.0, 255.0));
      p[1] = static_cast<std::uint8_t>(std::clamp(y * 255.0 / kHeight + detail, 0.0, 255.0));
      p[2] = static_cast<std::uint8_t>(std::clamp(128 + detail * 2, 0.0, 255.0));
    };
    const std::vector<std::uint8_t> jpeg = test::MakeJpeg(picture);
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fwrite(jpeg.data(), 1, jpeg.size(), f);
    std::fclose(f);
    return file.string();
  }()};
  return photo.path;
}

// The file read whole into a block of its own, as the plug-in reads it into local memory.
struct Block {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

Block ReadWhole(const std::string& path) {
  Block b;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, 0, SEEK_END);
  b.size = static_cast<std::size_t>(std::ftell(f));
  std::fseek(f, 0, SEEK_SET);
  b.data.reset(new std::uint8_t[b.size]);
  b.size = std::fread(b.data.get(), 1, b.size, f);
  std::fclose(f);
  return b;
}

// Picture memory as plain new[] blocks: what a plug-in's LocalAlloc amounts to.
class HeapPictureMemory : public PictureMemory {
 public:
  int AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) override {
    info_.reset(new std::uint8_t[infoBytes]);
    pixels_.reset(new std::uint8_t[pixelBytes]);
    return 0;
  }
  std::uint8_t* Info() override { return info_.get(); }
  std::uint8_t* Pixels() override { return pixels_.get(); }
  void ReleasePicture() override {
    info_.reset();
    pixels_.reset();
  }
  std::uint8_t* AllocateWork(std::size_t bytes) override { return new std::uint8_t[bytes]; }
  void ReleaseWork(std::uint8_t* block) override { delete[] block; }
  void WarnOutOfMemory() override {}

 private:
  std::unique_ptr<std::uint8_t[]> info_, pixels_;
};

void DecodeFromDisk(benchmark::State& state, jpeg::Scale scale) {
  const std::string& path = PhotoPath();
  for (auto _ : state) {
    const Block file = ReadWhole(path);
    HeapPictureMemory memory;
    if (jpeg::DecodeJpeg(file.data.get(), file.size, scale, memory, nullptr) != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(memory.Pixels());
    benchmark::ClobberMemory();
  }
}

void JpegReadAndDecode(benchmark::State& state) { DecodeFromDisk(state, jpeg::Scale::kFull); }
void JpegReadAndPreview(benchmark::State& state) { DecodeFromDisk(state, jpeg::Scale::kPreview); }

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

const bool kDecodeFigure = AddFigure({"jpeg_decode_vs_djpeg", "JpegReadAndDecode", "DjpegProcess"});
// Full picture over preview: how many times faster the catalog's picture comes.
const bool kPreviewFigure = AddFigure({"jpeg_preview_speedup", "JpegReadAndDecode", "JpegReadAndPreview"});

}  // namespace
}  // namespace tarn::bench
