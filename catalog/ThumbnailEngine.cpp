#include "ThumbnailEngine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/ThumbnailRecord.h"

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

int ThumbnailEngine(int mode, std::u16string folder, bool subfolder, ThumbFileSystem& fs, ThumbnailIndex& index,
                    int* records) {
  const bool loud = mode == 0;
  const ThumbGeometry geometry = GeometryOf(g_CatalogSize);
  const auto recordLength = static_cast<std::size_t>(geometry.recordLength);
  AppendBackslash(folder);
  const std::u16string cachePath = folder + kThumbFileName;
  const std::u16string oldPath = folder + kThumbOldFileName;
  index.count = 0;

  // 1. Nothing on a CD-ROM is ever changed; a drive the table does not know is not touched either.
  const int kind = folder.size() >= 3 ? fs.DriveKind(std::u16string_view(folder).substr(0, 3)) : 0;
  if (kind == kDriveCdRom) {
    Say(u"ＣＤＲＯＭドライブは更新できません ", u"保存サムネイル更新不可");
    return kEngineDeclined;
  }
  if (kind == 0) {
    Say(u"ドライブ名称不一致<-x02> ", u"ドライブ種別検索エラー");
    return kEngineDeclined;
  }

  // 2. The cache file.
  std::unique_ptr<ThumbFile> file = fs.Open(cachePath, OpenMode::kRead);
  if (!file) {
    if (loud) Say(u"サムネイルをオープンできません<-x05> ", cachePath);
    return kEngineOpenFailed;
  }

  // 3. Its headers into the index. Only whole records count: a torn tail is left out.
  ProgressScope progress(u"ﾃｰﾌﾞﾙ 書込中・・・");
  std::uint64_t length = 0;
  if (!file->Length(length) || !file->Seek(0)) {
    file->Close();
    if (loud) Say(u"サムネイル数読み出しエラー<-x04> ", cachePath);
    return kEngineReadFailed;
  }
  // A file with more records than the catalog size allows was damaged: its first records are read
  // and the rest go with the rewrite.
  const std::uint64_t stored = length / recordLength;
  const auto limit = static_cast<std::uint64_t>(std::min(kThumbIndexCapacity, geometry.maxRecords));
  const std::uint64_t count = std::min(stored, limit);
  std::uint8_t* record = ThumbRecordBuffer();
  for (std::uint64_t i = 0; i < count; ++i) {
    TheProgress().SetPos(static_cast<int>(i * 100 / count));
    if (TheProgress().Cancelled()) {
      file->Close();
      index.count = 0;
      return kEngineCancelled;
    }
    if (file->Read(record, recordLength) != static_cast<long long>(recordLength)) {
      file->Close();
      index.count = 0;
      if (loud) Say(u"サムネイル数読み出しエラー<-x04> ", cachePath);
      return kEngineTooManyRecords;
    }
    ThumbHeader header;
    ParseHeader(record, recordLength, header);
    if (!CodeOfSize(header.sizeCode, geometry.size)) {
      file->Close();
      index.count = 0;
      // The catalog's quiet runs leave a cache of another size to the catalog's own question.
      if (!loud) return kEngineSizeMismatch;
      const int answer = ThePrompt().Show(SizeMismatchQuestion(geometry.size), cachePath, Buttons::kYesNoCancel);
      if (answer == kAnswerNo) return kEngineDeclined;
      if (answer != kAnswerYes) return kEngineCancelled;
      fs.ClearReadOnly(cachePath);
      const int deleted = fs.WipeDelete(cachePath, geometry.recordLength);
      if (deleted != 0) {
        Say(u"サムネイルファイルを削除できません ErrNo=" + DecimalText(deleted) + u"  <-x03> ", cachePath);
        return kEngineDeleteFailed;
      }
      if (records != nullptr) *records = 0;
      return kEngineDeletedMismatch;
    }
    ThumbIndexRow& row = index.rows[index.count++];
    // A record whose layout no drawing gives cannot be shown: it goes with the rewrite.
    row.sizeCode = IsKnownLayout(header.layout) ? header.sizeCode : ObsoleteCode(geometry.size);
    row.fileSize = header.fileSize;
    std::memcpy(row.name, header.name, sizeof row.name);
  }
  if (!file->Close()) {
    index.count = 0;
    return kEngineCloseFailed;
  }
  if (records != nullptr) *records = index.count;

  // 4. Every record against its file. A record already obsolete counts too: it is still in the
  // file and goes with the next rewrite.
  TheProgress().SetText(u"ｻﾑﾈｲﾙ 更新中・・・");
  int obsolete = 0;
  for (int i = 0; i < index.count; ++i) {
    TheProgress().SetPos(i * 100 / index.count);
    if (TheProgress().Cancelled()) return kEngineCancelled;
    ThumbIndexRow& row = index.rows[i];
    bool keep = false;
    if (row.sizeCode == LiveCode(geometry.size) && row.name[0] != u'\0') {
      std::int64_t size = 0;
      const std::u16string imagePath = folder + row.name;
      switch (fs.FileSize(imagePath, size)) {
        case SizeQuery::kFound: keep = static_cast<std::int32_t>(static_cast<std::uint32_t>(size)) == row.fileSize; break;
        case SizeQuery::kMissing: keep = false; break;
        case SizeQuery::kCannotOpen:
          if (loud) {
            Say(u"ファイルをオープンできません<-x06> ", imagePath);
            return kEngineOpenFailed;
          }
          keep = true;
          break;
      }
    }
    if (!keep) {
      row.sizeCode = ObsoleteCode(geometry.size);
      ++obsolete;
    }
  }

  // 6. Nothing obsolete and nothing past the limit.
  if (obsolete == 0 && stored == count) return subfolder ? kEngineCompacted : kEngineNothingToDo;

  // 7. Rewrite the file with the live records only.
  if (RenameToOld(cachePath, oldPath, geometry.recordLength, fs, !loud) != 0) return kEngineRenameFailed;
  std::unique_ptr<ThumbFile> old = fs.Open(oldPath, OpenMode::kRead);
  if (!old) {
    if (loud) Say(u"サムネイル読出ファイルをオープンできません<-x24> ", oldPath);
    // The records are all still in the old file: give it its name back.
    fs.Rename(oldPath, cachePath);
    return kEngineOpenFailed;
  }
  std::unique_ptr<ThumbFile> fresh = fs.Open(cachePath, OpenMode::kCreate);
  if (!fresh) {
    old->Close();
    if (loud) Say(u"サムネイル書込ファイルをオープンできません<-x25> ", cachePath);
    fs.Rename(oldPath, cachePath);
    return kEngineOpenFailed;
  }
  // A failure half-way leaves the old file whole: the partial new one goes and the old one takes
  // its place again, so the folder never keeps a cache with a torn record.
  auto restore = [&] {
    fresh->Close();
    old->Close();
    fs.WipeDelete(cachePath, geometry.recordLength);
    fs.Rename(oldPath, cachePath);
  };
  int written = 0;
  for (int i = 0; i < index.count; ++i) {
    if (old->Read(record, recordLength) != static_cast<long long>(recordLength)) {
      restore();
      if (loud) Say(u"サムネイル読み出しエラー<-x26> ", oldPath);
      return kEngineReadFailed;
    }
    if (index.rows[i].sizeCode != LiveCode(geometry.size)) continue;
    if (!fresh->Write(record, recordLength)) {
      restore();
      if (loud) Say(u"サムネイルデータ書き込み失敗<-x27> ", cachePath);
      return kEngineWriteFailed;
    }
    index.rows[written++] = index.rows[i];
  }
  const bool closed = fresh->Close();
  const bool oldClosed = old->Close();
  if (!closed || !oldClosed) return kEngineCloseFailed;
  index.count = written;
  if (records != nullptr) *records = written;
  if (written == 0 && fs.WipeDelete(cachePath, geometry.recordLength) != 0) {
    if (loud) Say(u"削除失敗<-x28> ", cachePath);
    return kEngineDeleteFailed;
  }
  // The old file carries the cache's attributes; a read-only cache must not leave it behind.
  fs.ClearReadOnly(oldPath);
  const int deleted = fs.WipeDelete(oldPath, geometry.recordLength);
  if (deleted != 0) {
    if (loud) Say(u"削除失敗 No=" + DecimalText(deleted) + u" <-x31> ", oldPath);
    return kEngineDeleteFailed;
  }
  return kEngineCompacted;
}

}  // namespace tarn
