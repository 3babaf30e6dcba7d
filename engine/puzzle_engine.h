// One engine instance: the puzzle's state, the screen it plays on, its
// surfaces and the services it draws and ticks with. The .scr owns one for
// the whole process; tests and tools build as many fresh ones as they like.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/random_source.h"
#include "engine/surface_layer.h"
#include "engine/window_services.h"
#include "settings/settings_store.h"

inline constexpr uint32_t kAnimationTimerId = 101;
inline constexpr uint32_t kAnimationPeriodMs = 50;
inline constexpr char kDefaultPictureName[] = "TessalanderImage.bmp";
inline constexpr size_t kPictureNameSize = 256;

// Where the picture came from, and so how the empty slot is painted.
enum ImageModeValue : uint8_t {
  ImageFromFile = 0,
  ImageFromDesktop = 1,         // empty slot in the window's default (white) brush
  ImageFromDesktopDark = 2,     // empty slot copied from the black HoleTile
};

// How the shuffle brings WorkSurface to the scrambled picture. Both give the
// same pixels; the permutation copies each displaced cell once, plus one copy
// per closed cycle of blocks, the move-by-move walk once per move (up to 4096
// copies in one tick).
enum class ShuffleCopies : uint8_t { Permutation, MoveByMove };

struct PuzzleEngine {
  PuzzleEngine(SurfaceLayer& surfaceLayer, WindowServices& windowServices, SettingsStore& settings,
               int32_t blockSize)
      : Surfaces(surfaceLayer), Services(windowServices), Store(settings), BlockSize(blockSize) {}

  SurfaceLayer& Surfaces;
  WindowServices& Services;
  SettingsStore& Store;

  // One eighth of the primary screen's width, fixed at process start.
  const int32_t BlockSize;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;

  PuzzleState State;
  RandomSource Random;

  Canvas SourceSurface = nullptr;    // during SetUpScene only
  Canvas WorkSurface = nullptr;      // the puzzle as shown
  Canvas PristineSurface = nullptr;  // the solved picture
  Canvas HoleTile = nullptr;         // black, only in ImageFromDesktopDark
  uint8_t ImageMode = ImageFromFile;
  Brush FillBrush = Brush::White;
  char PictureName[kPictureNameSize] = {};

  ShuffleCopies Copies = ShuffleCopies::Permutation;
};
