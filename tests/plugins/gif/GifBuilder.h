// Builds GIF files byte by byte for tests, fuzz seeds and benchmarks, with an LZW encoder that can
// write the code streams different encoders produce, and a code writer for streams no encoder
// would produce.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tarn::test {

using Bytes = std::vector<std::uint8_t>;

// Codes packed least significant bit first, as GIF stores them.
class CodeWriter {
 public:
  void Put(unsigned code, int width) {
    for (int i = 0; i < width; ++i) {
      if (bit_ == 0) bytes.push_back(0);
      if (code >> i & 1) bytes.back() |= static_cast<std::uint8_t>(1u << bit_);
      bit_ = (bit_ + 1) & 7;
    }
  }
  Bytes bytes;

 private:
  int bit_ = 0;
};

enum class LzwStyle {
  kCompress,          // the usual encoder: clear code when the table is full
  kLiterals,          // one literal code a pixel, with a clear code before the codes widen
  kDeferredClear,     // keeps coding with the full table, never clears
};

inline Bytes EncodeLzw(const Bytes& pixels, int minCodeSize, LzwStyle style = LzwStyle::kCompress) {
  const unsigned clear = 1u << minCodeSize, end = clear + 1;
  CodeWriter w;
  int width = minCodeSize + 1;
  unsigned next = clear + 2;
  std::vector<std::int16_t> dict(4096 * 256, -1);
  std::vector<unsigned> used;  // keys added since the last clear
  const auto reset = [&] {
    for (unsigned k : used) dict[k] = -1;
    used.clear();
    next = clear + 2;
    width = minCodeSize + 1;
  };
  w.Put(clear, width);
  if (pixels.empty()) {
    w.Put(end, width);
    return w.bytes;
  }
  if (style == LzwStyle::kLiterals) {
    for (std::uint8_t p : pixels) {
      w.Put(p, width);
      if (++next == (1u << width)) {
        w.Put(clear, width);
        next = clear + 2;
      }
    }
    w.Put(end, width);
    return w.bytes;
  }
  unsigned prefix = pixels[0];
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const unsigned key = prefix * 256 + pixels[i];
    if (dict[key] >= 0) {
      prefix = static_cast<unsigned>(dict[key]);
      continue;
    }
    w.Put(prefix, width);
    if (next < 4096) {
      dict[key] = static_cast<std::int16_t>(next++);
      used.push_back(key);
      if (next > (1u << width) && width < 12) ++width;
    } else if (style == LzwStyle::kCompress) {
      w.Put(clear, width);
      reset();
    }
    prefix = pixels[i];
  }
  w.Put(prefix, width);
  w.Put(end, width);
  return w.bytes;
}

// `payload` as data sub-blocks of at most `blockSize` bytes, with the zero-length terminator.
inline Bytes SubBlocks(const Bytes& payload, std::size_t blockSize = 255) {
  Bytes out;
  for (std::size_t at = 0; at < payload.size(); at += blockSize) {
    const std::size_t n = std::min(blockSize, payload.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), payload.begin() + static_cast<std::ptrdiff_t>(at),
               payload.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  out.push_back(0);
  return out;
}

// A colour table of 2^(field+1) entries where entry i is (i, 255 - i, i * 7) as red, green, blue.
inline Bytes RampTable(int field, std::uint8_t salt = 0) {
  Bytes t;
  for (int i = 0; i < (2 << field); ++i) {
    t.push_back(static_cast<std::uint8_t>(i + salt));
    t.push_back(static_cast<std::uint8_t>(255 - i));
    t.push_back(static_cast<std::uint8_t>(i * 7));
  }
  return t;
}

struct GifImage {
  std::uint16_t left = 0, top = 0, width = 1, height = 1;
  Bytes pixels;              // width x height indices, top row first, in picture order
  bool interlace = false;
  int localField = -1;       // -1: no local table
  Bytes localTable;          // used when localField >= 0; RampTable(localField, 100) when empty
  int minCodeSize = 8;
  LzwStyle style = LzwStyle::kCompress;
  std::size_t blockSize = 255;
  bool rawData = false;      // data: the sub-blocks exactly as given (no encoding)
  Bytes data;
  // Graphic control extension before the image.
  bool control = false;
  int disposal = 0;
  bool transparent = false;
  std::uint8_t transparentIndex = 0;
  std::uint16_t delay = 0;
};

struct GifFile {
  std::string version = "GIF89a";
  std::uint16_t width = 1, height = 1;
  int field = 7;                // table-size field of the screen descriptor
  bool globalTable = true;
  Bytes global;                 // RampTable(field) when empty
  std::uint8_t background = 0;
  bool application = false;     // a NETSCAPE2.0 looping extension after the global table
  int commentBlocks = 0;        // comment extensions before the first image
  std::vector<GifImage> images;
  bool trailer = true;
};

inline Bytes InterlacedOrder(const Bytes& pixels, int width, int height) {
  Bytes out;
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass])
      out.insert(out.end(), pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
  return out;
}

