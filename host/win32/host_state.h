// The host's process-wide state: set once by the dispatch or the saver window
// and read by the window procedures, which have no other way to share it.
#pragma once

#include <windows.h>

#include "host/host_flags.h"

extern HINSTANCE InstanceHandle;
// IsWindows9x, IsPreview, AutoPlayMessage, MouseReference and the password
// state: the flags the portable decisions work on.
extern HostFlags Host;
// 0 until CreateWindowExA succeeds.
extern HWND SaverWindow;

// ImmAssociateContext, when something else in the process has loaded
// "IMM32.DLL" (the host never loads it), and the input context the window had
// before the host detached it.
using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);
struct InputMethodState {
  HMODULE module;
  ImmAssociateContextFn associate;
  HANDLE savedContext;
};
extern InputMethodState InputMethod;

// Wraps a decimal handle from the command line. HWNDs are 32-bit values that
// 64-bit Windows sign-extends, so both builds read the same number.
inline HWND WindowFromHandleValue(unsigned int value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(value)));
}
