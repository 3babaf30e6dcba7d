#include "host/win32/password.h"

#include "host/win32/host_state.h"
#include "host/win32/library_function.h"

void SetSaverRunning(int state) {
  if (!IsWindows9x) return;
  BOOL previous = FALSE;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(state), &previous, 0);
}

void LoadPasswordVerifier() {}

void UnloadPasswordVerifier() {}

void ChangePassword(HWND owner) {
  const HMODULE library = LoadLibraryA("MPR.DLL");
  if (library == nullptr) return;
  using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
  const auto change = LibraryFunction<PwdChangePasswordFn>(library, "PwdChangePasswordA");
  if (change != nullptr) change("SCRSAVE", owner, 0, nullptr);
  FreeLibrary(library);
}
