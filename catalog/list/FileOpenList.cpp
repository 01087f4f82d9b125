#include "FileOpenList.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/OpenList.h"
#include "common/Handles.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {

std::u16string g_CurrentFolder;

FileListSources& TheFileListSources() {
  static FileListSources sources;
  return sources;
}

std::u16string OpenListPath() { return g_StartFolder + std::u16string(kOpenListFileName); }

namespace {

// The walk on the machine's folders, writing the open list through `list`.
class Win32FileListSystem final : public FileListSystem {
 public:
  Win32FileListSystem(CPluginRegistry& registry, HANDLE list) : m_Registry(registry), m_List(list) {}

  void Entries(std::u16string_view folder, const Visit& visit) override { ListFolderEntries(folder, visit); }

  bool Accepted(std::u16string_view path) override {
    return m_Registry.IsSupportedAny(AsWide(std::u16string(path))) != 0;
  }

  void Log(std::u16string_view line) override { WriteErrorLog(line); }

  bool SeekListEnd() override {
    LARGE_INTEGER zero{};
    return SetFilePointerEx(m_List, zero, nullptr, FILE_END) != 0;
  }

  bool AppendToList(std::string_view records) override {
    DWORD written = 0;
    return WriteFile(m_List, records.data(), static_cast<DWORD>(records.size()), &written, nullptr) &&
           written == records.size();
  }

 private:
  CPluginRegistry& m_Registry;
  HANDLE m_List;
};

}  // namespace

int FileOpenList(int mode, std::u16string_view folder, CPluginRegistry& registry) {
  if (registry.Count() == 0) {
    Say(u"プラグインファイルを検出できません");
    return kListFailed;
  }
  FileListSources& sources = TheFileListSources();
  FolderRequest request;
  if (mode == 0 || mode == 2) request.folder = folder;
  if (request.folder.empty() && sources.pickedFolders == 0) mode = -1;
  if (mode != 0 && mode != 2) {
    Say(u"オープンファイルパス・エラー", u"CTarnView-FileOpenList", Buttons::kOk);
    return kListFailed;
  }
  AppendBackslash(request.folder);
  request.subfolderMode = sources.subfolderMode;
  ConfirmFolderOffset(request.subfolderMode);
  g_CurrentFolder = request.folder;

  const std::u16string listPath = OpenListPath();
  if (GetFileAttributesW(AsWide(listPath)) != INVALID_FILE_ATTRIBUTES &&
      WipeDelete(listPath, RecordLengthOf(g_CatalogSize)) != kWipeDeleted) {
    Say(u"<-v13>ファイル削除ができません " + listPath);
    return kListFailed;
  }
  const FileHandle list(CreateFileW(AsWide(listPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!list.IsOpen()) {
    Say(u"OpenListUni.tmpファイルをオープンできません<-v14> ", u"異常終了", Buttons::kOk);
    return kListFailed;
  }
  // A pick of the folder tree list is taken by one request.
  if (!request.subfolderMode) request.pickedFolders = std::exchange(sources.pickedFolders, 0);
  ProgressScope progress(u"ﾌｧｲﾙ ﾘｽﾄ 作成中・・");
  Win32FileListSystem system(registry, list.Get());
  return WalkFolders(request, TheCatalog(), system);
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
