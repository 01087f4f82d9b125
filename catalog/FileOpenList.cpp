#include "FileOpenList.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/CatalogTable.h"
#include "catalog/FileClass.h"
#include "catalog/OpenList.h"
#include "common/Handles.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {

std::u16string g_CurrentFolder;
int g_SuggestedOffset = 0;

FileListSources& TheFileListSources() {
  static FileListSources sources;
  return sources;
}

std::u16string OpenListPath() { return g_StartFolder + std::u16string(kOpenListFileName); }

namespace {

constexpr int kSearchMax = 30000;
constexpr int kSuggestedOffsetAsked = 800;  // above this the offset is only shown, never stored
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

// One request's walk: the open list and the counters, all cleared when the request starts.
class ListWalk {
 public:
  ListWalk(CPluginRegistry& registry, HANDLE list) : m_Registry(registry), m_List(list) {}

  int ListFolder(const std::u16string& folder, int number);
  int ScanSubfolders(std::u16string path);

  int m_Written = 0;   // records written, all folders together
  int m_Visited = 0;   // folders visited by the subfolder walk
  int m_Invalid = 0;   // folders that held no accepted file

 private:
  // Adds a name's records to the folder's pending ones; false for a name with no record form.
  bool Write(std::u16string_view name, int number);
  // Writes the folder's records in one go.
  bool Flush();
  int NameProblem(const char16_t* logTag, const std::u16string& folder, const std::u16string& name,
                  std::u16string_view question, std::u16string_view caption);

  CPluginRegistry& m_Registry;
  HANDLE m_List;
  std::string m_Pending;  // records of the folder being listed, written when it is done
  int m_Searched = 0;  // entries of the walk, counted from the folder last entered
};

void EnterFolder(const std::u16string& path) {
  CatalogTables& tables = TheCatalog();
  if (tables.folderRows >= kFolderRowsMax || path.size() > kFolderPathMax) return;
  FolderRow& row = tables.folders[tables.folderRows++];
  row.state = 0;
  std::fill(std::begin(row.path), std::end(row.path), u'\0');
  std::copy(path.begin(), path.end(), row.path);
}

// " No=%3d": the folder number right-aligned in three places.
std::u16string FolderNumberText(int number) {
  std::u16string digits = DecimalText(number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), u' ');
  return u" No=" + digits;
}


bool ListWalk::Write(std::u16string_view name, int number) {
  const std::string bytes = EncodeOpenListEntry(name, number);
  if (bytes.empty()) return false;
  m_Pending += bytes;
  return true;
}

bool ListWalk::Flush() {
  DWORD written = 0;
  const bool whole = m_Pending.empty() ||
                     (WriteFile(m_List, m_Pending.data(), static_cast<DWORD>(m_Pending.size()), &written, nullptr) &&
                      written == m_Pending.size());
  m_Pending.clear();
  return whole;
}

// Logs a refused name and asks whether to go on: 0 skip the file, -2 stop.
int ListWalk::NameProblem(const char16_t* logTag, const std::u16string& folder, const std::u16string& name,
                          std::u16string_view question, std::u16string_view caption) {
  WriteErrorLog(logTag + folder + name);
  const std::u16string text =
      std::u16string(question) + u"\n\nPath = " + folder + u"\n\nName = " + name;
  return Say(text, caption, Buttons::kOkCancel) == kAnswerOk ? 0 : -2;
}

