// Any bytes as the frame the media services hand over: the conversion reads only what it was
// given, and a frame it takes fills exactly the pixel block it asked for.
#include <cstdlib>

#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "plugins/mov/FrameImage.h"
#include "tests/support/VectorPictureMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarn::test::VectorPictureMemory memory;
  std::size_t bytes = 0;
  if (tarn::mov::ConvertFrame(data, size, memory, &bytes) != tarn::kSpiOk) return 0;
  const tarn::DibHeader h = tarn::LoadDibHeader(memory.Info());
  if (h.biHeight <= 0 || bytes != tarn::DibRowBytes(h.biWidth, h.biBitCount) * h.biHeight) std::abort();
  tarn::mov::IsDarkFrame(memory.Pixels(), bytes);
  return 0;
}
