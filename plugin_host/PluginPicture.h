// The picture a plug-in hands over: a BITMAPINFO block and a pixel block in local memory, and the
// comment block its information record may point to. Owned from the moment the registry delivers
// them until Reset or destruction, which unlock and free each of them once; locked for drawing in
// between. Movable, not copyable.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

#include "common/PluginAbi.h"

namespace tarn {

// Rows of a DIB whichever way up it is stored; a header's most negative height counts as the
// largest, which no block can hold.
inline int DibRows(const BITMAPINFOHEADER& header) {
  return header.biHeight >= 0 ? header.biHeight : header.biHeight == -0x7FFFFFFF - 1 ? 0x7FFFFFFF : -header.biHeight;
}

class PluginPicture {
 public:
  PluginPicture() = default;
  PluginPicture(PluginPicture&& other) noexcept { Take(other); }
  PluginPicture& operator=(PluginPicture&& other) noexcept {
    if (this != &other) {
      Reset();
      Take(other);
    }
    return *this;
  }
  PluginPicture(const PluginPicture&) = delete;
  PluginPicture& operator=(const PluginPicture&) = delete;
  ~PluginPicture() { Reset(); }

  // Lets go of what is held, then takes whatever handles `deliver(HLOCAL* info, HLOCAL* bits,
  // PictureInfo* record)` leaves, whatever it answers: a failed delivery may still have handed
  // some over. Answers what `deliver` answered.
  template <typename Deliver>
  int Receive(Deliver&& deliver) {
    Reset();
    HLOCAL info = nullptr, bits = nullptr;
    const int result = std::forward<Deliver>(deliver)(&info, &bits, &m_Record);
    m_hInfo = info;
    m_hBits = bits;
    return result;
  }
  // Locks both blocks; false when either is missing or cannot be locked.
  bool Lock();
  // Unlocks and frees both blocks and the record's comment block; the picture is empty after.
  void Reset();

  // The locked header with its colour table, or null.
  const BITMAPINFO* Info() const { return m_lpInfo; }
  BITMAPINFO* Info() { return m_lpInfo; }
  // The locked pixel rows, or null.
  const void* Bits() const { return m_lpBits; }
  // Bytes of each block, 0 when it is not locked.
  std::size_t InfoBytes() const;
  std::size_t BitsBytes() const;
  const PictureInfo& Record() const { return m_Record; }
  // Nothing held: no block and no comment block.
  bool IsEmpty() const { return m_hInfo == nullptr && m_hBits == nullptr && m_Record.hInfo == nullptr; }

  int Width() const { return m_lpInfo != nullptr ? m_lpInfo->bmiHeader.biWidth : 0; }
  int Rows() const { return m_lpInfo != nullptr ? DibRows(m_lpInfo->bmiHeader) : 0; }
  int BitCount() const { return m_lpInfo != nullptr ? m_lpInfo->bmiHeader.biBitCount : 0; }

 private:
  void Take(PluginPicture& other);

  HLOCAL m_hInfo = nullptr;
  HLOCAL m_hBits = nullptr;
  BITMAPINFO* m_lpInfo = nullptr;  // m_hInfo locked, or null
  void* m_lpBits = nullptr;        // m_hBits locked, or null
  // The registry clears the whole published record, two bytes more than this build's struct.
  union {
    PictureInfo m_Record;
    unsigned char m_RecordReserve[kPictureInfoReserve] = {};
  };
};

}  // namespace tarn
