// Any bytes as a folder's "_THUMB_N.TRN": the catalog's open, lookups and append and the engine's
// rewrite must stay inside the record buffer, and whatever the engine leaves behind must be whole
// live records of the current size that can be drawn, no more of them than the size allows. The
// same bytes serve as the first-frame folder's cache of the FLV/MP4 copy on every other input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "catalog/cache/ThumbnailCache.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "tests/catalog/MemoryThumbFiles.h"

namespace {

// Answers every question with its first button and never cancels.
class Silent : public tarn::Prompt, public tarn::ProgressWindow {
 public:
  int Show(std::u16string_view, std::u16string_view, tarn::Buttons buttons) override {
    return buttons == tarn::Buttons::kOkCancel || buttons == tarn::Buttons::kOk ? tarn::kAnswerOk : tarn::kAnswerYes;
  }
  void Open(std::u16string_view) override {}
  void SetText(std::u16string_view) override {}
  void SetPos(int) override {}
  bool Cancelled() override { return false; }
  void Close() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static Silent silent;
  tarn::InstallPrompt(&silent);
  tarn::InstallProgress(&silent);
  tarn::g_CatalogSize = data[0] & 3;
  tarn::g_ThumbNailFlag = 1;
  const int pixelSize = 2 + (data[1] % 3);
  const std::u16string folder = u"C:\\f\\";
  tarn::test::MemoryThumbFiles fs;
  fs.files[folder + tarn::kThumbFileName].assign(data + 2, data + size);
  // Image files named as the first records may name them, sized as they may say.
  for (const char16_t* name : {u"a", u"b.bmp", u"A", u"b.flv"})
    fs.files[folder + name].assign(static_cast<std::size_t>(data[1]), 0);
  const std::u16string frames = (data[1] & 0x40) != 0 ? folder + u"bmp-f\\" : std::u16string();
  if (!frames.empty()) fs.files[frames + tarn::kThumbFileName].assign(data + 2, data + size);

  tarn::FolderRow row;
  row.state = 2;
  folder.copy(row.path, folder.size());
  {
    tarn::ThumbnailCache cache(fs);
    cache.SetDisplayPixelSize(pixelSize);
    cache.SetReadOnly((data[1] & 0x80) != 0);
    if (cache.ThumbNailCont(tarn::ThumbnailCache::kCacheOpen, u"", row) == 0) {
      for (const char16_t* name : {u"a", u"b.bmp", u"A"})
        cache.ThumbNailCont(tarn::ThumbnailCache::kCacheLookup, name, row);
      cache.SetLayout(data[1] % 6);
      cache.ThumbNailCont(tarn::ThumbnailCache::kCacheAppend, u"b.bmp", row, true);
    }
    cache.ThumbNailCont(tarn::ThumbnailCache::kCacheRelease, u"", row);
  }

  tarn::ThumbnailIndex index;
  const auto before = fs.files.find(folder + tarn::kThumbFileName);
  const std::vector<std::uint8_t> original = before == fs.files.end() ? std::vector<std::uint8_t>() : before->second;
  const int result = tarn::ThumbnailEngine(data[1] & 1, folder, false, fs, index, nullptr, frames);
  const auto it = fs.files.find(folder + tarn::kThumbFileName);
  // A copy that found nothing to copy and nothing to drop leaves the file as it was.
  const bool rewritten = (result == tarn::kEngineCompacted || result == tarn::kEngineCopied) &&
                         (frames.empty() || it == fs.files.end() || it->second != original);
  if (rewritten && it != fs.files.end()) {
    const tarn::ThumbGeometry g = tarn::GeometryOf(tarn::g_CatalogSize);
    const auto& bytes = it->second;
    const auto length = static_cast<std::size_t>(g.recordLength);
    if (bytes.empty() || bytes.size() % length != 0 || bytes.size() / length > static_cast<std::size_t>(g.maxRecords))
      std::abort();
    for (std::size_t at = 0; at < bytes.size(); at += length)
      if (bytes[at + 1] != tarn::LiveCode(g.size) || !tarn::IsKnownLayout(bytes[at + 2] | bytes[at + 3] << 8))
        std::abort();
  }
  if (fs.files.count(folder + tarn::kThumbOldFileName) != 0 && rewritten) std::abort();
  tarn::InstallPrompt(nullptr);
  tarn::InstallProgress(nullptr);
  return 0;
}
