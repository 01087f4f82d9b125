#include "GifPlayer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "GifFormat.h"
#include "GifLzw.h"
#include "common/DibLayout.h"

namespace tarn::gif {

int LoopSelectFromProfile(const char* text, int current) {
  if (text == nullptr || std::strcmp(text, "Nothing") == 0) return current;
  const int value = std::atoi(text);
  return value >= 0 && value <= 3 ? value : current;
}

void Canvas::Put(int x, int y, std::uint8_t index) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  std::uint8_t* row = bytes.get() + static_cast<std::size_t>(height - 1 - y) * stride;
  if (depth == 8) {
    row[x] = index;
  } else if (depth == 4) {
    std::uint8_t& b = row[x >> 1];
    b = (x & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F))
                : static_cast<std::uint8_t>((b & 0x0F) | (index & 0x0F) << 4);
  } else {
    const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    std::uint8_t& b = row[x >> 3];
    b = (index & 1) ? static_cast<std::uint8_t>(b | bit) : static_cast<std::uint8_t>(b & ~bit);
  }
}

std::uint8_t Canvas::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const std::uint8_t* row = bytes.get() + static_cast<std::size_t>(height - 1 - y) * stride;
  if (depth == 8) return row[x];
  if (depth == 4) return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

void Canvas::Fill(int left, int top, int w, int h, std::uint8_t index) {
  const int x0 = std::max(left, 0), y0 = std::max(top, 0);
  const int x1 = std::min(left + w, width), y1 = std::min(top + h, height);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) Put(x, y, index);
}

namespace {

// A colour-index value repeated over a whole byte of the given depth: what a fill of the whole
// canvas writes.
std::uint8_t FillByte(int depth, std::uint8_t index) {
  if (depth == 8) return index;
  if (depth == 4) return static_cast<std::uint8_t>((index & 0x0F) * 0x11);
  return (index & 1) ? 0xFF : 0x00;
}

struct GraphicControl {
  bool present = false;
  bool transparent = false;
  std::uint8_t transparentIndex = 0;
  int disposal = 0;
  int delay = 0;
};

struct FoundImage {
  ImageDescriptor descriptor;
  std::size_t localTable = 0;  // offset of the local colour table
  std::uint8_t minCodeSize = 0;
  std::size_t dataStart = 0;   // offset of the first data sub-block
  GraphicControl control;      // the one that preceded the image
};

// Reads blocks until image number `target` (from 1) has been read or the data ends; answers how
// many images were read, the last of them in *last.
int FindImage(const std::uint8_t* data, std::size_t size, const Screen& screen, int target, FoundImage* last) {
  Cursor c(data, size, kScreenEnd);
  if (!c.Skip(screen.globalTableBytes())) return 0;
  GraphicControl pending;
  int read = 0;
  std::uint8_t b;
  while (read < target && c.Byte(&b)) {
    if (b == kExtensionIntroducer) {
      std::uint8_t label;
      if (!c.Byte(&label)) break;
      if (label == kGraphicControlLabel && c.Left() >= 5 && c.Here()[0] >= 4) {
        const std::uint8_t* g = c.Here() + 1;
        pending.present = true;
        pending.transparent = (g[0] & 1) != 0;
        pending.disposal = (g[0] >> 2) & 7;
        pending.delay = g[1] | g[2] << 8;
        pending.transparentIndex = g[3];
      }
      SkipSubBlocks(c);
    } else if (b == kImageSeparator) {
      FoundImage found;
      if (!ReadImageDescriptor(c, &found.descriptor)) break;
      found.localTable = c.At();
      if (!c.Skip(found.descriptor.localTableBytes()) || !c.Byte(&found.minCodeSize)) break;
      found.dataStart = c.At();
      found.control = pending;
      pending = GraphicControl{};
      SkipSubBlocks(c);
      *last = found;
      ++read;
    } else {
      break;
    }
  }
  return read;
}

// The payload of the sub-blocks from `at`, joined. A sub-block cut short by the end of the data
// gives what there is.
std::size_t CodeBytes(const std::uint8_t* data, std::size_t size, std::size_t at, std::uint8_t* out) {
  std::size_t total = 0;
  while (at < size && data[at] != 0) {
    const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
    if (out != nullptr) std::memcpy(out + total, data + at + 1, length);
    total += length;
    at += 1 + length;
  }
  return total;
}

// Colour table entries (red, green, blue) as palette entries (blue, green, red, 0).
void PutPalette(const std::uint8_t* table, std::size_t entries, std::uint8_t* palette, std::size_t room) {
  for (std::size_t i = 0; i < std::min(entries, room); ++i) {
    palette[i * 4] = table[i * 3 + 2];
    palette[i * 4 + 1] = table[i * 3 + 1];
    palette[i * 4 + 2] = table[i * 3];
    palette[i * 4 + 3] = 0;
  }
}

// One image's index rows (top row first) packed into DIB rows of `depth` bits, bottom row first,
// each row padded with zero bytes.
void PackRows(const std::uint8_t* indices, int width, int height, int depth, std::size_t stride,
              std::uint8_t* pixels) {
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = indices + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    std::uint8_t* dst = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
    std::size_t used;
    if (depth == 8) {
      std::memcpy(dst, src, static_cast<std::size_t>(width));
      used = static_cast<std::size_t>(width);
    } else if (depth == 4) {
      used = static_cast<std::size_t>(width + 1) / 2;
      for (int x = 0; x + 1 < width; x += 2)
        dst[x >> 1] = static_cast<std::uint8_t>((src[x] & 0x0F) << 4 | (src[x + 1] & 0x0F));
      if (width & 1) dst[width >> 1] = static_cast<std::uint8_t>((src[width - 1] & 0x0F) << 4);
    } else {
      used = static_cast<std::size_t>(width + 7) / 8;
      std::memset(dst, 0, used);
      for (int x = 0; x < width; ++x)
        if (src[x] & 1) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
    std::memset(dst + used, 0, stride - used);
  }
}

}  // namespace

