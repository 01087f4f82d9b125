// Decoding GIF files with TarnGif's decoder against giflib decoding the same bytes in the same run:
// a large still picture and a long animation played frame by frame as the host plays it.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstring>
#include <memory>

#include "BenchFigures.h"
#include "BenchSupport.h"
#include "plugins/gif/GifPlayer.h"
#include "tests/plugins/gif/GifBuilder.h"

namespace tarn::bench {
namespace {

using test::Bytes;

// 2000 x 1500 pixels of 256 colours: runs and noise, as photographs reduced to GIF look.
const Bytes& StillGif() {
  static const Bytes gif = [] {
    test::GifFile f{.width = 2000, .height = 1500};
    f.images.push_back({.width = 2000, .height = 1500, .pixels = test::PatternIndices(2000, 1500, 256, 11)});
    return test::MakeGif(f);
  }();
  return gif;
}

// 120 frames of 160 x 120 on a 320 x 240 screen, transparent, so they are composed on a canvas.
constexpr int kFrames = 120;
const Bytes& AnimationGif() {
  static const Bytes gif = [] {
    test::GifFile f{.width = 320, .height = 240, .field = 5, .application = true};
    for (int i = 0; i < kFrames; ++i)
      f.images.push_back({.left = static_cast<std::uint16_t>(i % 160), .top = static_cast<std::uint16_t>(i % 120),
                          .width = 160, .height = 120,
                          .pixels = test::PatternIndices(160, 120, 64, static_cast<unsigned>(i + 1)),
                          .minCodeSize = 6, .control = true, .disposal = i % 3 == 0 ? 2 : 1,
                          .transparent = true, .transparentIndex = 63, .delay = 4});
    return test::MakeGif(f);
  }();
  return gif;
}

struct Quiet : gif::Notice {
  void Show(const char*, const char*) override {}
};

struct MemoryFile : gif::FileSource {
  const Bytes& bytes;
  explicit MemoryFile(const Bytes& b) : bytes(b) {}
  Status Load(const char*) override { return kLoaded; }
  const std::uint8_t* Data() const override { return bytes.data(); }
  std::size_t Size() const override { return bytes.size(); }
  void Release() override {}
};

bool OursStill(const Bytes& gif) {
  gif::GifPlayer player;
  HeapPictureMemory memory;
  Quiet quiet;
  const bool ok = player.Decode(gif.data(), gif.size(), nullptr, memory, quiet) == kSpiOk;
  benchmark::DoNotOptimize(memory.Pixels());
  return ok;
}

bool OursAnimation(const Bytes& gif) {
  gif::GifPlayer player;
  Quiet quiet;
  MemoryFile file(gif);
  SenseCell cells[6] = {-1};
  if (player.Sense("TarnGif.spi", "bench.gif", cells, file, quiet) != kSpiOk || cells[0] != kFrames) return false;
  for (int r = 1; r <= kFrames; ++r) {
    HeapPictureMemory memory;
    cells[0] = r;
    if (player.Decode(gif.data(), gif.size(), cells, memory, quiet) != kSpiOk) return false;
    benchmark::DoNotOptimize(memory.Pixels());
  }
  return true;
}

struct Reader {
  const Bytes* bytes;
  std::size_t at;
};

int ReadFromMemory(GifFileType* file, GifByteType* out, int wanted) {
  Reader* r = static_cast<Reader*>(file->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(wanted), r->bytes->size() - r->at);
  std::memcpy(out, r->bytes->data() + r->at, n);
  r->at += n;
  return static_cast<int>(n);
}

bool Giflib(const Bytes& gif) {
  Reader reader{&gif, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
  if (file == nullptr) return false;
  const bool ok = DGifSlurp(file) == GIF_OK;
  benchmark::DoNotOptimize(file->SavedImages);
  DGifCloseFile(file, &error);
  return ok;
}

// A figure is only worth printing when both decoders deliver the same picture: the still picture's
// rows from the core (bottom row first) against giflib's raster (top row first).
bool SamePictureAsGiflib() {
  const Bytes& gif = StillGif();
  gif::GifPlayer player;
  HeapPictureMemory memory;
  Quiet quiet;
  if (player.Decode(gif.data(), gif.size(), nullptr, memory, quiet) != kSpiOk) return false;
  Reader reader{&gif, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
  if (file == nullptr) return false;
  bool same = DGifSlurp(file) == GIF_OK && file->ImageCount == 1;
  const int w = 2000, h = 1500;
  for (int y = 0; same && y < h; ++y)
    same = std::memcmp(memory.Pixels() + static_cast<std::size_t>(h - 1 - y) * w,
                       file->SavedImages[0].RasterBits + static_cast<std::size_t>(y) * w, w) == 0;
  DGifCloseFile(file, &error);
  return same;
}

void GifDecodeTarn(benchmark::State& state) {
  static const bool same = SamePictureAsGiflib();
  if (!same) state.SkipWithError("the core and giflib disagree on the still picture");
  for (auto _ : state)
    if (!OursStill(StillGif()) || !OursAnimation(AnimationGif())) state.SkipWithError("decode failed");
}

void GifDecodeGiflib(benchmark::State& state) {
  for (auto _ : state)
    if (!Giflib(StillGif()) || !Giflib(AnimationGif())) state.SkipWithError("giflib failed");
}

BENCHMARK(GifDecodeTarn)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(GifDecodeGiflib)->Unit(benchmark::kMillisecond)->MinTime(2.0);

const bool kFigure = AddFigure({"gif_decode_vs_giflib", "GifDecodeTarn", "GifDecodeGiflib"});

}  // namespace
}  // namespace tarn::bench
