// The sense exchange with the animated and movie plug-ins: host-owned cells the plug-ins write
// into, and the motion-GIF and movie state shared by the loader, display windows and timers.
#pragma once

#include "common/PluginCodes.h"

namespace tarn {

// [0] TarnMov after-load answer, [1] TarnMov load answer, [2] GIF command / frame number /
// frame count, [3] GIF cycles, [5] frame delay (1/100 s), [6] and [7] frame left and top.
extern SenseCell g_SenseCells[kSenseCellCount];
// TarnFlv and TarnMp4: -1, -2, -3 before a load; their playback state after it.
extern SenseCell g_MovieCells[kMovieCellCount];

extern int g_MotionGifState;  // frames of the motion GIF playing; 0 when none
extern int g_MotionGifLoops;  // cycles still to play; below 1 a new animation starts
extern int g_MotionGifFrame;  // frames shown in the current cycle
extern int g_AnimMaxWidth;    // largest frame extent of the animation
extern int g_AnimMaxHeight;

extern int g_MovieMode;
extern int g_MovieRun;
extern int g_MovieAux;
extern int g_FlvFlag;
extern int g_Mp4Flag;
extern int g_MovSensed;

}  // namespace tarn
