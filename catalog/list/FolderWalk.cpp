#include "FolderWalk.h"

#include <algorithm>
#include <iterator>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "catalog/list/FileClass.h"
#include "catalog/list/OpenList.h"

namespace tarn {

int g_SuggestedOffset = 0;

namespace {

constexpr int kSuggestedOffsetAsked = 800;   // above this the offset is only shown, never stored
constexpr std::size_t kFolderPathMax = 255;  // units of a folder row's path before its NUL

// The cut-off question: store `suggested` as the folder offset? Above 800 it is only shown. Either
// way it stays as the suggested offset.
void AskForOffset(int suggested, std::u16string_view caption) {
  const std::u16string number = DecimalText(suggested);
  if (suggested > kSuggestedOffsetAsked) {
    Say(u"下位フォルダ番号は ≪ " + number + u" ≫ です ", caption, Buttons::kOk);
  } else if (Say(u"下位フォルダ番号≪ " + number + u" ≫をフォルダオフセットに登録しますか ", caption,
                 Buttons::kOkCancel) == kAnswerOk) {
    g_SubFolderOffset = suggested;
  }
  g_SuggestedOffset = suggested;
}

// " No=%3d": the folder number right-aligned in three places.
std::u16string FolderNumberText(int number) { return u" No=" + PaddedDecimal(number, 3); }

// One request's walk: the counters, all cleared when the request starts.
class ListWalk {
 public:
  ListWalk(FileListSystem& system, CatalogTables& tables) : m_System(system), m_Tables(tables) {}

  int Subfolders(const std::u16string& folder);
  int PickedOrSingle(const FolderRequest& request);

 private:
  // The folder's accepted files into the open list: the number written, or -1 seek or write
  // error, -2 cancelled, -3 file limit, -4 search limit.
  int ListFolder(const std::u16string& folder, int number);
  // One file of ListFolder: 1 listed, 0 passed over, or the negative answer that stops the folder.
  int TakeFile(const std::u16string& folder, const std::u16string& name, int number, int& counted);
  // Depth-first walk below `path`: 0 go on, or the FileOpenListResult that ends the walk.
  int ScanSubfolders(std::u16string path);
  // Lists one visited folder and gives it a folder row when it listed something.
  int ListVisited(const std::u16string& path);
  void EnterFolder(const std::u16string& path);
  // Adds a name's records to the folder's pending ones; false for a name with no record form.
  bool Write(std::u16string_view name, int number);
  // Writes the folder's records in one go.
  bool Flush();
  int NameProblem(const char16_t* logTag, const std::u16string& folder, const std::u16string& name,
                  std::u16string_view question, std::u16string_view caption);

