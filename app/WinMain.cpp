// Tarn.exe: the image catalog viewer.
#include <windows.h>

#include <string>

#include "MessageBoxPrompt.h"
#include "TarnApp.h"
#include "base/ProgressDialog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  // A broken plug-in must not bring up the system's own error boxes.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  tarn::MessageBoxPrompt prompt;
  tarn::CProgressDialog progress;
  tarn::InstallPrompt(&prompt);
  tarn::InstallProgress(&progress);
  tarn::CTarnApp app;
  app.InitApplication();
  if (!app.InitInstance(commandLine != nullptr ? commandLine : L"", true)) return 1;
  return app.Run();
}
