#include "CommandDialogs.h"

#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/SettingsKeys.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/commands/CommandResource.h"
#include "catalog/commands/SavedStrings.h"

namespace tarn {

namespace {

constexpr std::u16string_view kInputError = u"入力エラー";

std::u16string Typed(const std::wstring& text) { return FromWide(text.c_str()); }

void ListSavedStrings(HWND combo) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& entry : ListedStrings(TheSavedStrings()))
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(entry)));
}

// "保存": the box's string into the saved strings, and the list made again from them.
void SaveFromBox(HWND combo, const std::wstring& typed) {
  SaveString(TheSavedStrings(), Typed(typed));
  ListSavedStrings(combo);
  SetWindowTextW(combo, typed.c_str());
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

constexpr int kRenameButtons[] = {IDC_RENAME_APPEND,  IDC_RENAME_PREPEND,  IDC_RENAME_CUT_END,
                                  IDC_RENAME_CUT_START, IDC_RENAME_NUMBERED, IDC_RENAME_REPLACE};

}  // namespace

StampTime& TheStampTime() {
  static StampTime time;
  return time;
}

CRenameAllDialog::CRenameAllDialog(int selectedRows, int shownRows)
    : CDialog(IDD_RENAME_ALL), m_SelectedRows(selectedRows), m_ShownRows(shownRows) {
  request.start = 1;
}

bool CRenameAllDialog::OnInitDialog() {
  ListSavedStrings(Item(IDC_RENAME_TEXT));
  Check(Handle(), kRenameButtons[0], true);
  Check(Handle(), IDC_RENAME_SELECTED, g_SelectOnlyFlag != 0);
  SetItemText(IDC_RENAME_START, std::to_wstring(request.start));
  return true;
}

bool CRenameAllDialog::OnCommand(int id, int code, HWND) {
  if (id != IDC_RENAME_SAVE || code != BN_CLICKED) return false;
  SaveFromBox(Item(IDC_RENAME_TEXT), ItemText(IDC_RENAME_TEXT));
  return true;
}

void CRenameAllDialog::OnOK() {
  for (int i = 0; i < 6; ++i)
    if (Checked(Handle(), kRenameButtons[i])) request.operation = kRenameAppend + i;
  request.text = Typed(ItemText(IDC_RENAME_TEXT));
  request.replacement = Typed(ItemText(IDC_RENAME_REPLACEMENT));
  request.start = WideToInt(Typed(ItemText(IDC_RENAME_START)));
  request.extension = Checked(Handle(), IDC_RENAME_EXTENSION);
  const bool selectedOnly = Checked(Handle(), IDC_RENAME_SELECTED);
  const auto refusal = CheckRenameInput(request, selectedOnly ? m_SelectedRows : m_ShownRows);
  if (refusal) {
    if (!refusal->text.empty()) Say(refusal->text, refusal->caption);
    return;
  }
  g_SelectOnlyFlag = selectedOnly ? 1 : 0;
  EndDialog(IDOK);
}

CSelectStringDialog::CSelectStringDialog() : CDialog(IDD_SELECT_STRING) {}

bool CSelectStringDialog::OnInitDialog() {
  ListSavedStrings(Item(IDC_SELSTR_TEXT));
  Check(Handle(), IDC_SELSTR_ANYWHERE, true);
  Check(Handle(), IDC_SELSTR_SELECTED, g_SelectStringOnly != 0);
  return true;
}

bool CSelectStringDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_SELSTR_CLEAR: SetItemText(IDC_SELSTR_TEXT, L""); return true;
    case IDC_SELSTR_SAVE: SaveFromBox(Item(IDC_SELSTR_TEXT), ItemText(IDC_SELSTR_TEXT)); return true;
    default: return false;
  }
}

void CSelectStringDialog::OnOK() {
  text = Typed(ItemText(IDC_SELSTR_TEXT));
  if (text.empty()) {
    Say(u"選択文字列を入力してください", kInputError);
    return;
  }
  if (HalfWidthUnits(text) > 16) {
    Say(u"選択文字列は半角16文字以内にしてください", kInputError);
    return;
  }
  position = Checked(Handle(), IDC_SELSTR_BEFORE_EXTENSION) ? kMatchBeforeExtension
             : Checked(Handle(), IDC_SELSTR_AT_START)        ? kMatchAtStart
                                                              : kMatchAnywhere;
  g_SelectStringOnly = Checked(Handle(), IDC_SELSTR_SELECTED) ? 1 : 0;
  EndDialog(IDOK);
}

CSelectAttributeDialog::CSelectAttributeDialog() : CDialog(IDD_SELECT_ATTRIBUTE) {}

