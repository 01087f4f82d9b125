#include "Accelerators.h"

#include <algorithm>
#include <vector>

namespace tarn {
namespace {

std::vector<ACCEL> EntriesOf(HACCEL table) {
  const int count = table != nullptr ? CopyAcceleratorTableW(table, nullptr, 0) : 0;
  std::vector<ACCEL> entries(static_cast<std::size_t>(std::max(count, 0)));
  if (count > 0) CopyAcceleratorTableW(table, entries.data(), count);
  return entries;
}

std::wstring KeyName(BYTE flags, WORD key) {
  if (!(flags & FVIRTKEY)) return key >= 0x20 && key < 0x7F ? std::wstring(1, static_cast<wchar_t>(key)) : L"";
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  switch (key) {
    case VK_DELETE: return L"Del";
    case VK_INSERT: return L"Ins";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_BACK: return L"BackSpace";
    case VK_SPACE: return L"Space";
    case VK_HOME: return L"Home";
    case VK_END: return L"End";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    default: return L"";
  }
}

std::wstring MenuItemText(HMENU menu, UINT command) {
  wchar_t text[256] = {};
  return GetMenuStringW(menu, command, text, 256, MF_BYCOMMAND) > 0 ? text : L"";
}

// "開く(&O)...\tCtrl+O" as "開く": the words of a menu item without its mnemonic, dots and key.
std::wstring PlainMenuText(std::wstring text) {
  text = text.substr(0, text.find(L'\t'));
  if (const std::size_t mnemonic = text.find(L"(&"); mnemonic != std::wstring::npos && text.find(L')', mnemonic) == mnemonic + 3)
    text.erase(mnemonic, 4);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  while (!text.empty() && (text.back() == L'.' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace

std::wstring AcceleratorLabel(BYTE flags, WORD key) {
  const std::wstring name = KeyName(flags, key);
  if (name.empty() || !(flags & FVIRTKEY)) return name;
  return std::wstring(flags & FCONTROL ? L"Ctrl+" : L"") + (flags & FSHIFT ? L"Shift+" : L"") +
         (flags & FALT ? L"Alt+" : L"") + name;
}

std::wstring AcceleratorLabelFor(HACCEL table, UINT command) {
  for (const ACCEL& entry : EntriesOf(table))
    if (entry.cmd == command) return AcceleratorLabel(entry.fVirt, entry.key);
  return L"";
}

void LabelMenuAccelerators(HMENU menu, HACCEL table) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      LabelMenuAccelerators(sub, table);
      continue;
    }
    const UINT command = GetMenuItemID(menu, i);
    const std::wstring label = AcceleratorLabelFor(table, command);
    if (label.empty()) continue;
    std::wstring text = MenuItemText(menu, command);
    text = text.substr(0, text.find(L'\t')) + L'\t' + label;
    MENUITEMINFOW item{sizeof item, MIIM_STRING};
    item.dwTypeData = text.data();
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
  }
}

HACCEL AcceleratorSubset(HACCEL table, std::initializer_list<UINT> commands) {
  std::vector<ACCEL> kept;
  for (const ACCEL& entry : EntriesOf(table))
    if (std::find(commands.begin(), commands.end(), entry.cmd) != commands.end()) kept.push_back(entry);
  return kept.empty() ? nullptr : CreateAcceleratorTableW(kept.data(), static_cast<int>(kept.size()));
}

std::wstring ToolTipOf(UINT command, HMENU menu, HACCEL table) {
  const wchar_t* resource = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), command, reinterpret_cast<wchar_t*>(&resource), 0);
  std::wstring tip;
  if (length > 0) {
    const std::wstring text(resource, static_cast<std::size_t>(length));
    if (const std::size_t line = text.find(L'\n'); line != std::wstring::npos)
      tip = text.substr(line + 1, text.find(L'\n', line + 1) - line - 1);
  }
  if (tip.empty()) tip = PlainMenuText(MenuItemText(menu, command));
  const std::wstring key = AcceleratorLabelFor(table, command);
  return key.empty() ? tip : tip + L" (" + key + L")";
}

}  // namespace tarn
