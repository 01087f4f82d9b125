#include "CatalogTable.h"

namespace tarn {

CatalogTables& TheCatalog() {
  static CatalogTables tables;
  return tables;
}

}  // namespace tarn
