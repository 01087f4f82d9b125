// Picture memory in ordinary vectors, with every step able to fail on request.
#pragma once

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "common/PictureMemory.h"
#include "common/PluginCodes.h"

namespace tarn::test {

class VectorPictureMemory : public PictureMemory {
 public:
  // Settings of the next calls.
  int allocateAnswer = kSpiOk;           // kSpiNoMemory or kSpiLockFailed make AllocatePicture fail
  bool workAvailable = true;
  std::size_t largestBlock = SIZE_MAX;   // larger requests fail like a full heap

  // What happened.
  bool held = false;
  int pictureAllocations = 0;
  int workOutstanding = 0;
  int warnings = 0;
  std::vector<std::uint8_t> info, pixels;

  int AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) override {
    ++pictureAllocations;
    if (allocateAnswer != kSpiOk) return allocateAnswer;
    if (infoBytes > largestBlock || pixelBytes > largestBlock) return kSpiNoMemory;
    // Filled with a marker so that bytes the decoder forgets to write show up.
    info.assign(infoBytes, 0xCD);
    pixels.assign(pixelBytes, 0xCD);
    held = true;
    return kSpiOk;
  }
  std::uint8_t* Info() override { return info.data(); }
  std::uint8_t* Pixels() override { return pixels.data(); }
  void ReleasePicture() override {
    held = false;
    info.clear();
    pixels.clear();
  }
  std::uint8_t* AllocateWork(std::size_t bytes) override {
    if (!workAvailable || bytes > largestBlock) return nullptr;
    std::uint8_t* block = new (std::nothrow) std::uint8_t[bytes];
    if (block != nullptr) ++workOutstanding;
    return block;
  }
  void ReleaseWork(std::uint8_t* block) override {
    --workOutstanding;
    delete[] block;
  }
  void WarnOutOfMemory() override { ++warnings; }
};

// A progress report that answers `stopAt` with a stop and records every call.
class RecordingProgress : public ProgressReport {
 public:
  explicit RecordingProgress(int stopAtNum = -1) : stopAt_(stopAtNum) {}
  bool Stop(int num, int denom) override {
    calls.push_back({num, denom});
    return num == stopAt_;
  }
  std::vector<std::pair<int, int>> calls;

 private:
  int stopAt_;
};

}  // namespace tarn::test
