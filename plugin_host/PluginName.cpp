#include "PluginName.h"

namespace tarn {
namespace {

constexpr std::string_view kMarkerPrefix = "[UNICODE]";

enum class Encoded { kOk, kNoForm, kTooLong };

// Converts `text`, refusing a character without a form and a result that would not fit the
// host's name buffer.
Encoded Encode(std::u16string_view text, CodePageEncoder& encoder, std::string* out) {
  out->clear();
  char bytes[2];
  for (char16_t c : text) {
    const int n = encoder.Encode(c, bytes);
    if (n <= 0) return Encoded::kNoForm;
    out->append(bytes, static_cast<std::size_t>(n));
    if (out->size() >= kPluginNameBytes) return Encoded::kTooLong;
  }
  return Encoded::kOk;
}

}  // namespace

PluginName MakePluginName(std::u16string_view path, NameMode mode, CodePageEncoder& encoder) {
  PluginName name;
  std::string converted;
  const Encoded whole = Encode(path, encoder, &converted);
  if (whole == Encoded::kOk) {
    name.outcome = NameOutcome::kConverted;
    name.bytes = std::move(converted);
    return name;
  }
  if (whole == Encoded::kTooLong || mode == NameMode::kStrict) return name;
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    name.outcome = NameOutcome::kNoExtension;
    return name;
  }
  std::string extension;
  if (Encode(path.substr(dot), encoder, &extension) != Encoded::kOk ||
      kMarkerPrefix.size() + extension.size() >= kPluginNameBytes)
    return name;
  name.outcome = NameOutcome::kMarker;
  name.bytes = std::string(kMarkerPrefix) + extension;
  return name;
}

std::string SubstituteName(std::u16string_view path, CodePageEncoder& encoder) {
  std::string out;
  char bytes[2];
  for (char16_t c : path) {
    const int n = encoder.Encode(c, bytes);
    if (n > 0)
      out.append(bytes, static_cast<std::size_t>(n));
    else
      out += "\x81\x45";
  }
  return out;
}

}  // namespace tarn
