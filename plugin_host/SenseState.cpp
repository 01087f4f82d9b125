#include "SenseState.h"

namespace tarn {

SenseCell g_SenseCells[kSenseCellCount] = {};
SenseCell g_MovieCells[kMovieCellCount] = {};

int g_MovieMode = 0;
int g_MovieRun = 0;
int g_MovieAux = 0;
int g_FlvFlag = 0;
int g_Mp4Flag = 0;
int g_MovSensed = 0;

}  // namespace tarn
