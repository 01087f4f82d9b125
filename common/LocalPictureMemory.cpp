#include "LocalPictureMemory.h"

#include "UnicodePlaceholder.h"

namespace tarn {

int LocalPictureMemory::AllocatePicture(std::size_t infoBytes, std::size_t pixelBytes) {
  ReleasePicture();
  infoHandle_ = LocalAlloc(LMEM_MOVEABLE, infoBytes);
  pixelHandle_ = LocalAlloc(LMEM_MOVEABLE, pixelBytes);
  if (infoHandle_ == nullptr || pixelHandle_ == nullptr) {
    ReleasePicture();
    return kSpiNoMemory;
  }
  info_ = static_cast<std::uint8_t*>(LocalLock(infoHandle_));
  pixels_ = static_cast<std::uint8_t*>(LocalLock(pixelHandle_));
  if (info_ == nullptr || pixels_ == nullptr) {
    ReleasePicture();
    return kSpiLockFailed;
  }
  return kSpiOk;
}

void LocalPictureMemory::ReleasePicture() {
  if (info_ != nullptr) LocalUnlock(infoHandle_);
  if (pixels_ != nullptr) LocalUnlock(pixelHandle_);
  if (infoHandle_ != nullptr) LocalFree(infoHandle_);
  if (pixelHandle_ != nullptr) LocalFree(pixelHandle_);
  infoHandle_ = pixelHandle_ = nullptr;
  info_ = pixels_ = nullptr;
}

std::uint8_t* LocalPictureMemory::AllocateWork(std::size_t bytes) {
  return static_cast<std::uint8_t*>(LocalAlloc(LMEM_FIXED, bytes));
}

void LocalPictureMemory::ReleaseWork(std::uint8_t* block) { LocalFree(block); }

void LocalPictureMemory::WarnOutOfMemory() {
  MessageBoxW(nullptr, L"メエモリー不足", L"エラー", MB_OK);
}

void LocalPictureMemory::Deliver(HLOCAL* pHBInfo, HLOCAL* pHBm) {
  LocalUnlock(infoHandle_);
  LocalUnlock(pixelHandle_);
  *pHBInfo = infoHandle_;
  *pHBm = pixelHandle_;
  infoHandle_ = pixelHandle_ = nullptr;
  info_ = pixels_ = nullptr;
}

int ServePlaceholder(HLOCAL* pHBInfo, HLOCAL* pHBm, SpiProgressCallback callback, LONG_PTR lData) {
  CallbackProgress progress(callback, lData);
  LocalPictureMemory memory;
  const int result = BuildPlaceholder(memory, progress.Get());
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

}  // namespace tarn
