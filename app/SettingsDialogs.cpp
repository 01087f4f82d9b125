#include "SettingsDialogs.h"

#include <commdlg.h>

#include <climits>
#include <cwchar>

#include "SettingsDialogClasses.h"
#include "SettingsResource.h"
#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/Settings.h"
#include "base/SettingsKeys.h"
#include "base/TextUtil.h"
#include "base/WinText.h"

namespace tarn {
namespace {

constexpr std::u16string_view kInputError = u"入力エラー";

std::u16string U16(const std::wstring& s) { return FromWide(s.c_str()); }
std::wstring Wide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

// The typed number as the runtime's wide-to-integer conversion reads it, for file sizes.
long long TypedSize(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    magnitude = magnitude > (LLONG_MAX - 9) / 10 ? LLONG_MAX : magnitude * 10 + (text[i] - L'0');
  return negative ? -magnitude : magnitude;
}

int TypedInt(const std::wstring& text) { return WideToInt(U16(text)); }

bool ChooseProgram(HWND owner, std::wstring* path) {
  wchar_t file[kPathChars] = {};
  const std::wstring folder = Wide(g_StartFolder);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = L"*.EXE\0*.EXE\0";
  request.lpstrFile = file;
  // A path longer than an application slot holds is not offered back at all.
  request.nMaxFile = kPathChars;
  request.lpstrInitialDir = folder.c_str();
  request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&request)) return false;
  *path = file;
  return true;
}

// The row of the limit rule as the dialog names it.
std::u16string LimitLeadIn() {
  if (g_SmallMemFlag == 1) return u"Ｓ型メモリサイズの最大制限値は≪";
  if (g_CatalogSize == 2) return u"Ｌ型カタログの最大制限値は≪";
  if (g_CatalogSize == 3) return u"ＬＬ型カタログの最大制限値は≪";
  return u"標準メモリサイズの最大制限値は≪";
}

}  // namespace

// "その他の設定" ------------------------------------------------------------------------------

COtherSettingsDialog::COtherSettingsDialog() : CDialog(IDD_OTHER_SETTINGS) {}

void COtherSettingsDialog::Check(int id, int value) const {
  SendItem(id, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}
int COtherSettingsDialog::Checked(int id) const { return SendItem(id, BM_GETCHECK) == BST_CHECKED ? 1 : 0; }

bool COtherSettingsDialog::OnInitDialog() {
  Check(IDC_OTHER_SEQUENCE, g_SequenceFlag);
  Check(IDC_OTHER_BLACK, g_BlackFlag);
  Check(IDC_OTHER_SMALLMEM, g_SmallMemFlag);
  Check(IDC_OTHER_HIGHSPEED, g_HighSpeedFlag);
  Check(IDC_OTHER_EXIFTHUMB, g_ExifThumbFlag);
  Check(IDC_OTHER_CATRENEW, g_CatRenewFlag);
  Check(IDC_OTHER_CATALOGUSE, g_CatalogUseFlag);
  Check(IDC_OTHER_DUSTBOX, g_DustBoxFlag);
  Check(IDC_OTHER_DBLKEYENTER, g_DblKeyEnterFlag);
  Check(IDC_OTHER_TRIMADJUST, g_TrimAdjustFlag);
  Check(IDC_OTHER_CHGUNIFILE, g_ChgUniFileFlag);
  Check(IDC_OTHER_INDIVIDUAL, g_IndividualFlag);
  return true;
}

bool COtherSettingsDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_OTHER_INDIVIDUAL: m_IndividualClicked = true; return true;
    case IDC_OTHER_SMALLMEM: m_SmallMemClicked = true; return true;
    case IDC_OTHER_CATALOGUSE: m_CatalogUseClicked = true; return true;
    case IDC_OTHER_DEFAULTS:
      // Only the boxes change; nothing is stored until "設定".
      Check(IDC_OTHER_SEQUENCE, 0);
      Check(IDC_OTHER_BLACK, 0);
      Check(IDC_OTHER_SMALLMEM, 0);
      Check(IDC_OTHER_HIGHSPEED, 1);
      Check(IDC_OTHER_EXIFTHUMB, 1);
      Check(IDC_OTHER_CATRENEW, 0);
      Check(IDC_OTHER_CATALOGUSE, 0);
      Check(IDC_OTHER_DUSTBOX, 1);
      Check(IDC_OTHER_DBLKEYENTER, 0);
      Check(IDC_OTHER_TRIMADJUST, 0);
      Check(IDC_OTHER_CHGUNIFILE, 1);
      Check(IDC_OTHER_INDIVIDUAL, 0);
      return true;
    default: return false;
  }
}

