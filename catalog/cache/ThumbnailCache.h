// ThumbNailCont: the catalog view's side of a folder's thumbnail cache. It opens the folder's
// "_THUMB_N.TRN" and loads its index (mode 1), finds a file's thumbnail and unpacks it into the
// work bitmap (mode 2), appends the thumbnail just drawn into the work bitmap (mode 3) and lets
// go of everything (mode 4). The work bitmap is plain memory here; the catalog drawing hands its
// pixels in and takes them out.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/list/CatalogTable.h"
#include "catalog/cache/ThumbnailFiles.h"
#include "catalog/cache/ThumbnailIndex.h"
#include "catalog/cache/ThumbnailRecord.h"

namespace tarn {

class ThumbnailCache {
 public:
  explicit ThumbnailCache(ThumbFileSystem& fs) : fs_(fs) {}
  ThumbnailCache(const ThumbnailCache&) = delete;
  ThumbnailCache& operator=(const ThumbnailCache&) = delete;

  // The display's bytes per pixel (2, 3 or 4), taken from the catalog bitmap.
  void SetDisplayPixelSize(int bytes) { displayPixelSize_ = bytes; }
  // A catalog whose first folder lies on a CD-ROM reads the cache and never writes it.
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  // Called when the user accepted deleting a mismatched cache (the view repaints).
  std::function<void()> repaint;

  // The four commands and any other (message v59, result 2), with the results of the program.
  // `name` is the entry's file name; `drawn` (kCacheAppend) says whether a decoded image was
  // drawn into the work bitmap, whose layout code the drawing set with SetLayout.
  enum Command : int { kCacheOpen = 1, kCacheLookup = 2, kCacheAppend = 3, kCacheRelease = 4 };
  int ThumbNailCont(Command command, std::u16string_view name, const FolderRow& folder, bool drawn = false);

  // The work bitmap: W x W pixels of the display's pixel size, top row first.
  WorkPixels Work();
  int Layout() const { return layout_; }
  void SetLayout(int layout) { layout_ = layout; }

  const ThumbnailIndex& Index() const { return *index_; }
  int SavedCount() const { return savedCount_; }
  int AddedCount() const { return addedCount_; }
  bool MismatchAccepted() const { return mismatchAccepted_; }
  const std::u16string& CachePath() const { return cachePath_; }
  // Closes the open cache file after a folder pass.
  void CloseFile();

 private:
  int Open(const FolderRow& folder);
  int Lookup(std::u16string_view name, const FolderRow& folder);
  int Append(std::u16string_view name, const FolderRow& folder, bool drawn);
  int Release();
  // The picture's current size; false after the program's message ending in `tag`.
  bool ImageSize(std::u16string_view name, const FolderRow& folder, std::u16string_view tag, std::int64_t& size);
  // Opens the file once per pass for the lookup and the append: read-only on a read-only catalog.
  bool EnsureOpen();
  void SwitchOff();

  ThumbFileSystem& fs_;
  std::unique_ptr<ThumbnailIndex> index_ = std::make_unique<ThumbnailIndex>();
  std::unique_ptr<ThumbFile> file_;  // open during one folder pass
  std::u16string cachePath_;
  std::vector<std::uint8_t> work_;   // the work bitmap's pixels; empty when not made
  std::size_t stride_ = 0;
  int displayPixelSize_ = 4;
  int layout_ = 0;
  int savedCount_ = 0;   // records in the file
  int addedCount_ = 0;   // records appended in this build
  bool readOnly_ = false;
  bool maxShown_ = false;
  bool mismatchAccepted_ = false;
};

}  // namespace tarn
