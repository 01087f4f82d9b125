#include "ThumbnailEngine.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/cache/MovieThumbCopy.h"
#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {
namespace {

std::u16string SizeMismatchQuestion(int size) {
  static const char16_t* const kNames[] = {u"Ｓ", u"Ｍ", u"Ｌ", u"ＬＬ"};
  return std::u16string(u"≪カタログサイズ不一致≫  ") + kNames[size] +
         u"サイズではありません。削除しますか？ ≪ｷｬﾝｾﾙ≫で終了";
}

}  // namespace

int RenameToOld(std::u16string_view cachePath, std::u16string_view oldPath, int recordLength, ThumbFileSystem& fs,
                bool quiet) {
  if (fs.Exists(oldPath)) {
    fs.ClearReadOnly(oldPath);
    if (fs.WipeDelete(oldPath, recordLength) != 0) {
      if (!quiet) Say(u"削除失敗<-x42> ", oldPath);
      return -1;
    }
  }
  if (!fs.Rename(cachePath, oldPath)) {
    if (!quiet) Say(u"ファイルの名称変更失敗<-x43> ", cachePath);
    return -1;
  }
  return 0;
}

namespace {

// One run of the engine over one folder, its steps in the order they run.
class EngineRun {
 public:
  EngineRun(int mode, const std::u16string& folder, std::u16string_view movieThumbSource, ThumbFileSystem& fs,
            ThumbnailIndex& index, int* records)
      : m_Loud(mode == 0),
        m_Geometry(GeometryOf(g_CatalogSize)),
        m_RecordLength(static_cast<std::size_t>(m_Geometry.recordLength)),
        m_Folder(folder),
        m_CachePath(folder + kThumbFileName),
        m_OldPath(folder + kThumbOldFileName),
        m_MovieThumbSource(movieThumbSource),
        m_Fs(fs),
        m_Index(index),
        m_Records(records) {}

  int Run(bool subfolder);

 private:
  // Each step answers the engine's result when the run ends there, nothing when it goes on.
  std::optional<int> CheckDrive();
  std::unique_ptr<ThumbFile> OpenCache();
  std::optional<int> ReadIndex(ThumbFile& file, std::uint64_t& stored);
  int SizeMismatch();
  std::optional<int> MarkObsolete(int& obsolete);
  std::optional<bool> StillCurrent(const ThumbIndexRow& row);
  int Compact();
  std::optional<int> CopyLiveRecords(ThumbFile& old, ThumbFile& fresh, int& written);
  void PutOldBack(ThumbFile& old, ThumbFile& fresh);
  int DeleteLeftovers(int written);

