// Files of the thumbnail cache in memory, with failures on request, for the portable tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalog/cache/ThumbnailFiles.h"

namespace tarn::test {

class MemoryThumbFiles : public ThumbFileSystem {
 public:
  std::map<std::u16string, std::vector<std::uint8_t>> files;
  std::set<std::u16string> unreadable;  // exist, but cannot be opened
  std::map<std::u16string, int> drives{{u"C:\\", 2}, {u"Q:\\", 4}};
  int writesLeft = -1;                  // writes that succeed before the rest fail; -1 all
  int wipeResult = 0;
  std::vector<std::u16string> log;      // "open path", "rename a b", "wipe path"
  std::vector<int> wipeLengths;         // the block length of every wipe

  class File : public ThumbFile {
   public:
    File(MemoryThumbFiles& fs, std::u16string path, bool writable) : fs_(fs), path_(std::move(path)), writable_(writable) {}
    long long Read(std::uint8_t* out, std::size_t count) override {
      auto& bytes = fs_.files[path_];
      std::size_t n = 0;
      while (n < count && pos_ < bytes.size()) out[n++] = bytes[pos_++];
      return static_cast<long long>(n);
    }
    bool Write(const std::uint8_t* in, std::size_t count) override {
      if (!writable_ || fs_.writesLeft == 0) return false;
      if (fs_.writesLeft > 0) --fs_.writesLeft;
      auto& bytes = fs_.files[path_];
      if (bytes.size() < pos_ + count) bytes.resize(pos_ + count);
      std::copy(in, in + count, bytes.begin() + static_cast<std::ptrdiff_t>(pos_));
      pos_ += count;
      return true;
    }
    bool Seek(std::uint64_t offset) override {
      pos_ = static_cast<std::size_t>(offset);
      return true;
    }
    bool Length(std::uint64_t& length) override {
      length = fs_.files[path_].size();
      return true;
    }
    bool Close() override { return true; }

   private:
    MemoryThumbFiles& fs_;
    std::u16string path_;
    bool writable_;
    std::size_t pos_ = 0;
  };

  std::unique_ptr<ThumbFile> Open(std::u16string_view path, OpenMode mode) override {
    const std::u16string p(path);
    log.push_back(u"open " + p);
    if (unreadable.count(p)) return nullptr;
    if (mode == OpenMode::kRead && !files.count(p)) return nullptr;
    if (mode == OpenMode::kCreate) files[p].clear();
    if (mode == OpenMode::kReadWrite) files[p];
    return std::make_unique<File>(*this, p, mode != OpenMode::kRead);
  }
  SizeQuery FileSize(std::u16string_view path, std::int64_t& size) override {
    const std::u16string p(path);
    if (unreadable.count(p)) return SizeQuery::kCannotOpen;
    auto it = files.find(p);
    if (it == files.end()) return SizeQuery::kMissing;
    size = static_cast<std::int64_t>(it->second.size());
    return SizeQuery::kFound;
  }
  bool Exists(std::u16string_view path) override { return files.count(std::u16string(path)) > 0; }
  bool Rename(std::u16string_view from, std::u16string_view to) override {
    log.push_back(u"rename " + std::u16string(from) + u" " + std::u16string(to));
    auto it = files.find(std::u16string(from));
    if (it == files.end() || files.count(std::u16string(to))) return false;
    files[std::u16string(to)] = std::move(it->second);
    files.erase(std::u16string(from));
    return true;
  }
  int WipeDelete(std::u16string_view path, int recordLength) override {
    log.push_back(u"wipe " + std::u16string(path));
    wipeLengths.push_back(recordLength);
    if (wipeResult != 0) return wipeResult;
    return files.erase(std::u16string(path)) ? 0 : 1;
  }
  int ClearReadOnly(std::u16string_view) override { return 0; }
  int DriveKind(std::u16string_view root) override {
    auto it = drives.find(std::u16string(root));
    return it == drives.end() ? 0 : it->second;
  }
};

}  // namespace tarn::test
