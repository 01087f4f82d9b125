// Batch rename ("リネームオール"): the checks of the strings the user typed, the new name each
// operation gives an entry, and the run over the entries in scope. Files are renamed through
// FileRenamer and titles repainted through CatalogCanvas, so the rules run without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalog/view/CatalogSelection.h"

namespace tarn {

enum RenameOperation : int {
  kRenameAppend = 1,     // S after the base, before the extension
  kRenamePrepend = 2,    // S before the base
  kRenameCutEnd = 3,     // S (or, for "-XX", a "-0" to "-99" suffix) off the end of the base
  kRenameCutStart = 4,   // S off the start of the base
  kRenameNumbered = 5,   // the base becomes S and a four-digit sequence number
  kRenameReplace = 6,    // the first S in the base (or the extension) becomes R
};

struct RenameRequest {
  int operation = kRenameAppend;  // a number: a code outside 1 to 6 is refused by name
  std::u16string text;            // S
  std::u16string replacement;     // R, operation 6
  int start = 0;                  // the first sequence number, operation 5
  bool extension = false;         // operation 6 works on the extension
};

// A refusal of the string dialogs: its message and caption; the dialog stays open. An empty text
// means the user answered a question with Cancel and nothing more is shown.
struct InputRefusal {
  std::u16string text;
  std::u16string caption;
};

// The checks of the rename dialogs before the run; `inScope` is how many entries the run will
// see (the sequence must stay below 10,000). An empty replacement is asked about.
std::optional<InputRefusal> CheckRenameInput(const RenameRequest& request, int inScope);

// What one entry's name becomes.
struct RenameStep {
  enum Kind {
    kRenamed,       // `name` is the new name
    kSkipped,       // the operation does not apply to this name
    kTooLong,       // the base is too long to search: skipped after a message
    kNoPeriod,      // the name has no extension: the run ends
    kBadExtension,  // the new extension is not 2 to 5 characters: the run ends with `name` in the message
  };
  Kind kind = kSkipped;
  std::u16string name;
};
RenameStep RenamedName(std::u16string_view name, const RenameRequest& request, unsigned number);

// The question asked before the run, without its " ≪ｷｬﾝｾﾙ≫で終了".
std::u16string RenameQuestion(const RenameRequest& request);

class FileRenamer {
 public:
  virtual ~FileRenamer() = default;
  // Gives `from` the name `to`; false when it cannot (a file of that name exists, say).
  virtual bool Rename(std::u16string_view from, std::u16string_view to) = 0;
};

// NamePlusMinus: asks, then renames every entry in scope - the selected rows with `selectedOnly`,
// else every normal or selected row - within the shown range [offset, shownEnd), in table order,
// storing each new name in its row. The number of files renamed.
int NamePlusMinus(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, const RenameRequest& request,
                  bool selectedOnly, int offset, int shownEnd, FileRenamer& renamer);

}  // namespace tarn