int ListWalk::ListFolder(const std::u16string& folder, int number) {
  ProgressWindow& progress = TheProgress();
  progress.SetText(u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・" + FolderNumberText(number));
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(m_List, zero, nullptr, FILE_END)) {
    Say(u" シークエラー<-v15> ", u"OpenListUni.tmp", Buttons::kOk);
    return -1;
  }
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(AsWide(folder + u"*.*"), &found));
  if (!search.IsOpen()) return 0;
  int records = 0, counted = 0, result = 0;
  bool done = false;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::u16string name = FromWide(found.cFileName);
    if (m_Written >= kCatalogRowsMax) {
      AskForOffset(m_Invalid + g_SubFolderOffset + number + 1,
                   u"処理ファイル数オーバー途中打ち切り ≪最大処理数 = " + DecimalText(kCatalogRowsMax) + u" ≫");
      result = -3;
      done = true;
      break;
    }
    if (++counted > kSearchMax) {
      Say(u"検索ファイルが多過ぎるので中止します ", u"最大検索ファイル数 = " + DecimalText(kSearchMax), Buttons::kOk);
      result = -4;
      done = true;
      break;
    }
    progress.SetPos(std::min(counted / 10, 100));
    if (progress.Cancelled()) {
      result = -2;
      done = true;
      break;
    }
    const std::u16string path = folder + name;
    if (m_Registry.IsSupportedAny(AsWide(path)) == 0) continue;
    const int check = CheckListedName(name);
    if (check == kNameTooLong) {
      if (NameProblem(u"Length Over:", folder, name, u"ファイル名が長すぎます。続行しますか？",
                      u"≪ErrLog.txtに記録≫ ファイル名最大文字数：半角127文字") != 0) {
        result = -2;
        done = true;
        break;
      }
      continue;
    }
    if (check == kNameTooShort) {
      if (NameProblem(u"Length Short:", folder, name, u"ファイル名が短かすぎるか、拡張子が不当です。続行しますか？",
                      u"≪ErrLog.txtに記録≫ ファイル名最小文字数：半角1文字+拡張子") != 0) {
        result = -2;
        done = true;
        break;
      }
      continue;
    }
    if (!Write(name, number)) {
      result = -1;
      done = true;
      break;
    }
    ++records;
    ++m_Written;
  } while (FindNextFileW(search.Get(), &found));
  // The names listed before a stop stay listed; a list that cannot be written is a failure.
  if (!Flush()) return -1;
  return done ? result : records;
}

int ListWalk::ScanSubfolders(std::u16string path) {
  AppendBackslash(path);
  if (path.size() >= kFolderPathMax) {
    const std::u16string line =
        u"kodomo4 ﾌｧｲﾙﾊﾟｽ長ｵｰﾊﾞｰ Len= " + DecimalText(static_cast<long long>(path.size())) + u"\n" + path;
    WriteErrorLog(line);
    Say(line);
    return 0;
  }
  CatalogTables& tables = TheCatalog();
  if (m_Visited >= g_SubFolderOffset) {
    const int before = m_Written;
    const int listed = ListFolder(path, tables.folderRows);
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
  }
  ++m_Visited;
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(AsWide(path + u"*.*"), &found));
  if (!search.IsOpen()) return 0;
  m_Searched = 0;
  int result = 0;
  do {
    if (TheProgress().Cancelled()) {
      result = kListCancelled;
      break;
    }
    if (++m_Searched > kSearchMax) {
      result = kListSearchLimit;
      break;
    }
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::u16string name = FromWide(found.cFileName);
    if (name == u"." || name == u"..") continue;
    if (tables.folderRows > kFolderRowsMax - 1) {
      result = kListFolderLimit;
      break;
    }
    result = ScanSubfolders(path + name);
    if (result != 0) break;
  } while (FindNextFileW(search.Get(), &found));
  return result;
}

}  // namespace

