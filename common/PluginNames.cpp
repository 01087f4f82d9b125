#include "PluginNames.h"

#include <algorithm>
#include <cstring>

namespace tarn {

const char* ShortExtension(const char* name) {
  if (name == nullptr) return nullptr;
  const std::size_t length = std::strlen(name);
  constexpr std::size_t kLastCharacters = 5;
  const std::size_t first = length > kLastCharacters ? length - kLastCharacters : 0;
  for (std::size_t i = length; i > first; --i)
    if (name[i - 1] == '.') return name + i - 1;
  return nullptr;
}

namespace {
char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool EqualsOneOf(const char* name, const char* const* list, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (EqualsIgnoreCase(name, list[i])) return true;
  return false;
}
}  // namespace

bool EqualsIgnoreCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  for (; *a != '\0' && *b != '\0'; ++a, ++b)
    if (FoldCase(*a) != FoldCase(*b)) return false;
  return *a == *b;
}

bool HasExtension(const char* name, const char* const* extensions, std::size_t count) {
  const char* extension = ShortExtension(name);
  return extension != nullptr && EqualsOneOf(extension, extensions, count);
}

bool IsMarkerName(const char* name, const char* const* markers, std::size_t count) {
  return EqualsOneOf(name, markers, count);
}

int CopyInfoString(const char* const* table, int count, int infono, char* buf, int buflen) {
  if (infono < 0 || infono >= count || buf == nullptr || buflen <= 0) return 0;
  const std::size_t room = static_cast<std::size_t>(buflen) - 1;
  const std::size_t length = std::min(std::strlen(table[infono]), room);
  std::memcpy(buf, table[infono], length);
  buf[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace tarn
