#include "PngDecode.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <iterator>

#include <png.h>

#include "PngRows.h"
#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "common/PluginNames.h"

namespace tarn::png {
namespace {

constexpr const char* kExtensions[] = {".png"};

// Text, colour profiles and suggested palettes are never shown; they are skipped unread rather
// than inflated, which also leaves a compressed chunk built to explode nothing to explode.
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT";
constexpr int kSkippedChunkCount = 5;

// Limits on the other ancillary chunks libpng keeps.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;
constexpr png_uint_32 kMaxCachedChunks = 256;

// The file as libpng reads it: a cursor that cannot pass the end.
struct Reader {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;
};

// One libpng reader and the way back out of it. libpng reports a fatal error through our error
// function, which jumps back to the call that started the work; the functions between hold
// nothing that needs a destructor. What they allocated is recorded here and released there.
struct Session {
  png_structp png = nullptr;
  png_infop info = nullptr;
  Reader reader;
  int failure = kSpiBroken;
  PictureMemory* memory = nullptr;
  bool holdsPicture = false;
  std::uint8_t* work = nullptr;  // row buffer from memory->AllocateWork
};

void ReadData(png_structp png, png_bytep out, std::size_t bytes) {
  Reader* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (bytes > r->size - r->at) png_error(png, "file ends early");
  std::memcpy(out, r->data + r->at, bytes);
  r->at += bytes;
}

void OnError(png_structp png, png_const_charp message) {
  Session* s = static_cast<Session*>(png_get_error_ptr(png));
  // libpng names every failed allocation "... memory"; all else is damage in the file.
  s->failure = std::strstr(message, "memory") != nullptr ? kSpiNoMemory : kSpiBroken;
  png_longjmp(png, 1);
}

// Warnings (bad CRCs of ancillary chunks, which are then dropped, and the like) are not shown.
void OnWarning(png_structp, png_const_charp) {}

void Begin(Session& s) {
  png_set_read_fn(s.png, &s.reader, ReadData);
  // The pixel-block cap decides about size, with its own answer, so libpng's lower default
  // limits on width and height are lifted to what the format allows.
  png_set_user_limits(s.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_chunk_malloc_max(s.png, kMaxChunkBytes);
  png_set_chunk_cache_max(s.png, kMaxCachedChunks);
  png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
  png_read_info(s.png, s.info);
}

PngLayout LayoutOf(const Session& s) {
  PngLayout l;
  png_uint_32 w = 0, h = 0;
  int depth = 0, colour = 0;
  png_get_IHDR(s.png, s.info, &w, &h, &depth, &colour, nullptr, nullptr, nullptr);
  l.width = w;
  l.height = h;
  l.bitDepth = depth;
  l.colourType = colour;
  png_colorp plte = nullptr;
  int entries = 0;
  if (png_get_PLTE(s.png, s.info, &plte, &entries) != 0 && plte != nullptr) {
    l.paletteEntries = std::clamp(entries, 0, 256);
    for (int i = 0; i < l.paletteEntries; ++i) {
      l.palette[i][0] = plte[i].red;
      l.palette[i][1] = plte[i].green;
      l.palette[i][2] = plte[i].blue;
    }
  }
  std::fill(std::begin(l.paletteAlpha), std::end(l.paletteAlpha), 255);
  png_bytep alpha = nullptr;
  int alphas = 0;
  png_color_16p key = nullptr;
  if (png_get_tRNS(s.png, s.info, &alpha, &alphas, &key) != 0) {
    if (colour == kPalette && alpha != nullptr) {
      std::copy(alpha, alpha + std::clamp(alphas, 0, 256), l.paletteAlpha);
    } else if ((colour == kGrey || colour == kRgb) && key != nullptr) {
      l.hasKey = true;
      l.keyGrey = key->gray;
      l.keyRed = key->red;
      l.keyGreen = key->green;
      l.keyBlue = key->blue;
    }
  }
  return l;
}

struct Density {
  std::uint16_t xDpi = 0, yDpi = 0;
  std::int32_t xPpm = 0, yPpm = 0;
};

Density DensityOf(const Session& s) {
  Density d;
  png_uint_32 x = 0, y = 0;
  int unit = 0;
  if (png_get_pHYs(s.png, s.info, &x, &y, &unit) == 0 || unit != PNG_RESOLUTION_METER) return d;
  const auto dpi = [](png_uint_32 ppm) {
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((ppm * 254ull + 5000) / 10000, 65535));
  };
  d.xDpi = dpi(x);
  d.yDpi = dpi(y);
  d.xPpm = static_cast<std::int32_t>(std::min<png_uint_32>(x, PNG_UINT_31_MAX));
  d.yPpm = static_cast<std::int32_t>(std::min<png_uint_32>(y, PNG_UINT_31_MAX));
  return d;
}

int ReadInfoBody(Session& s, PngInfo* info) {
  Begin(s);
  const PngLayout l = LayoutOf(s);
  const Density d = DensityOf(s);
  *info = PngInfo{};
  info->width = l.width;
  info->height = l.height;
  info->bitCount = DibBitCount(l);
  info->xDpi = d.xDpi;
  info->yDpi = d.yDpi;
  return info->bitCount != 0 ? kSpiOk : kSpiBroken;
}

int DecodeBody(Session& s, PictureMemory& memory, ProgressReport* progress) {
  Begin(s);
  const PngLayout l = LayoutOf(s);
  const int bits = DibBitCount(l);
  if (bits == 0) return kSpiBroken;
  const std::uint64_t rowBytes = DibRowBytes(l.width, bits);
  const std::uint64_t blockBytes = rowBytes * l.height;
  if (blockBytes > kMaxPixelBlockBytes) return kSpiNoMemory;

  // Interlaced pictures arrive in seven passes over the whole picture, so their undecoded rows
  // are kept together until the last pass; others pass one row at a time.
  const int passes = png_set_interlace_handling(s.png);
  png_read_update_info(s.png, s.info);
  const std::uint64_t rawRowBytes = png_get_rowbytes(s.png, s.info);
  const std::uint64_t workBytes = passes > 1 ? rawRowBytes * l.height : rawRowBytes;
  if (rawRowBytes == 0 || workBytes > kMaxPixelBlockBytes) return kSpiNoMemory;

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;

  const std::uint32_t tableEntries = PaletteEntries(bits);
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + tableEntries * 4, blockBytes);
  if (allocated != kSpiOk) return allocated;
  s.holdsPicture = true;

