#include "MovieThumbCopy.h"

#include <vector>

#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "catalog/cache/ThumbnailEngine.h"
#include "catalog/list/FileClass.h"

namespace tarn {
namespace {

// The name before the last period.
std::u16string_view StemOf(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

// One live record of the source cache: where it lies and whom it shows.
struct SourceRow {
  std::u16string stem;  // the first-frame image's name without ".bmp"
  std::uint8_t pixelSize = 0;
  std::uint64_t offset = 0;
};

class MovieThumbCopy {
 public:
  MovieThumbCopy(const std::u16string& folder, const std::u16string& sourceFolder, const ThumbGeometry& geometry,
                 const ThumbnailIndex& index, ThumbFileSystem& fs)
      : m_CachePath(folder + kThumbFileName),
        m_SourcePath(sourceFolder + kThumbFileName),
        m_Geometry(geometry),
        m_RecordLength(static_cast<std::size_t>(geometry.recordLength)),
        m_Index(index),
        m_Fs(fs) {}

  std::optional<int> Run(int& copied);

 private:
  std::optional<int> OpenSource(std::unique_ptr<ThumbFile>& source);
  std::optional<int> ReadSourceTable(ThumbFile& source);
  const SourceRow* SourceFor(std::u16string_view movie) const;
  std::optional<int> CopyRecord(ThumbFile& source, ThumbFile& cache, int row, const SourceRow& from, bool& done);

  const std::u16string m_CachePath;
  const std::u16string m_SourcePath;
  const ThumbGeometry m_Geometry;
  const std::size_t m_RecordLength;
  const ThumbnailIndex& m_Index;
  ThumbFileSystem& m_Fs;
  std::vector<SourceRow> m_Sources;
};

std::optional<int> Failed(const char16_t* text, const std::u16string& path, int result) {
  Say(text, path);
  return result;
}

std::optional<int> MovieThumbCopy::OpenSource(std::unique_ptr<ThumbFile>& source) {
  if (!m_Fs.Exists(m_SourcePath)) return Failed(u"下位フォルダ↑↑でサムネイルを作成してください", m_SourcePath, kEngineOpenFailed);
  source = m_Fs.Open(m_SourcePath, OpenMode::kRead);
  if (!source)
    return Failed(u"下位フォルダのサムネイルファイル↑↑をオープンできません。 ファイルが在りますか？", m_SourcePath,
                  kEngineOpenFailed);
  return std::nullopt;
}

// The headers of the source cache, of which only live records of first-frame bitmaps are kept.
std::optional<int> MovieThumbCopy::ReadSourceTable(ThumbFile& source) {
  std::uint64_t length = 0;
  if (!source.Length(length)) return Failed(u"シークエラー<-x08> ", m_SourcePath, kEngineReadFailed);
  const std::uint64_t records = length / m_RecordLength;
  if (records > kMovieThumbSourceMax) {
    Say(u"下位サムネイル数オーバーでサムネイルテーブル作成失敗",
        u" 最大下位サムネイル数 = " + DecimalText(kMovieThumbSourceMax) + u" ");
    return kEngineTooManyRecords;
  }
  std::uint8_t bytes[kRecordHeaderBytes];
  for (std::uint64_t i = 0; i < records; ++i) {
    if (!source.Seek(i * m_RecordLength)) return Failed(u"シークエラー<-x09> ", m_SourcePath, kEngineReadFailed);
    if (source.Read(bytes, sizeof bytes) != static_cast<long long>(sizeof bytes))
      return Failed(u"サムネイル読み出しエラー<-x10> ", m_SourcePath, kEngineReadFailed);
    ThumbHeader header;
    ParseHeader(bytes, sizeof bytes, header);
    if (i == 0 && !CodeOfSize(header.sizeCode, m_Geometry.size)) {
      Say(u"下位フォルダのサムネイルを作り直してください", u"カタログサイズ不一致");
      return kEngineSizeMismatch;
    }
    const std::u16string_view name(header.name);
    if (header.sizeCode != LiveCode(m_Geometry.size) || !IsKnownLayout(header.layout) ||
        !EndsWithIgnoreCase(name, u".bmp"))
      continue;
    m_Sources.push_back({std::u16string(StemOf(name)), header.pixelSize, i * m_RecordLength});
  }
  return std::nullopt;
}

const SourceRow* MovieThumbCopy::SourceFor(std::u16string_view movie) const {
  const std::u16string_view stem = StemOf(movie);
  for (const SourceRow& source : m_Sources)
    if (EqualsIgnoreCase(source.stem, stem)) return &source;
  return nullptr;
}

// The source record, under the movie's own header, over the movie's record. A record of another
// display's pixel size would not draw: it is left alone (`done` stays false).
std::optional<int> MovieThumbCopy::CopyRecord(ThumbFile& source, ThumbFile& cache, int row, const SourceRow& from,
                                              bool& done) {
  const std::uint64_t offset = static_cast<std::uint64_t>(row) * m_RecordLength;
  std::uint8_t bytes[kRecordHeaderBytes];
  if (!cache.Seek(offset)) return Failed(u"シークエラー<-x11> ", m_CachePath, kEngineReadFailed);
  if (cache.Read(bytes, sizeof bytes) != static_cast<long long>(sizeof bytes))
    return Failed(u"サムネイル読み出しエラー<-x13> ", m_CachePath, kEngineReadFailed);
  ThumbHeader movie;
  ParseHeader(bytes, sizeof bytes, movie);
  if (movie.pixelSize != from.pixelSize) return std::nullopt;
  std::uint8_t* record = ThumbRecordBuffer();
  if (!source.Seek(from.offset)) return Failed(u"シークエラー<-x12> ", m_SourcePath, kEngineReadFailed);
  if (source.Read(record, m_RecordLength) != static_cast<long long>(m_RecordLength))
    return Failed(u"サムネイル読み出しエラー<-x18> ", m_SourcePath, kEngineReadFailed);
  ThumbHeader image;
  ParseHeader(record, m_RecordLength, image);
  WriteHeader(image.pixelSize, LiveCode(m_Geometry.size), image.layout, movie.fileSize, movie.name, record);
  if (!cache.Seek(offset)) return Failed(u"シークエラー<-x14> ", m_CachePath, kEngineWriteFailed);
  if (!cache.Write(record, m_RecordLength))
    return Failed(u"サムネイルデータ書き込み失敗<-x15> ", m_CachePath, kEngineWriteFailed);
  done = true;
  return std::nullopt;
}

std::optional<int> MovieThumbCopy::Run(int& copied) {
  std::unique_ptr<ThumbFile> source;
  if (const std::optional<int> failed = OpenSource(source)) return failed;
  if (const std::optional<int> failed = ReadSourceTable(*source)) return failed;
  std::unique_ptr<ThumbFile> cache;
  for (int row = 0; row < m_Index.count; ++row) {
    const ThumbIndexRow& movie = m_Index.rows[row];
    if (movie.sizeCode != LiveCode(m_Geometry.size) || ClassifyFileName(movie.name) != kClassFlvMp4) continue;
    const SourceRow* from = SourceFor(movie.name);
    if (from == nullptr) continue;
    if (!cache && !(cache = m_Fs.Open(m_CachePath, OpenMode::kReadWrite)))
      return Failed(u"サムネイル書込ファイルをオープンできません<-x25> ", m_CachePath, kEngineOpenFailed);
    bool done = false;
    if (const std::optional<int> failed = CopyRecord(*source, *cache, row, *from, done)) return failed;
    copied += done ? 1 : 0;
  }
  if (cache && !cache->Close()) return kEngineCloseFailed;
  return std::nullopt;
}

}  // namespace

std::optional<int> CopyMovieThumbnails(const std::u16string& folder, const std::u16string& sourceFolder,
                                       const ThumbGeometry& geometry, const ThumbnailIndex& index,
                                       ThumbFileSystem& fs, int& copied) {
  return MovieThumbCopy(folder, sourceFolder, geometry, index, fs).Run(copied);
}

}  // namespace tarn
