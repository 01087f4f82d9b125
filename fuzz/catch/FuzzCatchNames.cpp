// Any bytes as a file name (and, split off at the first zero, a user pattern): the name rules must
// stay inside the name, and the caught extension must stay a short terminated text.
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugins/catch/CatchRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string name = input.substr(0, split);
  tarn::catchall::CatchSettings settings;
  if (split != std::string::npos) {
    std::string pattern;
    tarn::catchall::CheckPattern(input.c_str() + split + 1, &pattern);
    settings.pattern = pattern;
    settings.jpgFlag = settings.gifFlag = 0;
  }
  char caught[tarn::catchall::kCaughtBytes];
  std::memset(caught, 0, sizeof caught);
  const tarn::catchall::Decision d = tarn::catchall::Decide(name.c_str(), settings, caught);
  if (caught[sizeof caught - 1] != '\0') std::abort();
  if (d.kind != tarn::catchall::Decision::kRefuse && name.size() > tarn::catchall::kMaxNameBytes) std::abort();
  tarn::catchall::MarkerFor(name.c_str(), caught);
  return 0;
}
