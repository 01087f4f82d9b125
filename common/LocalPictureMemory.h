// Picture memory in local-memory handles, the form in which a plug-in hands a picture to the host.
#pragma once

#include <windows.h>

#include "PictureMemory.h"
#include "PluginAbi.h"

namespace tarn {

// Owns both handles until Deliver(); anything still held is released on destruction.
class LocalPictureMemory final : public PictureMemory {
 public:
  LocalPictureMemory() = default;
  LocalPictureMemory(const LocalPictureMemory&) = delete;
  LocalPictureMemory& operator=(const LocalPictureMemory&) = delete;
  ~LocalPictureMemory() override { ReleasePicture(); }

  int AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) override;
  std::uint8_t* Info() override { return info_; }
  std::uint8_t* Pixels() override { return pixels_; }
  void ReleasePicture() override;
  std::uint8_t* AllocateWork(std::size_t bytes) override;
  void ReleaseWork(std::uint8_t* block) override;
  void WarnOutOfMemory() override;

  // Unlocks both blocks and passes their handles to the caller, who frees them with LocalFree.
  void Deliver(HLOCAL* pHBInfo, HLOCAL* pHBm);

 private:
  HLOCAL infoHandle_ = nullptr;
  HLOCAL pixelHandle_ = nullptr;
  std::uint8_t* info_ = nullptr;    // locked view of infoHandle_
  std::uint8_t* pixels_ = nullptr;  // locked view of pixelHandle_
};

// The host's callback as a progress report; Get() is null when the host passed none.
class CallbackProgress final : public ProgressReport {
 public:
  CallbackProgress(SpiProgressCallback callback, LONG_PTR data) : callback_(callback), data_(data) {}
  bool Stop(int num, int denom) override { return callback_(num, denom, data_) != 0; }
  ProgressReport* Get() { return callback_ != nullptr ? this : nullptr; }

 private:
  SpiProgressCallback callback_;
  LONG_PTR data_;
};

// GetPicture and GetPreview's answer for a "[UNICODE]" marker name: the placeholder picture.
int ServePlaceholder(HLOCAL* pHBInfo, HLOCAL* pHBm, SpiProgressCallback callback, LONG_PTR lData);

}  // namespace tarn