int FileOpenList(int mode, std::u16string_view browsedFolder, CPluginRegistry& registry) {
  if (registry.Count() == 0) {
    Say(u"プラグインファイルを検出できません");
    return kListFailed;
  }
  FileListSources& sources = TheFileListSources();
  std::u16string folder;
  if (mode == 0) {
    folder = browsedFolder;
  } else if (mode == 2) {
    folder = sources.treeFolder;
  }
  if (folder.empty() && sources.pickedFolders == 0) mode = -1;
  if (mode != 0 && mode != 2) {
    Say(u"オープンファイルパス・エラー", u"CTarnView-FileOpenList", Buttons::kOk);
    return kListFailed;
  }
  AppendBackslash(folder);
  if (sources.subfolderMode) {
    if (g_SubFolderOffset >= 1 &&
        Say(u"ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = ≪ " + DecimalText(g_SubFolderOffset) + u" ≫ を使いますか？ ≪ｷｬﾝｾﾙ≫でｵﾌｾｯﾄ ｸﾘｱ ",
            u"「下位ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」確認", Buttons::kOkCancel) != kAnswerOk)
      g_SubFolderOffset = 0;
  } else {
    g_SubFolderOffset = 0;
  }
  g_CurrentFolder = folder;

  const std::u16string listPath = OpenListPath();
  if (GetFileAttributesW(AsWide(listPath)) != INVALID_FILE_ATTRIBUTES && WipeDelete(listPath, RecordLengthOf(g_CatalogSize)) != kWipeDeleted) {
    Say(u"<-v13>ファイル削除ができません " + listPath);
    return kListFailed;
  }
  FileHandle list(CreateFileW(AsWide(listPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!list.IsOpen()) {
    Say(u"OpenListUni.tmpファイルをオープンできません<-v14> ", u"異常終了", Buttons::kOk);
    return kListFailed;
  }
  ProgressScope progress(u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・");
  ListWalk walk(registry, list.Get());
  CatalogTables& tables = TheCatalog();

  if (sources.subfolderMode) {
    tables.folderRows = 0;
    const int scanned = walk.ScanSubfolders(folder);
    if (scanned == kListSearchLimit || scanned == kListCancelled) return scanned;
    if (scanned == kListFolderLimit)
      AskForOffset(walk.m_Invalid + g_SubFolderOffset + kFolderRowsMax, u"下位フォルダ数オーバー　途中打ち切り");
    list.Close();
    if (tables.folderRows == 0) {
      if (g_SubFolderOffset == 0)
        Say(u"有効なフォルダが見つかりません ", u"下位ﾌｫﾙﾀﾞ未検出   無効ﾌｫﾙﾀﾞ数 = " + DecimalText(walk.m_Invalid),
            Buttons::kOk);
      else
        Say(u"「ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ」 が大き過ぎます。「設定」で変更してください ",
            u"下位ﾌｫﾙﾀﾞ未検出   ﾌｫﾙﾀﾞ ｵﾌｾｯﾄ = " + DecimalText(g_SubFolderOffset), Buttons::kOk);
      return kListFailed;
    }
    return scanned;
  }

  if (sources.pickedFolders > 0) {
    tables.folderRows = std::min(sources.pickedFolders, kFolderRowsMax);
    sources.pickedFolders = 0;
  } else {
    tables.folderRows = 0;
    if (folder.size() > kFolderPathMax) {
      list.Close();
      Say(u"オープンファイルパス・エラー", u"CTarnView-FileOpenList", Buttons::kOk);
      return kListFailed;
    }
    EnterFolder(folder);
  }
  int result = kListDone;
  for (int row = 0; row < tables.folderRows; ++row) {
    const int listed = walk.ListFolder(FromWide(reinterpret_cast<const wchar_t*>(tables.folders[row].path)), row);
    if (listed >= 0) continue;
    result = listed == -2 ? kListCancelled : listed == -3 ? kListFileLimit : listed == -4 ? kListSearchLimit : kListFailed;
    break;
  }
  return result;
}

int ListFileTable(const std::u16string& path) {
  FileHandle file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.IsOpen()) {
    Say(u"ファイル " + path + u" が開けません");
    return -1;
  }
  // The walk never writes more than a table's worth of entries of at most two records each.
  constexpr std::size_t kListBytesMax = kCatalogRowsMax * kOpenListRecordsPerEntryMax * kOpenListRecordBytes;
  std::vector<std::uint8_t> bytes;
  LARGE_INTEGER length{};
  bool readable = GetFileSizeEx(file.Get(), &length) != 0;
  if (readable) {
    bytes.resize(static_cast<std::size_t>(std::min<long long>(length.QuadPart, kListBytesMax)));
    DWORD got = 0;
    readable = bytes.empty() ||
               (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
  }
  if (!file.Close()) {
    Say(u"ファイル " + path + u" をクローズ出来ません");
    return -1;
  }
  if (!readable) {
    Say(u"ファイル " + path + u" が開けません");
    return -1;
  }

  TableFilters filters;
  filters.extRestrict = g_ExtRestrict;
  filters.minSize = g_MinFileSize;
  filters.maxSize = g_MaxFileSize;
  filters.descending = g_SequenceFlag != 0;
  filters.fileSize = [](std::u16string_view filePath, long long& size) {
    const std::u16string name(filePath);
    const FileHandle file(CreateFileW(AsWide(name), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER n{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &n)) return false;
    size = n.QuadPart;
    return true;
  };
  const int result = FillCatalogTable(bytes.data(), bytes.size(), TheCatalog(), filters);
  if (result == kFillDone) TheSettingsHost().RefreshFolderCounters();
  // The list is only a hand-over: it goes whatever came of reading it.
  const int wiped = WipeDelete(path, RecordLengthOf(g_CatalogSize));
  if (result != kFillDone) return result;
  if (wiped != kWipeDeleted) {
    Say(path + u"を削除できません No=" + DecimalText(wiped), u"ファイル消去エラー", Buttons::kOk);
    return -1;
  }
  return 0;
}

}  // namespace tarn
