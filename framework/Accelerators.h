// The frame's accelerator table as the user sees it: the key names the menus show after a tab,
// the tool bar's tips, and the part of the table that works from any window of the program.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace tarn {

// "Ctrl+O", "Del", "F5": the name of an accelerator's key with its modifiers; empty for a key
// without a name here.
std::wstring AcceleratorLabel(BYTE flags, WORD key);
// The label of the first entry of `table` that sends `command`; empty when none does.
std::wstring AcceleratorLabelFor(HACCEL table, UINT command);
// Every item of `menu` and its submenus that a key of `table` sends shows that key after a tab,
// in place of any text that stood there.
void LabelMenuAccelerators(HMENU menu, HACCEL table);
// A new table of the entries of `table` that send one of `commands`; the caller destroys it.
HACCEL AcceleratorSubset(HACCEL table, std::initializer_list<UINT> commands);
// The tip of a tool bar button: the second line of the command's string resource, else its menu
// item's text without mnemonic, dots and key; then its key in brackets.
std::wstring ToolTipOf(UINT command, HMENU menu, HACCEL table);

}  // namespace tarn
