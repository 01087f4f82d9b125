// Any bytes as a whole JPEG file, decoded in full and as a preview and read for its information:
// every answer is a code, libjpeg's errors never leave the decoder, nothing is read or written
// outside the blocks, and nothing is held after a failure.
#include <cstdlib>

#include "common/PluginCodes.h"
#include "plugins/jpeg/JpegDecode.h"
#include "tests/support/VectorPictureMemory.h"

namespace {

void Check(const std::uint8_t* data, std::size_t size, tarn::jpeg::Scale scale) {
  tarn::test::VectorPictureMemory memory;
  // Frames may announce up to 512 MiB; small pictures keep the fuzzer fast, and a full heap is a
  // path worth fuzzing anyway.
  memory.largestBlock = 4u << 20;
  const int result = tarn::jpeg::DecodeJpeg(data, size, scale, memory, nullptr);
  if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
  if (result != tarn::kSpiOk && result != tarn::kSpiNotFormat && result != tarn::kSpiBroken &&
      result != tarn::kSpiNoMemory)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check(data, size, tarn::jpeg::Scale::kFull);
  Check(data, size, tarn::jpeg::Scale::kPreview);
  tarn::jpeg::JpegInfo info;
  const int read = tarn::jpeg::ReadJpegInfo(data, size, &info);
  if (read == tarn::kSpiOk && (info.orientation < 1 || info.orientation > 8)) std::abort();
  return 0;
}
