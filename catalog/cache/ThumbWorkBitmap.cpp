#include "ThumbWorkBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Prompt.h"
#include "base/Settings.h"

namespace tarn {

int ThumbWorkBitmap::Create(HDC screen, int side) {
  if (!surface_.MakeContext(screen)) {
    Say(u"サムネイル用メモリデバイスコンテキスト作成エラー<-v38> ", u"サムネイルの使用中止");
    g_ThumbNailFlag = 0;
    return -3;
  }
  if (!surface_.MakeBitmap(screen, side, side) || !surface_.Select()) {
    surface_.Release();
    Say(u"サムネイル用ビットマップ作成エラー<-v39> ", u"サムネイルの使用中止");
    g_ThumbNailFlag = 0;
    return -3;
  }
  return 0;
}

bool ThumbWorkBitmap::Matches(const WorkPixels& work) const {
  return surface_.Bitmap() != nullptr && work.bits != nullptr && work.side == surface_.Width() &&
         work.pixelSize == surface_.PixelSize();
}

bool ThumbWorkBitmap::Store(const WorkPixels& work) const {
  if (!Matches(work)) return false;
  const auto row = static_cast<std::size_t>(surface_.RowBytes());
  const int side = surface_.Width();
  GdiFlush();
  // The bitmap's rows usually have the cache's stride, and the pixels go across in one call.
  if (row == work.stride)
    return SetBitmapBits(surface_.Bitmap(), static_cast<DWORD>(row * side), work.bits) != 0;
  std::vector<std::uint8_t> bits(row * static_cast<std::size_t>(side));
  const std::size_t copy = std::min(row, work.stride);
  for (int y = 0; y < side; ++y) std::memcpy(&bits[y * row], work.bits + y * work.stride, copy);
  return SetBitmapBits(surface_.Bitmap(), static_cast<DWORD>(bits.size()), bits.data()) != 0;
}

bool ThumbWorkBitmap::Take(const WorkPixels& work) const {
  if (!Matches(work)) return false;
  const auto row = static_cast<std::size_t>(surface_.RowBytes());
  const int side = surface_.Width();
  GdiFlush();
  if (row == work.stride) return GetBitmapBits(surface_.Bitmap(), static_cast<LONG>(row * side), work.bits) != 0;
  std::vector<std::uint8_t> bits(row * static_cast<std::size_t>(side));
  if (GetBitmapBits(surface_.Bitmap(), static_cast<LONG>(bits.size()), bits.data()) == 0) return false;
  const std::size_t copy = std::min(row, work.stride);
  for (int y = 0; y < side; ++y) std::memcpy(work.bits + y * work.stride, &bits[y * row], copy);
  return true;
}

}  // namespace tarn
