// Stepping through the catalog: the previous or next row that can be shown, wrapping around at
// the ends of the shown range, for the step buttons and the slide show.
#pragma once

#include "catalog/CatalogTable.h"

namespace tarn {

// The row before (`up`) or after `cursor` within rows `first` .. `end` - 1 whose state is normal
// or selected, or marked for the slide show while marks exist; -1 when there is none. A cursor
// outside the range starts from the range's edge.
int StepRow(const CatalogTables& tables, int first, int end, int cursor, bool up, bool marksExist);

}  // namespace tarn