namespace {
constexpr struct {
  int box;
  std::uint32_t bit;
} kAttributeBoxes[] = {
    {IDC_SELATTR_READONLY, 0x01}, {IDC_SELATTR_HIDDEN, 0x02}, {IDC_SELATTR_SYSTEM, 0x04}, {IDC_SELATTR_ARCHIVE, 0x20}};
}  // namespace

void CSelectAttributeDialog::SetBoxes(std::uint32_t bits) const {
  for (const auto& box : kAttributeBoxes) Check(Handle(), box.box, (bits & box.bit) != 0);
  Check(Handle(), IDC_SELATTR_NONE, bits == 0);
}

std::uint32_t CSelectAttributeDialog::Boxes() const {
  std::uint32_t bits = 0;
  for (const auto& box : kAttributeBoxes)
    if (Checked(Handle(), box.box)) bits |= box.bit;
  return bits;
}

bool CSelectAttributeDialog::OnInitDialog() {
  Check(Handle(), IDC_SELATTR_CLEAR, true);
  SetBoxes(0);
  Check(Handle(), IDC_SELATTR_SELECTED, g_SelectAttributeOnly != 0);
  return true;
}

bool CSelectAttributeDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_SELATTR_PROTECTED: SetBoxes(0x02 | 0x04); return true;
    case IDC_SELATTR_HIDDEN_FILES: SetBoxes(0x02); return true;
    case IDC_SELATTR_BY_HAND:
    case IDC_SELATTR_CLEAR: SetBoxes(0); return true;
    case IDC_SELATTR_READONLY:
    case IDC_SELATTR_HIDDEN:
    case IDC_SELATTR_SYSTEM:
    case IDC_SELATTR_ARCHIVE:
      // A box set by hand: the quick choices no longer describe the boxes.
      for (int radio : {IDC_SELATTR_PROTECTED, IDC_SELATTR_HIDDEN_FILES, IDC_SELATTR_CLEAR})
        Check(Handle(), radio, false);
      Check(Handle(), IDC_SELATTR_BY_HAND, true);
      Check(Handle(), IDC_SELATTR_NONE, Boxes() == 0);
      return true;
    default: return false;
  }
}

void CSelectAttributeDialog::OnOK() {
  mask = Boxes();
  g_SelectAttributeOnly = Checked(Handle(), IDC_SELATTR_SELECTED) ? 1 : 0;
  EndDialog(IDOK);
}

CTimeStampDialog::CTimeStampDialog() : CDialog(IDD_TIME_STAMP) {}

void CTimeStampDialog::ShowTime(const StampTime& t) const {
  SetItemText(IDC_STAMP_YEAR, std::to_wstring(t.year));
  SetItemText(IDC_STAMP_MONTH, std::to_wstring(t.month));
  SetItemText(IDC_STAMP_DAY, std::to_wstring(t.day));
  SetItemText(IDC_STAMP_HOUR, std::to_wstring(t.hour));
  SetItemText(IDC_STAMP_MINUTE, std::to_wstring(t.minute));
  SetItemText(IDC_STAMP_SECOND, std::to_wstring(t.second));
}

bool CTimeStampDialog::OnInitDialog() {
  const int choice = g_TimeStampSelect >= 0 && g_TimeStampSelect <= 3 ? g_TimeStampSelect : 0;
  Check(Handle(), IDC_STAMP_CREATION + choice, true);
  Check(Handle(), IDC_STAMP_SELECTED, g_SelectOnlyTimeFlag != 0);
  ShowTime(TheStampTime());
  return true;
}

bool CTimeStampDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_STAMP_NOW) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TheStampTime() = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  } else if (id == IDC_STAMP_CLEAR) {
    TheStampTime() = StampTime{};
  } else {
    return false;
  }
  ShowTime(TheStampTime());
  return true;
}

void CTimeStampDialog::OnOK() {
  const auto field = [this](int id) { return WideToInt(Typed(ItemText(id))); };
  const StampTime typed{field(IDC_STAMP_YEAR), field(IDC_STAMP_MONTH),  field(IDC_STAMP_DAY),
                        field(IDC_STAMP_HOUR), field(IDC_STAMP_MINUTE), field(IDC_STAMP_SECOND)};
  if (const auto refusal = CheckStampTime(typed)) {
    Say(*refusal, kInputError);
    return;
  }
  TheStampTime() = typed;
  for (int i = 0; i < 4; ++i)
    if (Checked(Handle(), IDC_STAMP_CREATION + i)) g_TimeStampSelect = i;
  g_SelectOnlyTimeFlag = Checked(Handle(), IDC_STAMP_SELECTED) ? 1 : 0;
  EndDialog(IDOK);
}

}  // namespace tarn
