#include "host/password_policy.h"

namespace tessalander {

void SetSaverRunning(const HostFlags& flags, SystemServices& system, int state) {
  if (!flags.IsWindows9x) return;
  system.SetScreenSaverRunning(state);
}

void LoadPasswordVerifier(HostFlags& flags, Registry& registry, SystemServices& system) {
  if (!flags.IsWindows9x) return;
  if (flags.PasswordLibrary != nullptr) UnloadPasswordVerifier(flags, system);

  RegKey key = nullptr;
  if (registry.OpenKey(kDesktopKeyPath, RegAccess::Read, &key) != kRegOk) return;
  // Read as 4 bytes whatever the type; shorter data leaves the rest zero.
  uint32_t usePassword = 0;
  uint32_t size = sizeof usePassword;
  const RegStatus status = registry.QueryValue(key, kUsePasswordValue, &usePassword, &size);
  if (status == kRegOk && usePassword != 0) {
    flags.PasswordLibrary = system.LoadLibraryByName(kPasswordLibraryName);
    if (flags.PasswordLibrary != nullptr) {
      flags.Verifier = system.FindFunction(flags.PasswordLibrary, kVerifierName);
      if (flags.Verifier != nullptr) {
        SetSaverRunning(flags, system, 1);
      } else {
        UnloadPasswordVerifier(flags, system);
      }
    }
  }
  registry.CloseKey(key);
}

void UnloadPasswordVerifier(HostFlags& flags, SystemServices& system) {
  if (!flags.IsWindows9x || flags.PasswordLibrary == nullptr) return;
  system.FreeLibraryHandle(flags.PasswordLibrary);
  flags.PasswordLibrary = nullptr;
  if (flags.Verifier != nullptr) {
    flags.Verifier = nullptr;
    SetSaverRunning(flags, system, 0);
  }
}

bool WithinVerifyRepeatInterval(const HostFlags& flags, uint32_t now) {
  return flags.VerifyHasRun && now - flags.LastVerifyTick < VerifyRepeatInterval;
}

int VerifyPasswordOnClose(HostFlags& flags, SaverPlatform& platform) {
  if (flags.VerifyInProgress || flags.CloseApproved) return 0;
  if (flags.Verifier == nullptr) {
    flags.CloseApproved = 1;
    return 1;
  }
  if (WithinVerifyRepeatInterval(flags, platform.TickCount())) return flags.CloseApproved;

  flags.VerifyInProgress = 1;
  // The ticks waiting now would only run the animation under the dialog's
  // first frame; each call drops at most one.
  platform.DropPendingTick();
  platform.DropPendingTick();
  const intptr_t result = platform.SendVerifyRequest();
  // Any nonzero answer approves, whatever its width.
  flags.CloseApproved = result != 0 ? 1 : 0;
  flags.VerifyInProgress = 0;
  // The dialog showed the cursor; the saver hides it again.
  if (!flags.CloseApproved) platform.HideCursor();
  flags.LastVerifyTick = platform.TickCount();
  flags.VerifyHasRun = true;
  return flags.CloseApproved;
}

}  // namespace tessalander
