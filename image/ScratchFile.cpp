#include "image/ScratchFile.h"

#include "base/TextUtil.h"
#include "base/WinText.h"

namespace tarn {

ScratchFile::ScratchFile(const std::u16string& target) : m_Target(target) {
  std::u16string folder = FolderOf(target);
  if (folder.empty()) folder = u".\\";
  if (GetTempFileNameW(AsWide(folder), L"trn", 0, m_Path) == 0) m_Path[0] = L'\0';
}

ScratchFile::~ScratchFile() {
  if (Made() && !m_Committed) DeleteFileW(m_Path);
}

bool ScratchFile::Commit() {
  m_Committed = Made() && MoveFileExW(m_Path, AsWide(m_Target), MOVEFILE_REPLACE_EXISTING) != 0;
  return m_Committed;
}

}  // namespace tarn
