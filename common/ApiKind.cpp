#include "PluginCodes.h"

namespace tarn {

SpiApiKind ApiKindOf(const char* answer, std::size_t length) {
  if (answer == nullptr || length <= 3 || answer[0] != '0' || answer[1] != '0') return kApiUnknown;
  struct Form {
    char kind, width;
    SpiApiKind value;
  };
  static constexpr Form kForms[] = {
      {'I', 'N', kApiImportNormal},  {'I', 'M', kApiImportMulti},  {'A', 'N', kApiArchiveNormal},
      {'A', 'M', kApiArchiveMulti},  {'X', 'N', kApiExportNormal}, {'X', 'M', kApiExportMulti},
      {'C', 'N', kApiConvertNormal}, {'E', 'N', kApiEditNormal},
  };
  for (const Form& f : kForms)
    if (answer[2] == f.kind && answer[3] == f.width) return f.value;
  return kApiUnknown;
}

}  // namespace tarn
