// The run modes, chosen from the argument text and run to their end.
#pragma once

#include <windows.h>

// Returns the process's exit code: 0 for a mode that ran, -1 for a rejected
// line and after the configuration dialog.
int DispatchCommandLine(HINSTANCE instance, const char* arguments);

int RunPreview(unsigned int parentHandle);
int RunConfigure(HWND owner);
int RunChangePassword(unsigned int ownerHandle);
