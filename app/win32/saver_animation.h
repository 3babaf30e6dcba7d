// What the saver window shows: the engine's scene of puzzles on the window,
// set up with the user's settings. WinMain hands it to the host.
#pragma once

#include "host/win32/animation.h"

namespace tessalander {

extern const Animation SaverAnimation;

}  // namespace tessalander
