// What the user's sorts need from outside the portable core: the file system for sizes and time
// stamps, the image loader for picture sizes, and the view for its status bar, catalog, companion
// dialogs and error log. The program implements them on Win32; tests answer them from tables.
#pragma once

#include <string_view>

namespace tarn {

struct FileFacts {
  long long size = 0;      // bytes
  long long modified = 0;  // last write, seconds since 1970-01-01, taken through local time and back
};

class FileFactsSource {
 public:
  virtual ~FileFactsSource() = default;
  // The facts of the file at `path`; false when it cannot be opened.
  virtual bool Facts(std::u16string_view path, FileFacts& facts) = 0;
};

enum PictureSizeResult : int {
  kPictureSized = 0,
  kPictureNoBitmap = 1,    // the loader answered success but holds no bitmap
  kPictureLoadFailed = 2,  // the loader reported its own failure (and has told the user)
};

class PictureSizer {
 public:
  virtual ~PictureSizer() = default;
  // Loads the still picture at `path` as a display window would and answers the decoded bitmap's
  // width and height.
  virtual int Measure(std::u16string_view path, long long& width, long long& height) = 0;
};

class SortHost {
 public:
  virtual ~SortHost() = default;
  // Status-bar switch 4: the order being made (0 size, 1 name, 2 kind, 3 area, 4 date).
  virtual void ShowSortOrder(int mode) = 0;
  // The companion dialogs show counts of the table; they are told it changed.
  virtual void RefreshCompanions() = 0;
  // Drops the catalog on screen before the area sort loads pictures of its own.
  virtual void ResetCatalog() = 0;
  virtual void LogError(std::u16string_view text) = 0;
};

}  // namespace tarn
