// The dialog procedure of the configuration dialog (template 101).
#pragma once

#include <windows.h>

namespace tessalander {

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessalander
