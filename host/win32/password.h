// The system's screen-saver password on Windows 95/98/ME. On the NT family
// every operation here does nothing.
#pragma once

#include <windows.h>

// Tells the system that a saver runs (1) or no longer runs (0).
void SetSaverRunning(int state);
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
// Runs the system's change-password dialog for screen savers, when present.
void ChangePassword(HWND owner);
