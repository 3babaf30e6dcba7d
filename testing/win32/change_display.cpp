// Changes the primary display's resolution, as a user, a dock or a projector
// would, for a test of a program that must follow. Under Wine this works in
// a virtual desktop, whose size it then changes.
//
//   change_display.exe WIDTH HEIGHT     exit 0 when the change was made
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
  mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  const LONG result = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
  std::printf("ChangeDisplaySettingsExA: %ld; the screen is now %d x %d\n", result,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}
