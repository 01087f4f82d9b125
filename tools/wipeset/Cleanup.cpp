#include "tools/wipeset/Cleanup.h"

#include "common/Handles.h"
#include "tools/wipeset/AnsiText.h"
#include "tools/wipeset/WipeFile.h"

namespace wipeset {

namespace {

const char* FileName(FileKind kind) {
  switch (kind) {
    case kTarnIni: return "Tarn.ini";
    case kTarnSpiIni: return "TarnSpi.ini";
    case kTarnCfg: return "Tarn.cfg";
    case kErrLog: return "ErrLog.txt";
    case kWallpaper1: return "TarnWall1.jpg";
    case kWallpaper2: return "TarnWall2.jpg";
  }
  return "";
}

// Kinds 0 to 4 are settings and log files: asked and reported one by one in single mode.
bool IsSettingsKind(FileKind kind) { return kind <= kErrLog; }

std::string WithBackslash(const char* folder, UINT length) {
  std::string text(folder, length);
  if (text.empty() || text.back() != '\\') text += '\\';
  return text;
}

// True when the file is there to be deleted: it opens for reading. A path the ANSI calls cannot
// take whole is never cut short to fit, it simply is not found.
bool OpensForReading(const std::string& folder, const std::string& path) {
  if (folder.empty() || path.size() >= MAX_PATH) return false;
  const tarn::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsOpen();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool AskFirst(HWND owner, FileKind kind, Mode mode, const std::string& path) {
  if (mode == Mode::kAll) {
    if (kind != kTarnIni) return true;
    return AskOkCancel(owner, Cp932(L"設定ファイルと壁紙を一括削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 "),
                       Cp932(L"設定ファイル・壁紙 一括削除"));
  }
  if (IsSettingsKind(kind)) return AskOkCancel(owner, Cp932(L"ファイルを削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 "), path);
  if (kind == kWallpaper1) {
    return AskOkCancel(owner, Cp932(L"壁紙を削除しますか？  ≪ｷｬﾝｾﾙ≫で終了 "), Cp932(L"壁紙ファイル削除"));
  }
  return true;  // the second wallpaper goes with the first without a question of its own
}

}  // namespace

std::string FolderOf(FileKind kind) {
  char folder[MAX_PATH];
  const UINT length = kind == kTarnIni || kind == kTarnSpiIni ? GetWindowsDirectoryA(folder, MAX_PATH)
                                                              : GetCurrentDirectoryA(MAX_PATH, folder);
  // Zero is a failure; MAX_PATH or more is the size the folder would have needed.
  if (length == 0 || length >= MAX_PATH) return {};
  return WithBackslash(folder, length);
}

Outcome DeleteOne(HWND owner, FileKind kind, Mode mode) {
  const std::string folder = FolderOf(kind);
  std::string path = folder + FileName(kind);
  if (!AskFirst(owner, kind, mode, path)) return Outcome::kCancelled;

  bool found = OpensForReading(folder, path);
  if (!found && kind == kTarnCfg && !Exists(path)) {
    // Individual settings that were put aside go once "Tarn.cfg" is gone. A "Tarn.cfg" that is
    // there but cannot be opened (another program holds it) does not hand the deletion on to a
    // file the user was not asked about.
    path = folder + "Tarn2.cfg";
    found = OpensForReading(folder, path);
  }
  if (!found) {
    if (mode == Mode::kSingle && IsSettingsKind(kind)) {
      Tell(owner, Cp932(L"ファイルが見つかりません "), kind == kTarnCfg ? std::string("Tarn.cfg/Tarn2.cfg") : path);
    }
    return Outcome::kNotFound;
  }

  if (WipeDelete(path) != kWipeDone) {
    TellFailure(owner, Cp932(L"ファイルの削除失敗 "), path);
    return Outcome::kFailed;
  }
  if (mode == Mode::kSingle && IsSettingsKind(kind)) Tell(owner, Cp932(L"ファイルを削除しました "), path);
  return Outcome::kDeleted;
}

void DeleteAll(HWND owner) {
  const Outcome first = DeleteOne(owner, kTarnIni, Mode::kAll);
  if (first == Outcome::kCancelled) return;
  int deleted = first == Outcome::kDeleted ? 1 : 0;
  for (const FileKind kind : {kTarnSpiIni, kTarnCfg, kErrLog, kWallpaper1, kWallpaper2}) {
    if (DeleteOne(owner, kind, Mode::kAll) == Outcome::kDeleted) ++deleted;
  }
  Tell(owner,
       Cp932(deleted > 0 ? L"設定ファイルと壁紙を一括削除しました " : L"設定ファイルと壁紙が見つかりません "),
       Cp932(L"設定ファイル・壁紙 一括削除"));
}

void DeleteWallpapers(HWND owner) {
  const Outcome first = DeleteOne(owner, kWallpaper1, Mode::kSingle);
  // Cancelled means the user wants nothing done and nothing reported.
  if (first == Outcome::kCancelled) return;
  const Outcome second = DeleteOne(owner, kWallpaper2, Mode::kSingle);
  const bool any = first == Outcome::kDeleted || second == Outcome::kDeleted;
  Tell(owner, Cp932(any ? L"壁紙を削除しました " : L"壁紙が見つかりません "), Cp932(L"壁紙ファイル削除"));
}

}  // namespace wipeset
