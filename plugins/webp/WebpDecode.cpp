#include "WebpDecode.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include <webp/decode.h>
#include <webp/demux.h>

#include "common/DibLayout.h"
#include "common/OverWhite.h"
#include "common/PluginCodes.h"
#include "common/PluginNames.h"

namespace tarn::webp {
namespace {

constexpr const char* kExtensions[] = {".webp"};

int CodeOf(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OK: return kSpiOk;
    case VP8_STATUS_OUT_OF_MEMORY: return kSpiNoMemory;
    default: return kSpiBroken;
  }
}

int ReadFeatures(const std::uint8_t* data, std::size_t size, WebPBitstreamFeatures* features) {
  if (!HasWebpSignature(data, size)) return kSpiNotFormat;
  const int code = CodeOf(WebPGetFeatures(data, size, features));
  if (code != kSpiOk) return code;
  return features->width > 0 && features->height > 0 ? kSpiOk : kSpiBroken;
}

// The picture blocks of a 24-bit picture of `size`, its header written; the rows are left to the
// caller, their padding cleared.
int AllocateDib(PictureSize size, PictureMemory& memory) {
  const std::uint64_t rowBytes = DibRowBytes(size.width, 24);
  const int allocated = memory.AllocatePicture(kDibHeaderBytes, rowBytes * size.height);
  if (allocated != kSpiOk) return allocated;
  DibHeader header;
  header.biWidth = static_cast<std::int32_t>(size.width);
  header.biHeight = static_cast<std::int32_t>(size.height);
  header.biBitCount = 24;
  header.biSizeImage = static_cast<std::uint32_t>(rowBytes * size.height);
  StoreDibHeader(header, memory.Info());
  const std::size_t used = size.width * 3u;
  if (used < rowBytes)
    for (std::uint32_t y = 0; y < size.height; ++y) std::memset(memory.Pixels() + y * rowBytes + used, 0, rowBytes - used);
  return kSpiOk;
}

// Rows of blue, green, red, alpha (`height` of them, top row first) into the DIB's rows, bottom
// row first, over white.
void PutOverWhite(const std::uint8_t* bgra, std::size_t stride, PictureSize size, std::uint8_t* pixels) {
  const std::uint64_t rowBytes = DibRowBytes(size.width, 24);
  for (std::uint32_t y = 0; y < size.height; ++y) {
    const std::uint8_t* src = bgra + y * stride;
    std::uint8_t* dst = pixels + (size.height - 1 - y) * rowBytes;
    for (std::uint32_t x = 0; x < size.width; ++x, src += 4, dst += 3) {
      dst[0] = OverWhite8(src[0], src[3]);
      dst[1] = OverWhite8(src[1], src[3]);
      dst[2] = OverWhite8(src[2], src[3]);
    }
  }
}

// A still picture: opaque ones straight into the DIB, flipped by the library; transparent ones
// through a work buffer of blue, green, red and alpha.
int DecodeStill(const std::uint8_t* data, std::size_t size, const WebPBitstreamFeatures& features, PictureSize out,
                PictureMemory& memory) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return kSpiInternal;
  const PictureSize full{static_cast<std::uint32_t>(features.width), static_cast<std::uint32_t>(features.height)};
  if (!(out == full)) {
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(out.width);
    config.options.scaled_height = static_cast<int>(out.height);
  }
  const std::uint64_t rowBytes = DibRowBytes(out.width, 24);
  const std::uint64_t workBytes = features.has_alpha ? std::uint64_t{out.width} * 4 * out.height : 0;
  if (workBytes > kMaxPixelBlockBytes) return kSpiNoMemory;

