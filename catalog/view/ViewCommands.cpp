// CTarnView: the catalog commands of the "編集" menu - the selection commands, the batch rename and
// the time stamps - run on the rows the catalog shows.
#include "TarnView.h"

#include <algorithm>

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/resource.h"
#include "catalog/commands/CommandDialogs.h"
#include "catalog/commands/CommandScope.h"
#include "catalog/commands/PropertyDialog.h"
#include "catalog/commands/Win32FileStatus.h"

namespace tarn {
namespace {

HWND Owner(HWND view) { return GetAncestor(view, GA_ROOT); }

}  // namespace

void CTarnView::SelectionCommand(int command) {
  if (command == ID_EDIT_SELECT_ONLY) {
    ShowOnlySelectionCommand();
    return;
  }
  if (!CatalogOnScreen()) return;
  CatalogTables& tables = TheCatalog();
  switch (command) {
    case ID_EDIT_SELECT_ALL: SelectAll(tables, m_Selection, *this, m_Shown.offset, m_Shown.shownEnd); break;
    case ID_EDIT_SELECT_NONE: DeselectAll(tables, m_Selection, *this); return;
    case ID_EDIT_SELECT_INVERT: InvertSelection(tables, m_Selection, *this, m_Shown.offset, m_Shown.shownEnd); break;
    default: return;
  }
  TheSettingsHost().RefreshFolderCounters();
}

void CTarnView::ShowOnlySelectionCommand() {
  if (!MayShowOnlySelection(m_Selection, *this)) return;
  if (g_MultiWindowFlag) {
    TheSettingsHost().CloseDisplayWindows();
    Say(u"「複数画面表示」を OFF します。再実行してください ", u"画面設定変更");
    g_MultiWindowFlag = 0;
    return;
  }
  const int vacated = ShowOnlySelection(TheCatalog(), m_Selection, *this, m_Shown.offset, m_Shown.shownEnd);
  m_DrawnRows -= vacated;
  if (vacated > 0 && tableChanged) tableChanged();
}

void CTarnView::PropertyCommand(int row) {
  const CatalogTables& tables = TheCatalog();
  if (m_Picture == nullptr || row < 0 || row >= std::min(tables.rows, kCatalogRowsMax)) return;
  const CatalogEntry& entry = tables.entries[row];
  CDialogProperty dialog(*m_Picture, entry.folder, FolderPathOf(tables, entry.folder),
                         std::u16string(EntryName(entry)));
  if (dialog.PropertyStart()) dialog.DoModal(Owner(Handle()));
}

void CTarnView::RenameAllCommand() {
  CatalogTables& tables = TheCatalog();
  if (IsBusy() || RefuseEmptyCatalog(tables)) return;
  CRenameAllDialog dialog(CountSelected(tables), m_DrawnRows);
  if (dialog.DoModal(Owner(Handle())) != IDOK) return;
  Win32FileStatus files;
  NamePlusMinus(tables, m_Selection, *this, dialog.request, g_SelectOnlyFlag != 0, m_Shown.offset, m_Shown.shownEnd,
                files);
}

void CTarnView::TimeStampCommand() {
  CatalogTables& tables = TheCatalog();
  if (IsBusy() || RefuseEmptyCatalog(tables)) return;
  CTimeStampDialog dialog;
  if (dialog.DoModal(Owner(Handle())) != IDOK) return;
  Win32FileStatus files;
  WriteTimeStamps(tables, m_Selection, *this, static_cast<StampChoice>(g_TimeStampSelect), TheStampTime(),
                  g_SelectOnlyTimeFlag != 0, m_Shown.offset, m_Shown.shownEnd, files);
}

void CTarnView::SelectByStringCommand() {
  // Nothing to search: said before the dialog asks for what to search for.
  if (IsBusy() || RefuseEmptyCatalog(TheCatalog())) return;
  CSelectStringDialog dialog;
  if (dialog.DoModal(Owner(Handle())) != IDOK) return;
  if (SelectByString(TheCatalog(), m_Selection, *this, dialog.text, dialog.position, g_SelectStringOnly != 0,
                     m_Shown.offset, m_Shown.shownEnd) == SearchEnd::kFinished)
    TheSettingsHost().RefreshFolderCounters();
}

void CTarnView::SelectByAttributeCommand() {
  if (IsBusy() || RefuseEmptyCatalog(TheCatalog())) return;
  CSelectAttributeDialog dialog;
  if (dialog.DoModal(Owner(Handle())) != IDOK) return;
  Win32FileStatus files;
  if (SelectByAttribute(TheCatalog(), m_Selection, *this, dialog.mask, g_SelectAttributeOnly != 0, m_Shown.offset,
                        m_Shown.shownEnd, files) == SearchEnd::kFinished)
    TheSettingsHost().RefreshFolderCounters();
}

}  // namespace tarn
