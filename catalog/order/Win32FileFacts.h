// The sorts' file facts from the Win32 file system.
#pragma once

#include "catalog/order/SortSeams.h"

namespace tarn {

class Win32FileFacts final : public FileFactsSource {
 public:
  bool Facts(std::u16string_view path, FileFacts& facts) override;
};

}  // namespace tarn