  const int allocated = AllocateDib(out, memory);
  if (allocated != kSpiOk) return allocated;
  std::uint8_t* work = nullptr;
  WebPRGBABuffer& target = config.output.u.RGBA;
  config.output.is_external_memory = 1;
  if (features.has_alpha) {
    work = memory.AllocateWork(static_cast<std::size_t>(workBytes));
    if (work == nullptr) {
      memory.ReleasePicture();
      return kSpiLockFailed;
    }
    config.output.colorspace = MODE_BGRA;
    target.rgba = work;
    target.stride = static_cast<int>(out.width * 4);
    target.size = static_cast<std::size_t>(workBytes);
  } else {
    config.output.colorspace = MODE_BGR;
    config.options.flip = 1;
    target.rgba = memory.Pixels();
    target.stride = static_cast<int>(rowBytes);
    target.size = static_cast<std::size_t>(rowBytes * out.height);
  }
  const int code = CodeOf(WebPDecode(data, size, &config));
  WebPFreeDecBuffer(&config.output);
  if (code == kSpiOk && work != nullptr) PutOverWhite(work, out.width * 4u, out, memory.Pixels());
  if (work != nullptr) memory.ReleaseWork(work);
  if (code != kSpiOk) memory.ReleasePicture();
  return code;
}

// The first frame of an animation, as the library composes it on the canvas.
int DecodeFirstFrame(const std::uint8_t* data, std::size_t size, PictureSize canvas, PictureMemory& memory) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) return kSpiInternal;
  options.color_mode = MODE_BGRA;
  options.use_threads = 0;
  const WebPData whole{data, size};
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&whole, &options);
  if (decoder == nullptr) return kSpiBroken;
  WebPAnimInfo info;
  std::uint8_t* frame = nullptr;
  int timestamp = 0;
  int code = kSpiBroken;
  if (WebPAnimDecoderGetInfo(decoder, &info) && info.canvas_width == canvas.width &&
      info.canvas_height == canvas.height && WebPAnimDecoderGetNext(decoder, &frame, &timestamp)) {
    code = AllocateDib(canvas, memory);
    if (code == kSpiOk) PutOverWhite(frame, canvas.width * 4u, canvas, memory.Pixels());
  }
  WebPAnimDecoderDelete(decoder);
  return code;
}

}  // namespace

bool HasWebpSignature(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= kSignatureBytes && std::memcmp(data, "RIFF", 4) == 0 &&
         std::memcmp(data + 8, "WEBP", 4) == 0;
}

bool HasWebpExtension(const char* name) { return HasExtension(name, kExtensions, std::size(kExtensions)); }

PictureSize PreviewSize(PictureSize full) {
  const std::uint32_t longer = std::max(full.width, full.height);
  if (longer <= kPreviewSide) return full;
  const auto scaled = [&](std::uint32_t side) {
    return std::max<std::uint32_t>(
        static_cast<std::uint32_t>((std::uint64_t{side} * kPreviewSide + longer / 2) / longer), 1);
  };
  return {scaled(full.width), scaled(full.height)};
}

int ReadWebpInfo(const std::uint8_t* data, std::size_t size, WebpInfo* info) {
  WebPBitstreamFeatures features;
  const int code = ReadFeatures(data, size, &features);
  if (code != kSpiOk) return code;
  *info = WebpInfo{};
  info->width = static_cast<std::uint32_t>(features.width);
  info->height = static_cast<std::uint32_t>(features.height);
  return kSpiOk;
}

int DecodeWebp(const std::uint8_t* data, std::size_t size, Scale scale, PictureMemory& memory,
               ProgressReport* progress) {
  WebPBitstreamFeatures features;
  const int read = ReadFeatures(data, size, &features);
  if (read != kSpiOk) return read;
  const PictureSize full{static_cast<std::uint32_t>(features.width), static_cast<std::uint32_t>(features.height)};
  const bool animated = features.has_animation != 0;
  const PictureSize out = scale == Scale::kPreview && !animated ? PreviewSize(full) : full;
  // The library's own canvas for an animation is four bytes a pixel, and it takes two.
  const std::uint64_t largest = animated ? std::uint64_t{full.width} * full.height * 8
                                         : DibRowBytes(out.width, 24) * out.height;
  if (largest > kMaxPixelBlockBytes) return kSpiNoMemory;

  if (ProgressStops(progress, 0, 1)) return kSpiStopped;
  const int code = animated ? DecodeFirstFrame(data, size, full, memory) : DecodeStill(data, size, features, out, memory);
  if (code != kSpiOk) return code;
  if (ProgressStops(progress, 1, 1)) {
    memory.ReleasePicture();
    return kSpiStopped;
  }
  return kSpiOk;
}

}  // namespace tarn::webp
