// Everything the window shows: a puzzle on each monitor, each with its own
// block size, grid, picture, seed and phase, driven by the window's one
// timer. Parts of the window outside every monitor are never drawn on, so
// they keep the class brush's black. With one monitor the scene is exactly
// the one puzzle it always was.
#pragma once

#include <cstdint>

#include "engine/puzzle_areas.h"
#include "engine/puzzle_engine.h"
#include "settings/saver_settings.h"

namespace tessalander {

struct PuzzleScene {
  // The primary's puzzle exists from the start, with the block size fixed at
  // process start; set-up adds one for every other monitor.
  PuzzleScene(SurfaceLayer& surfaces, WindowServices& services, int32_t primaryBlockSize);
  // Frees the other monitors' puzzles (their surfaces go at tear-down).
  ~PuzzleScene();
  PuzzleScene(const PuzzleScene&) = delete;
  PuzzleScene& operator=(const PuzzleScene&) = delete;

  SurfaceLayer& Surfaces;
  WindowServices& Services;
  // As read when the window was made: they stay in force for the window's life.
  SaverSettings Settings;
  PuzzleEngine Primary;
  // Puzzles[0] is Primary; the others, one per further area, live on the
  // heap (malloc: the Windows build has no throwing allocator). A monitor
  // whose puzzle cannot be had stays black.
  PuzzleEngine* Puzzles[kMostMonitors] = {};
  int Count = 1;
};

// WM_CREATE: starts the timer, reads the picture file once for all, sets up a
// puzzle in each of the window's areas, the one at index i seeded i seconds
// later than the primary, and
// asks for the first paint; when none of them is ready, stops the timer again.
void SetUpScene(PuzzleScene& scene, const SaverSettings& settings, Window window);

// After the display changed (monitors came, went or changed size), before the
// window moves to `place`, the new virtual screen: sets a puzzle up again on
// each monitor, with the settings of the start, the primary's block size
// following its new width. A monitor the window already covers keeps the
// picture its puzzle showed, since a capture would copy the saver itself
// (repeated from its corner or cut at its edges where the size changed);
// the others are captured before the window covers them.
// Every puzzle starts over with a shuffle at the next tick.
void RelayoutScene(PuzzleScene& scene, Window window, ScreenRect place);

// WM_TIMER: ticks every puzzle. When any of them shuffles, the clock is read
// once for all, so that puzzles that shuffle in the same tick share the
// second; on the other ticks it is not read at all.
void TickScene(PuzzleScene& scene, Window window);

// WM_PAINT: every ready puzzle redrawn whole in one paint.
void PaintScene(PuzzleScene& scene, Window window);

// WM_DESTROY: stops the timer, releases every puzzle's surfaces and ends the
// message loop.
void TearDownScene(PuzzleScene& scene, Window window);

}  // namespace tessalander
