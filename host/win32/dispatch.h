// The run modes, chosen from the argument text and run to their end.
#pragma once

#include <windows.h>

#include "host/win32/animation.h"

namespace tessalander {

// Returns the process's exit code: 0 for a mode that ran, -1 for a rejected
// line and after the configuration dialog. The saver and the preview show
// the animation.
int DispatchCommandLine(HINSTANCE instance, const char* arguments, const Animation& animation);

int RunPreview(unsigned int parentHandle, const Animation& animation);
int RunConfigure(HWND owner);
int RunChangePassword(unsigned int ownerHandle);

}  // namespace tessalander
