// The selection commands of the "編集(&E)" menu over the shown rows [offset, shownEnd): select all,
// deselect all, invert, select by string or by attribute, and show only the selection. Titles are
// repainted through CatalogCanvas; file attributes come through FileAttributeSource.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/view/CatalogSelection.h"

namespace tarn {

// Every shown normal or unusable row selected (slide-show marks first become selections).
void SelectAll(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd);

// Every selection and mark cleared.
void DeselectAll(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas);

// Shown rows selected where they were not and deselected where they were. While marks exist, the
// selection is dropped first and the marks become the selection that is then inverted.
void InvertSelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd);

// Where the string of the string search must stand in the name.
enum MatchPosition : int { kMatchBeforeExtension = 1, kMatchAtStart = 2, kMatchAnywhere = 3 };

enum class NameMatch { kMatch, kNoMatch, kNoPeriod };

// Whether `name` holds `text` at `position`, without regard to ASCII case; "?" in `text` stands
// for any one character. A window that would start before the name or end past it never matches.
NameMatch MatchName(std::u16string_view name, std::u16string_view text, MatchPosition position);

// How a search ended: the folder dialog's counters are refreshed only after a search that ran
// to its end.
enum class SearchEnd { kFinished, kCancelled, kStopped };

// Select by string: asks, then selects the shown rows whose names match (or, `selectedOnly`,
// deselects the selected rows that do not).
SearchEnd SelectByString(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, std::u16string_view text,
                         MatchPosition position, bool selectedOnly, int offset, int shownEnd);

// File attribute bits the attribute search looks at: read-only 1, hidden 2, system 4, archive 0x20.
constexpr std::uint32_t kSearchAttributes = 0x27;

class FileAttributeSource {
 public:
  virtual ~FileAttributeSource() = default;
  // The file's attributes; false when its status cannot be read.
  virtual bool Attributes(std::u16string_view path, std::uint32_t& attributes) = 0;
};

// The question of the attribute search for `mask`, without its caption.
std::u16string AttributeQuestion(std::uint32_t mask);

// Select by attribute: asks, then selects the shown rows whose files carry every bit of `mask`
// (or, `selectedOnly`, deselects the selected rows whose files do not).
SearchEnd SelectByAttribute(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, std::uint32_t mask,
                            bool selectedOnly, int offset, int shownEnd, FileAttributeSource& files);

// Whether show-only-the-selection may run: a catalog on screen with a selection; the user is told
// what is missing.
bool MayShowOnlySelection(const SelectionState& state, CatalogCanvas& canvas);

// Show only the selection: every shown row that is not selected is vacated and the gaps closed.
// The number of rows vacated.
int ShowOnlySelection(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, int offset, int shownEnd);

}  // namespace tarn
