#include "MediaForms.h"

#include <cstring>

#include "common/PluginNames.h"

namespace tarn::mov {
namespace {

constexpr MediaForm kForms[kFormCount] = {
    {"AVI (*.avi)", " *.avi;", true},
    {"WAVE (*.wav)", " *.wav;", false},
    {"MPEG (*.mpg;*.mpeg)", " *.mpg;", true},
    {"MP3 (*.mp3)", " *.mp3;", false},
    {"MIDI (*.mid;*.midi;*.rmi)", " *.mid;", false},
    {"MOV (*.mov)", " *.mov;", true},
    {"AIFF (*.aif;*.aiff)", " *.aif;", false},
    {"WMV (*.wmv)", " *.wmv;", true},
    {"WMA (*.wma)", " *.wma;", false},
    {"ASF (*.asf)", " *.asf;", true},
};
enum FormIndex { kAvi, kWave, kMpeg, kMp3, kMidi, kMov, kAiff, kWmv, kWma, kAsf };

// Reads within the bytes given only: a short file simply lacks the signature.
class Head {
 public:
  Head(const std::uint8_t* data, std::size_t size) : data_(data), size_(size < kDetectBytes ? size : kDetectBytes) {}
  bool Has(std::size_t at, const char* text) const {
    const std::size_t n = std::strlen(text);
    return data_ != nullptr && at + n <= size_ && std::memcmp(data_ + at, text, n) == 0;
  }
  bool HasBytes(std::size_t at, const std::uint8_t* bytes, std::size_t n) const {
    return data_ != nullptr && at + n <= size_ && std::memcmp(data_ + at, bytes, n) == 0;
  }
  std::uint32_t Be32(std::size_t at) const {
    if (data_ == nullptr || at + 4 > size_) return 0;
    return static_cast<std::uint32_t>(data_[at]) << 24 | data_[at + 1] << 16 | data_[at + 2] << 8 | data_[at + 3];
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

bool RiffOf(const Head& h, const char* kind) { return h.Has(0, "RIFF") && h.Has(8, kind); }

// An MPEG audio frame header at the start: sync bits, a layer, a usable bit rate and sampling rate.
bool MpegAudioFrame(const Head& h) {
  const std::uint32_t word = h.Be32(0);
  const bool sync = (word & 0xFFF00000u) == 0xFFF00000u;
  const std::uint32_t layer = word >> 17 & 3, bitRate = word >> 12 & 15, sampling = word >> 10 & 3;
  return sync && layer != 0 && bitRate != 15 && sampling != 3;
}

bool ExtensionIs(const std::string& extension, const char* wanted) {
  return !extension.empty() && EqualsIgnoreCase(extension.c_str(), wanted);
}

bool HasContent(int form, const Head& h, const std::string& extension) {
  static constexpr std::uint8_t kPack[] = {0, 0, 1, 0xBA}, kSequence[] = {0, 0, 1, 0xB3};
  switch (form) {
    case kAvi: return RiffOf(h, "AVI ");
    case kWave: return RiffOf(h, "WAVE");
    case kMpeg: return (RiffOf(h, "CDXA") && h.Has(12, "fmt ")) || h.HasBytes(0, kPack, 4) || h.HasBytes(0, kSequence, 4);
    case kMp3: {
      static constexpr const char* kAudioExtensions[] = {".mp3", ".mpa", ".mp2", ".m1a", ".m2a"};
      bool audioName = false;
      for (const char* e : kAudioExtensions) audioName = audioName || ExtensionIs(extension, e);
      return h.Has(0, "ID3") || RiffOf(h, "RMP3") || (audioName && MpegAudioFrame(h));
    }
    case kMidi: return (h.Has(0, "MThd") && h.Be32(4) == 6 && h.Has(14, "MTrk")) || RiffOf(h, "RMID");
    case kMov: return h.Has(4, "mdat") || h.Has(4, "moov") || h.Has(12, "mdat") || h.Has(12, "moov");
    case kAiff: return h.Has(0, "FORM") && h.Has(8, "AIFF") && h.Has(12, "COMM");
    default: return false;
  }
}

const char* NameRule(int form) {
  switch (form) {
    case kMov: return ".mov";
    case kWmv: return ".wmv";
    case kWma: return ".wma";
    case kAsf: return ".asf";
    default: return nullptr;
  }
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

const MediaForm& Form(int index) { return kForms[index]; }

std::int32_t TypeCode(int index) {
  const std::uint32_t code = static_cast<std::uint32_t>(index + 1) | (kForms[index].video ? 0x80000000u : 0u);
  return static_cast<std::int32_t>(code);
}

int FormNumber(std::int32_t type) { return static_cast<int>(static_cast<std::uint32_t>(type) & 0x7FFFFFFFu); }

std::string MediaExtension(const char* name) {
  if (name == nullptr) return {};
  const char* dot = std::strrchr(name, '.');
  if (dot == nullptr || std::strlen(dot) > 6) return {};
  return dot;
}

std::int32_t DetectMedia(const std::uint8_t* head, std::size_t size, const char* name, const EnabledForms& forms) {
  const std::string extension = MediaExtension(name);
  if (ExtensionIs(extension, ".flv") || ExtensionIs(extension, ".mp4")) return 0;
  const Head h(head, size);
  for (int form = 0; form < kFormCount; ++form)
    if (forms.on[form] && HasContent(form, h, extension)) return TypeCode(form);
  for (int form = 0; form < kFormCount; ++form)
    if (forms.on[form] && NameRule(form) != nullptr && ExtensionIs(extension, NameRule(form))) return TypeCode(form);
  return 0;
}

bool IsPlayableName(const char* name) {
  static constexpr const char* kPlayable[] = {"AVI", "WAV", "MPG", "MPE", "M1V", "M2V", "MPV", "MP2",
                                              "MP3", "MPA", "M1A", "M2A", "MID", "RMI", "MOV", "AIF",
                                              "WMV", "WMA", "ASF", "AU_", "OGG", "RM_", "RA_"};
  if (name == nullptr) return false;
  const char* dot = std::strrchr(name, '.');
  if (dot == nullptr) return false;
  const std::size_t length = std::strlen(dot + 1);
  if (length < 2 || length > 5) return false;
  std::string key(dot + 1, length < 3 ? length : 3);
  if (key.size() == 2) key += '_';
  for (char& c : key) c = Upper(c);
  for (const char* p : kPlayable)
    if (key == p) return true;
  return false;
}

std::string EnabledPatterns(const EnabledForms& forms) {
  std::string patterns;
  for (int form = 0; form < kFormCount; ++form)
    if (forms.on[form]) patterns += kForms[form].pattern;
  if (!patterns.empty()) patterns.pop_back();
  return patterns;
}

long VolumeFor(int soundVR) {
  const long tenths = (100 - soundVR) / 10;
  return -(tenths * tenths * tenths * tenths);
}

}  // namespace tarn::mov
