// The sense exchange with the animated and movie plug-ins: host-owned cells the plug-ins write
// into, and the movie state shared by the loader, display windows and timers. (The motion GIF's
// own state belongs to the picture that plays it.)
#pragma once

#include "common/PluginCodes.h"

namespace tarn {

// The cells of g_SenseCells. The GIF player is handed the command cell and writes the others
// relative to it.
enum HostSenseCell : int {
  kCellMovAnswer = 0,   // TarnMov's answer to the after-load query (-1 before it)
  kCellMovLoad = 1,     // TarnMov's answer before a load (-2 before it)
  kCellGifCommand = 2,  // GIF command in, frame count out; then the frame number to decode
  kCellGifCycles = 3,   // cycles to play
  kCellGifDelay = 5,    // written while a frame is decoded: its delay in 1/100 s
  kCellGifLeft = 6,     // written while a frame is decoded: its left and top offset
  kCellGifTop = 7,
};

extern SenseCell g_SenseCells[kSenseCellCount];
// TarnFlv and TarnMp4: -1, -2, -3 before a load; their playback state after it.
extern SenseCell g_MovieCells[kMovieCellCount];

extern int g_MovieMode;
extern int g_MovieRun;
extern int g_MovieAux;
extern int g_FlvFlag;
extern int g_Mp4Flag;
extern int g_MovSensed;

}  // namespace tarn
