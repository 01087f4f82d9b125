// Any bytes as a file's head, with a name taken from its last line: detection and the playable
// rule must stay inside both, and FLV or MP4 names must never be taken.
#include <cstdlib>
#include <string>

#include "plugins/mov/MediaForms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.rfind('\n');
  const std::string name = split == std::string::npos ? std::string() : input.substr(split + 1);
  const std::string head = input.substr(0, split == std::string::npos ? size : split);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.data());
  const std::int32_t type = tarn::mov::DetectMedia(bytes, head.size(), name.c_str(), {});
  const std::string extension = tarn::mov::MediaExtension(name.c_str());
  if (type != 0 && (extension == ".flv" || extension == ".mp4")) std::abort();
  if (type != 0 && (tarn::mov::FormNumber(type) < 1 || tarn::mov::FormNumber(type) > tarn::mov::kFormCount))
    std::abort();
  tarn::mov::IsPlayableName(name.c_str());
  return 0;
}
