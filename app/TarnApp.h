// CTarnApp: the application object. It prepares the process before the main window exists,
// owns the plug-in registry and the current picture, and runs the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "MainFrame.h"
#include "image/PictureWnd.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {

// One drive of the drive table: kind 1 removable, 2 fixed, 3 remote, 4 CD-ROM, 5 RAM disk.
struct DriveEntry {
  wchar_t letter = L'A';
  int kind = 0;
  std::wstring root;
  bool first = false;
  bool last = false;
};

class CTarnApp {
 public:
  CTarnApp() = default;
  CTarnApp(const CTarnApp&) = delete;
  CTarnApp& operator=(const CTarnApp&) = delete;

  // Start-up before the main window: platform class, start folder, stale files, plug-ins,
  // drives, the error log and Explorer's path.
  void InitApplication();
  // OLE, then the frame with its view and dialogs; false when start-up must stop.
  bool InitInstance(const std::wstring& commandLine, bool show);
  int Run();

  CPluginRegistry& Registry() { return m_Registry; }
  CSPICore& ScratchPlugin() { return m_Scratch; }
  CPictureWnd& Picture() { return m_Picture; }
  CMainFrame* Frame() { return m_Frame.get(); }
  const std::vector<DriveEntry>& Drives() const { return m_Drives; }
  const std::wstring& ExplorerPath() const { return m_ExplorerPath; }

 private:
  void DeleteStaleFiles();
  void BuildDriveTable();
  void FindExplorer();

  CPluginRegistry m_Registry;
  CSPICore m_Scratch;  // loads one plug-in on its own for the dialogs
  CPictureWnd m_Picture{m_Registry};
  std::unique_ptr<CMainFrame> m_Frame;
  std::vector<DriveEntry> m_Drives;
  std::wstring m_ExplorerPath;
  bool m_OleReady = false;
};

// The folder given on the command line, to be catalogued once the program has started.
std::wstring FolderFromCommandLine(const std::wstring& commandLine);

}  // namespace tarn
