// What the current picture's transforms keep between calls, and RotateMap, the one operation
// behind every turn, flip, brightness change and return to the first state. The loaded pixels
// are never written: a change goes into a work buffer, so returning to the first state only
// drops that buffer. The caller hands in its locked picture blocks on every call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "BrightLevels.h"
#include "TransState.h"
#include "TransformGeometry.h"

namespace tarn {

enum RotateOp : int {
  kRotateRestore = 0,           // "元に戻す(&U)"
  kRotateClockwise = 1,         // "右90度(&R)"
  kRotateCounterClockwise = 2,  // "左90度(&L)"
  kRotateHalfTurn = 3,          // "180度(&T)"
  kRotateFlipTopBottom = 4,     // "上下反転(&V)"
  kRotateFlipLeftRight = 5,     // "左右反転(&H)"
  kRotateBrightness = 6,        // "輝度変更(&B)"
  kRotateKeptBrightness = 7,    // the kept level given to a freshly displayed picture
};

// The turns and flips, in order, that stand a picture stored as EXIF `orientation` (1 to 8) says
// upright; kRotateRestore where none is needed.
std::array<int, 2> UprightingTurns(int orientation);

// RotateMap's answers besides 0.
constexpr int kRotateFailed = -1;
// The work buffer or its temporary copy could not be had; the picture keeps its previous state.
constexpr int kRotateNoMemory = -2;

// The picture as its owner holds it.
struct PictureBlocks {
  std::uint8_t* info = nullptr;        // BITMAPINFOHEADER and colour table; null when none loaded
  std::size_t infoSize = 0;
  const std::uint8_t* bits = nullptr;  // the loaded pixel rows, bottom row first
  std::size_t bitsSize = 0;
};

class PictureTransforms {
 public:
  PictureTransforms() = default;
  PictureTransforms(const PictureTransforms&) = delete;
  PictureTransforms& operator=(const PictureTransforms&) = delete;

  // Runs operation `op` (RotateOp) on `picture`: 0 on success, kRotateFailed (with the user told
  // of an unsupported bit count or an unknown op; silently when no picture is loaded or its
  // blocks are too small for its header), or kRotateNoMemory. Quarter turns swap biWidth and
  // biHeight in the header; palette brightness rewrites the header's colour table. The return to
  // the first state sets bright.level to 0.
  int RotateMap(int op, const PictureBlocks& picture, BrightLevels& bright);

  // Drops the work buffer: the loaded bits are current again.
  void DiscardWork();
  // A new picture was loaded: untouched, no work buffer, no saved colour table, not turned.
  void ForgetPicture();

  TransState State() const { return m_TransState; }
  // True while an odd number of quarter turns is in force.
  bool Swapped() const { return m_SwapFlag; }
  // True while a palette brightness change is in force (the state stays 0 for it).
  bool PaletteChanged() const { return !m_SavedPalette.empty(); }
  // The pixels to draw or write: the work buffer once anything was changed in it.
  const std::uint8_t* CurrentBits(const std::uint8_t* loadedBits) const {
    return m_TransState > kTransUntouched ? m_WorkBits.get() : loadedBits;
  }

 private:
  int TakePictureGeometry(const PictureBlocks& picture);
  int TurnOrFlip(int op, const PictureBlocks& picture);
  int ChangeBrightness(const PictureBlocks& picture, const BrightLevels& bright);
  int ChangePaletteBrightness(const PictureBlocks& picture, int level);
  int ReturnToFirstState(const PictureBlocks& picture, BrightLevels& bright);
  bool LoadedBitsFit(const PictureBlocks& picture) const;
  std::uint8_t* ColourTable(const PictureBlocks& picture, std::uint32_t entries) const;

  TransState m_TransState = kTransUntouched;
  bool m_SwapFlag = false;
  TransformGeometry m_Geometry;
  std::unique_ptr<std::uint8_t[]> m_WorkBits;  // owned; holds the current pixels while state > 0
  std::vector<std::uint8_t> m_SavedPalette;    // the colour table as loaded, while it is changed
};

}  // namespace tarn
