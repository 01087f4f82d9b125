#include "JpegDecode.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iterator>

#include <jerror.h>
#include <jpeglib.h>

#include "ExifOrientation.h"
#include "common/DibLayout.h"
#include "common/PluginCodes.h"
#include "common/PluginNames.h"

namespace tarn::jpeg {
namespace {

constexpr const char* kExtensions[] = {".jpg", ".jpeg", ".jpe", ".jfif"};

// What libjpeg may allocate for one picture on top of the pixel block: enough for the
// coefficients of a progressive picture at the pixel-block cap, and no more.
constexpr long kMaxLibraryMemory = 1L << 30;

// A progressive file may hold any number of scans, each one a pass over the whole picture; a
// few hundred is far beyond what any encoder writes, and ends a file built to keep us busy.
constexpr int kMaxScans = 500;

// One libjpeg decompressor and the way back out of it. libjpeg reports a fatal error by calling
// error_exit, which must not return; ours jumps back to the call that started the work. The
// functions between the jump and its target hold nothing that needs a destructor: libjpeg's own
// memory lives in its pools, freed by jpeg_destroy_decompress, and the picture is released by
// the caller through `picture`.
struct Session {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  jpeg_progress_mgr monitor;
  std::jmp_buf jump;
  int failure = kSpiBroken;
  bool created = false;
  PictureMemory* picture = nullptr;  // held picture to release when the library fails
};

[[noreturn]] void Fail(j_common_ptr cinfo, int code) {
  Session* s = static_cast<Session*>(cinfo->client_data);
  s->failure = code;
  std::longjmp(s->jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
  const int message = cinfo->err->msg_code;
  Fail(cinfo, message == JERR_OUT_OF_MEMORY || message == JERR_NO_BACKING_STORE ? kSpiNoMemory
                                                                                 : kSpiBroken);
}

// Warnings about corrupt data are not shown: there is no console, and the picture goes on.
void OutputMessage(j_common_ptr) {}

void MonitorScans(j_common_ptr cinfo) {
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->progressive_mode && d->input_scan_number > kMaxScans) Fail(cinfo, kSpiBroken);
}

void Prepare(Session& s) {
  s.cinfo.err = jpeg_std_error(&s.err);
  s.err.error_exit = ErrorExit;
  s.err.output_message = OutputMessage;
  s.cinfo.client_data = &s;
  s.monitor.progress_monitor = MonitorScans;
}

// Creates the decompressor and reads the headers, keeping APP1 markers for the EXIF block.
void Begin(Session& s, const std::uint8_t* data, std::size_t size) {
  jpeg_create_decompress(&s.cinfo);
  s.created = true;
  s.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  s.cinfo.progress = &s.monitor;
  jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&s.cinfo, JPEG_APP0 + 1, 0xFFFF);
  // A file of tables only has no picture.
  if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) Fail(reinterpret_cast<j_common_ptr>(&s.cinfo), kSpiBroken);
}

int OrientationOf(j_decompress_ptr cinfo) {
  // APP1 also carries XMP; the first block that is EXIF decides.
  for (jpeg_saved_marker_ptr m = cinfo->marker_list; m != nullptr; m = m->next)
    if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
      return ExifOrientation(m->data, m->data_length);
  return kOrientationNormal;
}

struct Density {
  std::uint16_t xDpi = 0, yDpi = 0;
  std::int32_t xPpm = 0, yPpm = 0;  // pixels per metre, for the DIB header
};

// The JFIF density, when the file states one in dots per inch (unit 1) or per centimetre (2).
// Unit 0 gives only the pixel aspect ratio, which is no density.
Density DensityOf(j_decompress_ptr cinfo, bool swap) {
  Density d;
  if (!cinfo->saw_JFIF_marker) return d;
  const std::uint32_t x = cinfo->X_density, y = cinfo->Y_density;
  if (cinfo->density_unit == 1) {
    d.xDpi = static_cast<std::uint16_t>(x);
    d.yDpi = static_cast<std::uint16_t>(y);
    d.xPpm = static_cast<std::int32_t>((x * 10000 + 127) / 254);
    d.yPpm = static_cast<std::int32_t>((y * 10000 + 127) / 254);
  } else if (cinfo->density_unit == 2) {
    d.xDpi = static_cast<std::uint16_t>(std::min<std::uint32_t>((x * 254 + 50) / 100, 65535));
    d.yDpi = static_cast<std::uint16_t>(std::min<std::uint32_t>((y * 254 + 50) / 100, 65535));
    d.xPpm = static_cast<std::int32_t>(x * 100);
    d.yPpm = static_cast<std::int32_t>(y * 100);
  }
  if (swap) {
    std::swap(d.xDpi, d.yDpi);
    std::swap(d.xPpm, d.yPpm);
  }
  return d;
}

