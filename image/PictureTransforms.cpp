#include "PictureTransforms.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "Brightness.h"
#include "PixelFlips.h"
#include "QuarterTurn.h"
#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "common/DibLayout.h"

namespace tarn {
namespace {

bool IsPaletteBitCount(int bitCount) { return PaletteEntries(bitCount) != 0; }

std::unique_ptr<std::uint8_t[]> TryAllocate(std::size_t bytes) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[bytes]());
}

}  // namespace

int PictureTransforms::RotateMap(int op, const PictureBlocks& picture, BrightLevels& bright) {
  if (op < kRotateRestore || op > kRotateKeptBrightness) {
    Say(SwitchMessage(u"CPictureWnd::RotateMap", op));
    return kRotateFailed;
  }
  if (op == kRotateRestore) return ReturnToFirstState(picture, bright);
  if (picture.info == nullptr || picture.infoSize < kDibHeaderBytes) return kRotateFailed;
  // A kept level is given only to a picture nothing has been done to yet.
  if (op == kRotateKeptBrightness && m_TransState != kTransUntouched) return 0;
  if (m_TransState == kTransUntouched) {
    const int taken = TakePictureGeometry(picture);
    if (taken != 0) return taken;
  }
  if (op <= kRotateFlipLeftRight) return TurnOrFlip(op, picture);
  return ChangeBrightness(picture, bright);
}

void PictureTransforms::DiscardWork() {
  m_WorkBits.reset();
  m_TransState = kTransUntouched;
}

void PictureTransforms::ForgetPicture() {
  DiscardWork();
  m_SavedPalette.clear();
  m_SwapFlag = false;
}

int PictureTransforms::TakePictureGeometry(const PictureBlocks& picture) {
  const DibHeader header = LoadDibHeader(picture.info);
  TransformGeometry geometry;
  switch (TakeGeometry(header.biWidth, header.biHeight, header.biBitCount, geometry)) {
    case GeometryResult::kOk:
      m_Geometry = geometry;
      return 0;
    case GeometryResult::kUnsupportedBitCount:
      Say(u"未対応の色数 m_BitCount= " + DecimalText(header.biBitCount) + u" <-d05>");
      return kRotateFailed;
    case GeometryResult::kBadSize:
      break;
  }
  return kRotateFailed;
}

bool PictureTransforms::LoadedBitsFit(const PictureBlocks& picture) const {
  return picture.bits != nullptr && picture.bitsSize >= m_Geometry.PixelsSize();
}

std::uint8_t* PictureTransforms::ColourTable(const PictureBlocks& picture,
                                             std::uint32_t entries) const {
  if (picture.info == nullptr || picture.infoSize < kDibHeaderBytes) return nullptr;
  const std::uint32_t headerSize = LoadDibHeader(picture.info).biSize;
  if (headerSize < kDibHeaderBytes || headerSize > picture.infoSize ||
      picture.infoSize - headerSize < std::size_t{entries} * 4)
    return nullptr;
  return picture.info + headerSize;
}

int PictureTransforms::TurnOrFlip(int op, const PictureBlocks& picture) {
  // From the first state the loaded bits are read directly; later the work buffer is both source
  // and destination, so its current pixels are copied aside first.
  std::unique_ptr<std::uint8_t[]> fresh;
  std::unique_ptr<std::uint8_t[]> copy;
  const std::uint8_t* src = nullptr;
  std::uint8_t* dst = nullptr;
  if (m_TransState == kTransUntouched) {
    if (!LoadedBitsFit(picture)) return kRotateFailed;
    fresh = TryAllocate(m_Geometry.workSize);
    if (!fresh) return kRotateNoMemory;
    src = picture.bits;
    dst = fresh.get();
  } else {
    copy = TryAllocate(m_Geometry.PixelsSize());
    if (!copy) return kRotateNoMemory;
    std::memcpy(copy.get(), m_WorkBits.get(), m_Geometry.PixelsSize());
    src = copy.get();
    dst = m_WorkBits.get();
  }

  switch (op) {
    case kRotateClockwise: QuarterTurn(src, dst, m_Geometry, TurnDirection::kClockwise); break;
    case kRotateCounterClockwise:
      QuarterTurn(src, dst, m_Geometry, TurnDirection::kCounterClockwise);
      break;
    case kRotateHalfTurn: HalfTurn(src, dst, m_Geometry); break;
    case kRotateFlipTopBottom: FlipTopBottom(src, dst, m_Geometry); break;
    default: FlipLeftRight(src, dst, m_Geometry); break;
  }

  if (op == kRotateClockwise || op == kRotateCounterClockwise) {
    SwapOrientation(m_Geometry);
    DibHeader header = LoadDibHeader(picture.info);
    header.biWidth = m_Geometry.width;
    header.biHeight = m_Geometry.height;
    StoreDibHeader(header, picture.info);
    m_SwapFlag = !m_SwapFlag;
  }
  if (fresh) m_WorkBits = std::move(fresh);
  m_TransState = TransStateAfterTurn(m_TransState);
  return 0;
}

