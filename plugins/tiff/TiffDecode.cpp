#include "TiffDecode.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

#include <tiffio.h>

#include "common/DibLayout.h"
#include "common/Orientation.h"
#include "common/PluginCodes.h"
#include "common/PluginNames.h"

namespace tarn::tiff {
namespace {

constexpr const char* kExtensions[] = {".tif", ".tiff"};

// The file as libtiff sees it: a read-only block it may map, and a cursor that cannot pass its end.
struct Source {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::uint64_t at = 0;
  int failure = kSpiBroken;  // what the library's error means, once it reports one
};

tmsize_t Read(thandle_t h, void* out, tmsize_t bytes) {
  auto* s = static_cast<Source*>(h);
  if (bytes < 0 || s->at >= s->size) return 0;
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(bytes), s->size - s->at));
  std::memcpy(out, s->data + s->at, n);
  s->at += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t Write(thandle_t, void*, tmsize_t) { return 0; }

toff_t Seek(thandle_t h, toff_t offset, int whence) {
  auto* s = static_cast<Source*>(h);
  const std::uint64_t base = whence == SEEK_CUR ? s->at : whence == SEEK_END ? s->size : 0;
  s->at = base + offset;
  return s->at;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return static_cast<Source*>(h)->size; }

int Map(thandle_t h, void** base, toff_t* size) {
  auto* s = static_cast<Source*>(h);
  // libtiff reads strips in place from a mapped file and copies any it has to change.
  *base = const_cast<std::uint8_t*>(s->data);
  *size = s->size;
  return 1;
}

void Unmap(thandle_t, void*, toff_t) {}

// Errors decide the answer (libtiff names every failed allocation by "memory"); nothing is shown,
// since a plug-in has no console, and the library's own handlers are never reached.
int OnError(TIFF*, void* user, const char*, const char* format, va_list args) {
  char message[256];
  std::vsnprintf(message, sizeof message, format, args);
  static_cast<Source*>(user)->failure = std::strstr(message, "emory") != nullptr ? kSpiNoMemory : kSpiBroken;
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// An open TIFF over a block of memory, closed when it goes.
class OpenTiff {
 public:
  OpenTiff(const std::uint8_t* data, std::size_t size) {
    source_.data = data;
    source_.size = size;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr) return;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kMaxPixelBlockBytes));
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &source_);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &source_);
    tif_ = TIFFClientOpenExt("picture", "r", &source_, Read, Write, Seek, Close, Size, Map, Unmap, options);
    TIFFOpenOptionsFree(options);
  }
  ~OpenTiff() {
    if (tif_ != nullptr) TIFFClose(tif_);
  }
  OpenTiff(const OpenTiff&) = delete;
  OpenTiff& operator=(const OpenTiff&) = delete;

  TIFF* get() const { return tif_; }
  int Failure() const { return source_.failure; }

 private:
  Source source_;
  TIFF* tif_ = nullptr;
};

struct Page {
  std::uint32_t width = 0, height = 0;  // as stored
  int orientation = kOrientationNormal;
  std::uint16_t xDpi = 0, yDpi = 0;
  std::int32_t xPpm = 0, yPpm = 0;
};

std::uint16_t Dpi(float perUnit, std::uint16_t unit) {
  const double inch = unit == RESUNIT_CENTIMETER ? perUnit * 2.54 : perUnit;
  return static_cast<std::uint16_t>(std::clamp(inch + 0.5, 0.0, 65535.0));
}

// The first page's size, orientation and density; false when it is no picture the RGBA reader
// can show.
bool ReadPage(TIFF* tif, Page* page) {
  char why[1024];
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &page->width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &page->height) ||
      page->width == 0 || page->height == 0 || !TIFFRGBAImageOK(tif, why))
    return false;
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  page->orientation = orientation >= 1 && orientation <= 8 ? orientation : kOrientationNormal;
  float x = 0, y = 0;
  std::uint16_t unit = RESUNIT_INCH;
  TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  if (unit != RESUNIT_NONE && TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) && TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y) &&
      x > 0 && y > 0) {
    page->xDpi = Dpi(x, unit);
    page->yDpi = Dpi(y, unit);
    page->xPpm = static_cast<std::int32_t>(page->xDpi * 10000 / 254);
    page->yPpm = static_cast<std::int32_t>(page->yDpi * 10000 / 254);
    if (SwapsSides(page->orientation)) {
      std::swap(page->xDpi, page->yDpi);
      std::swap(page->xPpm, page->yPpm);
    }
  }
  return true;
}

// The library's colours are premultiplied by their alpha (it multiplies unassociated alpha
// itself), so white behind a pixel adds what the alpha leaves out.
inline std::uint8_t PremultipliedOverWhite(std::uint32_t colour, std::uint32_t alpha) {
  return static_cast<std::uint8_t>(std::min<std::uint32_t>(colour + 255 - alpha, 255));
}

