#include "PluginRegistry.h"

#include <algorithm>
#include <cstring>

#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"
#include "plugin_host/MultiByteName.h"

namespace tarn {

int g_PluginCount = 0;

namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
  return EqualsIgnoreCase(WideView(a.c_str()), WideView(b.c_str()));
}

// A plug-in that fails may still have handed over handles; they are freed before the next
// plug-in writes its own into the same variables.
void FreeLeftovers(HLOCAL* outInfo, HLOCAL* outBits) {
  for (HLOCAL* h : {outInfo, outBits}) {
    if (*h != nullptr) LocalFree(*h);
    *h = nullptr;
  }
}

}  // namespace

bool CPluginRegistry::IsRegistered(const std::wstring& fileName, std::size_t before) const {
  for (std::size_t i = 0; i < before && i < m_Plugins.size(); ++i)
    if (SameName(m_Plugins[i]->FileName(), fileName)) return true;
  return false;
}

int CPluginRegistry::Enumerate(const wchar_t* folder) {
  std::wstring base = folder != nullptr ? folder : L"";
  if (base.size() > 1 && base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW((base + L"*.spi").c_str(), &found));
  if (!search.IsOpen()) return 0;

  const std::size_t start = m_Plugins.size();
  int added = 0;
  auto slot = std::make_unique<CSPICore>();
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!slot->Load((base + found.cFileName).c_str())) continue;  // the slot serves the next file
    const int kind = slot->GetApiKind() & m_AcceptedKinds;
    if (kind == 0 || kind == kApiMultiFlag || IsRegistered(slot->FileName(), start)) {
      slot->Unload();
      continue;
    }
    m_Plugins.push_back(std::move(slot));
    slot = std::make_unique<CSPICore>();
    ++added;
  } while (FindNextFileW(search.Get(), &found));
  m_Plugins.shrink_to_fit();
  g_PluginCount = Count();
  return added;
}

int CPluginRegistry::Load(Decoder decoder, const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits,
                          PictureInfo* info) {
  if (path == nullptr || outInfo == nullptr || outBits == nullptr) return 8;
  const PathReportScope once;
  std::vector<unsigned char> header;
  if (ReadHeaderBlock(path, &header) != 0) return 6;
  for (int i = 0; i < Count(); ++i) {
    CSPICore& spi = At(i);
    if (spi.m_Enabled != 1 || spi.IsSupported(path, header.data()) != 1) continue;
    const int result = decoder == Decoder::kPicture
                           ? spi.GetPicture(path, outInfo, outBits, m_ProgressCallback, m_lData)
                           : spi.GetPreview(path, 0, 0, outInfo, outBits, m_ProgressCallback, m_lData);
    if (result != 0) {
      FreeLeftovers(outInfo, outBits);
      continue;
    }
    if (info != nullptr) {
      std::memset(info, 0, kPictureInfoReserve);
      spi.GetPictureInfo(path, info);
    }
    m_LastPlugin = i;
    return 0;
  }
  return 2;
}

int CPluginRegistry::LoadPicture(const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits, PictureInfo* info) {
  return Load(Decoder::kPicture, path, outInfo, outBits, info);
}

int CPluginRegistry::LoadPreview(const wchar_t* path, HLOCAL* outInfo, HLOCAL* outBits, PictureInfo* info) {
  return Load(Decoder::kPreview, path, outInfo, outBits, info);
}

int CPluginRegistry::LoadFromMemory(const wchar_t* name, const std::uint8_t* data, std::size_t size,
                                    HLOCAL* outInfo, HLOCAL* outBits) {
  if (name == nullptr || data == nullptr || outInfo == nullptr || outBits == nullptr) return 8;
  // IsSupported reads a whole header block, whatever the picture's length.
  std::vector<unsigned char> header(kHeaderBlockBytes, 0);
  std::memcpy(header.data(), data, std::min<std::size_t>(size, kHeaderBlockBytes));
  for (int i = 0; i < Count(); ++i) {
    CSPICore& spi = At(i);
    if (spi.m_Enabled != 1 || spi.IsSupported(name, header.data()) != 1) continue;
    if (spi.GetPictureFromMemory(data, size, outInfo, outBits) == 0) {
      m_LastPlugin = i;
      return 0;
    }
    FreeLeftovers(outInfo, outBits);
  }
  return 2;
}

int CPluginRegistry::SenseDispatch(const wchar_t* spiName, const wchar_t* path, SenseCell* cells) {
  if (spiName == nullptr || path == nullptr || cells == nullptr) return 8;
  const PathReportScope once;
  std::vector<unsigned char> header;
  switch (ReadHeaderBlock(path, &header)) {
    case 1: return 61;
    case 2: return 62;
    case 3: return 63;
    default: break;
  }
  for (int i = 0; i < Count(); ++i) {
    CSPICore& spi = At(i);
    if (spi.m_Enabled != 1 || spi.IsSupported(path, header.data()) != 1) continue;
    if (spi.SensePlugIn(spiName, path, cells) == 0) {
      m_LastPlugin = i;
      return 0;
    }
  }
  return 2;
}

int CPluginRegistry::FindByName(const wchar_t* spiName) const {
  if (spiName == nullptr) return -1;
  for (int i = 0; i < Count(); ++i)
    if (m_Plugins[static_cast<std::size_t>(i)]->m_Enabled == 1 &&
        SameName(m_Plugins[static_cast<std::size_t>(i)]->FileName(), spiName))
      return i;
  return -1;
}

int CPluginRegistry::GetName(int index, wchar_t* out) const {
  if (index < 0 || index >= Count() || out == nullptr) return -1;
  lstrcpynW(out, m_Plugins[static_cast<std::size_t>(index)]->FileName().c_str(), MAX_PATH);
  return 0;
}

int CPluginRegistry::Enabled(int index, int value) {
  if (index < 0 || index >= Count()) return -1;
  CSPICore& spi = At(index);
  const int before = spi.m_Enabled;
  if (value == 0 || value == 1) spi.m_Enabled = value;
  return before;
}

int CPluginRegistry::IsSupportedAny(const wchar_t* path) {
  const PathReportScope once;
  for (int i = 0; i < Count(); ++i) {
    CSPICore& spi = At(i);
    if (spi.m_Enabled == 1 && spi.HasFunction(kFnIsSupported) && spi.IsSupported(path) == 1) return 1;
  }
  return 0;
}

std::wstring CPluginRegistry::RepresentativeExtensions(int index) {
  std::wstring text;
  if (index < 0 || index >= Count()) return text;
  for (const std::wstring& patterns : At(index).Patterns()) text += L"代表的な拡張子 ( " + patterns + L" )\n";
  return text;
}

int CPluginRegistry::CountFormats() {
  int total = 0;
  wchar_t name[256], pattern[256];
  for (int i = 0; i < Count(); ++i) {
    CSPICore& spi = At(i);
    if (spi.m_Enabled != 1) continue;
    for (int n = 0; n < kMaxFormats && spi.GetSupportedType(n, name, pattern) != 0; ++n) ++total;
  }
  return total;
}

}  // namespace tarn