int PictureTransforms::ChangeBrightness(const PictureBlocks& picture, const BrightLevels& bright) {
  if (IsPaletteBitCount(m_Geometry.bitCount)) return ChangePaletteBrightness(picture, bright.level);
  if (m_Geometry.bitCount < 24) {
    Say(u"未対応の色数 m_BitCount= " + DecimalText(m_Geometry.bitCount) + u" <-d07> ");
    return kRotateFailed;
  }

  const BrightnessPlan plan = PlanBrightness(m_TransState);
  const int offset = plan.byLevel ? bright.level : bright.delta;
  if (plan.fromLoadedBits) {
    if (!LoadedBitsFit(picture)) return kRotateFailed;
    if (!m_WorkBits) {
      m_WorkBits = TryAllocate(m_Geometry.workSize);
      if (!m_WorkBits) return kRotateNoMemory;
    }
    BrightenPixels(picture.bits, m_WorkBits.get(), m_Geometry, offset);
  } else {
    // Each byte depends only on itself, so the work buffer is changed where it lies.
    BrightenPixels(m_WorkBits.get(), m_WorkBits.get(), m_Geometry, offset);
  }
  m_TransState = plan.after;
  return 0;
}

int PictureTransforms::ChangePaletteBrightness(const PictureBlocks& picture, int level) {
  const std::uint32_t entries = PaletteEntries(m_Geometry.bitCount);
  std::uint8_t* table = ColourTable(picture, entries);
  if (table == nullptr) return kRotateFailed;
  // Always from the colours as loaded, so the level is absolute whatever came before.
  if (m_SavedPalette.empty()) m_SavedPalette.assign(table, table + std::size_t{entries} * 4);
  BrightenPalette(m_SavedPalette.data(), table, entries, level);
  return 0;
}

int PictureTransforms::ReturnToFirstState(const PictureBlocks& picture, BrightLevels& bright) {
  bright.level = 0;
  DiscardWork();
  if (picture.info == nullptr || picture.infoSize < kDibHeaderBytes) {
    m_SavedPalette.clear();
    m_SwapFlag = false;
    return kRotateFailed;
  }
  if (!m_SavedPalette.empty()) {
    std::uint8_t* table =
        ColourTable(picture, static_cast<std::uint32_t>(m_SavedPalette.size() / 4));
    if (table == nullptr) return kRotateFailed;
    std::memcpy(table, m_SavedPalette.data(), m_SavedPalette.size());
    m_SavedPalette.clear();
  }
  if (m_SwapFlag) {
    m_SwapFlag = false;
    DibHeader header = LoadDibHeader(picture.info);
    std::swap(header.biWidth, header.biHeight);
    StoreDibHeader(header, picture.info);
  }
  return 0;
}

std::array<int, 2> UprightingTurns(int orientation) {
  switch (orientation) {
    case 2: return {kRotateFlipLeftRight, kRotateRestore};
    case 3: return {kRotateHalfTurn, kRotateRestore};
    case 4: return {kRotateFlipTopBottom, kRotateRestore};
    case 5: return {kRotateClockwise, kRotateFlipLeftRight};  // the main diagonal
    case 6: return {kRotateClockwise, kRotateRestore};
    case 7: return {kRotateClockwise, kRotateFlipTopBottom};  // the other diagonal
    case 8: return {kRotateCounterClockwise, kRotateRestore};
    default: return {kRotateRestore, kRotateRestore};
  }
}

}  // namespace tarn
