// The GUI entry of the .scr, where the program is put together: the host is
// given the animation it shows, the engine's scene of puzzles. The entry
// point (process_entry.cpp) has already run the static initialisers when it
// calls WinMain.
#include <windows.h>

#include "app/win32/saver_animation.h"
#include "host/command_line.h"
#include "host/win32/dispatch.h"

namespace tessalander {

namespace {

const char* NextCharacter(const char* p) { return CharNextA(p); }

[[noreturn]] void SaverEntry(const Animation& animation) {
  // The runtime's own view of the command line is ignored: the system's text is
  // read again so the program name is skipped by the same rules everywhere.
  const char* arguments = SkipProgramName(GetCommandLineA(), &NextCharacter);
  const int exitCode = DispatchCommandLine(GetModuleHandleA(nullptr), arguments, animation);
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace

}  // namespace tessalander

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tessalander::SaverEntry(tessalander::SaverAnimation);
}
