// The saver in memory: the animation's table on memory surfaces, with the
// settings in an in-memory registry and the picture files in a map, in a
// simulated window that the tests and tools drive as the host drives the real
// one: the timer started before the set-up and kept only while the scene has
// something to show (TimerRuns), a paint asked for handled before the next
// tick. Like the real window, it reads the settings once, at creation.
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
#include "host/host_flags.h"
#include "settings/memory/memory_registry.h"
#include "settings/settings_store.h"

namespace tessalander {

struct SilentAlert final : Alert {
  void Show(const char*) override {}
};

class MemorySaver {
 public:
  // Without a desktop picture the display shows a test pattern.
  explicit MemorySaver(PixelSize screen, MemorySurface desktop = MemorySurface());
  // On several monitors, in screen coordinates, the primary first; the
  // desktop picture, or the test pattern, covers the virtual screen.
  explicit MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop = MemorySurface());

  void SetCode(const char* name, uint32_t code);
  void SetText(const char* name, const std::string& text);

  // WM_CREATE, and the paint it asks for.
  void Create();
  // 50 ms pass; WM_TIMER, when the timer runs; a paint, when one was asked for.
  void Tick();
  // A paint asked for from outside, as when the window was covered and
  // uncovered; it comes with the next tick.
  void Invalidate() { PaintAsked = true; }
  void Paint();
  void Destroy();
  // The displays go off, or come back on, as Windows Vista and later report
  // it to the full-screen saver.
  void SetDisplayOn(bool on);
  // The display changes to these monitors and this desktop picture; the
  // window sets its puzzles up again and moves over the new virtual screen,
  // as the real one does on WM_DISPLAYCHANGE.
  void ChangeDisplay(const std::vector<ScreenRect>& monitors, MemorySurface desktop = MemorySurface());

  // The window, as the animation's table is handed it.
  tessalander::Window Handle() { return reinterpret_cast<tessalander::Window>(this); }

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
  // The host's side of the window: its flags, its timer, a paint asked for,
  // the paints.
  HostFlags Flags;
  bool TimerOn = false;
  bool PaintAsked = false;
  int Paints = 0;

 private:
  // After a set-up or a new layout, as the host does it.
  void FollowScene();
};

// The animation on memory surfaces; the window it is handed is a MemorySaver,
// whose settings its set-up reads.
extern const Animation MemoryAnimation;

// The engine's surfaces as pixels, for tests and tools.
const MemorySurface& Pixels(Canvas canvas);

}  // namespace tessalander