void GifPlayer::Reset() {
  compose_ = false;
  canvas_ = Canvas{};
  transparent_ = false;
  transparentIndex_ = 0;
  disposal_ = 0;
  previousDisposal_ = 0;
  previous_ = Rect{};
  saved_ = SavedArea{};
}

bool GifPlayer::PrepareCanvas() {
  const std::uint64_t stride = std::max<std::uint64_t>(DibRowBytes(scan_.width, scan_.depth), 1);
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(scan_.height);
  if (canvas_.bytes && canvas_.width == scan_.width && canvas_.height == scan_.height &&
      canvas_.depth == scan_.depth)
    return true;  // a frame-number command keeps the canvas it has
  canvas_ = Canvas{};
  if (bytes > canvasLimit || bytes > kMaxPictureBytes) return false;
  canvas_.bytes.reset(new (std::nothrow) std::uint8_t[std::max<std::uint64_t>(bytes, 1)]());
  if (!canvas_.bytes) return false;
  canvas_.width = scan_.width;
  canvas_.height = scan_.height;
  canvas_.depth = scan_.depth;
  canvas_.stride = static_cast<std::size_t>(stride);
  return true;
}

int GifPlayer::Scan(const std::uint8_t* data, std::size_t size, Notice& notice) {
  if (!ScanBlocks(data, size, &scan_)) {
    compose_ = false;
    canvas_ = Canvas{};
    return 0;  // a GIF8 version this walk does not know plays as a still picture
  }
  if (scan_.blockCountOver) notice.Show("動画再生を中止します ", "ブロックカウントオーバー");
  compose_ = NeedsCanvas(scan_);
  if (!compose_) {
    canvas_ = Canvas{};
    return FramesToPlay(scan_);
  }
  if (!PrepareCanvas()) {
    notice.Show("透過処理用メモリー確保失敗 ", "エラー");
    compose_ = false;
    return 0;
  }
  return FramesToPlay(scan_);
}

