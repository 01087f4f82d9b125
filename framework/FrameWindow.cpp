#include "FrameWindow.h"

#include <vector>

#include "Accelerators.h"

namespace tarn {

bool CFrameWindow::CreateFrame(const wchar_t* className, const wchar_t* title, HMENU menu, HICON icon, int x,
                               int y, int width, int height) {
  RegisterClassOnce(className, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), icon);
  return CreateWin(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height, nullptr, menu);
}

void CFrameWindow::CreateBars(const TBBUTTON* buttons, int buttonCount, const int* paneRights, int paneCount) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  m_ToolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                              0, 0, 0, 0, Handle(), nullptr, instance, nullptr);
  SendMessageW(m_ToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  SendMessageW(m_ToolBar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  SendMessageW(m_ToolBar, TB_ADDBUTTONSW, static_cast<WPARAM>(buttonCount), reinterpret_cast<LPARAM>(buttons));
  SendMessageW(m_ToolBar, TB_AUTOSIZE, 0, 0);

  m_StatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                Handle(), nullptr, instance, nullptr);
  SendMessageW(m_StatusBar, SB_SETPARTS, static_cast<WPARAM>(paneCount), reinterpret_cast<LPARAM>(paneRights));
}

void CFrameWindow::SetStatusText(int pane, const std::wstring& text) {
  SendMessageW(m_StatusBar, SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CFrameWindow::StatusText(int pane) const {
  const LRESULT length = LOWORD(SendMessageW(m_StatusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(m_StatusBar, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void CFrameWindow::SetAccelerators(HACCEL table) {
  if (m_Accelerators != nullptr) DestroyAcceleratorTable(m_Accelerators);
  m_Accelerators = table;
  if (HMENU menu = GetMenu(Handle())) LabelMenuAccelerators(menu, table);
}

LRESULT CFrameWindow::OnToolTip(NMHDR& header) {
  auto& tip = reinterpret_cast<NMTTDISPINFOW&>(header);
  m_Tip = ToolTipOf(static_cast<UINT>(header.idFrom), GetMenu(Handle()), m_Accelerators);
  tip.lpszText = m_Tip.data();
  tip.hinst = nullptr;
  return 0;
}

void CFrameWindow::ShowBar(HWND bar, bool show) {
  ShowWindow(bar, show ? SW_SHOW : SW_HIDE);
  RecalcLayout();
}

void CFrameWindow::RecalcLayout() {
  RECT client;
  GetClientRect(Handle(), &client);
  int top = 0, bottom = client.bottom;
  if (IsBarShown(m_ToolBar)) {
    SendMessageW(m_ToolBar, TB_AUTOSIZE, 0, 0);
    RECT r;
    GetWindowRect(m_ToolBar, &r);
    top = r.bottom - r.top;
  }
  if (IsBarShown(m_StatusBar)) {
    SendMessageW(m_StatusBar, WM_SIZE, 0, 0);
    RECT r;
    GetWindowRect(m_StatusBar, &r);
    bottom -= r.bottom - r.top;
  }
  if (m_View != nullptr) MoveWindow(m_View, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

namespace {

constexpr UINT kRaiseOwned = WM_APP + 0x3F00;

struct OwnedWindows {
  HWND owner;
  std::vector<HWND> topFirst;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM found) {
  auto& owned = *reinterpret_cast<OwnedWindows*>(found);
  if (GetWindow(window, GW_OWNER) == owned.owner && IsWindowVisible(window)) owned.topFirst.push_back(window);
  return TRUE;
}

}  // namespace

void CFrameWindow::RaiseOwnedWindows() const {
  OwnedWindows owned{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectOwned, reinterpret_cast<LPARAM>(&owned));
  constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  for (auto window = owned.topFirst.rbegin(); window != owned.topFirst.rend(); ++window) {
    // A window already first in the system's order is not restacked on the display: it goes
    // under the frame and then back on top.
    SetWindowPos(*window, Handle(), 0, 0, 0, 0, kKeep);
    SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, kKeep);
  }
}

void CFrameWindow::OnMenuSelect(UINT id, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {
    if (m_MenuOpen) SetStatusText(0, m_PaneBeforeMenu);
    m_MenuOpen = false;
    return;
  }
  if (!m_MenuOpen) m_PaneBeforeMenu = StatusText(0);
  m_MenuOpen = true;
  std::wstring prompt;
  const wchar_t* text = nullptr;
  if (!(flags & (MF_POPUP | MF_SEPARATOR))) {
    // With no buffer the string is not copied: the text stays in the resource, not terminated.
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length > 0) prompt.assign(text, static_cast<std::size_t>(length));
  }
  prompt = prompt.substr(0, prompt.find(L'\n'));
  SetStatusText(0, prompt.empty() ? m_PaneBeforeMenu : prompt);
}

LRESULT CFrameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_SIZE: RecalcLayout(); return 0;
    case WM_SETFOCUS:
      // Back from another window, the keys go to the view, as they went before it was left.
      if (m_View != nullptr) {
        SetFocus(m_View);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // After the activation is over: the display raises the frame once the click is handled.
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(Handle(), kRaiseOwned, 0, 0);
      break;
    case kRaiseOwned: RaiseOwnedWindows(); return 0;
    case WM_NOTIFY:
      if (auto* header = reinterpret_cast<NMHDR*>(lParam); header->code == TTN_GETDISPINFOW) return OnToolTip(*header);
      break;
    case WM_NCDESTROY:
      if (m_Accelerators != nullptr) DestroyAcceleratorTable(m_Accelerators);
      m_Accelerators = nullptr;
      break;
    default: break;
  }
  return CWindow::OnMessage(message, wParam, lParam);
}

}  // namespace tarn
