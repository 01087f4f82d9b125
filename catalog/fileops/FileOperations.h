// The catalog's file operations on Windows: copy, move and delete of the selected entries, the
// hand-over to the complete-deletion program, and the rename of one entry. Each keeps the files
// whole whatever fails: a copy never overwrites without the user's Yes, a file is replaced only
// after its successor is complete beside it, and a move that fails leaves its source in place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/view/CatalogSelection.h"
#include "catalog/fileops/FileOpRules.h"

namespace tarn {

// DeleteOneFile purposes and results.
enum DeletePurpose : int { kDeletePlain = 0, kDeleteForCopy = 1, kDeleteForMove = 2 };
enum DeleteResult : int { kDeleted = 0, kDeleteSkipped = 1, kDeleteCancelled = 2, kDeleteFailed = 3, kDeleteMissing = 4 };

// RenameEntry results.
enum RenameResult : int { kRenamed = 0, kRenameUnchanged = 1, kRenameCancelled = 2, kRenameRefused = 3 };

class CatalogFileOps {
 public:
  // The view's tables, selection and screen; all outlive this object.
  CatalogFileOps(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas)
      : tables_(tables), state_(state), canvas_(canvas) {}

  // The shown range [offset, shownEnd) of the catalog on screen.
  void SetShownRange(int offset, int shownEnd) {
    offset_ = offset;
    shownEnd_ = shownEnd;
  }

  // 7 copy and 8 move into `target` (a folder, with or without its final backslash), 9 delete, 34
  // the complete-deletion list (after DeletionProgramPrefix, see CompleteDelete). A FileOpResult.
  int CopyMoveDelete(int operation, std::u16string_view target = {});

  // Deletes the file a display window shows: row `row` when it still holds `path`, else the row
  // that does, whatever is selected. A FileOpResult.
  int DeleteEntry(int row, std::u16string_view path);

  // Deletes one file after the questions its state calls for; `purpose` is a DeletePurpose. A
  // DeleteResult.
  int DeleteOneFile(std::u16string_view path, int purpose);

  // Hands the selected files to the complete-deletion program (g_AppliName[2]) and waits for it.
  // A FileOpResult.
  int CompleteDelete();

  // Renames the cursor row's file to `newName` within its folder. A RenameResult.
  int RenameEntry(std::u16string_view newName);

  // Rows the last operation vacated (the view lowers its drawn count by as many).
  int Vacated() const { return vacated_; }
  // Files the last copy, move or delete went through with (skipped files not counted).
  int Done() const { return done_; }
  // The folder of the last complete-deletion list.
  const std::u16string& DeletionFolder() const { return deletionFolder_; }

 private:
  // CopyMoveDelete on `only` when given, else on the selection (or the marks).
  int Run(int operation, std::u16string_view target, const WorkRow* only);
  // One file of a run; each answers how it ended: done, left as it was, cancelled or run ended.
  int CopyOne(const std::u16string& source, const std::u16string& folder, std::u16string_view name, bool& renameRun);
  int CopyRenamed(const std::u16string& source, const std::u16string& folder, std::u16string_view name);
  int ReplaceByCopy(const std::u16string& source, const std::u16string& target, const std::u16string& folder);
  int MoveOne(const std::u16string& source, const std::u16string& target, const std::u16string& folder);
  int DeleteRow(const std::u16string& source);
  // The row left the catalog: counts, the cell and the companion windows follow.
  void RowGone(int row);
  // Gaps closed, marks turned back, and, when files left their folders, the folders' caches
  // trimmed of the rows `done`.
  void AfterRun(bool filesLeft, const std::vector<WorkRow>& done);

  CatalogTables& tables_;
  SelectionState& state_;
  CatalogCanvas& canvas_;
  int offset_ = 0;
  int shownEnd_ = 0;
  int vacated_ = 0;
  int done_ = 0;
  std::u16string deletionLine_;
  std::u16string deletionFolder_;
  std::vector<WorkRow> deletionListed_;
};

}  // namespace tarn
