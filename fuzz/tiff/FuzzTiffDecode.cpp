// Any bytes as a whole TIFF file, decoded and read for its information: every answer is a code,
// libtiff's errors never leave the decoder, nothing is read or written outside the blocks, and
// the picture and the raster are given back after a failure.
#include <cstdlib>

#include "common/PluginCodes.h"
#include "plugins/tiff/TiffDecode.h"
#include "tests/support/VectorPictureMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarn::test::VectorPictureMemory memory;
  // Headers may announce up to 512 MiB; small pictures keep the fuzzer fast.
  memory.largestBlock = 4u << 20;
  const int result = tarn::tiff::DecodeTiff(data, size, memory, nullptr);
  if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
  if (result != tarn::kSpiOk && result != tarn::kSpiNotFormat && result != tarn::kSpiBroken &&
      result != tarn::kSpiNoMemory && result != tarn::kSpiLockFailed)
    std::abort();
  tarn::tiff::TiffInfo info;
  const int read = tarn::tiff::ReadTiffInfo(data, size, &info);
  if (read == tarn::kSpiOk && (info.width == 0 || info.height == 0 || info.orientation < 1 || info.orientation > 8))
    std::abort();
  return 0;
}
