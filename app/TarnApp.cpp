#include "TarnApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <clocale>

#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/FileUtil.h"
#include "base/Prompt.h"
#include "base/RecordBuffer.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "common/Handles.h"
#include "folders/TreeListFile.h"
#include "framework/Accelerators.h"
#include "framework/App.h"

namespace tarn {
namespace {

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

// Deletes one of the program's own files; answers the wiping delete's result.
int DeleteOwnFile(const std::u16string& path) {
  ClearReadOnly(path);
  return WipeDelete(path, RecordLengthOf(g_CatalogSize));
}

int OsKind() {
  OSVERSIONINFOW version{sizeof version};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  const int kind = OsKindOf(version.dwMajorVersion, version.dwMinorVersion);
  if (kind == 0) Say(u"OSの種類不明");
  return kind;
}

// Depth-first below `folder`; `visited` counts every entry seen on the way.
bool SearchFile(const std::wstring& folder, const wchar_t* name, int& visited, std::wstring* found) {
  constexpr int kMaxEntries = 30000;
  WIN32_FIND_DATAW entry;
  const FindHandle search(FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!search.IsOpen()) return false;
  bool done = false;
  do {
    if (++visited > kMaxEntries) break;
    const std::wstring entryName = entry.cFileName;
    if (entryName == L"." || entryName == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        done = SearchFile(folder + entryName + L"\\", name, visited, found);
    } else if (EqualsIgnoreCase(WideView(entryName.c_str()), WideView(name))) {
      *found = folder + entryName;
      done = true;
    }
  } while (!done && FindNextFileW(search.Get(), &entry));
  return done;
}

}  // namespace

std::wstring FolderFromCommandLine(const std::wstring& commandLine) {
  std::wstring folder = commandLine;
  const auto first = folder.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  folder = folder.substr(first, folder.find_last_not_of(L" \t") - first + 1);
  if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') folder = folder.substr(1, folder.size() - 2);
  return folder;
}

void CTarnApp::DeleteStaleFiles() {
  for (int n : {5, 6, 12, 13}) {
    const std::u16string path = TreeListPath(n);
    if (!Exists(path)) continue;
    if (const int result = DeleteOwnFile(path); result != kWipeDeleted)
      Say(u"削除失敗 ret=" + DecimalText(result) + u" <-M31> ");
  }
  const std::u16string cfg2 = g_StartFolder + u"Tarn2.cfg";
  if (Exists(g_StartFolder + u"Tarn.cfg") && Exists(cfg2) && DeleteOwnFile(cfg2) != kWipeDeleted)
    Say(u"誤動作防止用のﾌｧｲﾙ削除ができません  " + cfg2);
  g_ShreditFound = Exists(g_StartFolder + u"Shredit.exe") ? 1 : 0;
  for (const char16_t* name : {u"FileSelect.txt", u"OpenListUni.tmp"}) {
    const std::u16string path = g_StartFolder + name;
    if (Exists(path) && DeleteOwnFile(path) != kWipeDeleted) Say(u"テンポラリファイルを削除できません  " + path);
  }
}

void CTarnApp::BuildDriveTable() {
  m_Drives.clear();
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    DriveEntry entry;
    entry.letter = static_cast<wchar_t>(L'A' + i);
    entry.root = std::wstring(1, entry.letter) + L":\\";
    switch (GetDriveTypeW(entry.root.c_str())) {
      case DRIVE_REMOVABLE: entry.kind = 1; break;
      case DRIVE_FIXED: entry.kind = 2; break;
      case DRIVE_REMOTE: entry.kind = 3; break;
      case DRIVE_CDROM: entry.kind = 4; break;
      case DRIVE_RAMDISK: entry.kind = 5; break;
      default: entry.kind = 0; break;
    }
    m_Drives.push_back(entry);
  }
  if (!m_Drives.empty()) {
    m_Drives.front().first = true;
    m_Drives.back().last = true;
  }
}

void CTarnApp::FindExplorer() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring folder = windows;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  int visited = 0;
  if (!SearchFile(folder, L"explorer.exe", visited, &m_ExplorerPath)) {
    m_ExplorerPath.clear();
    Say(u"Explorerのディレクトリパス取得失敗 ");
  }
}

void CTarnApp::InitApplication() {
  g_OsKind = OsKind();
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  g_StartFolder = FromWide(current);
  AppendBackslash(g_StartFolder);
  DeleteStaleFiles();
  if (m_Registry.Enumerate(AsWide(g_StartFolder)) < 1)
    Say(u"プラグイン組込失敗\nプラグインがカーレントディレクトリに有りません");
  BuildDriveTable();
  g_SaveSuppressed = false;
  g_ScreenMode = 0;
  g_CatalogBuilding = g_SlideShowRun = g_MoveRun = g_CatalogShown = 0;
  std::setlocale(LC_ALL, ".ACP");
  CreateErrorLog();
  FindExplorer();
  g_SaveExtension = u"bmp";
  g_NumberText = u"[0]";
}

bool CTarnApp::InitInstance(const std::wstring& commandLine, bool show) {
  if (FAILED(OleInitialize(nullptr))) {
    Say(u"Ole Initialization Failed");
    return false;
  }
  m_OleReady = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  g_StartupFolder = FromWide(FolderFromCommandLine(commandLine).c_str());
  m_Frame = std::make_unique<CMainFrame>(m_Registry, m_Scratch, m_Picture);
  if (!m_Frame->Create(show)) return false;
  m_Frame->TreeDialog().explorerPath = FromWide(m_ExplorerPath.c_str());
  if (!g_StartupFolder.empty()) PostMessageW(m_Frame->Handle(), WM_STARTUP_FOLDER, 0, 0);
  return true;
}

int CTarnApp::Run() {
  // Help opens from every window of the program; the catalog's keys only over the frame.
  const HACCEL anywhere = m_Frame != nullptr ? AcceleratorSubset(m_Frame->Accelerators(), {ID_HELP_TARN}) : nullptr;
  CMessageLoop& loop = CMessageLoop::Instance();
  if (m_Frame != nullptr) loop.SetKeys(m_Frame->Handle(), m_Frame->Accelerators(), anywhere);
  const int code = loop.Run();
  m_Frame.reset();
  if (anywhere != nullptr) DestroyAcceleratorTable(anywhere);
  if (m_OleReady) OleUninitialize();
  return code;
}

}  // namespace tarn
