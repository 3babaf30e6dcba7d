// The host's process-wide state: the instance handle and the flags that the
// dispatch sets and the saver window, its close policy and the password
// services read. Kept process-wide because the one thread's window procedure,
// crash filter and mode functions all work on the same run.
#pragma once

#include <windows.h>

#include "host/host_flags.h"

namespace tessalander {

extern HINSTANCE InstanceHandle;
// IsWindows9x, IsPreview, AutoPlayMessage, MouseReference and the password
// state: the flags the portable decisions work on.
extern HostFlags Host;

// Wraps a decimal handle from the command line. HWNDs are 32-bit values that
// 64-bit Windows sign-extends, so both builds read the same number.
inline HWND WindowFromHandleValue(unsigned int value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(value)));
}

}  // namespace tessalander
