#include "ThumbCount.h"

#include <array>

#include "base/Prompt.h"
#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {

int CountThumbnails(const std::u16string& folder, int catalogSize, ThumbFileSystem& fs) {
  const std::u16string path = folder + kThumbFileName;
  if (!fs.Exists(path)) {
    Say(u"サムネイルがありません", path);
    return -1;
  }
  const std::unique_ptr<ThumbFile> file = fs.Open(path, OpenMode::kRead);
  if (!file) {
    Say(u"サムネイルをオープンできません ", path);
    return -1;
  }
  std::array<std::uint8_t, kRecordHeaderBytes> head{};
  const long long got = file->Read(head.data(), head.size());
  std::uint64_t length = 0;
  const bool measured = file->Length(length);
  file->Close();
  if (got <= 0) {
    Say(u"サムネイル数が≪ 0 ≫です ", path);
    return -1;
  }
  // The size code is the record's second byte; the rest of the header is not needed here.
  if (got < 2 || !CodeOfSize(head[1], catalogSize)) {
    static constexpr const char16_t* kSizeNames[] = {u"Ｓ", u"Ｍ", u"Ｌ", u"ＬＬ"};
    const int size = catalogSize >= 0 && catalogSize <= 3 ? catalogSize : 1;
    Say(u"≪ カタログサイズ不一致 ≫  " + std::u16string(kSizeNames[size]) + u"サイズではありません", path);
    return -1;
  }
  if (!measured) {
    Say(u"サムネイルをオープンできません ", path);
    return -1;
  }
  return static_cast<int>(length / static_cast<std::uint64_t>(RecordLengthOf(catalogSize)));
}

}  // namespace tarn
