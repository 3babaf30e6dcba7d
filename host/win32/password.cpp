#include "host/win32/password.h"

#include "host/password_policy.h"
#include "host/win32/host_state.h"
#include "common/win32/library_function.h"
#include "host/win32/win32_saver_platform.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

Win32SystemServices& System() {
  static Win32SystemServices system;
  return system;
}

}  // namespace

void SetSaverRunning(int state) { SetSaverRunning(Host, System(), state); }

void LoadPasswordVerifier() {
  static Win32Registry registry;
  LoadPasswordVerifier(Host, registry, System());
}

void UnloadPasswordVerifier() { UnloadPasswordVerifier(Host, System()); }

void ChangePassword(HWND owner) {
  const HMODULE library = LoadLibraryA(kChangeLibraryName);
  if (library == nullptr) return;
  using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
  const auto change = LibraryFunction<PwdChangePasswordFn>(library, kChangeFunctionName);
  if (change != nullptr) change(kPasswordProvider, owner, 0, nullptr);
  FreeLibrary(library);
}

}  // namespace tessalander
