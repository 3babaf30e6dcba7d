// The run modes, chosen from the argument text and run to their end.
#pragma once

#include <windows.h>

#include "common/animation.h"

namespace tessalander {

// Returns the process's exit code: -1 for a rejected line; the saver's and the
// preview's message loop's (0, or -1 when the window could not be made); -1
// after the configuration dialog ran (the host's own dialog that follows has
// no template), 0 when it could not be shown; 0 after the password dialog.
// The saver and the preview show the animation.
int DispatchCommandLine(HINSTANCE instance, const char* arguments, const Animation& animation);

int RunPreview(unsigned int parentHandle, const Animation& animation);
int RunConfigure(HWND owner);
int RunChangePassword(unsigned int ownerHandle);

}  // namespace tessalander
