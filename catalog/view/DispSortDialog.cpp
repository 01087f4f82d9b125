#include "DispSortDialog.h"

#include "base/FrameMessages.h"
#include "base/RunState.h"
#include "base/resource.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/view/PendingStep.h"

namespace tarn {

CDispSortDialog::CDispSortDialog() : CPanelDialog(IDD_DISP_DIALOG) {}

bool CDispSortDialog::OnInitDialog() {
  RefreshCount();
  return true;
}

void CDispSortDialog::RefreshCount() {
  if (Handle() != nullptr) SetItemText(IDC_DISP_COUNT, std::to_wstring(FilesInTable(TheCatalog())));
}

void CDispSortDialog::Post(DispDialogRequest request, int param) const {
  PostMessageW(GetParent(Handle()), WM_DISP_DIALOG, static_cast<WPARAM>(param), static_cast<LPARAM>(request));
}

bool CDispSortDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  // Requests that start work become the busy notice while a build, slide show or move runs.
  const auto unlessBusy = [this](DispDialogRequest request) { Post(IsBusy() ? kDispBusy : request); };
  switch (id) {
    case IDC_DISP_START: unlessBusy(kDispSlideShow); return true;
    case IDC_DISP_STOP: Post(kDispStop); return true;
    case IDC_DISP_PREVIOUS:
    case IDC_DISP_NEXT: {
      const StepPost step = StepButton(id == IDC_DISP_PREVIOUS, g_SlideShowRun != 0, g_CatalogBuilding != 0);
      Post(step.request, step.param);
      return true;
    }
    case IDC_DISP_AREA: unlessBusy(kDispSortArea); return true;
    case IDC_DISP_SIZE: unlessBusy(kDispSortSize); return true;
    case IDC_DISP_NAME: unlessBusy(kDispSortName); return true;
    case IDC_DISP_KIND: unlessBusy(kDispSortKind); return true;
    case IDC_DISP_DATE: unlessBusy(kDispSortDate); return true;
    case IDC_DISP_CLEAR: Post(kDispClear); return true;
    case IDC_DISP_EXPAND:
      // The catalog opens its cursor entry; the expanded screen goes back to the catalog.
      if (g_SlideShowRun != 0)
        Post(kDispStop);
      else if (g_CatalogBuilding != 0 || g_MoveRun != 0)
        Post(kDispBusy);
      else
        Post(kDispSwitchScreen, g_CatalogShown != 0 ? 0 : 1);
      return true;
    default: return false;
  }
}

}  // namespace tarn
