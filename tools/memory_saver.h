// A whole saver in memory: settings in an in-memory registry, picture files
// in a map, surfaces as pixel buffers and a simulated window, driven the way
// the message loop drives the real one, with any paint a tick asked for
// handled before the next tick. Like the real window, it reads the settings once, at
// creation.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/memory/memory_surface_layer.h"
#include "engine/memory/memory_window.h"
#include "engine/puzzle_engine.h"
#include "engine/scene.h"
#include "settings/memory/memory_registry.h"
#include "settings/settings_store.h"

namespace tessalander {

struct SilentAlert final : Alert {
  void Show(const char*) override {}
};

class MemorySaver {
 public:
  // The block edge follows the screen's width unless blockSize is given, as
  // when the screen changed between process start and window creation.
  // Without a desktop picture the display shows a test pattern.
  explicit MemorySaver(PixelSize screen, MemorySurface desktop = MemorySurface(),
                       int32_t blockSize = -1);
  // On several monitors, in screen coordinates, the primary first; the
  // desktop picture, or the test pattern, covers the virtual screen.
  explicit MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop = MemorySurface());

  void SetCode(const char* name, uint32_t code);
  void SetText(const char* name, const std::string& text);

  // WM_CREATE, and the paint it asks for.
  void Create();
  // 50 ms pass; WM_TIMER; its paint, if it asked for one.
  void Tick();
  void Paint();
  void Destroy();
  // The display changes to these monitors and this desktop picture; the
  // window sets its puzzles up again and moves over the new virtual screen,
  // as the real one does on WM_DISPLAYCHANGE.
  void ChangeDisplay(const std::vector<ScreenRect>& monitors, MemorySurface desktop = MemorySurface());

  // The picture files the saver can read; Reader looks them up here unless a
  // test or tool replaces it (ReadDiskFile reads the real disk).
  std::map<std::string, std::vector<uint8_t>> Files;
  FileReader Reader;
  MemoryRegistry Registry;
  SilentAlert Alerts;
  SettingsStore Store{Registry, Alerts};
  MemoryWindow Window;
  std::unique_ptr<MemorySurfaceLayer> Surfaces;
  PuzzleScene Scene;
  // The primary's puzzle, the only one on one monitor.
  PuzzleEngine& Engine;
  int64_t Ticks = 0;

 private:
  MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop, int32_t blockSize);
};

// The engine's surfaces as pixels, for tests and tools.
const MemorySurface& Pixels(Canvas canvas);

}  // namespace tessalander