  const bool m_Loud;  // the maintenance dialog's run: failures are told
  const ThumbGeometry m_Geometry;
  const std::size_t m_RecordLength;
  const std::u16string m_Folder;  // ends in "\"
  const std::u16string m_CachePath;
  const std::u16string m_OldPath;
  std::u16string m_MovieThumbSource;  // ends in "\"; empty unless the FLV/MP4 copy runs
  ThumbFileSystem& m_Fs;
  ThumbnailIndex& m_Index;
  int* m_Records;  // may be null
  bool m_TornTail = false;  // the file ends in part of a record, which the rewrite drops
};

// 1. Nothing on a CD-ROM is ever changed; a drive the table does not know is not touched either.
std::optional<int> EngineRun::CheckDrive() {
  const int kind = m_Folder.size() >= 3 ? m_Fs.DriveKind(std::u16string_view(m_Folder).substr(0, 3)) : 0;
  if (kind == kDriveCdRom) {
    Say(u"ＣＤＲＯＭドライブは更新できません ", u"保存サムネイル更新不可");
    return kEngineDeclined;
  }
  if (kind == 0) {
    Say(u"ドライブ名称不一致<-x02> ", u"ドライブ種別検索エラー");
    return kEngineDeclined;
  }
  return std::nullopt;
}

// 2. The cache file.
std::unique_ptr<ThumbFile> EngineRun::OpenCache() {
  std::unique_ptr<ThumbFile> file = m_Fs.Open(m_CachePath, OpenMode::kRead);
  if (!file && m_Loud) Say(u"サムネイルをオープンできません<-x05> ", m_CachePath);
  return file;
}

// 3. The records' headers into the index. Only whole records count: a torn tail is left out. A
// file with more records than the catalog size allows was damaged: its first records are read
// and the rest go with the rewrite. `stored` receives the number of whole records in the file.
std::optional<int> EngineRun::ReadIndex(ThumbFile& file, std::uint64_t& stored) {
  std::uint64_t length = 0;
  if (!file.Length(length) || !file.Seek(0)) {
    file.Close();
    if (m_Loud) Say(u"サムネイル数読み出しエラー<-x04> ", m_CachePath);
    return kEngineReadFailed;
  }
  stored = length / m_RecordLength;
  m_TornTail = length % m_RecordLength != 0;
  const auto limit = static_cast<std::uint64_t>(std::min(kThumbIndexCapacity, m_Geometry.maxRecords));
  const std::uint64_t count = std::min(stored, limit);
  std::uint8_t* record = ThumbRecordBuffer();
  for (std::uint64_t i = 0; i < count; ++i) {
    TheProgress().SetPos(static_cast<int>(i * 100 / count));
    if (TheProgress().Cancelled()) {
      file.Close();
      m_Index.count = 0;
      return kEngineCancelled;
    }
    if (file.Read(record, m_RecordLength) != static_cast<long long>(m_RecordLength)) {
      file.Close();
      m_Index.count = 0;
      if (m_Loud) Say(u"サムネイル数読み出しエラー<-x04> ", m_CachePath);
      return kEngineTooManyRecords;
    }
    ThumbHeader header;
    ParseHeader(record, m_RecordLength, header);
    if (!CodeOfSize(header.sizeCode, m_Geometry.size)) {
      file.Close();
      m_Index.count = 0;
      return SizeMismatch();
    }
    ThumbIndexRow& row = m_Index.rows[m_Index.count++];
    // A record whose layout no drawing gives cannot be shown: it goes with the rewrite.
    row.sizeCode = IsKnownLayout(header.layout) ? header.sizeCode : ObsoleteCode(m_Geometry.size);
    row.fileSize = header.fileSize;
    std::memcpy(row.name, header.name, sizeof row.name);
  }
  if (!file.Close()) {
    m_Index.count = 0;
    return kEngineCloseFailed;
  }
  if (m_Records != nullptr) *m_Records = m_Index.count;
  return std::nullopt;
}

// A record of another catalog size. The catalog's quiet runs leave such a cache to the catalog's
// own question; the dialog asks whether to delete it.
int EngineRun::SizeMismatch() {
  if (!m_Loud) return kEngineSizeMismatch;
  const int answer = ThePrompt().Show(SizeMismatchQuestion(m_Geometry.size), m_CachePath, Buttons::kYesNoCancel);
  if (answer == kAnswerNo) return kEngineDeclined;
  if (answer != kAnswerYes) return kEngineCancelled;
  m_Fs.ClearReadOnly(m_CachePath);
  const int deleted = m_Fs.WipeDelete(m_CachePath, m_Geometry.recordLength);
  if (deleted != 0) {
    Say(u"サムネイルファイルを削除できません ErrNo=" + DecimalText(deleted) + u"  <-x03> ", m_CachePath);
    return kEngineDeleteFailed;
  }
  if (m_Records != nullptr) *m_Records = 0;
  return kEngineDeletedMismatch;
}

// 4. Every record against its file; `obsolete` counts the rows marked. A record already obsolete
// counts too: it is still in the file and goes with the next rewrite.
std::optional<int> EngineRun::MarkObsolete(int& obsolete) {
  TheProgress().SetText(u"ｻﾑﾈｲﾙ 更新中・・・");
  for (int i = 0; i < m_Index.count; ++i) {
    TheProgress().SetPos(i * 100 / m_Index.count);
    if (TheProgress().Cancelled()) return kEngineCancelled;
    ThumbIndexRow& row = m_Index.rows[i];
    const std::optional<bool> current = StillCurrent(row);
    if (!current) return kEngineOpenFailed;
    if (!*current) {
      row.sizeCode = ObsoleteCode(m_Geometry.size);
      ++obsolete;
    }
  }
  return std::nullopt;
}

// Whether a row's record still shows its file: live, named, and the file's size unchanged. A
// file that exists but cannot be opened ends the dialog's run (nothing answered) and is kept by
// the quiet ones.
std::optional<bool> EngineRun::StillCurrent(const ThumbIndexRow& row) {
  if (row.sizeCode != LiveCode(m_Geometry.size) || row.name[0] == u'\0') return false;
  std::int64_t size = 0;
  const std::u16string imagePath = m_Folder + row.name;
  switch (m_Fs.FileSize(imagePath, size)) {
    case SizeQuery::kFound: return static_cast<std::int32_t>(static_cast<std::uint32_t>(size)) == row.fileSize;
    case SizeQuery::kMissing: return false;
    case SizeQuery::kCannotOpen: break;
  }
  if (!m_Loud) return true;
  Say(u"ファイルをオープンできません<-x06> ", imagePath);
  return std::nullopt;
}

// 7. The file rewritten with the live records only, through "_THUMB_OLD.TRN".
int EngineRun::Compact() {
  if (RenameToOld(m_CachePath, m_OldPath, m_Geometry.recordLength, m_Fs, !m_Loud) != 0) return kEngineRenameFailed;
  std::unique_ptr<ThumbFile> old = m_Fs.Open(m_OldPath, OpenMode::kRead);
  if (!old) {
    if (m_Loud) Say(u"サムネイル読出ファイルをオープンできません<-x24> ", m_OldPath);
    // The records are all still in the old file: give it its name back.
    m_Fs.Rename(m_OldPath, m_CachePath);
    return kEngineOpenFailed;
  }
  std::unique_ptr<ThumbFile> fresh = m_Fs.Open(m_CachePath, OpenMode::kCreate);
  if (!fresh) {
    old->Close();
    if (m_Loud) Say(u"サムネイル書込ファイルをオープンできません<-x25> ", m_CachePath);
    m_Fs.Rename(m_OldPath, m_CachePath);
    return kEngineOpenFailed;
  }
  int written = 0;
  if (const std::optional<int> failed = CopyLiveRecords(*old, *fresh, written)) return *failed;
  const bool closed = fresh->Close();
  const bool oldClosed = old->Close();
  if (!closed || !oldClosed) return kEngineCloseFailed;
  m_Index.count = written;
  if (m_Records != nullptr) *m_Records = written;
  return DeleteLeftovers(written);
}

// Reads the old file in step with the index and writes the records whose rows are live, moving
// their rows up; `written` counts them.
std::optional<int> EngineRun::CopyLiveRecords(ThumbFile& old, ThumbFile& fresh, int& written) {
  std::uint8_t* record = ThumbRecordBuffer();
  for (int i = 0; i < m_Index.count; ++i) {
    if (old.Read(record, m_RecordLength) != static_cast<long long>(m_RecordLength)) {
      PutOldBack(old, fresh);
      if (m_Loud) Say(u"サムネイル読み出しエラー<-x26> ", m_OldPath);
      return kEngineReadFailed;
    }
    if (m_Index.rows[i].sizeCode != LiveCode(m_Geometry.size)) continue;
    if (!fresh.Write(record, m_RecordLength)) {
      PutOldBack(old, fresh);
      if (m_Loud) Say(u"サムネイルデータ書き込み失敗<-x27> ", m_CachePath);
      return kEngineWriteFailed;
    }
    m_Index.rows[written++] = m_Index.rows[i];
  }
  return std::nullopt;
}

// A failure half-way leaves the old file whole: the partial new one goes and the old one takes its
// place again, so the folder never keeps a cache with a torn record.
void EngineRun::PutOldBack(ThumbFile& old, ThumbFile& fresh) {
  fresh.Close();
  old.Close();
  m_Fs.WipeDelete(m_CachePath, m_Geometry.recordLength);
  m_Fs.Rename(m_OldPath, m_CachePath);
}

// An empty new cache and the old file go.
int EngineRun::DeleteLeftovers(int written) {
  if (written == 0 && m_Fs.WipeDelete(m_CachePath, m_Geometry.recordLength) != 0) {
    if (m_Loud) Say(u"削除失敗<-x28> ", m_CachePath);
    return kEngineDeleteFailed;
  }
  // The old file carries the cache's attributes; a read-only cache must not leave it behind.
  m_Fs.ClearReadOnly(m_OldPath);
  const int deleted = m_Fs.WipeDelete(m_OldPath, m_Geometry.recordLength);
  if (deleted != 0) {
    if (m_Loud) Say(u"削除失敗 No=" + DecimalText(deleted) + u" <-x31> ", m_OldPath);
    return kEngineDeleteFailed;
  }
  return kEngineCompacted;
}

int EngineRun::Run(bool subfolder) {
  m_Index.count = 0;
  if (const std::optional<int> declined = CheckDrive()) return *declined;
  const std::unique_ptr<ThumbFile> file = OpenCache();
  if (!file) return kEngineOpenFailed;
  ProgressScope progress(u"ﾃｰﾌﾞﾙ 書込中・・・");
  std::uint64_t stored = 0;
  if (const std::optional<int> ended = ReadIndex(*file, stored)) return *ended;
  int obsolete = 0;
  if (const std::optional<int> ended = MarkObsolete(obsolete)) return *ended;
  // 5. The FLV/MP4 copy.
  const bool copying = !m_MovieThumbSource.empty();
  int copied = 0;
  if (copying) {
    AppendBackslash(m_MovieThumbSource);
    if (const std::optional<int> failed =
            CopyMovieThumbnails(m_Folder, m_MovieThumbSource, m_Geometry, m_Index, m_Fs, copied))
      return *failed;
  }
  const int done = copied > 0 ? kEngineCopied : kEngineCompacted;
  // 6. Nothing obsolete, nothing past the limit and no torn tail.
  if (obsolete == 0 && stored == static_cast<std::uint64_t>(m_Index.count) && !m_TornTail)
    return subfolder || copying ? done : kEngineNothingToDo;
  const int compacted = Compact();
  return compacted == kEngineCompacted ? done : compacted;
}

}  // namespace

int ThumbnailEngine(int mode, std::u16string folder, bool subfolder, ThumbFileSystem& fs, ThumbnailIndex& index,
                    int* records, std::u16string_view movieThumbSource) {
  AppendBackslash(folder);
  return EngineRun(mode, folder, movieThumbSource, fs, index, records).Run(subfolder);
}

}  // namespace tarn
