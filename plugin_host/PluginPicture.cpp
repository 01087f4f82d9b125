#include "PluginPicture.h"

#include <cstring>

namespace tarn {

bool PluginPicture::Lock() {
  if (m_lpInfo == nullptr && m_hInfo != nullptr) m_lpInfo = static_cast<BITMAPINFO*>(LocalLock(m_hInfo));
  if (m_lpBits == nullptr && m_hBits != nullptr) m_lpBits = LocalLock(m_hBits);
  return m_lpInfo != nullptr && m_lpBits != nullptr;
}

void PluginPicture::Reset() {
  if (m_lpInfo != nullptr) LocalUnlock(m_hInfo);
  if (m_lpBits != nullptr) LocalUnlock(m_hBits);
  if (m_hInfo != nullptr) LocalFree(m_hInfo);
  if (m_hBits != nullptr) LocalFree(m_hBits);
  if (m_Record.hInfo != nullptr) LocalFree(m_Record.hInfo);
  m_hInfo = m_hBits = nullptr;
  m_lpInfo = nullptr;
  m_lpBits = nullptr;
  m_Record.hInfo = nullptr;
}

std::size_t PluginPicture::InfoBytes() const { return m_lpInfo != nullptr ? LocalSize(m_hInfo) : 0; }
std::size_t PluginPicture::BitsBytes() const { return m_lpBits != nullptr ? LocalSize(m_hBits) : 0; }

void PluginPicture::Take(PluginPicture& other) {
  m_hInfo = std::exchange(other.m_hInfo, nullptr);
  m_hBits = std::exchange(other.m_hBits, nullptr);
  m_lpInfo = std::exchange(other.m_lpInfo, nullptr);
  m_lpBits = std::exchange(other.m_lpBits, nullptr);
  std::memcpy(m_RecordReserve, other.m_RecordReserve, sizeof m_RecordReserve);
  other.m_Record.hInfo = nullptr;
}

}  // namespace tarn