  const Density d = DensityOf(s);
  DibHeader header;
  header.biWidth = static_cast<std::int32_t>(l.width);
  header.biHeight = static_cast<std::int32_t>(l.height);
  header.biBitCount = static_cast<std::uint16_t>(bits);
  header.biSizeImage = static_cast<std::uint32_t>(blockBytes);
  header.biXPelsPerMeter = d.xPpm;
  header.biYPelsPerMeter = d.yPpm;
  header.biClrUsed = tableEntries;
  StoreDibHeader(header, memory.Info());
  BuildColourTable(l, memory.Info() + kDibHeaderBytes);

  s.work = memory.AllocateWork(workBytes);
  if (s.work == nullptr) {
    memory.ReleasePicture();
    s.holdsPicture = false;
    return kSpiLockFailed;
  }
  // Later passes fill in around what earlier ones wrote, so the rows start out defined.
  std::memset(s.work, 0, workBytes);

  std::uint8_t* pixels = memory.Pixels();
  const auto dibRow = [&](std::uint32_t y) { return pixels + (l.height - 1 - y) * rowBytes; };
  if (passes > 1) {
    for (int pass = 0; pass < passes; ++pass)
      for (std::uint32_t y = 0; y < l.height; ++y) png_read_row(s.png, s.work + y * rawRowBytes, nullptr);
    for (std::uint32_t y = 0; y < l.height; ++y) ConvertRow(l, s.work + y * rawRowBytes, dibRow(y), rowBytes);
  } else {
    for (std::uint32_t y = 0; y < l.height; ++y) {
      png_read_row(s.png, s.work, nullptr);
      ConvertRow(l, s.work, dibRow(y), rowBytes);
    }
  }
  memory.ReleaseWork(s.work);
  s.work = nullptr;
  s.holdsPicture = false;

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

// Runs `body` on a fresh reader over the file; a fatal libpng error comes back here as its code,
// with the work buffer and the picture released.
template <class Body>
int Protected(const std::uint8_t* data, std::size_t size, PictureMemory* memory, Body body) {
  Session s;
  s.reader = Reader{data, size, 0};
  s.memory = memory;
  s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, OnError, OnWarning);
  if (s.png == nullptr) return kSpiNoMemory;
  s.info = png_create_info_struct(s.png);
  if (s.info == nullptr) {
    png_destroy_read_struct(&s.png, nullptr, nullptr);
    return kSpiNoMemory;
  }
  int result;
  if (setjmp(png_jmpbuf(s.png)) == 0) {
    result = body(s);
  } else {
    result = s.failure;
    if (s.work != nullptr) s.memory->ReleaseWork(s.work);
    if (s.holdsPicture) s.memory->ReleasePicture();
  }
  png_destroy_read_struct(&s.png, &s.info, nullptr);
  return result;
}

}  // namespace

bool HasPngSignature(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= kSignatureBytes && png_sig_cmp(data, 0, kSignatureBytes) == 0;
}

bool HasPngExtension(const char* name) { return HasExtension(name, kExtensions, std::size(kExtensions)); }

int ReadPngInfo(const std::uint8_t* data, std::size_t size, PngInfo* info) {
  if (!HasPngSignature(data, size)) return kSpiNotFormat;
  return Protected(data, size, nullptr, [&](Session& s) { return ReadInfoBody(s, info); });
}

int DecodePng(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress) {
  if (!HasPngSignature(data, size)) return kSpiNotFormat;
  return Protected(data, size, &memory, [&](Session& s) { return DecodeBody(s, memory, progress); });
}

}  // namespace tarn::png
