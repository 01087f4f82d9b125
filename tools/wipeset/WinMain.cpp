// Wipeset.exe: the cleanup program the viewer starts (or a user starts by hand) to delete its
// settings, log and wallpaper files.
#include <windows.h>

#include "tools/wipeset/WipesetDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  wipeset::RunWipeset(instance);
  return 0;
}