void COtherSettingsDialog::OnOK() {
  const int individual = Checked(IDC_OTHER_INDIVIDUAL);
  const int smallMem = Checked(IDC_OTHER_SMALLMEM);
  const int catalogUse = Checked(IDC_OTHER_CATALOGUSE);
  // A box set by "初期化" counts as clicked when it changed: the mode and the limit must follow it.
  const bool individualChanged = m_IndividualClicked || individual != (g_IndividualFlag != 0 ? 1 : 0);
  const bool smallMemChanged = m_SmallMemClicked || smallMem != (g_SmallMemFlag != 0 ? 1 : 0);
  const bool catalogUseChanged = m_CatalogUseClicked || catalogUse != (g_CatalogUseFlag != 0 ? 1 : 0);

  g_SequenceFlag = Checked(IDC_OTHER_SEQUENCE);
  g_BlackFlag = Checked(IDC_OTHER_BLACK);
  g_SmallMemFlag = smallMem;
  g_HighSpeedFlag = Checked(IDC_OTHER_HIGHSPEED);
  g_ExifThumbFlag = Checked(IDC_OTHER_EXIFTHUMB);
  g_CatRenewFlag = Checked(IDC_OTHER_CATRENEW);
  g_CatalogUseFlag = catalogUse;
  g_DustBoxFlag = Checked(IDC_OTHER_DUSTBOX);
  g_DblKeyEnterFlag = Checked(IDC_OTHER_DBLKEYENTER);
  g_TrimAdjustFlag = Checked(IDC_OTHER_TRIMADJUST);
  g_ChgUniFileFlag = Checked(IDC_OTHER_CHGUNIFILE);
  g_IndividualFlag = individual;
  EndDialog(IDOK);

  SettingsHost& host = TheSettingsHost();
  if (individualChanged) LoadSettings(true);
  if (smallMemChanged) ApplyCatalogLimitRule(true);
  if (catalogUseChanged) host.RefreshFolderCounters();
  if (individualChanged || smallMemChanged) host.ClearAndRedrawView();
}

void RunOtherSettingsDialog(HWND owner) {
  COtherSettingsDialog dialog;
  dialog.DoModal(owner);
}

// "起動アプリ設定" ------------------------------------------------------------------------------

CApplicationDialog::CApplicationDialog(FileChooser chooser)
    : CDialog(IDD_APPLICATION), m_Chooser(chooser ? std::move(chooser) : FileChooser(&ChooseProgram)) {}

void CApplicationDialog::ShowSlot(int slot) {
  m_Slot = slot;
  SetItemText(IDC_APPLI_PATH, Wide(SettingText(g_AppliName[slot], kPathChars)));
  SetItemText(IDC_APPLI_SWITCH, Wide(SettingText(g_AppliSW[slot], kSwitchChars)));
  // The complete-deletion program is started without a switch.
  EnableItem(IDC_APPLI_SWITCH, slot != 2);
}

void CApplicationDialog::StoreSwitch() {
  if (m_Slot != 2) CopySettingText(g_AppliSW[m_Slot], kSwitchChars, U16(ItemText(IDC_APPLI_SWITCH)));
}

bool CApplicationDialog::OnInitDialog() {
  SendItem(IDC_APPLI_PATH, EM_LIMITTEXT, kPathChars - 1);
  SendItem(IDC_APPLI_SWITCH, EM_LIMITTEXT, kSwitchChars - 1);
  SendItem(IDC_APPLI_EDITOR, BM_SETCHECK, BST_CHECKED);
  ShowSlot(0);
  return true;
}

