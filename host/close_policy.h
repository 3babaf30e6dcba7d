// The close policy: which input ends the full-screen saver. Every message the
// engine receives ends here. Input never ends the saver directly: it posts a
// WM_CLOSE, which the password check may still refuse on Windows 95/98/ME.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/saver_platform.h"
#include "host/window_messages.h"

namespace tessalander {

// Travel of up to this many pixels (horizontal plus vertical) is tolerated.
inline constexpr uint32_t CloseMoveThreshold = 4;

// |dx| + |dy| in wrapping 32-bit arithmetic, compared unsigned with the threshold.
uint32_t MouseTravel(ScreenPoint from, ScreenPoint to);

// The host's default handling of a SaverWindow message: posts closes, hides
// the cursor, answers the verification request and the AutoPlay query, and
// ends in the platform's DefWindowProcA for everything else.
intptr_t SaverDefaultProc(HostFlags& flags, SaverPlatform& platform, const WindowMessage& message);

}  // namespace tessalander
