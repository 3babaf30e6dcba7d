// One puzzle: its state, the rectangle of the window it plays in, its
// surfaces, and the back-ends it draws and ticks with. The saver window's
// scene holds one per monitor (PuzzleScene, scene.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/random_source.h"
#include "engine/surface_layer.h"
#include "engine/window_services.h"

namespace tessalander {

inline constexpr char kDefaultPictureName[] = "TessalanderImage.bmp";
// The longest full path of a picture file, its terminating NUL included.
inline constexpr size_t kPictureNameSize = 256;

// Where the picture came from, and so how the empty slot is painted.
enum ImageModeValue : uint8_t {
  ImageFromFile = 0,
  ImageFromDesktop = 1,         // empty slot in the window's default (white) brush
  ImageFromDesktopDark = 2,     // empty slot copied from the black HoleTile
};

struct PuzzleEngine {
  // The back-ends it draws and ticks with, the scene's.
  SurfaceLayer* Surfaces = nullptr;
  WindowServices* Services = nullptr;

  // One eighth of its monitor's width, as read when the puzzle is set up.
  int32_t BlockSize = 0;
  // The rectangle the puzzle plays in: its top-left corner in the window's
  // coordinates, and its monitor's size (the screen's, on one monitor).
  // Everything but the window is drawn in the puzzle's own coordinates, from
  // (0, 0).
  int32_t AreaLeft = 0;
  int32_t AreaTop = 0;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  // Its monitor in screen coordinates.
  ScreenRect Monitor;
  // Added to the calendar second that seeds each shuffle: the puzzle's place
  // among the window's (the primary's 0), so that equal monitors differ.
  uint32_t SeedOffset = 0;

  PuzzleState State;
  RandomSource Random;

  Canvas SourceSurface = nullptr;  // a desktop capture, during SetUpPuzzle only
  Canvas WorkSurface = nullptr;    // the puzzle as shown
  // The picture's top-left two blocks by two, which the end of each solve
  // puts back.
  Canvas CornerPatch = nullptr;
  Canvas HoleTile = nullptr;       // black, only in ImageFromDesktopDark
  // Set by the first shuffle: until then the window keeps its black.
  bool Shown = false;
  uint8_t ImageMode = ImageFromFile;
  Brush FillBrush = Brush::White;
};

// Whether set-up made every surface the puzzle plays with. A puzzle without
// them neither ticks nor draws: its window stays as the class's brush left it.
bool IsPuzzleReady(const PuzzleEngine& engine);

}  // namespace tessalander
