// The parts of the catalog's file operations that need no file system: operation names, the
// complete-deletion command line and the checks of a new file name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/view/CatalogSelection.h"

namespace tarn {

// Operation codes of CopyMoveDelete.
enum FileOperation : int { kOpCopy = 7, kOpMove = 8, kOpDelete = 9, kOpDeletionList = 34 };

// CopyMoveDelete results.
enum FileOpResult : int { kOpDone = 0, kOpListCut = 1, kOpCancelled = 2, kOpRefused = 3 };

// The name prompts and progress texts give the operation; a delete goes to the recycle bin when
// `dustBox` is on. Empty for an unknown code.
std::u16string_view OperationName(int operation, bool dustBox);

// The longest complete-deletion command line.
constexpr std::size_t kDeletionLineMax = 24000;

// The start of the complete-deletion command line: the program path (quoted when it holds a
// blank) and a blank, then "<Tarn> " for the program "Shredit.exe".
std::u16string DeletionProgramPrefix(std::u16string_view program);

// Appends folder + name and a blank to the command line, quoted when either holds a blank. False,
// with the line unchanged, when the line, the folder, the name and 5 more would pass the limit.
bool AppendDeletionPath(std::u16string& line, std::u16string_view folder, std::u16string_view name);

struct DeletionList {
  std::u16string line;
  std::vector<WorkRow> listed;  // the rows whose paths the line holds
  bool cut = false;             // rows after the last listed one did not fit
};

// The command line for `rows` after `prefix`; rows that do not fit are left out, and so stay
// selected.
DeletionList BuildDeletionList(const CatalogTables& tables, const std::vector<WorkRow>& rows,
                               std::u16string_view prefix);

// Checks a name typed for a rename and shows the message of the first rule it breaks. True when
// the name may be used.
bool CheckNewName(std::u16string_view name);

}  // namespace tarn