bool CApplicationDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_APPLI_EDITOR: ShowSlot(0); return true;
    case IDC_APPLI_PLAYER: ShowSlot(1); return true;
    case IDC_APPLI_SHREDDER: ShowSlot(2); return true;
    case IDC_APPLI_CHOOSE: {
      std::wstring path;
      if (!m_Chooser(Handle(), &path)) return true;
      CopySettingText(g_AppliName[m_Slot], kPathChars, U16(path));
      StoreSwitch();
      SetItemText(IDC_APPLI_PATH, Wide(SettingText(g_AppliName[m_Slot], kPathChars)));
      return true;
    }
    case IDC_APPLI_STORE:
      CopySettingText(g_AppliName[m_Slot], kPathChars, U16(ItemText(IDC_APPLI_PATH)));
      StoreSwitch();
      return true;
    default: return false;
  }
}

void RunApplicationDialog(HWND owner) {
  CApplicationDialog dialog;
  dialog.DoModal(owner);
}

// Catalog offset and limit --------------------------------------------------------------------

std::wstring MemoryModeCaption() {
  if (g_SmallMemFlag == 1) return L"      【 小型ﾒﾓﾘｰｻｲｽﾞ 】";
  static const wchar_t* const kSizes[] = {L"S", L"M", L"L", L"LL"};
  const int size = g_CatalogSize >= 0 && g_CatalogSize <= 3 ? g_CatalogSize : 1;
  return std::wstring(L"【 標準ﾒﾓﾘｰｻｲｽﾞ 】  ｶﾀﾛｸﾞｻｲｽﾞ：") + kSizes[size];
}

CCatalogOffsetDialog::CCatalogOffsetDialog() : CDialog(IDD_CATALOG_OFFSET) {}

bool CCatalogOffsetDialog::OnInitDialog() {
  SetItemText(IDC_CATOFS_MEMORY, MemoryModeCaption());
  SetItemText(IDC_CATOFS_OFFSET, std::to_wstring(g_CatalogOffset));
  SetItemText(IDC_CATOFS_LIMIT, std::to_wstring(g_CatalogLimit == 0 ? CatalogLimitMaximum() : g_CatalogLimit));
  return true;
}

void CCatalogOffsetDialog::OnOK() {
  const int offset = TypedInt(ItemText(IDC_CATOFS_OFFSET));
  const int limit = TypedInt(ItemText(IDC_CATOFS_LIMIT));
  const int maximum = CatalogLimitMaximum();
  if (offset < 0) {
    Say(u"オフセット値は正、または' 0 'を入力してください", kInputError);
    return;
  }
  if (offset > 4800) {
    Say(u"オフセット値は≪4800≫以下を入力してください", kInputError);
    return;
  }
  if (limit < 1) {
    Say(u"最大制限値は≪ 1 ≫以上の値を入力してください", kInputError);
    return;
  }
  if (limit > maximum) {
    Say(LimitLeadIn() + FromWide(std::to_wstring(maximum).c_str()) + u"≫以下の値を入力してください", kInputError);
    return;
  }
  m_OffsetChanged = offset != g_CatalogOffset;
  g_CatalogOffset = offset;
  g_CatalogLimit = limit;
  EndDialog(IDOK);
}

bool RunCatalogOffsetDialog(HWND owner) {
  CCatalogOffsetDialog dialog;
  return dialog.DoModal(owner) == IDOK && dialog.OffsetChanged();
}

// "サイズ制限" ----------------------------------------------------------------------------------

CSizeLimitDialog::CSizeLimitDialog() : CDialog(IDD_SIZE_LIMIT) {}

namespace {

constexpr SizeBoundControls kMinControls{IDC_SIZE_MIN_NONE, IDC_SIZE_MIN_1K, IDC_SIZE_MIN_100K, IDC_SIZE_MIN_TYPED,
                                         IDC_SIZE_MIN_VALUE};
constexpr SizeBoundControls kMaxControls{IDC_SIZE_MAX_NONE, IDC_SIZE_MAX_1K, IDC_SIZE_MAX_100K, IDC_SIZE_MAX_TYPED,
                                         IDC_SIZE_MAX_VALUE};

// The radio button of a bound's group that shows `value`.
int SizeRadio(long long value, const SizeBoundControls& bound) {
  if (value == 0) return bound.none;
  if (value == 1000) return bound.oneK;
  if (value == 100000) return bound.hundredK;
  return bound.typed;
}

std::wstring SizeText(long long value) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%8lld", value);
  return text;
}

bool IsSizeControl(int id, const SizeBoundControls& bound) {
  return id == bound.none || id == bound.oneK || id == bound.hundredK || id == bound.typed || id == bound.value;
}

}  // namespace

bool CSizeLimitDialog::OnInitDialog() {
  SendItem(SizeRadio(g_MinFileSize, kMinControls), BM_SETCHECK, BST_CHECKED);
  SendItem(SizeRadio(g_MaxFileSize, kMaxControls), BM_SETCHECK, BST_CHECKED);
  SetItemText(IDC_SIZE_MIN_VALUE, SizeText(g_MinFileSize));
  SetItemText(IDC_SIZE_MAX_VALUE, SizeText(g_MaxFileSize));
  ShowRange();
  return true;
}

bool CSizeLimitDialog::Checked(int id) const { return SendItem(id, BM_GETCHECK) == BST_CHECKED; }

long long CSizeLimitDialog::ChosenSize(const SizeBoundControls& bound) const {
  if (Checked(bound.oneK)) return 1000;
  if (Checked(bound.hundredK)) return 100000;
  if (Checked(bound.typed)) return TypedSize(ItemText(bound.value));
  return 0;
}

void CSizeLimitDialog::ShowRange() {
  // The sizes a listed file lies between, as chosen so far: "1,000 Byte ＜ ｎ ＜ 100,000 Byte".
  // No minimum reads as 0; no maximum is named by its button's text.
  std::u16string range = GroupDigits(ChosenSize(kMinControls)) + u" Byte ＜ ｎ ＜ ";
  range += Checked(kMaxControls.none) ? std::u16string(u"制限なし") : GroupDigits(ChosenSize(kMaxControls)) + u" Byte";
  SetItemText(IDC_SIZE_RANGE, Wide(range));
}

bool CSizeLimitDialog::OnCommand(int id, int code, HWND) {
  if ((code == BN_CLICKED || code == EN_CHANGE) && (IsSizeControl(id, kMinControls) || IsSizeControl(id, kMaxControls)))
    ShowRange();
  return false;
}

void CSizeLimitDialog::OnOK() {
  const long long minimum = ChosenSize(kMinControls);
  if (Checked(IDC_SIZE_MIN_TYPED) && minimum < 1) {
    Say(u"最小制限値は'1'以上の値を入れてください");
    return;
  }
  const long long maximum = ChosenSize(kMaxControls);
  if (Checked(IDC_SIZE_MAX_TYPED) && maximum < 1) {
    Say(u"最大制限値は'1'以上の値を入れてください");
    return;
  }
  if (maximum != 0 && maximum < minimum) {
    Say(u"最小制限が最大制限を超えています");
    return;
  }
  g_MinFileSize = minimum;
  g_MaxFileSize = maximum;
  EndDialog(IDOK);
}

void RunSizeLimitDialog(HWND owner) {
  CSizeLimitDialog dialog;
  dialog.DoModal(owner);
}

// "下位フォルダ・オフセット" ------------------------------------------------------------------------

CSubFolderOffsetDialog::CSubFolderOffsetDialog() : CDialog(IDD_SUBFOLDER_OFFSET) {}

bool CSubFolderOffsetDialog::OnInitDialog() {
  SetItemText(IDC_SUBOFS_VALUE, std::to_wstring(g_SubFolderOffset));
  return true;
}

bool CSubFolderOffsetDialog::OnCommand(int id, int code, HWND) {
  if (id != IDC_SUBOFS_ZERO || code != BN_CLICKED) return false;
  g_SubFolderOffset = 0;
  EndDialog(IDOK);
  return true;
}

void CSubFolderOffsetDialog::OnOK() {
  const int offset = TypedInt(ItemText(IDC_SUBOFS_VALUE));
  if (offset < 0) {
    Say(u"オフセット値は正、または' 0 'を入力してください", kInputError);
    return;
  }
  if (offset > 800) {
    Say(u"オフセット値は≪800≫以下を入力してください", kInputError);
    return;
  }
  g_SubFolderOffset = offset;
  EndDialog(IDOK);
}

void RunSubFolderOffsetDialog(HWND owner) {
  CSubFolderOffsetDialog dialog;
  dialog.DoModal(owner);
}

}  // namespace tarn
