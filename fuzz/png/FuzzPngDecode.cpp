// Any bytes as a whole PNG file, decoded and read for its information: every answer is a code,
// libpng's errors never leave the decoder, nothing is read or written outside the blocks, and the
// picture and the row buffer are given back after a failure.
#include <cstdlib>
#include <vector>

#include <zlib.h>

#include "common/PluginCodes.h"
#include "plugins/png/PngDecode.h"
#include "tests/support/VectorPictureMemory.h"

namespace {

// A copy of the input whose chunks all carry correct CRCs: without it nearly every mutation
// inside a chunk would end at the CRC check, and the decoder behind it would go unexplored.
std::vector<std::uint8_t> WithRepairedCrcs(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> file(data, data + size);
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::uint32_t length = static_cast<std::uint32_t>(file[at]) << 24 | static_cast<std::uint32_t>(file[at + 1]) << 16 |
                                 static_cast<std::uint32_t>(file[at + 2]) << 8 | file[at + 3];
    if (length > file.size() - at - 12) break;
    const auto crc = static_cast<std::uint32_t>(crc32(0, &file[at + 4], length + 4));
    for (int i = 0; i < 4; ++i) file[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
  return file;
}

void Check(const std::uint8_t* data, std::size_t size) {
  tarn::test::VectorPictureMemory memory;
  // Headers may announce up to 512 MiB; small pictures keep the fuzzer fast.
  memory.largestBlock = 4u << 20;
  const int result = tarn::png::DecodePng(data, size, memory, nullptr);
  if ((result == tarn::kSpiOk) != memory.held || memory.workOutstanding != 0) std::abort();
  if (result != tarn::kSpiOk && result != tarn::kSpiNotFormat && result != tarn::kSpiBroken &&
      result != tarn::kSpiNoMemory && result != tarn::kSpiLockFailed)
    std::abort();
  tarn::png::PngInfo info;
  const int read = tarn::png::ReadPngInfo(data, size, &info);
  if (read == tarn::kSpiOk && info.bitCount != 1 && info.bitCount != 4 && info.bitCount != 8 && info.bitCount != 24)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check(data, size);
  const std::vector<std::uint8_t> repaired = WithRepairedCrcs(data, size);
  Check(repaired.data(), repaired.size());
  return 0;
}
