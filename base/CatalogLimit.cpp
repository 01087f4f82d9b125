// The catalog limit rule: how many files one catalog may hold, by memory mode and catalog size.
#include "Settings.h"

namespace tarn {

int CatalogLimitMaximum() {
  if (g_SmallMemFlag == 1) return 600;
  if (g_CatalogSize == 2) return 900;
  if (g_CatalogSize == 3) return 600;
  return 1600;
}

void ApplyCatalogLimitRule(bool toMaximum) {
  const int maximum = CatalogLimitMaximum();
  if (toMaximum || g_CatalogLimit < 1 || g_CatalogLimit > maximum) g_CatalogLimit = maximum;
}

void SelectCatalogSize(int size) {
  if (size < 0 || size > 3) return;
  g_CatalogSize = size;
  if (g_SmallMemFlag != 0) return;
  if (size == 2 && g_CatalogLimit > 900) g_CatalogLimit = 900;
  if (size == 3 && g_CatalogLimit > 600) g_CatalogLimit = 600;
}

}  // namespace tarn
