// The system's screen-saver password on Windows 95/98/ME: loading the
// verifier when the user asked for a password, telling the system that a
// saver runs, and deciding at each close request whether the close may go
// ahead. On the NT family every operation here does nothing.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/saver_platform.h"
#include "settings/registry.h"

namespace tessalander {

inline constexpr char kDesktopKeyPath[] = "Control Panel\\Desktop";
inline constexpr char kUsePasswordValue[] = "ScreenSaveUsePassword";
inline constexpr char kPasswordLibraryName[] = "PASSWORD.CPL";
inline constexpr char kVerifierName[] = "VerifyScreenSavePwd";
inline constexpr char kChangeLibraryName[] = "MPR.DLL";
inline constexpr char kChangeFunctionName[] = "PwdChangePasswordA";
inline constexpr char kPasswordProvider[] = "SCRSAVE";

// How long after a verifier dialog a new close request is refused unasked, so
// closes queued by the same burst of input do not ask again.
inline constexpr uint32_t VerifyRepeatInterval = 200;

// Loading libraries by name and the system's saver-running state.
struct SystemServices {
  virtual LibraryHandle LoadLibraryByName(const char* name) = 0;
  virtual LibraryProc FindFunction(LibraryHandle library, const char* name) = 0;
  virtual void FreeLibraryHandle(LibraryHandle library) = 0;
  // SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, state, &scratch, 0).
  virtual void SetScreenSaverRunning(int state) = 0;

 protected:
  ~SystemServices() = default;
};

// Tells the system that a saver runs (1) or no longer runs (0); only on
// Windows 95/98/ME.
void SetSaverRunning(const HostFlags& flags, SystemServices& system, int state);

// Loads "PASSWORD.CPL" and its verifier when the user's desktop settings ask
// for a password, and then tells the system that a saver runs.
void LoadPasswordVerifier(HostFlags& flags, Registry& registry, SystemServices& system);

// Frees the verifier's library; the system hears that the saver stopped when a
// verifier was loaded.
void UnloadPasswordVerifier(HostFlags& flags, SystemServices& system);

// True while a close request made at `now` falls within the repeat interval
// of the last verifier dialog; the tick difference is taken modulo 2^32.
bool WithinVerifyRepeatInterval(const HostFlags& flags, uint32_t now);

// Nonzero when a WM_CLOSE may go ahead: always without a verifier, otherwise
// when the verifier's dialog accepts the password. A request that arrives
// while the dialog is up, or within 200 ms after it, is refused unasked.
int VerifyPasswordOnClose(HostFlags& flags, SaverPlatform& platform);

}  // namespace tessalander
