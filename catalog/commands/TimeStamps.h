// File status commands: the time-stamp dialog's check and the write of one time to many entries,
// and the attribute byte of the property dialog. Files are read and written through FileStatusStore.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalog/view/CatalogSelection.h"
#include "catalog/commands/SelectionCommands.h"

namespace tarn {

// A local date and time as the time-stamp dialog holds it.
struct StampTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool operator==(const StampTime&) const = default;
};

// The first field outside its range, as the message that asks for it again; nothing when valid.
// A day the month does not have is refused like a day outside 1 to 31.
std::optional<std::u16string> CheckStampTime(const StampTime& time);

// Which time the write sets (TimeStampSelect).
enum StampChoice : int { kStampCreation = 0, kStampModification = 1, kStampAccess = 2, kStampAll = 3 };

class FileStatusStore : public FileAttributeSource {
 public:
  virtual bool SetAttributes(std::u16string_view path, std::uint32_t attributes) = 0;
  // Sets the chosen time, or all three for kStampAll.
  virtual bool SetTime(std::u16string_view path, StampChoice choice, const StampTime& time) = 0;
};

// The time-stamp write: asks, then gives every entry in scope within the shown range the time,
// keeping read-only files read-only. Outside selected-only mode the selection is cleared after.
// The number of files changed.
int WriteTimeStamps(CatalogTables& tables, SelectionState& state, CatalogCanvas& canvas, StampChoice choice,
                    const StampTime& time, bool selectedOnly, int offset, int shownEnd, FileStatusStore& files);

// The property dialog's new attribute byte: the bits it does not show kept from `old`.
std::uint8_t PropertyAttributeByte(std::uint8_t old, bool readOnly, bool hidden, bool system, bool archive);

// "YYYY/MM/DD-hh:mm:ss", the property dialog's times.
std::u16string PropertyTimeText(const StampTime& time);

}  // namespace tarn
