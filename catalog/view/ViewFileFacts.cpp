// CTarnView: the file facts of the status bar's free panes - name, size, picture size and date of
// the cell under the mouse or of the current cell. They come from the file system's directory
// entry and from the picture sizes this run's builds learnt; no picture is opened for them.
#include "TarnView.h"
#include "base/WinText.h"
#include "catalog/commands/Win32FileStatus.h"
#include "catalog/view/ViewNotes.h"

namespace tarn {
namespace {

// Enough for a few large catalogs; past it the notes start again rather than grow without end.
constexpr std::size_t kPictureNotesMax = 20000;

// Size and last write of the file at `path`; false, with `facts` as it was, when it is gone.
bool ReadDirectoryFacts(const std::u16string& path, FileFactsLine& facts) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return false;
  facts.bytes = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  const StampTime written = LocalStamp(data.ftLastWriteTime);
  facts.year = written.year;
  facts.month = written.month;
  facts.day = written.day;
  facts.hour = written.hour;
  facts.minute = written.minute;
  return true;
}

}  // namespace

void CTarnView::ReportFileFacts(int row) {
  if (!fileFacts) return;
  const CatalogTables& tables = TheCatalog();
  FileFactsLine facts;
  // A row emptied by a delete or move, or a file gone behind the program's back, has no facts.
  if (row < 0 || row >= tables.rows || tables.entries[row].state == kEntryVacated) {
    fileFacts({});
    return;
  }
  const std::u16string path = EntryPath(tables, tables.entries[row]);
  if (!ReadDirectoryFacts(path, facts)) {
    fileFacts({});
    return;
  }
  facts.name = EntryName(tables.entries[row]);
  // A picture size is told only for the file as it was when the picture was read.
  const auto note = m_PictureSizes.find(path);
  if (note != m_PictureSizes.end() && note->second.bytes == facts.bytes) {
    facts.width = note->second.size.cx;
    facts.height = note->second.size.cy;
  }
  fileFacts(FileFactsPanes(facts));
}

void CTarnView::OnMouseOverCell(POINT client) {
  if (!CatalogOnScreen()) return;
  const int row = HitTest(client).row;
  if (row == m_HoverRow) return;
  m_HoverRow = row;
  // Off the cells the panes tell of the current cell again.
  ReportFileFacts(row >= 0 ? row : m_Selection.cursor);
}

void CTarnView::ClearFileFacts() {
  m_HoverRow = -1;
  if (fileFacts) fileFacts({});
}

void CTarnView::NotePictureSize(const std::u16string& path, SIZE size) {
  FileFactsLine facts;
  if (size.cx <= 0 || size.cy <= 0 || !ReadDirectoryFacts(path, facts)) return;
  if (m_PictureSizes.size() >= kPictureNotesMax) m_PictureSizes.clear();
  m_PictureSizes[path] = {facts.bytes, size};
}

}  // namespace tarn