// Raster rows (packed A, B, G, R; `height` rows of `width`, as stored, top row first) into the
// turned DIB.
void PutRows(const std::uint32_t* raster, const Page& page, std::size_t rowBytes, std::uint8_t* pixels) {
  for (std::uint32_t y = 0; y < page.height; ++y) {
    const RowPlacement p = PlaceRow(page.orientation, y, page.width, page.height, rowBytes, 3);
    std::uint8_t* dst = pixels + p.start;
    const std::uint32_t* src = raster + std::size_t{y} * page.width;
    for (std::uint32_t x = 0; x < page.width; ++x, dst += p.step) {
      const std::uint32_t v = src[x], a = TIFFGetA(v);
      dst[0] = PremultipliedOverWhite(TIFFGetB(v), a);
      dst[1] = PremultipliedOverWhite(TIFFGetG(v), a);
      dst[2] = PremultipliedOverWhite(TIFFGetR(v), a);
    }
  }
}

// Reads the whole page into `raster` in stored order: asking for the file's own orientation
// makes the library turn nothing, and PutRows turns it.
bool ReadRaster(TIFF* tif, const Page& page, std::uint32_t* raster) {
  char why[1024];
  TIFFRGBAImage image;
  if (!TIFFRGBAImageBegin(&image, tif, 1, why)) return false;
  image.req_orientation = static_cast<std::uint16_t>(page.orientation);
  const int ok = TIFFRGBAImageGet(&image, raster, page.width, page.height);
  TIFFRGBAImageEnd(&image);
  return ok != 0;
}

int DecodePage(const OpenTiff& open, PictureMemory& memory, ProgressReport* progress) {
  Page page;
  if (!ReadPage(open.get(), &page)) return open.Failure();
  const bool swap = SwapsSides(page.orientation);
  const std::uint32_t outW = swap ? page.height : page.width, outH = swap ? page.width : page.height;
  const std::uint64_t rowBytes = DibRowBytes(outW, 24);
  const std::uint64_t blockBytes = rowBytes * outH;
  const std::uint64_t rasterBytes = std::uint64_t{page.width} * page.height * 4;
  if (blockBytes > kMaxPixelBlockBytes || rasterBytes > kMaxPixelBlockBytes) return kSpiNoMemory;

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;
  auto* raster = reinterpret_cast<std::uint32_t*>(memory.AllocateWork(static_cast<std::size_t>(rasterBytes)));
  if (raster == nullptr) return kSpiNoMemory;
  if (!ReadRaster(open.get(), page, raster)) {
    memory.ReleaseWork(reinterpret_cast<std::uint8_t*>(raster));
    return open.Failure();
  }
  const int allocated = memory.AllocatePicture(kDibHeaderBytes, static_cast<std::size_t>(blockBytes));
  if (allocated != kSpiOk) {
    memory.ReleaseWork(reinterpret_cast<std::uint8_t*>(raster));
    return allocated;
  }
  DibHeader header;
  header.biWidth = static_cast<std::int32_t>(outW);
  header.biHeight = static_cast<std::int32_t>(outH);
  header.biBitCount = 24;
  header.biSizeImage = static_cast<std::uint32_t>(blockBytes);
  header.biXPelsPerMeter = page.xPpm;
  header.biYPelsPerMeter = page.yPpm;
  StoreDibHeader(header, memory.Info());
  std::uint8_t* pixels = memory.Pixels();
  const std::size_t used = outW * 3u;
  if (used < rowBytes)
    for (std::uint32_t y = 0; y < outH; ++y) std::memset(pixels + y * rowBytes + used, 0, rowBytes - used);
  PutRows(raster, page, static_cast<std::size_t>(rowBytes), pixels);
  memory.ReleaseWork(reinterpret_cast<std::uint8_t*>(raster));

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

}  // namespace

bool HasTiffSignature(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kSignatureBytes) return false;
  const bool little = data[0] == 'I' && data[1] == 'I' && (data[2] == 42 || data[2] == 43) && data[3] == 0;
  const bool big = data[0] == 'M' && data[1] == 'M' && data[2] == 0 && (data[3] == 42 || data[3] == 43);
  return little || big;
}

bool HasTiffExtension(const char* name) { return HasExtension(name, kExtensions, std::size(kExtensions)); }

int ReadTiffInfo(const std::uint8_t* data, std::size_t size, TiffInfo* info) {
  if (!HasTiffSignature(data, size)) return kSpiNotFormat;
  const OpenTiff open(data, size);
  if (open.get() == nullptr) return open.Failure();
  Page page;
  if (!ReadPage(open.get(), &page)) return open.Failure();
  const bool swap = SwapsSides(page.orientation);
  *info = TiffInfo{};
  info->width = swap ? page.height : page.width;
  info->height = swap ? page.width : page.height;
  info->orientation = page.orientation;
  info->xDpi = page.xDpi;
  info->yDpi = page.yDpi;
  return kSpiOk;
}

int DecodeTiff(const std::uint8_t* data, std::size_t size, PictureMemory& memory, ProgressReport* progress) {
  if (!HasTiffSignature(data, size)) return kSpiNotFormat;
  const OpenTiff open(data, size);
  if (open.get() == nullptr) return open.Failure();
  return DecodePage(open, memory, progress);
}

}  // namespace tarn::tiff
