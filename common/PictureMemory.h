// Where a decoder puts the picture it delivers. The plug-ins back this with local memory handles
// that pass to the host; tests back it with ordinary memory and can make any step fail.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

class PictureMemory {
 public:
  virtual ~PictureMemory() = default;

  // Reserves the header block (header and colour table) and the pixel block. Answers kSpiOk,
  // kSpiNoMemory or kSpiLockFailed; after a failure nothing is held.
  virtual int AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) = 0;
  virtual std::uint8_t* Info() = 0;
  virtual std::uint8_t* Pixels() = 0;
  // Gives both picture blocks back, as after a failure or a stop.
  virtual void ReleasePicture() = 0;

  // Scratch memory for the length of one call; null when none is to be had.
  virtual std::uint8_t* AllocateWork(std::size_t bytes) = 0;
  virtual void ReleaseWork(std::uint8_t* block) = 0;
  // Tells the user that a work buffer could not be had.
  virtual void WarnOutOfMemory() = 0;
};

// The host's progress callback, seen from a decoder. Stop() answers true when the host wants the
// call to end; a decoder without a callback is given none.
class ProgressReport {
 public:
  virtual ~ProgressReport() = default;
  virtual bool Stop(int num, int denom) = 0;
};

inline bool ProgressStops(ProgressReport* progress, int num, int denom) {
  return progress != nullptr && progress->Stop(num, denom);
}

}  // namespace tarn
