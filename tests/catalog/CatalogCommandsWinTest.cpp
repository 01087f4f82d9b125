// The "編集" menu's catalog commands through the frame, their dialogs played by a script, on real
// files.
#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "catalog/commands/CommandResource.h"
#include "tests/support/DialogScript.h"

namespace tarn::test {
namespace {

class CatalogCommandsTest : public CatalogTest {
 protected:
  void SetUp() override {
    CatalogTest::SetUp();
    for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"}) Picture(name, 8, 8, RGB(200, 40, 40));
    Catalogue();
    ASSERT_EQ(TheCatalog().rows, 3);
  }
  void TearDown() override {
    for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"}) SetFileAttributesW((data_ + name).c_str(), 0x20);
    CatalogTest::TearDown();
  }
  void Command(int id) { SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  std::int32_t State(const char16_t* name) const { return TheCatalog().entries[Row(name)].state; }
};

TEST_F(CatalogCommandsTest, RenameAllNumbersEveryShownFileOnDiskAndInTheTable) {
  DialogScript script(L"リネームオール", {[](HWND d) {
                        DialogScript::Click(d, IDC_RENAME_NUMBERED);
                        DialogScript::Type(d, IDC_RENAME_TEXT, L"trip");
                        DialogScript::Type(d, IDC_RENAME_START, L"7");
                        if (DialogScript::IsChecked(d, IDC_RENAME_SELECTED))
                          DialogScript::Click(d, IDC_RENAME_SELECTED);
                        DialogScript::Press(d, IDOK);
                      }});
  Command(ID_EDIT_RENAME_ALL);
  ASSERT_EQ(script.done(), 1u);
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown.back().caption, u"リネームオール　【 全ファイル対象 】");
  for (const wchar_t* name : {L"trip0007.bmp", L"trip0008.bmp", L"trip0009.bmp"})
    EXPECT_NE(GetFileAttributesW((data_ + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  EXPECT_EQ(GetFileAttributesW((data_ + L"a.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_GE(Row(u"trip0008.bmp"), 0);
  EXPECT_EQ(g_SelectOnlyFlag, 0) << "the box is the stored setting";
  for (const wchar_t* name : {L"trip0007.bmp", L"trip0008.bmp", L"trip0009.bmp"}) DeleteFileW((data_ + name).c_str());
}

TEST_F(CatalogCommandsTest, ATimeStampKeepsAReadOnlyFileReadOnly) {
  const std::wstring a = data_ + L"a.bmp";
  SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  DialogScript script(L"タイムスタンプ", {[](HWND d) {
                        DialogScript::Click(d, IDC_STAMP_MODIFICATION);
                        if (DialogScript::IsChecked(d, IDC_STAMP_SELECTED)) DialogScript::Click(d, IDC_STAMP_SELECTED);
                        DialogScript::Type(d, IDC_STAMP_YEAR, L"2001");
                        DialogScript::Type(d, IDC_STAMP_DAY, L"31");
                        DialogScript::Type(d, IDC_STAMP_MONTH, L"2");
                        DialogScript::Press(d, IDOK);  // refused: February has no 31st
                        DialogScript::Type(d, IDC_STAMP_MONTH, L"3");
                        DialogScript::Type(d, IDC_STAMP_HOUR, L"4");
                        DialogScript::Press(d, IDOK);
                      }});
  Command(ID_EDIT_TIME_STAMP);
  ASSERT_EQ(script.done(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, u"≪日≫を入れ直してください ⇒ 範囲：1～31");
  EXPECT_EQ(prompt_.shown.back().text, u"『 最終変更日時 』 を変更します。 ≪ｷｬﾝｾﾙ≫で終了 ");
  EXPECT_EQ(GetFileAttributesW(a.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(a.c_str(), GetFileExInfoStandard, &data));
  FILETIME local;
  SYSTEMTIME written;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &written);
  EXPECT_EQ(written.wYear, 2001);
  EXPECT_EQ(written.wMonth, 3);
  EXPECT_EQ(written.wDay, 31);
  EXPECT_EQ(written.wHour, 4);
}

TEST_F(CatalogCommandsTest, PropertiesShowTheEntryAndAHiddenBoxMakesAReadOnlyArchive0x23) {
  const std::wstring a = data_ + L"a.bmp";
  SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  std::wstring width, attributes, name;
  DialogScript script(L"プロパティ", {[&](HWND d) {
                        wchar_t text[64] = {};
                        GetDlgItemTextW(d, IDC_PROP_WIDTH, text, 64);
                        width = text;
                        GetDlgItemTextW(d, IDC_PROP_ATTRIBUTES, text, 64);
                        attributes = text;
                        GetDlgItemTextW(d, IDC_PROP_NAME, text, 64);
                        name = text;
                        DialogScript::Press(d, IDOK);  // nothing changed: refused, the dialog stays
                        DialogScript::Click(d, IDC_PROP_HIDDEN);
                        DialogScript::Press(d, IDOK);
                      }});
  frame_->View().PropertyCommand(Row(u"a.bmp"));
  ASSERT_EQ(script.done(), 1u);
  EXPECT_EQ(width, L"       8");
  EXPECT_EQ(attributes, L"21 hex");
  EXPECT_EQ(name, L"a.bmp");
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"ステータスが同一です");
  EXPECT_EQ(GetFileAttributesW(a.c_str()), 0x23u);
}

TEST_F(CatalogCommandsTest, SelectionByAttributeInvertAndShowOnlyTheSelection) {
  SetFileAttributesW((data_ + L"b.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  DialogScript script(L"属性でファイル選択", {[](HWND d) {
                        DialogScript::Click(d, IDC_SELATTR_HIDDEN_FILES);
                        EXPECT_TRUE(DialogScript::IsChecked(d, IDC_SELATTR_HIDDEN));
                        EXPECT_FALSE(DialogScript::IsChecked(d, IDC_SELATTR_NONE));
                        DialogScript::Press(d, IDOK);
                      }});
  Command(ID_EDIT_SELECT_ATTRIBUTE);
  ASSERT_EQ(script.done(), 1u);
  EXPECT_EQ(prompt_.shown.back().text, u"属性 = 「隠しファイル」のファイルを検索します ");
  EXPECT_EQ(State(u"b.bmp"), kEntrySelected);
  EXPECT_EQ(State(u"a.bmp"), kEntryNormal);

  Command(ID_EDIT_SELECT_INVERT);
  EXPECT_EQ(State(u"b.bmp"), kEntryNormal);
  EXPECT_EQ(frame_->View().Selection().selected, 2);
  Command(ID_EDIT_SELECT_ONLY);
  EXPECT_EQ(TheCatalog().offeredRows, 2);
  EXPECT_EQ(TheCatalog().entries[0].state, kEntrySelected);
  EXPECT_EQ(TheCatalog().entries[1].state, kEntrySelected);
  EXPECT_EQ(TheCatalog().entries[2].state, kEntryVacated);
  Command(ID_EDIT_SELECT_NONE);
  EXPECT_EQ(frame_->View().Selection().selected, 0);
}

}  // namespace
}  // namespace tarn::test
