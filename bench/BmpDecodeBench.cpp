// Decoding a 12-megapixel 24-bit BMP from disk, against the least any reader must do: read the
// file and copy its pixels into a new block.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "BenchFigures.h"
#include "plugins/bmp/BmpDecode.h"
#include "tests/support/BmpBuilder.h"

namespace tarn::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

struct Block {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

// The picture file, written on first use and removed when the program ends.
struct PictureFile {
  std::string path;
  ~PictureFile() { std::filesystem::remove(path); }
};

const std::string& PicturePath() {
  static const PictureFile picture{[] {
    const auto file = std::filesystem::temp_directory_path() / "tarn-bench-4000x3000.bmp";
    std::vector<std::uint8_t> pixels(DibRowBytes(kWidth, 24) * kHeight);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i ^ (i >> 11));
    const std::vector<std::uint8_t> bmp = test::MakeBmp({.width = kWidth, .height = kHeight, .pixels = pixels});
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fwrite(bmp.data(), 1, bmp.size(), f);
    std::fclose(f);
    return file.string();
  }()};
  return picture.path;
}

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
