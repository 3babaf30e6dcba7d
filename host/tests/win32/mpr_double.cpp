// A stand-in for the system's "MPR.DLL": PwdChangePasswordA records the
// arguments it was called with and the owner window's title.
#include <windows.h>

#include "host/tests/win32/test_double_log.h"

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner,
                                                                DWORD flags, LPVOID reserved) {
  char title[128] = "";
  GetWindowTextA(owner, title, sizeof title);
  LogLine("change provider=%s owner=%u owner_title=%s flags=%lu reserved=%p",
          provider != nullptr ? provider : "(null)", HandleValue(owner), title,
          static_cast<unsigned long>(flags), reserved);
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LogLine("mpr.dll loaded");
  if (reason == DLL_PROCESS_DETACH) LogLine("mpr.dll freed");
  return TRUE;
}