int GifPlayer::Sense(const char* spiName, const char* fileName, SenseCell* cells, FileSource& files,
                     Notice& notice) {
  if (spiName == nullptr || std::strcmp(spiName, "TarnGif.spi") != 0) return kSpiNotProvided;
  // A name the host could not convert cannot be opened: such a GIF is shown as a still picture.
  if (fileName != nullptr && std::strncmp(fileName, "[UNICODE].", 10) == 0) return kSpiInternal;
  if (cells == nullptr) return kSpiInternal;

  const SenseCell command = cells[kCellCommand];
  if (command < -3) return kSpiInternal;
  if (command < 0) {
    Reset();
    if (command != -2) cells[kCellCycles] = 0;
    if (command == -3) {
      cells[kCellCommand] = 0;
      return kSpiOk;
    }
  }

  if (fileName == nullptr) {
    notice.Show("ファイル名称が不当です<-4> ", "エラー");
    return kSpiInternal;
  }
  switch (files.Load(fileName)) {
    case FileSource::kLoaded: break;
    case FileSource::kOpenFailed:
      notice.Show("ファイルをオープンできません<-5> ", "エラー");
      return kSpiInternal;
    case FileSource::kNoMemory:
      notice.Show("データが壊れている<-6> ", "エラー");
      return kSpiBroken;
  }
  if (!HasGif8Signature(files.Data(), files.Size())) {
    files.Release();
    cells[kCellCommand] = 0;
    return kSpiNotProvided;
  }
  const int frames = Scan(files.Data(), files.Size(), notice);
  files.Release();

  if (frames < 2) {
    cells[kCellCommand] = 0;
    return kSpiOk;
  }
  if (command == -1) {
    const int cycles = StandardCycles(scan_.totalDelay, frames);
    switch (loopSelect) {
      case 0:
        cells[kCellCommand] = 0;
        cells[kCellCycles] = 0;
        return kSpiOk;
      case 1:
        cells[kCellCommand] = frames;
        cells[kCellCycles] = 1;
        return kSpiOk;
      case 2: cells[kCellCycles] = cycles; break;
      case 3: cells[kCellCycles] = cycles * 2; break;
      default: break;
    }
  }
  cells[kCellCommand] = frames;
  return kSpiOk;
}

bool GifPlayer::SaveUnder(const Rect& frame) {
  const int x0 = std::clamp(frame.left, 0, canvas_.width), y0 = std::clamp(frame.top, 0, canvas_.height);
  const int x1 = std::clamp(frame.left + frame.width, x0, canvas_.width);
  const int y1 = std::clamp(frame.top + frame.height, y0, canvas_.height);
  saved_.rect = Rect{x0, y0, x1 - x0, y1 - y0};
  saved_.indices.reset();
  const std::size_t pixels = static_cast<std::size_t>(saved_.rect.width) * static_cast<std::size_t>(saved_.rect.height);
  if (pixels == 0) return true;
  saved_.indices.reset(new (std::nothrow) std::uint8_t[pixels]);
  if (!saved_.indices) return false;
  std::uint8_t* out = saved_.indices.get();
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) *out++ = canvas_.Get(x, y);
  return true;
}

void GifPlayer::RestoreSaved() {
  if (!saved_.indices) return;
  const std::uint8_t* in = saved_.indices.get();
  const Rect& r = saved_.rect;
  for (int y = r.top; y < r.top + r.height; ++y)
    for (int x = r.left; x < r.left + r.width; ++x) canvas_.Put(x, y, *in++);
  saved_.indices.reset();
}

