#include "RecentFolders.h"

#include <algorithm>

#include "base/TextUtil.h"

namespace tarn {
namespace {

std::u16string_view WithoutBackslash(std::u16string_view folder) {
  // "C:\" stays a drive; "C:\pics\" and "C:\pics" are one folder.
  while (folder.size() > 3 && folder.back() == u'\\') folder.remove_suffix(1);
  return folder;
}

bool SameFolder(std::u16string_view a, std::u16string_view b) {
  return EqualsIgnoreCase(WithoutBackslash(a), WithoutBackslash(b));
}

// "C:\a\b\c\d\e" as "C:\...\d\e": the drive and as many last names as fit in `width`.
std::u16string Shortened(std::u16string_view folder, std::size_t width) {
  const std::u16string_view path = WithoutBackslash(folder);
  if (path.size() <= width) return std::u16string(folder);
  const std::size_t first = path.find(u'\\', path.starts_with(u"\\\\") ? path.find(u'\\', 2) + 1 : 0);
  if (first == std::u16string_view::npos) return std::u16string(path.substr(0, width));
  const std::u16string_view head = path.substr(0, first + 1);
  std::size_t tail = path.rfind(u'\\');
  for (std::size_t at = tail; at > first; at = path.rfind(u'\\', at - 1)) {
    if (head.size() + 3 + path.size() - at > width) break;
    tail = at;
  }
  return std::u16string(head) + u"..." + std::u16string(path.substr(tail));
}

}  // namespace

void RecentFolders::Add(std::u16string_view folder) {
  if (folder.empty()) return;
  Remove(folder);
  m_Folders.insert(m_Folders.begin(), std::u16string(folder));
  if (m_Folders.size() > kLimit) m_Folders.resize(kLimit);
}

bool RecentFolders::Remove(std::u16string_view folder) {
  const auto gone = std::remove_if(m_Folders.begin(), m_Folders.end(),
                                   [folder](const std::u16string& f) { return SameFolder(f, folder); });
  const bool found = gone != m_Folders.end();
  m_Folders.erase(gone, m_Folders.end());
  return found;
}

std::u16string RecentMenuText(int index, std::u16string_view folder, std::size_t width) {
  std::u16string text = u"&" + std::u16string(1, static_cast<char16_t>(u'1' + index)) + u" ";
  for (char16_t c : Shortened(folder, width)) {
    if (c == u'&') text += u'&';
    text += c;
  }
  return text;
}

}  // namespace tarn