bool IsGrey(j_decompress_ptr cinfo) { return cinfo->jpeg_color_space == JCS_GRAYSCALE; }
bool IsCmyk(j_decompress_ptr cinfo) {
  return cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
}

int ReadInfoBody(Session& s, const std::uint8_t* data, std::size_t size, JpegInfo* info) {
  Begin(s, data, size);
  j_decompress_ptr c = &s.cinfo;
  const int orientation = OrientationOf(c);
  const bool swap = SwapsSides(orientation);
  const Density d = DensityOf(c, swap);
  *info = JpegInfo{};
  info->width = swap ? c->image_height : c->image_width;
  info->height = swap ? c->image_width : c->image_height;
  info->bitCount = IsGrey(c) ? 8 : 24;
  info->orientation = orientation;
  info->xDpi = d.xDpi;
  info->yDpi = d.yDpi;
  return kSpiOk;
}

// CMYK to blue, green, red. Files with an Adobe marker store the inks inverted (as Photoshop
// writes them, and as libjpeg delivers YCCK); files without one store them as they are.
inline void CmykToBgr(const std::uint8_t* cmyk, bool inverted, std::uint8_t* bgr) {
  unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
  if (!inverted) {
    c = 255 - c;
    m = 255 - m;
    y = 255 - y;
    k = 255 - k;
  }
  bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
  bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
  bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
}

// True once a scan of the DC coefficients of every component has begun. At 1/8 a block gives one
// pixel (two by two for subsampled colour), and its DC coefficient, the block's average, is nearly
// all of it.
bool HasAllDc(j_decompress_ptr cinfo) {
  for (int i = 0; i < cinfo->num_components; ++i)
    if (cinfo->coef_bits[i][0] < 0) return false;
  return true;
}

// Reads the scans of a progressive file up to the end of the first one after which every
// component has its DC coefficients (or to the end of the file), and starts the output from what
// they hold. The AC scans after them, most of the file, are never decoded. The low DC bits that
// only a later refinement scan sends are missing, which at the usual qualities moves a preview
// pixel by a level or two.
void ReadDcScans(j_decompress_ptr cinfo) {
  for (;;) {
    const int status = jpeg_consume_input(cinfo);  // the memory source never suspends
    if (status == JPEG_REACHED_EOI || (status == JPEG_SCAN_COMPLETED && HasAllDc(cinfo))) break;
  }
  jpeg_start_output(cinfo, cinfo->input_scan_number);
}