  FileListSystem& m_System;
  CatalogTables& m_Tables;
  std::string m_Pending;  // records of the folder being listed, written when it is done
  int m_Written = 0;      // records written, all folders together
  int m_Visited = 0;      // folders visited by the subfolder walk
  int m_Invalid = 0;      // folders that held no accepted file
  int m_Searched = 0;     // entries of the walk, counted from the folder last entered
};

void ListWalk::EnterFolder(const std::u16string& path) {
  if (m_Tables.folderRows >= kFolderRowsMax || path.size() > kFolderPathMax) return;
  FolderRow& row = m_Tables.folders[m_Tables.folderRows++];
  row.state = 0;
  std::fill(std::begin(row.path), std::end(row.path), u'\0');
  std::copy(path.begin(), path.end(), row.path);
}

bool ListWalk::Write(std::u16string_view name, int number) {
  const std::string bytes = EncodeOpenListEntry(name, number);
  if (bytes.empty()) return false;
  m_Pending += bytes;
  return true;
}

bool ListWalk::Flush() {
  const bool whole = m_Pending.empty() || m_System.AppendToList(m_Pending);
  m_Pending.clear();
  return whole;
}

// Logs a refused name and asks whether to go on: 0 skip the file, -2 stop.
int ListWalk::NameProblem(const char16_t* logTag, const std::u16string& folder, const std::u16string& name,
                          std::u16string_view question, std::u16string_view caption) {
  m_System.Log(logTag + folder + name);
  const std::u16string text = std::u16string(question) + u"\n\nPath = " + folder + u"\n\nName = " + name;
  return Say(text, caption, Buttons::kOkCancel) == kAnswerOk ? 0 : -2;
}

int ListWalk::TakeFile(const std::u16string& folder, const std::u16string& name, int number, int& counted) {
  if (m_Written >= kCatalogRowsMax) {
    AskForOffset(m_Invalid + g_SubFolderOffset + number + 1,
                 u"処理ファイル数オーバー途中打ち切り ≪最大処理数 = " + DecimalText(kCatalogRowsMax) + u" ≫");
    return -3;
  }
  if (++counted > kSearchMax) {
    Say(u"検索ファイルが多過ぎるので中止します ", u"最大検索ファイル数 = " + DecimalText(kSearchMax), Buttons::kOk);
    return -4;
  }
  ProgressWindow& progress = TheProgress();
  progress.SetPos(std::min(counted / 10, 100));
  if (progress.Cancelled()) return -2;
  if (!m_System.Accepted(folder + name)) return 0;
  switch (CheckListedName(name)) {
    case kNameTooLong:
      return NameProblem(u"Length Over:", folder, name, u"ファイル名が長すぎます。続行しますか？",
                         u"≪ErrLog.txtに記録≫ ファイル名最大文字数：半角127文字");
    case kNameTooShort:
      return NameProblem(u"Length Short:", folder, name, u"ファイル名が短かすぎるか、拡張子が不当です。続行しますか？",
                         u"≪ErrLog.txtに記録≫ ファイル名最小文字数：半角1文字+拡張子");
    default: break;
  }
  if (!Write(name, number)) return -1;
  ++m_Written;
  return 1;
}

int ListWalk::ListFolder(const std::u16string& folder, int number) {
  TheProgress().SetText(u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・" + FolderNumberText(number));
  if (!m_System.SeekListEnd()) {
    Say(u" シークエラー<-v15> ", u"OpenListUni.tmp", Buttons::kOk);
    return -1;
  }
  int records = 0, counted = 0, stopped = 0;
  m_System.Entries(folder, [&](std::u16string_view name, bool directory) {
    if (directory) return true;
    const int taken = TakeFile(folder, std::u16string(name), number, counted);
    if (taken < 0) {
      stopped = taken;
      return false;
    }
    records += taken;
    return true;
  });
  // The names listed before a stop stay listed; a list that cannot be written is a failure.
  if (!Flush()) return -1;
  return stopped != 0 ? stopped : records;
}

int ListWalk::ListVisited(const std::u16string& path) {
  const int before = m_Written;
  const int listed = ListFolder(path, m_Tables.folderRows);
  if (listed > 0) {
    EnterFolder(path);
  } else if (listed == 0) {
    ++m_Invalid;
  } else if (listed == -1) {
    // Records written before the failure name this folder; keep them readable.
    if (m_Written > before) EnterFolder(path);
    return kListWriteError;
  } else if (listed == -2) {
    EnterFolder(path);
    return kListCancelled;
  } else if (listed == -3) {
    EnterFolder(path);
    return kListFileLimit;
  } else {
    return kListSearchLimit;
  }
  return 0;
}

int ListWalk::ScanSubfolders(std::u16string path) {
  AppendBackslash(path);
  if (path.size() >= kFolderPathMax) {
    const std::u16string line =
        u"kodomo4 ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= " + DecimalText(static_cast<long long>(path.size())) + u"\n" + path;
    m_System.Log(line);
    Say(line);
    return 0;
  }
  if (m_Visited >= g_SubFolderOffset) {
    if (const int listed = ListVisited(path); listed != 0) return listed;
  }
  ++m_Visited;
  int result = 0;
  bool entered = false;
  m_System.Entries(path, [&](std::u16string_view name, bool directory) {
    // The search count starts again in every folder the walk gets into.
    if (!entered) {
      m_Searched = 0;
      entered = true;
    }
    if (TheProgress().Cancelled()) {
      result = kListCancelled;
      return false;
    }
    if (++m_Searched > kSearchMax) {
      result = kListSearchLimit;
      return false;
    }
    if (!directory || name == u"." || name == u"..") return true;
    if (m_Tables.folderRows > kFolderRowsMax - 1) {
      result = kListFolderLimit;
      return false;
    }
    result = ScanSubfolders(path + std::u16string(name));
    return result == 0;
  });
  return result;
}

int ListWalk::Subfolders(const std::u16string& folder) {
  m_Tables.folderRows = 0;
  const int scanned = ScanSubfolders(folder);
  if (scanned == kListSearchLimit || scanned == kListCancelled) return scanned;
  if (scanned == kListFolderLimit)
    AskForOffset(m_Invalid + g_SubFolderOffset + kFolderRowsMax, u"下位フォルダ数オーバー　途中打ち切り");
  if (m_Tables.folderRows > 0) return scanned;
  if (g_SubFolderOffset == 0)
    Say(u"有効なフォルダが見つかりません ", u"下位ﾌｫﾙﾀﾞ未検出   無効ﾌｫﾙﾀﾞ数 = " + DecimalText(m_Invalid), Buttons::kOk);
  else
    Say(u"「ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」 が大き過ぎます。「設定」で変更してください ",
        u"下位ﾌｫﾙﾀﾞ未検出   ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = " + DecimalText(g_SubFolderOffset), Buttons::kOk);
  return kListFailed;
}

int ListWalk::PickedOrSingle(const FolderRequest& request) {
  if (request.pickedFolders > 0) {
    m_Tables.folderRows = std::min(request.pickedFolders, kFolderRowsMax);
  } else {
    m_Tables.folderRows = 0;
    if (request.folder.size() > kFolderPathMax) {
      Say(u"オープンファイルパス・エラー", u"CTarnView-FileOpenList", Buttons::kOk);
      return kListFailed;
    }
    EnterFolder(request.folder);
  }
  for (int row = 0; row < m_Tables.folderRows; ++row) {
    const int listed = ListFolder(m_Tables.folders[row].path, row);
    if (listed >= 0) continue;
    return listed == -2 ? kListCancelled : listed == -3 ? kListFileLimit : listed == -4 ? kListSearchLimit : kListFailed;
  }
  return kListDone;
}

}  // namespace

void ConfirmFolderOffset(bool subfolderMode) {
  if (!subfolderMode) {
    g_SubFolderOffset = 0;
    return;
  }
  if (g_SubFolderOffset >= 1 &&
      Say(u"ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = ≪ " + DecimalText(g_SubFolderOffset) + u" ≫ を使いますか？ ≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱ ",
          u"「下位ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」確認", Buttons::kOkCancel) != kAnswerOk)
    g_SubFolderOffset = 0;
}

int WalkFolders(const FolderRequest& request, CatalogTables& tables, FileListSystem& system) {
  ListWalk walk(system, tables);
  return request.subfolderMode ? walk.Subfolders(request.folder) : walk.PickedOrSingle(request);
}

}  // namespace tarn
