// Any bytes as a whole BMP file: the decoder must answer a code without reading or writing
// outside its blocks, and hold nothing after a failure.
#include <cstdlib>

#include "plugins/bmp/BmpDecode.h"
#include "tests/support/VectorPictureMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarn::test::VectorPictureMemory memory;
  // The decoder allocates up to 1 GiB, whatever a header announces; a full heap is one of the
  // paths worth fuzzing anyway.
  memory.largestBlock = 4u << 20;
  const int result = tarn::bmp::DecodeBmp(data, size, memory, nullptr);
  if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
  return 0;
}
