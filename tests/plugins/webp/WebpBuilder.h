// Builds WebP files with libwebp's encoder, for tests, fuzz seeds and benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <webp/encode.h>

namespace tarn::test {

struct WebpFile {
  int width = 8;
  int height = 6;
  bool lossless = true;
  bool alpha = false;
  float quality = 90;
  // Blue, green, red, alpha of pixel (x, y), y counted from the top.
  std::function<void(int x, int y, std::uint8_t* bgra)> pixel = [](int x, int y, std::uint8_t* p) {
    p[0] = static_cast<std::uint8_t>(x * 30);
    p[1] = static_cast<std::uint8_t>(y * 40);
    p[2] = static_cast<std::uint8_t>(200 - x * 10);
    p[3] = 255;
  };
};

// The picture's pixels, four bytes each, top row first.
inline std::vector<std::uint8_t> WebpPixels(const WebpFile& f) {
  std::vector<std::uint8_t> bgra(static_cast<std::size_t>(f.width) * f.height * 4);
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) f.pixel(x, y, &bgra[(static_cast<std::size_t>(y) * f.width + x) * 4]);
  return bgra;
}

inline std::vector<std::uint8_t> MakeWebp(const WebpFile& f) {
  const std::vector<std::uint8_t> bgra = WebpPixels(f);
  std::vector<std::uint8_t> rgb;
  if (!f.alpha) {
    for (std::size_t i = 0; i < bgra.size(); i += 4) rgb.insert(rgb.end(), {bgra[i + 2], bgra[i + 1], bgra[i]});
  }
  std::uint8_t* out = nullptr;
  std::size_t size = 0;
  const int stride4 = f.width * 4, stride3 = f.width * 3;
  if (f.lossless)
    size = f.alpha ? WebPEncodeLosslessBGRA(bgra.data(), f.width, f.height, stride4, &out)
                   : WebPEncodeLosslessRGB(rgb.data(), f.width, f.height, stride3, &out);
  else
    size = f.alpha ? WebPEncodeBGRA(bgra.data(), f.width, f.height, stride4, f.quality, &out)
                   : WebPEncodeRGB(rgb.data(), f.width, f.height, stride3, f.quality, &out);
  std::vector<std::uint8_t> file(out, out + size);
  WebPFree(out);
  return file;
}

}  // namespace tarn::test
