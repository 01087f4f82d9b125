// TarnGif's decoder and its state between calls: the sense exchange that prepares playback, and
// the decode of a still picture or of frame r with the canvas on which frames are composed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "GifScan.h"
#include "common/PictureMemory.h"
#include "common/PluginCodes.h"

namespace tarn::gif {

// The message boxes the plug-in shows: text and caption, UTF-8.
class Notice {
 public:
  virtual ~Notice() = default;
  virtual void Show(const char* text, const char* caption) = 0;
};

// Whole files by name, as the sense scan reads them.
class FileSource {
 public:
  enum Status { kLoaded, kOpenFailed, kNoMemory };
  virtual ~FileSource() = default;
  // Reads all of `name`; the bytes stay valid until Release() or the next Load().
  virtual Status Load(const char* name) = 0;
  virtual const std::uint8_t* Data() const = 0;
  virtual std::size_t Size() const = 0;
  virtual void Release() = 0;
};

// Sense cells as TarnGif uses them (pInfo of SensePlugIn, lData of GetPicture).
enum GifCell : int {
  kCellCommand = 0,  // command in; frames, or frame number to decode
  kCellCycles = 1,
  kCellDelay = 3,    // written while decoding a frame
  kCellLeft = 4,
  kCellTop = 5,
};

// Loop setting: 0 first image only, 1 one cycle, 2 standard, 3 standard x 2.
constexpr int kDefaultLoopSelect = 2;

// The value of "LoopSelect" as read from the settings file with the default "Nothing": the text
// when present (read as atoi does), else `current`. A value no dialog writes (outside 0 to 3)
// keeps `current` as well, so a hand-edited file cannot stop an animation from ever cycling.
int LoopSelectFromProfile(const char* text, int current);

// Pictures larger than this are refused as allocation failures: no 32-bit process could hold them.
constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{1} << 30;

struct Canvas {
  std::unique_ptr<std::uint8_t[]> bytes;  // height rows of `stride` bytes, bottom row first
  int width = 0, height = 0, depth = 0;
  std::size_t stride = 0;

  std::size_t Bytes() const { return stride * static_cast<std::size_t>(height); }
  // Pixel at column x of row y counted from the top; outside the canvas nothing happens (and Get
  // answers 0).
  void Put(int x, int y, std::uint8_t index);
  std::uint8_t Get(int x, int y) const;
  // The rectangle clipped to the canvas, set to `index`.
  void Fill(int left, int top, int width, int height, std::uint8_t index);
};

class GifPlayer {
 public:
  int loopSelect = kDefaultLoopSelect;
  std::uint64_t canvasLimit = kMaxPictureBytes;  // a larger canvas counts as not allocatable

  // SensePlugIn: spiName must be "TarnGif.spi"; commands -3, -2, -1 or a frame number in cells[0].
  int Sense(const char* spiName, const char* fileName, SenseCell* cells, FileSource& files, Notice& notice);

  // GetPicture's decode of `size` bytes of GIF file. `cells` is lData: null for a still load,
  // else the sense cells with the frame number in cells[0].
  int Decode(const std::uint8_t* data, std::size_t size, SenseCell* cells, PictureMemory& memory,
             Notice& notice);

  // For tests: the state the calls leave behind.
  bool Composing() const { return compose_; }
  const Canvas& CurrentCanvas() const { return canvas_; }
  const ScanResult& LastScan() const { return scan_; }

 private:
  struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
  };
  // What lay under a frame that restores to previous, kept until the next frame puts it back:
  // the frame's rectangle clipped to the canvas, one index per pixel, top row first.
  struct SavedArea {
    Rect rect;
    std::unique_ptr<std::uint8_t[]> indices;
  };
  bool SaveUnder(const Rect& frame);
  void RestoreSaved();
  void Reset();
  int Scan(const std::uint8_t* data, std::size_t size, Notice& notice);
  bool PrepareCanvas();

  ScanResult scan_;
  bool compose_ = false;
  Canvas canvas_;
  bool transparent_ = false;
  std::uint8_t transparentIndex_ = 0;
  int disposal_ = 0;
  int previousDisposal_ = 0;
  Rect previous_;
  SavedArea saved_;
};

}  // namespace tarn::gif
