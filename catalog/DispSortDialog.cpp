#include "DispSortDialog.h"

#include "base/FrameMessages.h"
#include "base/RunState.h"
#include "base/resource.h"
#include "catalog/CatalogTable.h"
#include "catalog/PendingStep.h"

namespace tarn {

CDispSortDialog::CDispSortDialog() : CPanelDialog(IDD_DISP_DIALOG) {}

bool CDispSortDialog::OnInitDialog() {
  // The expanded screen comes later; its button stays until then, greyed.
  EnableItem(IDC_DISP_EXPAND, false);
  RefreshCount();
  return true;
}

void CDispSortDialog::RefreshCount() {
  if (Handle() != nullptr) SetItemText(IDC_DISP_COUNT, std::to_wstring(FilesInTable(TheCatalog())));
}

void CDispSortDialog::Post(int request, int param) const {
  PostMessageW(GetParent(Handle()), WM_DISP_DIALOG, static_cast<WPARAM>(param), static_cast<LPARAM>(request));
}

bool CDispSortDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  // Requests that start work become the busy notice while a build, slide show or move runs.
  const auto unlessBusy = [this](int request) { Post(IsBusy() ? 42 : request); };
  switch (id) {
    case IDC_DISP_START: unlessBusy(10); return true;
    case IDC_DISP_STOP: Post(12); return true;
    case IDC_DISP_PREVIOUS:
    case IDC_DISP_NEXT: {
      const StepPost step = StepButton(id == IDC_DISP_PREVIOUS, g_SlideShowRun != 0, g_CatalogBuilding != 0);
      Post(step.request, step.param);
      return true;
    }
    case IDC_DISP_AREA: unlessBusy(4); return true;
    case IDC_DISP_SIZE: unlessBusy(6); return true;
    case IDC_DISP_NAME: unlessBusy(24); return true;
    case IDC_DISP_KIND: unlessBusy(38); return true;
    case IDC_DISP_DATE: unlessBusy(43); return true;
    case IDC_DISP_CLEAR: Post(13); return true;
    default: return false;
  }
}

}  // namespace tarn
