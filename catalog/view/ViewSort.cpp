// The view's sorts: the portable sort with the program's file facts, picture sizes from the image
// loader, the status bar and the error log, and the catalog rebuilt in the new order.
#include "TarnView.h"
#include "base/ErrorLog.h"
#include "base/RunState.h"
#include "base/WinText.h"
#include "catalog/order/SortCommands.h"
#include "catalog/order/Win32FileFacts.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

class ViewSortSeams final : public PictureSizer, public SortHost {
 public:
  ViewSortSeams(CTarnView& view, CPictureWnd& picture) : view_(view), picture_(picture) {}

  int Measure(std::u16string_view path, long long& width, long long& height) override {
    if (picture_.FileLoad(kSelectStill, AsWide(std::u16string(path))) != 0) return kPictureLoadFailed;
    const BITMAPINFO* info = picture_.Loaded().Info();
    if (info == nullptr) return kPictureNoBitmap;
    width = info->bmiHeader.biWidth;
    height = info->bmiHeader.biHeight;
    return kPictureSized;
  }
  void ShowSortOrder(int mode) override {
    if (view_.statusBar) view_.statusBar(kStatusSortOrder, mode, {});
  }
  void RefreshCompanions() override {
    if (view_.tableChanged) view_.tableChanged();
  }
  void ResetCatalog() override { view_.ResetCatalog(); }
  void LogError(std::u16string_view text) override { WriteErrorLog(text); }

 private:
  CTarnView& view_;
  CPictureWnd& picture_;
};

}  // namespace

void CTarnView::ResetCatalog() {
  LeavePictureScreen();
  m_Catalog.Release();
  m_Shown = {};
  g_CatalogShown = 0;
  ClearFileFacts();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CTarnView::SortRequest(int mode) {
  if (m_Picture == nullptr) return;
  Win32FileFacts files;
  ViewSortSeams seams(*this, *m_Picture);
  CatalogTables& tables = TheCatalog();
  SortCommand(tables, mode, files, seams, seams);
  if (g_CatalogShown) ResetCatalog();
  if (tables.rows > 0) CatalogShow(0);
}

}  // namespace tarn