int DecodeBody(Session& s, const std::uint8_t* data, std::size_t size, Scale scale,
               PictureMemory& memory, ProgressReport* progress) {
  Begin(s, data, size);
  j_decompress_ptr c = &s.cinfo;
  const int orientation = OrientationOf(c);
  const bool swap = SwapsSides(orientation);
  const bool grey = IsGrey(c);
  const bool cmyk = IsCmyk(c);
  const bool inverted = cmyk && c->saw_Adobe_marker;
  c->out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  bool dcOnly = false;
  if (scale == Scale::kPreview) {
    c->scale_num = 1;
    c->scale_denom = static_cast<unsigned>(PreviewDenominator(c->image_width, c->image_height));
    // A catalog cell shows a few dozen pixels of it: the fast paths lose nothing visible.
    c->dct_method = JDCT_IFAST;
    c->do_fancy_upsampling = FALSE;
    c->do_block_smoothing = FALSE;
    // Buffered-image mode lets the output start before the last scan is read.
    dcOnly = c->progressive_mode && c->scale_denom == 8;
    if (dcOnly) c->buffered_image = TRUE;
  }
  jpeg_calc_output_dimensions(c);
  const std::uint32_t w = c->output_width, h = c->output_height;
  const std::uint32_t outW = swap ? h : w, outH = swap ? w : h;
  const int bitCount = grey ? 8 : 24;
  const std::size_t px = grey ? 1 : 3;
  const std::uint64_t rowBytes = DibRowBytes(outW, bitCount);
  const std::uint64_t blockBytes = rowBytes * outH;
  if (w == 0 || h == 0) return kSpiBroken;  // libjpeg refuses empty frames itself; kept for safety
  if (blockBytes > kMaxPixelBlockBytes) return kSpiNoMemory;

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;

  const std::size_t paletteBytes = grey ? 256 * 4 : 0;
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + paletteBytes, blockBytes);
  if (allocated != kSpiOk) return allocated;
  s.picture = &memory;

  const Density d = DensityOf(c, swap);
  DibHeader header;
  header.biWidth = static_cast<std::int32_t>(outW);
  header.biHeight = static_cast<std::int32_t>(outH);
  header.biBitCount = static_cast<std::uint16_t>(bitCount);
  header.biSizeImage = static_cast<std::uint32_t>(blockBytes);
  header.biXPelsPerMeter = d.xPpm;
  header.biYPelsPerMeter = d.yPpm;
  header.biClrUsed = grey ? 256 : 0;
  StoreDibHeader(header, memory.Info());
  for (unsigned i = 0; grey && i < 256; ++i) {
    std::uint8_t* entry = memory.Info() + kDibHeaderBytes + i * 4;
    entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
    entry[3] = 0;
  }

  jpeg_start_decompress(c);
  if (dcOnly) ReadDcScans(c);
  std::uint8_t* pixels = memory.Pixels();
  // Upright colour and grey rows go straight into the DIB; turned or CMYK rows pass a row buffer.
  const bool direct = orientation == kOrientationNormal && !cmyk;
  JSAMPARRAY buffer = direct ? nullptr
                             : (*c->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(c), JPOOL_IMAGE,
                                                       w * static_cast<unsigned>(c->output_components), 1);
  while (c->output_scanline < h) {
    const RowPlacement p = PlaceRow(orientation, c->output_scanline, w, h, rowBytes, px);
    std::uint8_t* dst = pixels + p.start;
    JSAMPROW row = direct ? dst : buffer[0];
    // The memory source never suspends, so every call delivers its row.
    if (jpeg_read_scanlines(c, &row, 1) != 1) Fail(reinterpret_cast<j_common_ptr>(c), kSpiBroken);
    if (direct) continue;
    const std::uint8_t* src = buffer[0];
    if (cmyk) {
      for (std::uint32_t x = 0; x < w; ++x, src += 4, dst += p.step) CmykToBgr(src, inverted, dst);
    } else if (grey) {
      for (std::uint32_t x = 0; x < w; ++x, dst += p.step) *dst = src[x];
    } else {
      for (std::uint32_t x = 0; x < w; ++x, src += 3, dst += p.step) std::memcpy(dst, src, 3);
    }
  }
  const std::size_t used = outW * px;
  if (used < rowBytes)
    for (std::uint32_t y = 0; y < outH; ++y) std::memset(pixels + y * rowBytes + used, 0, rowBytes - used);
  s.picture = nullptr;

  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

// Runs `body` on a fresh session; a fatal libjpeg error comes back here as its code, with the
// picture released and the decompressor destroyed.
template <class Body>
int Protected(Body body) {
  Session s;
  Prepare(s);
  int result;
  if (setjmp(s.jump) == 0) {
    result = body(s);
  } else {
    result = s.failure;
    if (s.picture != nullptr) s.picture->ReleasePicture();
  }
  if (s.created) jpeg_destroy_decompress(&s.cinfo);
  return result;
}

// libjpeg counts its input in unsigned long, which has 32 bits in 64-bit Windows.
constexpr bool FitsLibjpeg(std::size_t size) {
  if constexpr (sizeof(std::size_t) > sizeof(unsigned long)) return size <= ULONG_MAX;
  return true;
}

}  // namespace

bool HasJpegSignature(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= kSignatureBytes && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool HasJpegExtension(const char* name) { return HasExtension(name, kExtensions, std::size(kExtensions)); }

int PreviewDenominator(std::uint32_t width, std::uint32_t height) {
  const std::uint64_t longer = std::max(width, height);
  for (const int d : {8, 4, 2})
    if ((longer + d - 1) / d >= kPreviewSide) return d;
  return 1;
}

int ReadJpegInfo(const std::uint8_t* data, std::size_t size, JpegInfo* info) {
  if (!HasJpegSignature(data, size)) return kSpiNotFormat;
  if (!FitsLibjpeg(size)) return kSpiNoMemory;
  return Protected([&](Session& s) { return ReadInfoBody(s, data, size, info); });
}

int DecodeJpeg(const std::uint8_t* data, std::size_t size, Scale scale, PictureMemory& memory,
               ProgressReport* progress) {
  if (!HasJpegSignature(data, size)) return kSpiNotFormat;
  if (!FitsLibjpeg(size)) return kSpiNoMemory;
  return Protected([&](Session& s) { return DecodeBody(s, data, size, scale, memory, progress); });
}

}  // namespace tarn::jpeg
