#include "engine/win32/puzzle_window_proc.h"

#include "engine/engine_messages.h"
#include "engine/win32/block_size.h"
#include "engine/win32/gdi_surface_layer.h"
#include "engine/win32/win32_window_services.h"
#include "host/win32/saver_default_proc.h"
#include "settings/win32/win32_registry.h"

namespace {

// The process's one engine, on GDI and the real settings. Made on first use,
// at WM_CREATE, when BlockSize's initialiser has long run.
PuzzleEngine& ProcessEngine() {
  static GdiSurfaceLayer surfaces;
  static Win32WindowServices services;
  static PuzzleEngine engine(surfaces, services, ProcessSettingsStore(), BlockSize);
  return engine;
}

}  // namespace

LRESULT PuzzleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DispatchEngineMessage(ProcessEngine(), AsWindow(window), message);
  return SaverDefaultProc(window, message, wParam, lParam);
}
