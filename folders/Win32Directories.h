// A folder's entries from the system's directory search.
#pragma once

#include "folders/DirectoryEntries.h"

namespace tarn {

class Win32Directories final : public DirectoryEntries {
 public:
  void Entries(std::u16string_view folder, const Visit& visit) override;
};

}  // namespace tarn
