// The host's process-wide state: set once by the dispatch or the saver window
// and read by the window procedures, which have no other way to share it.
#pragma once

#include <windows.h>

extern HINSTANCE InstanceHandle;
// 1 on Windows 95/98/ME, where the saver handles the password itself.
extern int IsWindows9x;
// 1 once the saver runs as a child of the display settings' preview.
extern int IsPreview;
extern HWND SaverWindow;

// Wraps a decimal handle from the command line. HWNDs are 32-bit values that
// 64-bit Windows sign-extends, so both builds read the same number.
inline HWND WindowFromHandleValue(unsigned int value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(value)));
}
