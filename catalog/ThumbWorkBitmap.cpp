#include "ThumbWorkBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/Prompt.h"
#include "app/Settings.h"

namespace tarn {

int ThumbWorkBitmap::Create(HDC screen, int side) {
  Release();
  dc_ = CreateCompatibleDC(screen);
  if (dc_ == nullptr) {
    Say(u"サムネイル用メモリデバイスコンテキスト作成エラー<-v38> ", u"サムネイルの使用中止");
    g_ThumbNailFlag = 0;
    return -3;
  }
  bitmap_ = CreateCompatibleBitmap(screen, side, side);
  if (bitmap_ == nullptr) {
    Release();
    Say(u"サムネイル用ビットマップ作成エラー<-v39> ", u"サムネイルの使用中止");
    g_ThumbNailFlag = 0;
    return -3;
  }
  previous_ = SelectObject(dc_, bitmap_);
  BITMAP info{};
  GetObjectW(bitmap_, sizeof info, &info);
  side_ = side;
  rowBytes_ = info.bmWidthBytes;
  pixelSize_ = std::max(1, static_cast<int>(info.bmWidthBytes / std::max<LONG>(1, info.bmWidth)));
  return 0;
}

void ThumbWorkBitmap::Release() {
  if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  side_ = pixelSize_ = 0;
  rowBytes_ = 0;
}

bool ThumbWorkBitmap::Store(const WorkPixels& work) const {
  if (bitmap_ == nullptr || work.bits == nullptr || work.side != side_ || work.pixelSize != pixelSize_) return false;
  const auto row = static_cast<std::size_t>(rowBytes_);
  std::vector<std::uint8_t> bits(row * static_cast<std::size_t>(side_));
  const std::size_t copy = std::min(row, work.stride);
  for (int y = 0; y < side_; ++y) std::memcpy(&bits[y * row], work.bits + y * work.stride, copy);
  GdiFlush();
  return SetBitmapBits(bitmap_, static_cast<DWORD>(bits.size()), bits.data()) != 0;
}

bool ThumbWorkBitmap::Take(const WorkPixels& work) const {
  if (bitmap_ == nullptr || work.bits == nullptr || work.side != side_ || work.pixelSize != pixelSize_) return false;
  const auto row = static_cast<std::size_t>(rowBytes_);
  std::vector<std::uint8_t> bits(row * static_cast<std::size_t>(side_));
  GdiFlush();
  if (GetBitmapBits(bitmap_, static_cast<LONG>(bits.size()), bits.data()) == 0) return false;
  const std::size_t copy = std::min(row, work.stride);
  for (int y = 0; y < side_; ++y) std::memcpy(work.bits + y * work.stride, &bits[y * row], copy);
  return true;
}

}  // namespace tarn