int GifPlayer::Decode(const std::uint8_t* data, std::size_t size, SenseCell* cells, PictureMemory& memory,
                      Notice& notice) {
  const int frame = cells != nullptr ? std::max<SenseCell>(cells[kCellCommand], 0) : 0;

  Screen screen;
  if (data == nullptr || size < 3 || std::memcmp(data, "GIF", 3) != 0 || !ReadScreen(data, size, &screen))
    return kSpiBroken;
  FoundImage image;
  if (FindImage(data, size, screen, std::max(frame, 1), &image) == 0) return kSpiBroken;
  const ImageDescriptor& d = image.descriptor;
  if (!screen.hasGlobalTable() && !d.hasLocalTable()) {
    notice.Show("カラーテーブルが有りません<-3> ", "エラー");
    return kSpiBroken;
  }
  const int depth = OutputDepth(screen.tableField());

  if (frame > 0) {
    transparent_ = image.control.transparent;
    transparentIndex_ = image.control.transparentIndex;
    disposal_ = image.control.disposal;
    if (image.control.present) cells[kCellDelay] = image.control.delay;
  }
  const bool composing = compose_ && frame >= 1 && canvas_.bytes && canvas_.depth == depth;
  if (composing && frame > 1 && previousDisposal_ == kDisposeToBackground)
    canvas_.Fill(previous_.left, previous_.top, previous_.width, previous_.height,
                 transparent_ ? transparentIndex_ : screen.background);
  if (composing && frame > 1 && previousDisposal_ == kDisposeToPrevious) RestoreSaved();

  const int outWidth = composing ? canvas_.width : d.width;
  const int outHeight = composing ? canvas_.height : d.height;
  if (outWidth == 0 || outHeight == 0) return kSpiBroken;
  const std::uint64_t framePixels = std::uint64_t{d.width} * d.height;
  const std::uint64_t stride = composing ? canvas_.stride : DibRowBytes(outWidth, depth);
  const std::uint64_t block = stride * static_cast<std::uint64_t>(outHeight);
  if (framePixels > kMaxPictureBytes || block > kMaxPictureBytes) return kSpiNoMemory;

  // The image's pixels, one byte each, top row first.
  std::uint8_t* indices = nullptr;
  if (framePixels > 0) {
    indices = memory.AllocateWork(static_cast<std::size_t>(framePixels));
    if (indices == nullptr) return kSpiNoMemory;
    std::memset(indices, 0, static_cast<std::size_t>(framePixels));
    const std::size_t codeBytes = CodeBytes(data, size, image.dataStart, nullptr);
    std::uint8_t* codes = memory.AllocateWork(std::max<std::size_t>(codeBytes, 1));
    if (codes == nullptr) {
      memory.ReleaseWork(indices);
      return kSpiNoMemory;
    }
    CodeBytes(data, size, image.dataStart, codes);
    const LzwOutcome lzw = DecodeLzw(codes, codeBytes, image.minCodeSize, d.width, d.height, d.interlaced(), indices);
    memory.ReleaseWork(codes);
    if (lzw.undecodable) {
      memory.ReleaseWork(indices);
      return kSpiBroken;
    }
  }

  if (cells != nullptr) {
    cells[kCellLeft] = composing ? 0 : d.left;
    cells[kCellTop] = composing ? 0 : d.top;
  }

  if (composing) {
    if (frame == 1)
      std::memset(canvas_.bytes.get(), FillByte(depth, transparent_ ? transparentIndex_ : screen.background),
                  canvas_.Bytes());
    const Rect drawn{d.left, d.top, d.width, d.height};
    if (disposal_ == kDisposeToPrevious && !SaveUnder(drawn)) {
      if (indices != nullptr) memory.ReleaseWork(indices);
      return kSpiNoMemory;
    }
    for (int y = 0; y < d.height; ++y) {
      const std::uint8_t* row = indices + static_cast<std::size_t>(y) * d.width;
      for (int x = 0; x < d.width; ++x)
        if (!transparent_ || row[x] != transparentIndex_) canvas_.Put(d.left + x, d.top + y, row[x]);
    }
    previous_ = drawn;
    previousDisposal_ = disposal_;
  }

  const std::size_t entries = PaletteEntries(depth);
  const int allocated = memory.AllocatePicture(kDibHeaderBytes + entries * 4, static_cast<std::size_t>(block));
  if (allocated != kSpiOk) {
    if (indices != nullptr) memory.ReleaseWork(indices);
    return allocated;
  }
  DibHeader header;
  header.biWidth = outWidth;
  header.biHeight = outHeight;
  header.biBitCount = static_cast<std::uint16_t>(depth);
  header.biSizeImage = static_cast<std::uint32_t>(block);
  header.biClrUsed = static_cast<std::uint32_t>(entries);
  StoreDibHeader(header, memory.Info());
  std::uint8_t* palette = memory.Info() + kDibHeaderBytes;
  std::memset(palette, 0, entries * 4);
  if (screen.hasGlobalTable())
    PutPalette(data + kScreenEnd, screen.globalTableBytes() / 3, palette, entries);
  if (d.hasLocalTable()) PutPalette(data + image.localTable, d.localTableBytes() / 3, palette, entries);

  if (composing)
    std::memcpy(memory.Pixels(), canvas_.bytes.get(), static_cast<std::size_t>(block));
  else
    PackRows(indices, d.width, d.height, depth, static_cast<std::size_t>(stride), memory.Pixels());
  if (indices != nullptr) memory.ReleaseWork(indices);
  return kSpiOk;
}

}  // namespace tarn::gif
