// The puzzles as the saver window's animation: one puzzle per monitor, set up
// at WM_CREATE, ticked, painted and torn down at WM_DESTROY. WinMain hands it
// to the host.
#pragma once

#include "host/win32/animation.h"

namespace tessalander {

extern const Animation SaverAnimation;

}  // namespace tessalander
