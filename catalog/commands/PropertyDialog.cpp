#include "PropertyDialog.h"

#include <windows.h>

#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/list/FileClass.h"
#include "catalog/commands/CommandResource.h"
#include "catalog/commands/PropertyText.h"
#include "catalog/commands/Win32FileStatus.h"
#include "image/PictureWnd.h"

namespace tarn {
namespace {

constexpr std::uint32_t kReadOnly = FILE_ATTRIBUTE_READONLY;

std::wstring Wide(const std::u16string& text) { return std::wstring(AsWide(text)); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

CDialogProperty::CDialogProperty(CPictureWnd& picture, int folderNumber, std::u16string folder, std::u16string name)
    : CDialog(IDD_PROPERTY),
      m_Picture(picture),
      m_FolderNumber(folderNumber),
      m_Folder(std::move(folder)),
      m_Name(std::move(name)) {}

bool CDialogProperty::PropertyStart() {
  const int kind = ClassifyFileName(m_Name);
  if (kind == kClassStill) {
    if (m_Picture.FileLoad(kSelectStill, AsWide(Path())) != 0 || m_Picture.Loaded().Info() == nullptr) {
      Say(u"エラーCDialogProperty::PropertyStart≪lpBI=0≫");
      return false;
    }
    m_Width = m_Picture.Loaded().Width();
    m_Height = m_Picture.Loaded().Rows();
  } else if (kind != kClassMedia && kind != kClassFlvMp4) {
    WriteErrorLog(u"PropertyStart ﾌｧｲﾙ名称ｴﾗｰ ret= " + DecimalText(kind) + u"  Title= " + m_Name);
  }
  if (GetFileAttributesW(AsWide(Path())) == INVALID_FILE_ATTRIBUTES) {
    Say(Path() + u" が有りません", u"ファイル異常");
    return false;
  }
  return true;
}

void CDialogProperty::ShowAttributes(std::uint8_t attributes) const {
  SetItemText(IDC_PROP_ATTRIBUTES, Wide(PropertyAttributeText(attributes)));
  CheckDlgButton(Handle(), IDC_PROP_READONLY, (attributes & 0x01) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_PROP_HIDDEN, (attributes & 0x02) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_PROP_SYSTEM, (attributes & 0x04) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_PROP_ARCHIVE, (attributes & 0x20) ? BST_CHECKED : BST_UNCHECKED);
}

bool CDialogProperty::OnInitDialog() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(Path()), GetFileExInfoStandard, &data)) {
    Say(u"ファイルが有りません<-p02> ");
    EndDialog(IDCANCEL);
    return true;
  }
  SetItemText(IDC_PROP_MODIFIED, Wide(PropertyTimeText(LocalStamp(data.ftLastWriteTime))));
  SetItemText(IDC_PROP_CREATED, Wide(PropertyTimeText(LocalStamp(data.ftCreationTime))));
  std::u16string folderLine(u"[");
  folderLine += DecimalText(m_FolderNumber);
  folderLine += u"] ";
  folderLine += PropertyLines(m_Folder, g_OsKind);
  SetItemText(IDC_PROP_FOLDER, Wide(folderLine));
  SetItemText(IDC_PROP_NAME, Wide(PropertyLines(m_Name, g_OsKind)));
  const long long size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  SetItemText(IDC_PROP_SIZE, Wide(PropertyNumber(size)));
  SetItemText(IDC_PROP_WIDTH, Wide(PropertyNumber(m_Width)));
  SetItemText(IDC_PROP_HEIGHT, Wide(PropertyNumber(m_Height)));
  ShowAttributes(static_cast<std::uint8_t>(data.dwFileAttributes));
  return true;
}

void CDialogProperty::OnOK() {
  const DWORD old = GetFileAttributesW(AsWide(Path()));
  if (old == INVALID_FILE_ATTRIBUTES) {
    Say(u"ファイルが有りません<-p01> ");
    return;
  }
  const std::uint8_t before = static_cast<std::uint8_t>(old);
  const std::uint8_t after =
      PropertyAttributeByte(before, Checked(Handle(), IDC_PROP_READONLY), Checked(Handle(), IDC_PROP_HIDDEN),
                            Checked(Handle(), IDC_PROP_SYSTEM), Checked(Handle(), IDC_PROP_ARCHIVE));
  if (after == before) {
    Say(u"ステータスが同一です", u"入力エラー");
    return;
  }
  if (old & kReadOnly) SetFileAttributesW(AsWide(Path()), old & ~kReadOnly);
  ShowAttributes(after);
  // The attributes above the byte the dialog shows stay as the file had them.
  SetFileAttributesW(AsWide(Path()), (old & ~0xFFu) | after);
  EndDialog(IDOK);
}

}  // namespace tarn
