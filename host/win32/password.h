// The system's screen-saver password on Windows 95/98/ME, over the process's
// host state. On the NT family every operation here does nothing.
#pragma once

#include <windows.h>

namespace tessalander {

// Tells the system that a saver runs (1) or no longer runs (0).
void SetSaverRunning(int state);
// Loads "PASSWORD.CPL"'s verifier when "Control Panel\Desktop" asks for a
// password; the close policy then asks it before any close.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
// Runs the system's change-password dialog for screen savers, when present.
void ChangePassword(HWND owner);

}  // namespace tessalander
