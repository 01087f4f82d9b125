#include "GifFormat.h"

#include <cstring>

#include "common/PluginCodes.h"

namespace tarn::gif {

bool HasGif8Signature(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= 4 && std::memcmp(data, "GIF8", 4) == 0;
}

bool IsKnownVersion(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= 6 &&
         (std::memcmp(data, "GIF89a", 6) == 0 || std::memcmp(data, "GIF87a", 6) == 0);
}

bool ReadScreen(const std::uint8_t* data, std::size_t size, Screen* screen) {
  Cursor c(data, size, 6);
  std::uint8_t aspect;
  return c.Le16(&screen->width) && c.Le16(&screen->height) && c.Byte(&screen->flags) &&
         c.Byte(&screen->background) && c.Byte(&aspect);
}

int OutputDepth(int tableField) {
  const int bits = tableField + 1;
  return bits < 2 ? 1 : bits <= 4 ? 4 : 8;
}

bool ReadImageDescriptor(Cursor& c, ImageDescriptor* d) {
  if (c.Left() < 9) return false;
  return c.Le16(&d->left) && c.Le16(&d->top) && c.Le16(&d->width) && c.Le16(&d->height) &&
         c.Byte(&d->flags);
}

std::size_t SkipSubBlocks(Cursor& c, std::size_t limit) {
  std::size_t count = 0;
  std::uint8_t length;
  while (c.Byte(&length) && length != 0) {
    if (!c.Skip(length)) {
      c.Skip(c.Left());  // cut short: the data ends inside this sub-block
      return count + 1;
    }
    if (++count > limit) break;
  }
  return count;
}

int ReadFirstImage(const std::uint8_t* data, std::size_t size, FirstImage* out) {
  Screen screen;
  if (!HasGif8Signature(data, size) || !ReadScreen(data, size, &screen)) return kSpiNotFormat;
  Cursor c(data, size, kScreenEnd);
  if (!c.Skip(screen.globalTableBytes())) return kSpiNotFormat;

  // Extension blocks and their sub-blocks count together; a file that has not reached its first
  // image after 100 of them is not worth reading further for a picture's size.
  constexpr std::size_t kLimit = 100;
  std::size_t counted = 0;
  std::uint8_t b = 0;
  while (c.Byte(&b) && b == kExtensionIntroducer) {
    std::uint8_t label;
    if (!c.Byte(&label) || ++counted > kLimit) return kSpiNotFormat;
    counted += SkipSubBlocks(c, kLimit - counted);
    if (counted > kLimit) return kSpiNotFormat;
  }
  if (b != kImageSeparator) return kSpiNotFormat;
  ImageDescriptor d;
  if (!ReadImageDescriptor(c, &d)) return kSpiNotFormat;
  out->left = d.left;
  out->top = d.top;
  out->width = d.width;
  out->height = d.height;
  out->colorDepth = screen.tableField() + 1;
  return kSpiOk;
}

}  // namespace tarn::gif
