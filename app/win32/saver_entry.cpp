// The GUI entry of the .scr, where the program is put together: the host is
// given the animation it shows, the engine's scene of puzzles on GDI, set up
// with the settings read from the registry. The entry point
// (process_entry.cpp) has already run the static initialisers when it calls
// WinMain.
#include <windows.h>

#include "engine/scene.h"
#include "engine/win32/gdi_surface_layer.h"
#include "engine/win32/win32_window_services.h"
#include "host/command_line.h"
#include "host/win32/dispatch.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

// One window per process, and so one scene: the back-ends hold no state of
// their own.
GdiSurfaceLayer Surfaces;
Win32WindowServices Services;
PuzzleScene TheScene(Surfaces, Services);

Scene* SetUp(Window window) {
  // The settings are read here, once: a change takes effect at the next start.
  SetUpScene(TheScene, ReadSaverSettings(ProcessSettingsStore()), window);
  return &TheScene;
}

const Animation PuzzleAnimation = {&SetUp, &TickScene, &PaintScene, &RelayoutScene, &TearDownScene};

const char* NextCharacter(const char* p) { return CharNextA(p); }

[[noreturn]] void SaverEntry() {
  // The runtime's own view of the command line is ignored: the system's text is
  // read again so the program name is skipped by the same rules everywhere.
  const char* arguments = SkipProgramName(GetCommandLineA(), &NextCharacter);
  const int exitCode = DispatchCommandLine(GetModuleHandleA(nullptr), arguments, PuzzleAnimation);
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace

}  // namespace tessalander

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { tessalander::SaverEntry(); }
