// The dialog "Wipeset    V0.3": the delete-all group, the single-file group and "終了".
#pragma once

#include <windows.h>

namespace wipeset {

// Shows the dialog and returns when it has been closed.
INT_PTR RunWipeset(HINSTANCE instance);

// The same dialog without its own message loop, destroyed rather than ended when it closes; the
// caller pumps its messages. Null when the template cannot be found.
HWND CreateWipeset(HINSTANCE instance, HWND owner);

}  // namespace wipeset
