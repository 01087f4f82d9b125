// Any bytes as a whole WebP file, decoded whole and as the catalog's preview and read for its
// information: every answer is a code, nothing is read or written outside the blocks, and the
// picture and the work buffer are given back after a failure.
#include <cstdlib>

#include "common/PluginCodes.h"
#include "plugins/webp/WebpDecode.h"
#include "tests/support/VectorPictureMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const tarn::webp::Scale scale : {tarn::webp::Scale::kFull, tarn::webp::Scale::kPreview}) {
    tarn::test::VectorPictureMemory memory;
    // Headers may announce up to 512 MiB; small pictures keep the fuzzer fast.
    memory.largestBlock = 4u << 20;
    const int result = tarn::webp::DecodeWebp(data, size, scale, memory, nullptr);
    if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
    if (result != tarn::kSpiOk && result != tarn::kSpiNotFormat && result != tarn::kSpiBroken &&
        result != tarn::kSpiNoMemory && result != tarn::kSpiLockFailed)
      std::abort();
  }
  tarn::webp::WebpInfo info;
  const int read = tarn::webp::ReadWebpInfo(data, size, &info);
  if (read == tarn::kSpiOk && (info.width == 0 || info.height == 0)) std::abort();
  return 0;
}
