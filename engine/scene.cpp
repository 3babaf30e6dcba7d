#include "engine/scene.h"

#include "engine/frame_painting.h"
#include "engine/palette.h"
#include "engine/puzzle_setup.h"
#include "engine/solve_animation.h"

namespace tessalander {

namespace {

// The window's own context keeps the palette from one use to the next (its
// class gives it one of its own).
void UseWindowPalette(PuzzleScene& scene, Window window, PaletteKind kind, bool background) {
  const Canvas context = scene.Services->WindowContext(window);
  if (context == nullptr) return;
  scene.Surfaces->UsePalette(context, kind, background);
  scene.Services->ReleaseWindowContext(window, context);
}

// A monitor the window covers, and the picture that stands in for its capture.
struct CoveredMonitor {
  bool covered = false;
  KeptPicture picture;
};

PuzzleEngine FreshPuzzle(const PuzzleScene& scene) {
  PuzzleEngine puzzle;
  puzzle.Surfaces = scene.Surfaces;
  puzzle.Services = scene.Services;
  return puzzle;
}

// Sets up a fresh puzzle in each area, the one at index i seeded i seconds
// later than the primary; kept, when given, holds what stands in for each
// covered area's desktop capture. The scene animates when any is ready.
void SetUpPuzzles(PuzzleScene& scene, Window window, const PuzzleAreaList& areas,
                  CoveredMonitor* kept) {
  ScenePicture picture = LoadScenePicture(*scene.Surfaces, scene.Settings);
  // Before any surface is made on the window's context and before the
  // display is captured.
  const PaletteUse palette =
      ChoosePalette(picture.picture != nullptr, scene.Services->IsChildWindow(window));
  UseWindowPalette(scene, window, palette.kind, palette.background);
  scene.Animates = false;
  scene.Count = areas.count;
  for (int i = 0; i < areas.count; ++i) {
    PuzzleEngine& puzzle = scene.Puzzles[i];
    puzzle = FreshPuzzle(scene);
    puzzle.SeedOffset = static_cast<uint32_t>(i);
    KeptPicture* stand = kept != nullptr && kept[i].covered ? &kept[i].picture : nullptr;
    picture.lastUse = i == areas.count - 1;
    SetUpPuzzle(puzzle, scene.Settings, window, areas.area[i], picture, stand);
    scene.Animates = scene.Animates || IsPuzzleReady(puzzle);
  }
  ReleaseScenePicture(*scene.Surfaces, picture);
}

PuzzleScene& PuzzlesOf(Scene* scene) { return *static_cast<PuzzleScene*>(scene); }

int64_t SharedPixels(const ScreenRect& a, const ScreenRect& b) {
  const ScreenRect r = Intersection(a, b);
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  return int64_t{r.right - r.left} * (r.bottom - r.top);
}

}  // namespace

PuzzleScene::PuzzleScene(SurfaceLayer& surfaces, WindowServices& services)
    : Surfaces(&surfaces), Services(&services) {
  for (PuzzleEngine& puzzle : Puzzles) puzzle = FreshPuzzle(*this);
}

void SetUpScene(PuzzleScene& scene, const SaverSettings& settings, Window window) {
  scene.Settings = settings;
  scene.Shown = window;
  SetUpPuzzles(scene, window, scene.Services->PuzzleAreas(window), nullptr);
}

void RelayoutScene(Scene* animation, Window window, ScreenRect place) {
  PuzzleScene& scene = PuzzlesOf(animation);
  const ScreenRect covered = scene.Services->WindowRect(window);
  PuzzleAreaList areas = scene.Services->PuzzleAreas(window);
  for (int i = 0; i < areas.count; ++i) {
    areas.area[i].left = areas.area[i].monitor.left - place.left;
    areas.area[i].top = areas.area[i].monitor.top - place.top;
  }

  // What each old puzzle's monitor showed, whole again, when it came from
  // the desktop; a picture file is simply loaded again.
  Canvas shown[kMostMonitors] = {};
  ScreenRect shownOn[kMostMonitors] = {};
  const int oldCount = scene.Count;
  for (int i = 0; i < oldCount; ++i) {
    PuzzleEngine& old = scene.Puzzles[i];
    shownOn[i] = old.Monitor;
    if (IsPuzzleReady(old) && old.ImageMode != ImageFromFile) {
      RestorePicture(old);
      shown[i] = old.WorkSurface;
      old.WorkSurface = nullptr;
    }
    TearDownPuzzle(old);
  }

  // Each covered monitor takes the picture of the old monitor it shares the
  // most pixels with.
  CoveredMonitor kept[kMostMonitors] = {};
  for (int i = 0; i < areas.count; ++i) {
    if (SharedPixels(areas.area[i].monitor, covered) == 0) continue;
    kept[i].covered = true;
    int best = -1;
    int64_t bestShared = 0;
    for (int j = 0; j < oldCount; ++j) {
      const int64_t shared = SharedPixels(areas.area[i].monitor, shownOn[j]);
      if (shown[j] != nullptr && shared > bestShared) {
        best = j;
        bestShared = shared;
      }
    }
    if (best >= 0) {
      kept[i].picture.surface = shown[best];
      shown[best] = nullptr;
    }
  }
  SetUpPuzzles(scene, window, areas, kept);

  // Whatever no puzzle took over.
  for (int i = 0; i < oldCount; ++i) {
    if (shown[i] != nullptr) scene.Surfaces->ReleaseSurface(shown[i]);
  }
  for (int i = 0; i < areas.count; ++i) {
    if (kept[i].picture.surface != nullptr) scene.Surfaces->ReleaseSurface(kept[i].picture.surface);
  }
}

void TickScene(Scene* animation, Window window) {
  PuzzleScene& scene = PuzzlesOf(animation);
  // Only a shuffle needs the clock, and under Wine each reading of it looks
  // at the system's time zone file: most ticks do without.
  bool shuffles = false;
  for (int i = 0; i < scene.Count; ++i) shuffles = shuffles || ShufflesNextTick(scene.Puzzles[i]);
  const int64_t seconds = shuffles ? scene.Services->CalendarSeconds() : 0;
  for (int i = 0; i < scene.Count; ++i) AdvanceAnimation(scene.Puzzles[i], window, seconds);
}

void PaintScene(Scene* animation, Canvas context) {
  PuzzleScene& scene = PuzzlesOf(animation);
  for (int i = 0; i < scene.Count; ++i) {
    if (IsPuzzleReady(scene.Puzzles[i])) RepaintPuzzle(scene.Puzzles[i], context);
  }
}

void TearDownScene(Scene* animation) {
  PuzzleScene& scene = PuzzlesOf(animation);
  for (int i = 0; i < scene.Count; ++i) TearDownPuzzle(scene.Puzzles[i]);
  // No surface holds the palette any more.
  if (scene.Shown != nullptr) UseWindowPalette(scene, scene.Shown, PaletteKind::Default, false);
}

}  // namespace tessalander
