// The catalog's own drag: its data item byte for byte, and a drop target that takes only it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "catalog/fileops/CatalogDrag.h"

namespace tarn::test {
namespace {

class CatalogDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 200, 300, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    OleUninitialize();
  }
  HWND window_ = nullptr;
};

TEST_F(CatalogDragTest, TheDragCarriesTheTextWithItsTerminator) {
  IDataObject* data = MakeTextDragData(kCatalogDragText);
  ASSERT_NE(data, nullptr);
  FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->QueryGetData(&format), S_OK);
  STGMEDIUM medium{};
  ASSERT_EQ(data->GetData(&format, &medium), S_OK);
  ASSERT_EQ(GlobalSize(medium.hGlobal), 2u * (17 + 1));
  EXPECT_EQ(std::memcmp(GlobalLock(medium.hGlobal), L"Tarn Catalog Move", 36), 0);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  FORMATETC other{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->GetData(&other, &medium), DV_E_FORMATETC);
  EXPECT_TRUE(IsCatalogDrag(data));
  data->Release();
}

TEST_F(CatalogDragTest, OnlyTheCatalogsOwnDragIsDropped) {
  std::vector<POINT> drops;
  CatalogDropTarget target(window_, [&](POINT at) { drops.push_back(at); });
  IDataObject* ours = MakeTextDragData(kCatalogDragText);
  IDataObject* foreign = MakeTextDragData(L"Tarn Catalog Mov");
  IDataObject* longer = MakeTextDragData(L"Tarn Catalog Move2");
  DWORD effect = DROPEFFECT_MOVE;
  const POINTL at{100 + 40, 200 + 50};
  ASSERT_EQ(target.DragEnter(foreign, MK_LBUTTON, at, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target.Drop(foreign, 0, at, &effect);
  target.Drop(longer, 0, at, &effect);
  EXPECT_TRUE(drops.empty());
  target.DragEnter(ours, MK_LBUTTON, at, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  target.Drop(ours, 0, at, &effect);
  ASSERT_EQ(drops.size(), 1u);
  POINT client{at.x, at.y};
  ScreenToClient(window_, &client);
  EXPECT_EQ(drops[0].x, client.x);
  EXPECT_EQ(drops[0].y, client.y);
  for (IDataObject* data : {ours, foreign, longer}) data->Release();
}

}  // namespace
}  // namespace tarn::test