inline void PutLe16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline Bytes MakeGif(const GifFile& f) {
  Bytes out(f.version.begin(), f.version.end());
  PutLe16(out, f.width);
  PutLe16(out, f.height);
  out.push_back(static_cast<std::uint8_t>((f.globalTable ? 0x80 : 0) | 0x70 | (f.field & 7)));
  out.push_back(f.background);
  out.push_back(0);
  if (f.globalTable) {
    const Bytes t = f.global.empty() ? RampTable(f.field) : f.global;
    out.insert(out.end(), t.begin(), t.end());
  }
  if (f.application) {
    const char* app = "NETSCAPE2.0";
    out.insert(out.end(), {0x21, 0xFF, 11});
    out.insert(out.end(), app, app + 11);
    out.insert(out.end(), {3, 1, 0, 0, 0});
  }
  for (int i = 0; i < f.commentBlocks; ++i) out.insert(out.end(), {0x21, 0xFE, 1, 'c', 0});
  for (const GifImage& im : f.images) {
    if (im.control) {
      out.insert(out.end(), {0x21, 0xF9, 4});
      out.push_back(static_cast<std::uint8_t>((im.disposal & 7) << 2 | (im.transparent ? 1 : 0)));
      PutLe16(out, im.delay);
      out.push_back(im.transparentIndex);
      out.push_back(0);
    }
    out.push_back(0x2C);
    PutLe16(out, im.left);
    PutLe16(out, im.top);
    PutLe16(out, im.width);
    PutLe16(out, im.height);
    out.push_back(static_cast<std::uint8_t>((im.localField >= 0 ? 0x80 | (im.localField & 7) : 0) |
                                            (im.interlace ? 0x40 : 0)));
    if (im.localField >= 0) {
      const Bytes t = im.localTable.empty() ? RampTable(im.localField, 100) : im.localTable;
      out.insert(out.end(), t.begin(), t.end());
    }
    out.push_back(static_cast<std::uint8_t>(im.minCodeSize));
    if (im.rawData) {
      out.insert(out.end(), im.data.begin(), im.data.end());
    } else {
      const Bytes order = im.interlace ? InterlacedOrder(im.pixels, im.width, im.height) : im.pixels;
      const Bytes blocks = SubBlocks(EncodeLzw(order, im.minCodeSize, im.style), im.blockSize);
      out.insert(out.end(), blocks.begin(), blocks.end());
    }
  }
  if (f.trailer) out.push_back(0x3B);
  return out;
}

// Pixels of a w x h picture whose indices stay below `colours`: a pattern with runs and noise.
inline Bytes PatternIndices(int w, int h, int colours, unsigned seed = 1) {
  Bytes p(static_cast<std::size_t>(w) * h);
  unsigned s = seed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      const unsigned v = ((x / 3 + y / 2) % 5 == 0) ? (s >> 16) : static_cast<unsigned>(x / 7 + y);
      p[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(v % static_cast<unsigned>(colours));
    }
  return p;
}

}  // namespace tarn::test
