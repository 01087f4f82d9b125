#include "DialogPlugin.h"

#include "base/Prompt.h"
#include "base/WinText.h"
#include "base/resource.h"

namespace tarn {
namespace {

std::u16string U16(const std::wstring& s) { return FromWide(s.c_str()); }

}  // namespace

CDialogPlugin::CDialogPlugin(CPluginRegistry& registry, CSPICore& scratch, std::wstring folder)
    : CDialog(IDD_PLUGIN), m_Registry(registry), m_Scratch(scratch), m_Folder(std::move(folder)) {}

std::wstring CDialogPlugin::LineFor(int index) {
  wchar_t name[MAX_PATH] = {};
  m_Registry.GetName(index, name);
  const bool on = m_Registry.Enabled(index, 2) == 1;
  return std::wstring(on ? L" 〇 SPI_" : L" × SPI_") + std::to_wstring(index) + L"= " + name;
}

void CDialogPlugin::ShowFormatCount() { SetItemText(IDC_PLUGIN_FORMATS, std::to_wstring(m_Registry.CountFormats())); }

bool CDialogPlugin::OnInitDialog() {
  SetItemText(IDC_PLUGIN_FOLDER, m_Folder);
  SetItemText(IDC_PLUGIN_LIBRARIES, std::to_wstring(g_PluginCount));
  ShowFormatCount();
  for (int i = 0; i < m_Registry.Count(); ++i)
    SendItem(IDC_PLUGIN_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LineFor(i).c_str()));
  EnableItem(IDC_PLUGIN_SETTINGS, false);
  return true;
}

int CDialogPlugin::Selection() const { return static_cast<int>(SendItem(IDC_PLUGIN_LIST, LB_GETCURSEL)); }

bool CDialogPlugin::ReplaceLine(int index) {
  if (SendItem(IDC_PLUGIN_LIST, LB_DELETESTRING, static_cast<WPARAM>(index)) == LB_ERR) {
    Say(u"項目削除失敗", u"異常終了");
    return false;
  }
  SendItem(IDC_PLUGIN_LIST, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(LineFor(index).c_str()));
  return true;
}

void CDialogPlugin::OnToggle() {
  const int selection = Selection();
  if (selection < 0) {
    Say(u"変更するプラグインを選択してください", u"プラグイン未指定");
    return;
  }
  m_Registry.Enabled(selection, m_Registry.Enabled(selection, 2) == 1 ? 0 : 1);
  ShowFormatCount();
  if (ReplaceLine(selection)) SendItem(IDC_PLUGIN_LIST, LB_SETCURSEL, static_cast<WPARAM>(selection));
}

void CDialogPlugin::OnSetAll(int value) {
  for (int i = 0; i < m_Registry.Count(); ++i) {
    if (m_Registry.Enabled(i, 2) == value) continue;
    m_Registry.Enabled(i, value);
    if (!ReplaceLine(i)) break;
  }
  ShowFormatCount();
}

bool CDialogPlugin::LoadSelected(int selection) {
  const LRESULT length = SendItem(IDC_PLUGIN_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(selection));
  if (length == LB_ERR) return false;
  std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
  SendItem(IDC_PLUGIN_LIST, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(length));
  const std::size_t equals = line.find(L"= ");
  const std::wstring path = m_Folder + (equals == std::wstring::npos ? std::wstring() : line.substr(equals + 2));
  if (m_Scratch.Load(path.c_str())) return true;
  Say(u"プラグインの操作失敗", U16(path));
  return false;
}

void CDialogPlugin::OnSelectionChange() {
  const int selection = Selection();
  if (selection < 0) return;
  const bool loaded = LoadSelected(selection);
  EnableItem(IDC_PLUGIN_SETTINGS, loaded && m_Scratch.HasFunction(kFnConfigurationDlg));
}

void CDialogPlugin::OnSettings() {
  const int selection = Selection();
  if (selection < 0) {
    Say(u"設定するプラグインを選択してください", u"入力エラー");
    return;
  }
  if (!LoadSelected(selection)) return;
  if (m_Scratch.ConfigurationDlg(Handle(), 1) == -1) Say(u"プラグインの設定機能なし", U16(m_Scratch.Path()));
}

void CDialogPlugin::OnInfo() {
  const int selection = Selection();
  if (selection < 0) {
    Say(u"表示するプラグインを選択してください", u"プラグイン未指定");
    return;
  }
  if (!LoadSelected(selection)) return;
  char version[kInfoBufferBytes] = {};
  m_Scratch.GetPluginInfo(1, version, kInfoBufferBytes);
  std::u16string wide;
  if (!MultiByteToWide(version, kInfoBufferBytes, &wide)) {
    Say(u"ms To ws 失敗", u"CDialogPlugin::OnSpiInfo関数 szVer");
    return;
  }
  Say(u"Plug-in名 ( " + wide + u" )\n\n" + U16(m_Registry.RepresentativeExtensions(selection)),
      u"File Name = " + U16(m_Scratch.Path()));
}

bool CDialogPlugin::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_PLUGIN_LIST:
      if (code == LBN_DBLCLK) OnToggle();
      if (code == LBN_SELCHANGE) OnSelectionChange();
      return true;
    case IDC_PLUGIN_TOGGLE: OnToggle(); return true;
    case IDC_PLUGIN_ENABLE_ALL: OnSetAll(1); return true;
    case IDC_PLUGIN_DISABLE_ALL: OnSetAll(0); return true;
    case IDC_PLUGIN_SETTINGS: OnSettings(); return true;
    case IDC_PLUGIN_INFO: OnInfo(); return true;
    default: return false;
  }
}

}  // namespace tarn
