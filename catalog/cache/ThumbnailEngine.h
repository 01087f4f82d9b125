// The folder-level thumbnail engine: checks a folder's "_THUMB_N.TRN" against the folder, marks
// the records of vanished or changed files and those it cannot draw obsolete and rewrites the file
// without them through "_THUMB_OLD.TRN"; a file longer than its catalog size allows keeps its
// first records. On request it first gives the folder's movies their first-frame thumbnails.
#pragma once

#include <string>
#include <string_view>

#include "catalog/cache/ThumbnailFiles.h"
#include "catalog/cache/ThumbnailIndex.h"

namespace tarn {

enum EngineResult : int {
  kEngineCompacted = 0,
  kEngineNothingToDo = 1,
  kEngineCancelled = 2,
  kEngineDeletedMismatch = 3,
  kEngineCopied = 4,
  kEngineDeclined = -1,
  kEngineRenameFailed = -2,
  kEngineSizeMismatch = -3,
  kEngineDeleteFailed = -4,
  kEngineTooManyRecords = -5,
  kEngineOpenFailed = -6,
  kEngineCloseFailed = -7,
  kEngineReadFailed = -8,
  kEngineWriteFailed = -9,
};

// Mode 0 comes from the maintenance dialog and shows its messages; 1 (more records than files),
// 2 (a folder that listed nothing) and 3 (after file operations) come from the catalog view and
// are quiet. `folder` may lack its final backslash. `subfolder` asks for the dialog's subfolder
// variant, which reports 0 rather than 1 when nothing had to change. The catalog size is
// g_CatalogSize. `records`, when given, receives the number of records the cache holds afterwards.
// `movieThumbSource`, given by the dialog's FLV/MP4 copy, is the subfolder whose cache holds the
// movies' first-frame thumbnails: the run then answers 4 when it copied any, 0 when it did not.
int ThumbnailEngine(int mode, std::u16string folder, bool subfolder, ThumbFileSystem& fs, ThumbnailIndex& index,
                    int* records = nullptr, std::u16string_view movieThumbSource = {});

// Moves the cache to `oldPath`, first wiping an old file left there in blocks of `recordLength`.
// 0, or -1 after its message (none when `quiet`).
int RenameToOld(std::u16string_view cachePath, std::u16string_view oldPath, int recordLength, ThumbFileSystem& fs,
                bool quiet);

}  // namespace tarn
