#include "ThumbnailCache.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"

namespace tarn {
namespace {

constexpr char16_t kStopUsing[] = u"サムネイルの使用中止";

}  // namespace

void ThumbnailCache::SwitchOff() { g_ThumbNailFlag = 0; }

WorkPixels ThumbnailCache::Work() {
  if (work_.empty()) return {};
  return {work_.data(), GeometryOf(g_CatalogSize).cell, displayPixelSize_, stride_};
}

void ThumbnailCache::CloseFile() {
  if (file_) file_->Close();
  file_.reset();
}

int ThumbnailCache::ThumbNailCont(Command command, std::u16string_view name, const FolderRow& folder,
                                  bool drawn) {
  switch (command) {
    case kCacheOpen: return Open(folder);
    case kCacheLookup: return Lookup(name, folder);
    case kCacheAppend: return Append(name, folder, drawn);
    case kCacheRelease: return Release();
    default:
      Say(u"該当処理無しエラー<-v59> ", u"CTarnView::ThumbNailCont");
      return 2;
  }
}

int ThumbnailCache::Open(const FolderRow& folder) {
  CloseFile();
  savedCount_ = 0;
  addedCount_ = 0;
  maxShown_ = false;
  index_->count = 0;
  cachePath_ = FolderPath(folder) + kThumbFileName;
  const ThumbGeometry geometry = GeometryOf(g_CatalogSize);
  const auto recordLength = static_cast<std::size_t>(geometry.recordLength);

  bool deleteCache = false;
  if (folder.state == 2) {
    std::unique_ptr<ThumbFile> file = fs_.Open(cachePath_, OpenMode::kRead);
    if (!file) return 2;
    std::uint64_t length = 0;
    if (!file->Length(length)) {
      file->Close();
      return 2;
    }
    if (!file->Seek(0)) {
      file->Close();
      Say(u"出力ファイル " + cachePath_ + u" シークエラー<-v33> ");
      return 2;
    }
    // Only whole records count; a torn tail is neither read nor trusted.
    const std::uint64_t count = length / recordLength;
    const int limit = std::min(kThumbIndexCapacity, geometry.maxRecords);
    std::uint8_t* record = ThumbRecordBuffer();
    for (std::uint64_t i = 0; i < count; ++i) {
      const bool tooMany = index_->count >= limit;
      // A damaged file is not used for this folder; the setting stays, since the engine can
      // rewrite the file and the next catalog use it again.
      if (tooMany || file->Read(record, recordLength) != static_cast<long long>(recordLength)) {
        file->Close();
        index_->count = 0;
        Say(u"サムネイル数読み出しエラー<-v34> ", kStopUsing);
        return 2;
      }
      ThumbHeader header;
      ParseHeader(record, recordLength, header);
      const char16_t* caption = nullptr;
      if (header.pixelSize != displayPixelSize_) {
        caption = u"ディスプレイのカラー設定不一致";
      } else if (!CodeOfSize(header.sizeCode, geometry.size)) {
        caption = u"カタログサイズ不一致";
      }
      if (caption != nullptr) {
        if (!mismatchAccepted_) {
          if (readOnly_) {
            file->Close();
            index_->count = 0;
            Say(u"古いサムネイルファイルです。サムネイルの使用中止 ", std::u16string(caption) + u" ");
            SwitchOff();
            return 4;
          }
          if (ThePrompt().Show(u"古いサムネイルファイルを削除します  ≪ｷｬﾝｾﾙ≫で終了", caption, Buttons::kOkCancel) !=
              kAnswerOk) {
            file->Close();
            index_->count = 0;
            return 4;
          }
        }
        deleteCache = true;
        break;
      }
      ThumbIndexRow& row = index_->rows[index_->count++];
      row.sizeCode = header.sizeCode;
      row.fileSize = header.fileSize;
      std::memcpy(row.name, header.name, sizeof row.name);
    }
    file->Close();
    savedCount_ = index_->count;
  }

  if (deleteCache) {
    // Never on a read-only catalog: there the mismatch ended above before anything was changed.
    if (readOnly_) {
      SwitchOff();
      return 4;
    }
    mismatchAccepted_ = true;
    if (repaint) repaint();
    index_->count = 0;
    savedCount_ = 0;
    fs_.ClearReadOnly(cachePath_);
    const int deleted = fs_.WipeDelete(cachePath_, geometry.recordLength);
    if (deleted != 0) {
      const char16_t* text = deleted == 1   ? u"サムネイル書込ファイルをオープンできません<-v35> "
                             : deleted == 2 ? u"サムネイル削除データ書き込み失敗<-v36> "
                                            : u"削除失敗<-v37> ";
      Say(text, cachePath_);
      SwitchOff();
      return 4;
    }
  }

  // The work bitmap: rows padded to two bytes, as a screen-compatible bitmap hands its bits out.
  const int side = geometry.cell;
  stride_ = (static_cast<std::size_t>(side) * static_cast<std::size_t>(displayPixelSize_) + 1) & ~std::size_t{1};
  work_.assign(stride_ * static_cast<std::size_t>(side), 0xFF);
  layout_ = 0;
  return 0;
}

bool ThumbnailCache::EnsureOpen() {
  if (file_) return true;
  if (readOnly_) {
    file_ = fs_.Open(cachePath_, OpenMode::kRead);
  } else {
    fs_.ClearReadOnly(cachePath_);
    file_ = fs_.Open(cachePath_, OpenMode::kReadWrite);
  }
  return file_ != nullptr;
}

bool ThumbnailCache::ImageSize(std::u16string_view name, const FolderRow& folder, std::u16string_view tag,
                               std::int64_t& size) {
  const std::u16string imagePath = FolderPath(folder) + std::u16string(name);
  if (fs_.FileSize(imagePath, size) == SizeQuery::kFound) return true;
  Say(u"ファイル " + imagePath + u" をオープンできません" + std::u16string(tag));
  return false;
}

int ThumbnailCache::Lookup(std::u16string_view name, const FolderRow& folder) {
  const ThumbGeometry geometry = GeometryOf(g_CatalogSize);
  const auto recordLength = static_cast<std::size_t>(geometry.recordLength);
  for (int k = 0; k < index_->count; ++k) {
    const ThumbIndexRow& row = index_->rows[k];
    if (row.name[0] == u'\0' || !EqualsIgnoreCase(row.name, name)) continue;
    if (!EnsureOpen()) {
      if (readOnly_) {
        Say(u"ファイル " + cachePath_ + u" をオープンできません<-v51> ");
        SwitchOff();
      } else {
        Say(u"ファイル " + cachePath_ + u" をオープンできません<-v40> ");
      }
      return -1;
    }
    if (!file_->Seek(static_cast<std::uint64_t>(k) * recordLength)) {
      Say(u"出力ファイル " + cachePath_ + u" シークエラー<-v52> ");
      return -1;
    }
    std::uint8_t* record = ThumbRecordBuffer();
    const long long got = file_->Read(record, recordLength);
    if (got != static_cast<long long>(recordLength)) {
      Say(u"サムネイル読み出しエラー<-v54> m_SaveThumbCnt=" + DecimalText(savedCount_) + u"  fr=" +
              DecimalText(got < 0 ? 0 : got) + u"  k1=" + DecimalText(k),
          kStopUsing);
      SwitchOff();
      return -3;
    }
    std::int64_t size = 0;
    if (!ImageSize(name, folder, u"<-v53> ", size)) return -1;
    ThumbHeader header;
    ParseHeader(record, recordLength, header);
    const WorkPixels work = Work();
    // The record itself must still name the file: the cache may have changed since the index
    // was read.
    if (header.nameIntact && EqualsIgnoreCase(header.name, name) && header.sizeCode == LiveCode(geometry.size) &&
        header.fileSize == static_cast<std::int32_t>(static_cast<std::uint32_t>(size)) &&
        header.pixelSize == displayPixelSize_ &&
        UnpackBlock(record + kRecordHeaderBytes, recordLength - kRecordHeaderBytes, header.layout, geometry, work)) {
      layout_ = header.layout;
      return 1;
    }
  }
  return 0;
}

int ThumbnailCache::Append(std::u16string_view name, const FolderRow& folder, bool drawn) {
  const ThumbGeometry geometry = GeometryOf(g_CatalogSize);
  const auto recordLength = static_cast<std::size_t>(geometry.recordLength);
  if (savedCount_ >= geometry.maxRecords || savedCount_ >= kThumbIndexCapacity) {
    if (!maxShown_) {
      maxShown_ = true;
      Say(u"サムネイル数オーバーで保存できません", u" 最大保存サムネイル数 = " + DecimalText(geometry.maxRecords) + u" ");
    }
    return 3;
  }
  // A read-only catalog never writes; the catalog does not ask, and nothing is switched off.
  if (readOnly_) return -4;
  if (!EnsureOpen()) {
    Say(u"サムネイルを「無効」にします ", u"サムネイル設定変更");
    SwitchOff();
    return -4;
  }
  const WorkPixels work = Work();
  if (!drawn || work.bits == nullptr) {
    Say(u"エラーCTarnView::CatalogA≪lpBI=0≫<-v55> ", kStopUsing);
    SwitchOff();
    return -2;
  }
  // Appends go right after the last whole record, so that a torn tail left by an interrupted
  // write is overwritten instead of shifting every later record off its boundary.
  if (!file_->Seek(static_cast<std::uint64_t>(savedCount_) * recordLength)) {
    Say(u"出力ファイル " + cachePath_ + u" シークエラー<-v56> ");
    return -1;
  }
  std::int64_t size = 0;
  if (!ImageSize(name, folder, u"<-v57> ", size)) return -1;
  std::uint8_t* record = ThumbRecordBuffer();
  const auto fileSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(size));
  if (!WriteHeader(static_cast<std::uint8_t>(displayPixelSize_), LiveCode(geometry.size),
                   static_cast<std::uint16_t>(layout_), fileSize, name, record) ||
      !PackBlock(work, layout_, geometry, record + kRecordHeaderBytes) || !file_->Write(record, recordLength)) {
    Say(u"サムネイルデータ書き込み失敗<-v58> ", kStopUsing);
    SwitchOff();
    return -1;
  }
  ThumbIndexRow& row = index_->rows[index_->count < kThumbIndexCapacity ? index_->count++ : kThumbIndexCapacity - 1];
  row = ThumbIndexRow{};
  row.sizeCode = LiveCode(geometry.size);
  row.fileSize = fileSize;
  std::memcpy(row.name, name.data(), name.size() * sizeof(char16_t));
  ++savedCount_;
  ++addedCount_;
  return 0;
}

int ThumbnailCache::Release() {
  CloseFile();
  work_.clear();
  work_.shrink_to_fit();
  cachePath_.clear();
  index_->count = 0;
  return 0;
}

}  // namespace tarn
