#include "host/win32/dispatch.h"

#include "host/command_line.h"
#include "host/win32/host_state.h"
#include "host/win32/password.h"
#include "host/win32/saver_window.h"
#include "resources/resource_ids.h"
#include "settings/win32/configure_hook.h"

namespace tessalander {

namespace {

// Windows 95/98/ME report VER_PLATFORM_WIN32_WINDOWS; a failed call counts as NT.
int DetectWindows9x() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;  // 148
  if (!GetVersionExA(&version)) return 0;
  return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

LPTOP_LEVEL_EXCEPTION_FILTER PreviousFilter = nullptr;

// A crash anywhere below the dispatch must not leave Windows 95/98/ME
// believing that a saver still runs. The system's own unhandled-exception
// handling then goes on as it would have.
LONG WINAPI RestoreSaverStateOnCrash(EXCEPTION_POINTERS* pointers) {
  SetSaverRunning(0);
  return PreviousFilter != nullptr ? PreviousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
}

// The host's own configure dialog: it answers everything and never ends, but
// no template IDD_HOST_CONFIG exists, so DialogBoxParamA fails at once with -1.
INT_PTR CALLBACK HostConfigureDialogProc(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

HWND OwnerOrForeground(unsigned int handle) {
  const HWND named = WindowFromHandleValue(handle);
  return handle != 0 && IsWindow(named) ? named : GetForegroundWindow();
}

}  // namespace

int DispatchCommandLine(HINSTANCE instance, const char* arguments, const Animation& animation) {
  InstanceHandle = instance;
  Host.IsWindows9x = DetectWindows9x();
  PreviousFilter = SetUnhandledExceptionFilter(&RestoreSaverStateOnCrash);

  const DispatchChoice choice = ChooseSaverMode(arguments, Host.IsWindows9x != 0);
  switch (choice.mode) {
    case SaverMode::Saver:
      return RunSaverWindow(nullptr, animation);
    case SaverMode::Preview:
      return RunPreview(choice.window, animation);
    case SaverMode::Configure:
      return RunConfigure(choice.foregroundFallback ? OwnerOrForeground(choice.window) : nullptr);
    case SaverMode::ChangePassword:
      return RunChangePassword(choice.window);
    case SaverMode::None:
      break;
  }
  return -1;
}

int RunPreview(unsigned int parentHandle, const Animation& animation) {
  const HWND parent = WindowFromHandleValue(parentHandle);
  if (parentHandle == 0 || !IsWindow(parent)) return -1;
  return RunSaverWindow(parent, animation);
}

int RunConfigure(HWND owner) {
  if (!ConfigureHook(InstanceHandle)) return 0;
  return static_cast<int>(
      DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_HOST_CONFIG), owner, &HostConfigureDialogProc, 0));
}

int RunChangePassword(unsigned int ownerHandle) {
  ChangePassword(OwnerOrForeground(ownerHandle));
  return 0;
}

}  // namespace tessalander
