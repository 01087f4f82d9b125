// Any bytes as a GIF file, decoded as a still picture and then frame by frame the way the host
// plays an animation: sense -1, frames 1, 2, ..., sense -2 and the frames again. Nothing may read
// or write outside its blocks, and a failure must hold nothing.
#include <cstdlib>
#include <cstring>

#include "plugins/gif/GifFormat.h"
#include "plugins/gif/GifPlayer.h"
#include "tests/support/VectorPictureMemory.h"

namespace {

struct Quiet : tarn::gif::Notice {
  void Show(const char*, const char*) override {}
};

// The fuzz input itself as the one file there is.
struct OneFile : tarn::gif::FileSource {
  const std::uint8_t* data;
  std::size_t size;
  OneFile(const std::uint8_t* d, std::size_t s) : data(d), size(s) {}
  Status Load(const char*) override { return kLoaded; }
  const std::uint8_t* Data() const override { return data; }
  std::size_t Size() const override { return size; }
  void Release() override {}
};

void DecodeOnce(tarn::gif::GifPlayer& player, const std::uint8_t* data, std::size_t size, tarn::SenseCell* cells) {
  tarn::test::VectorPictureMemory memory;
  memory.largestBlock = 4u << 20;  // frames may announce 4 GiB; a full heap is a path worth fuzzing
  Quiet quiet;
  const int result = player.Decode(data, size, cells, memory, quiet);
  if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarn::gif::GifPlayer player;
  player.canvasLimit = 4u << 20;
  DecodeOnce(player, data, size, nullptr);

  tarn::gif::FirstImage first;
  tarn::gif::ReadFirstImage(data, size, &first);

  Quiet quiet;
  OneFile file(data, size);
  tarn::SenseCell cells[6] = {-1, 0, 0, 0, 0, 0};
  if (player.Sense("TarnGif.spi", "fuzz.gif", cells, file, quiet) != tarn::kSpiOk) return 0;
  const int frames = cells[0] < 8 ? cells[0] : 8;
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int r = 1; r <= frames; ++r) {
      cells[0] = r;
      DecodeOnce(player, data, size, cells);
    }
    cells[0] = -2;
    if (player.Sense("TarnGif.spi", "fuzz.gif", cells, file, quiet) != tarn::kSpiOk) break;
  }
  return 0;
}
