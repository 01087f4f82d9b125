// Overwriting and deleting one file so that its old contents cannot be read back from the disk.
#pragma once

#include <cstdint>
#include <string>

namespace wipeset {

// Results of WipeDelete.
enum WipeResult : int {
  kWipeDone = 0,
  kWipeOpenFailed = 1,
  kWipeSeekFailed = 2,
  kWipeWriteFailed = 3,
  kWipeTruncateFailed = 4,
  kWipeRedateFailed = 5,
  kWipeDeleteFailed = 6,
};

// The block the passes are written in; the tail of a file is written as one shorter block.
constexpr std::uint32_t kWipeBlock = 1024;

// Told about every block once it has been written, and about the end of each pass, so that a
// test can watch the passes reach the disk. No observer is installed in the program.
class WipeObserver {
 public:
  virtual ~WipeObserver() = default;
  virtual void Wrote(unsigned char fill, std::uint64_t offset, std::uint32_t size) = 0;
  virtual void PassDone(unsigned char fill) = 0;
};
extern WipeObserver* g_WipeObserver;

// Overwrites the file at `path` with 0xFF and then with 0x00, cuts it to length 0, dates it to
// now and deletes it. Answers one of WipeResult; after a failure the file may be left shortened.
int WipeDelete(const std::string& path);

}  // namespace wipeset
