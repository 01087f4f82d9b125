#include "PlayerRules.h"

#include <cstring>

#include "common/PluginNames.h"

namespace tarn::player {

const LibraryTraits& Traits(Library library) {
  static constexpr LibraryTraits kFlv{Library::kFlv, "TarnFlv", "TarnFlv.spi", ".flv", "TarnFlvプラグイン"};
  static constexpr LibraryTraits kMp4{Library::kMp4, "TarnMp4", "TarnMp4.spi", ".mp4", "TarnMp4プラグイン"};
  return library == Library::kFlv ? kFlv : kMp4;
}

NameCheck CheckName(const char* name, const char* extension, char remembered[kRememberedBytes]) {
  if (name == nullptr) return NameCheck::kRefuse;
  const std::size_t length = strnlen(name, kMaxNameBytes + 1);
  if (length > kMaxNameBytes) return NameCheck::kRefuse;
  const char* dot = std::strrchr(name, '.');
  if (dot == nullptr) return NameCheck::kRefuse;
  const std::size_t extensionLength = std::strlen(dot + 1);
  if (extensionLength < 2 || extensionLength > 5) return NameCheck::kRefuse;
  if (extensionLength == 3 && EqualsIgnoreCase(name + length - 4, extension)) {
    std::memcpy(remembered, name + length - 4, 5);
    return NameCheck::kAccept;
  }
  remembered[0] = '\0';
  return NameCheck::kOther;
}

bool IsOwnExtension(const char* remembered, const char* extension) {
  return remembered[0] != '\0' && EqualsIgnoreCase(remembered, extension);
}

bool IsUnicodeMarkerName(const char* name) { return name != nullptr && std::strncmp(name, "[UNICODE].", 10) == 0; }

std::string Quoted(const std::string& part) {
  return part.find(' ') == std::string::npos ? part : "\"" + part + "\"";
}

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string CommandLine(const std::string& player, const std::string& file, const std::string& switches) {
  std::string line = Quoted(player) + " " + Quoted(file);
  if (!switches.empty()) line += " " + switches;
  return line;
}

bool HasPresetSwitch(const std::string& switches) {
  static constexpr char kPreset[] = "/PS ";
  for (std::size_t i = 0; i < switches.size(); ++i) {
    if (switches[i] != '/') continue;
    bool same = true;
    for (std::size_t k = 1; k < 4 && same; ++k) {
      const char c = i + k < switches.size() ? switches[i + k] : ' ';
      same = Upper(c) == kPreset[k];
    }
    if (same) return true;
  }
  return false;
}

int SlotFromProfile(const char* text) {
  if (text == nullptr || text[0] < '0' || text[0] > '2' || text[1] != '\0') return -1;
  return text[0] - '0';
}

void MakePreviewLook(Library library, const char* name, PreviewLook* look) {
  static constexpr std::uint8_t kNormal[3] = {240, 255, 255}, kUnicode[3] = {200, 210, 255};
  static constexpr std::uint8_t kRed[3] = {0, 0, 255}, kGrey[3] = {200, 200, 200};
  const bool unicode = IsUnicodeMarkerName(name);
  std::memcpy(look->style.background, unicode ? kUnicode : kNormal, 3);
  std::memcpy(look->style.other, unicode ? kGrey : kRed, 3);
  for (int y = 0; y < kPictogramSide; ++y)
    for (int x = 0; x < kPictogramSide; ++x) look->glyph[y * kPictogramSide + x] = PictogramCode(library, x, y);
  look->style.glyph = look->glyph;
}

}  // namespace tarn::player
