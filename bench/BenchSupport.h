// What the benchmarks share: a picture file that lives for the run, reading a file whole as the
// plug-ins do, and picture memory as plain heap blocks.
#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/PictureMemory.h"

extern char** environ;

namespace tarn::bench {

// A file in the temporary folder, written on construction and removed when the run ends.
struct TempFile {
  TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
      : path((std::filesystem::temp_directory_path() / name).string()) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { std::filesystem::remove(path); }
  std::string path;
};

// A file read whole into a block of its own, as a plug-in reads it into local memory.
struct Block {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

inline Block ReadWhole(const std::string& path) {
  Block b;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, 0, SEEK_END);
  b.size = static_cast<std::size_t>(std::ftell(f));
  std::fseek(f, 0, SEEK_SET);
  b.data.reset(new std::uint8_t[b.size]);
  b.size = std::fread(b.data.get(), 1, b.size, f);
  std::fclose(f);
  return b;
}

// Runs a program as a user would and waits for it; false when it cannot start or fails. Its
// start-up is part of its time, as it is of any run.
inline bool RunProgram(const char* const argv[]) {
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Picture memory as plain new[] blocks: what a plug-in's LocalAlloc amounts to.
class HeapPictureMemory : public PictureMemory {
 public:
  int AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) override {
    info_.reset(new std::uint8_t[infoBytes]);
    pixels_.reset(new std::uint8_t[pixelBytes]);
    return 0;
  }
  std::uint8_t* Info() override { return info_.get(); }
  std::uint8_t* Pixels() override { return pixels_.get(); }
  void ReleasePicture() override {
    info_.reset();
    pixels_.reset();
  }
  std::uint8_t* AllocateWork(std::size_t bytes) override { return new std::uint8_t[bytes]; }
  void ReleaseWork(std::uint8_t* block) override { delete[] block; }
  void WarnOutOfMemory() override {}

 private:
  std::unique_ptr<std::uint8_t[]> info_, pixels_;
};

}  // namespace tarn::bench
