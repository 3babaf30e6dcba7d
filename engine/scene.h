// Everything the window shows: a puzzle on each monitor, each with its own
// block size, grid, picture, seed and phase, driven by the window's one
// timer. Parts of the window outside every monitor are never drawn on, so
// they keep the class brush's black. With one monitor the scene is exactly
// the one puzzle it always was. The functions that take a Scene are the
// animation's moments as the host calls them (common/animation.h).
#pragma once

#include "common/animation.h"
#include "engine/puzzle_areas.h"
#include "engine/puzzle_engine.h"
#include "settings/saver_settings.h"

namespace tessalander {

struct PuzzleScene : Scene {
  PuzzleScene(SurfaceLayer& surfaces, WindowServices& services);

  SurfaceLayer* Surfaces;
  WindowServices* Services;
  // As read when the window was made: they stay in force for the window's life.
  SaverSettings Settings;
  // One per area, the primary's first; a puzzle whose surfaces cannot be had
  // leaves its monitor black.
  PuzzleEngine Puzzles[kMostMonitors];
  int Count = 0;
  // The window it was set up in, whose context holds its palette on a
  // display of 256 colours.
  Window Shown = nullptr;
};

// WM_CREATE: reads the picture file once for all, gives the window's context
// its palette (ChoosePalette, engine/palette.h: on a display of 256 colours),
// sets up a puzzle in each of the window's areas, the one at index i seeded
// i seconds later than the primary, and animates when any of them is ready.
void SetUpScene(PuzzleScene& scene, const SaverSettings& settings, Window window);

// WM_TIMER: ticks every puzzle. When any of them shuffles, the clock is read
// once for all, so that puzzles that shuffle in the same tick share the
// second; on the other ticks it is not read at all.
void TickScene(Scene* scene, Window window);

// WM_PAINT: every ready puzzle redrawn whole on the paint's context.
void PaintScene(Scene* scene, Canvas context);

// After the display changed (monitors came, went or changed size), before the
// window moves to `place`, the new virtual screen: sets a puzzle up again on
// each monitor, with the settings of the start, each block edge following
// its monitor's new width. A monitor the window already covers keeps the
// picture its puzzle showed, since a capture would copy the saver itself
// (repeated from its corner or cut at its edges where the size changed);
// the others are captured before the window covers them.
// Every puzzle starts over with a shuffle at the next tick.
void RelayoutScene(Scene* scene, Window window, ScreenRect place);

// WM_DESTROY: releases every puzzle's surfaces, then the window's palette.
void TearDownScene(Scene* scene);

}  // namespace tessalander
