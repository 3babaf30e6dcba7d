// The one SaverWindow: full screen and topmost, or a child of the preview's
// parent; its class, its window procedure and the message loop.
#pragma once

#include <windows.h>

#include "common/animation.h"

namespace tessalander {

// Shows the animation in the window, runs the message loop to its end and
// returns the exit code.
int RunSaverWindow(HWND parent, const Animation& animation);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessalander
