// A scratch file beside a target: made empty in the target's folder, so that putting it in the
// target's place is a rename that never crosses a volume, and removed unless it was put there.
// A save writes here first; the file it replaces stays until the new one is whole.
#pragma once

#include <windows.h>

#include <string>

namespace tarn {

class ScratchFile {
 public:
  explicit ScratchFile(const std::u16string& target);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // False when the folder refused the file (missing, read-only, full).
  bool Made() const { return m_Path[0] != L'\0'; }
  const wchar_t* Path() const { return m_Path; }
  // Replaces the target with the scratch file; false (the scratch file then goes) when it cannot.
  bool Commit();

 private:
  std::u16string m_Target;
  wchar_t m_Path[MAX_PATH] = {};
  bool m_Committed = false;
};

}  // namespace tarn
