#include "engine/scene.h"

#include <cstdlib>
#include <new>

#include "engine/solve_animation.h"
#include "engine/frame_painting.h"
#include "engine/geometry.h"
#include "engine/puzzle_setup.h"

namespace tessalander {

namespace {

// A monitor the window covers, and the picture that stands in for its capture.
struct CoveredMonitor {
  bool covered = false;
  KeptPicture picture;
};

// A puzzle for a monitor other than the primary; nullptr without memory.
PuzzleEngine* MakePuzzle(PuzzleScene& scene, const PuzzleArea& area) {
  void* memory = std::malloc(sizeof(PuzzleEngine));
  if (memory == nullptr) return nullptr;
  const int32_t width = area.monitor.right - area.monitor.left;
  return new (memory) PuzzleEngine(scene.Surfaces, scene.Services, BlockSizeForScreenWidth(width));
}

void FreePuzzle(PuzzleEngine* puzzle) {
  puzzle->~PuzzleEngine();
  std::free(puzzle);
}

// Starts the timer and sets up a puzzle in each area, the one at index i
// seeded i seconds later than the primary; kept, when given, holds what
// stands in for each covered area's desktop capture. When none is ready, stops the
// timer again.
void SetUpPuzzles(PuzzleScene& scene, Window window, const PuzzleAreaList& areas,
                  CoveredMonitor* kept) {
  // The timer runs from the start, so that loading a large picture counts
  // towards the wait for the first tick instead of coming before all of it.
  scene.Services.SetTimer(window, kAnimationTimerId, kAnimationPeriodMs);
  ScenePicture picture = LoadScenePicture(scene.Surfaces, scene.Settings);
  bool anyReady = false;
  for (int i = 0; i < areas.count; ++i) {
    if (i == scene.Count) {
      scene.Puzzles[i] = MakePuzzle(scene, areas.area[i]);
      if (scene.Puzzles[i] == nullptr) break;
      ++scene.Count;
    }
    PuzzleEngine& puzzle = *scene.Puzzles[i];
    puzzle.SeedOffset = static_cast<uint32_t>(i);
    KeptPicture* stand = kept != nullptr && kept[i].covered ? &kept[i].picture : nullptr;
    picture.lastUse = i == areas.count - 1;
    SetUpPuzzle(puzzle, scene.Settings, window, areas.area[i], picture, stand);
    anyReady = anyReady || IsPuzzleReady(puzzle);
  }
  ReleaseScenePicture(scene.Surfaces, picture);
  if (!anyReady) {
    scene.Services.KillTimer(window, kAnimationTimerId);
    return;
  }
  scene.Services.Invalidate(window);
}

int64_t SharedPixels(const ScreenRect& a, const ScreenRect& b) {
  const ScreenRect r = Intersection(a, b);
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  return int64_t{r.right - r.left} * (r.bottom - r.top);
}

}  // namespace

PuzzleScene::PuzzleScene(SurfaceLayer& surfaces, WindowServices& services, int32_t primaryBlockSize)
    : Surfaces(surfaces), Services(services), Primary(surfaces, services, primaryBlockSize) {
  Puzzles[0] = &Primary;
}

PuzzleScene::~PuzzleScene() {
  for (int i = 1; i < Count; ++i) FreePuzzle(Puzzles[i]);
}

void SetUpScene(PuzzleScene& scene, const SaverSettings& settings, Window window) {
  scene.Settings = settings;
  SetUpPuzzles(scene, window, scene.Services.PuzzleAreas(window), nullptr);
}

void RelayoutScene(PuzzleScene& scene, Window window, ScreenRect place) {
  const ScreenRect covered = scene.Services.WindowRect(window);
  PuzzleAreaList areas = scene.Services.PuzzleAreas(window);
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
    PuzzleEngine& old = *scene.Puzzles[i];
    shownOn[i] = old.Monitor;
    if (IsPuzzleReady(old) && old.ImageMode != ImageFromFile) {
      RestorePicture(old);
      shown[i] = old.WorkSurface;
      old.WorkSurface = nullptr;
    }
    TearDownPuzzle(old);
  }
  for (int i = 1; i < oldCount; ++i) FreePuzzle(scene.Puzzles[i]);
  scene.Count = 1;
  // A new primary, whose block edge follows its monitor's new width.
  const ScreenRect& primary = areas.area[0].monitor;
  scene.Primary.~PuzzleEngine();
  scene.Puzzles[0] = new (&scene.Primary) PuzzleEngine(
      scene.Surfaces, scene.Services, BlockSizeForScreenWidth(primary.right - primary.left));

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
    if (shown[i] != nullptr) scene.Surfaces.ReleaseSurface(shown[i]);
  }
  for (int i = 0; i < areas.count; ++i) {
    if (kept[i].picture.surface != nullptr) scene.Surfaces.ReleaseSurface(kept[i].picture.surface);
  }
}

void TickScene(PuzzleScene& scene, Window window) {
  // Only a shuffle needs the clock, and under Wine each reading of it looks
  // at the system's time zone file: most ticks do without.
  bool shuffles = false;
  for (int i = 0; i < scene.Count; ++i) shuffles = shuffles || ShufflesNextTick(*scene.Puzzles[i]);
  const int64_t seconds = shuffles ? scene.Services.CalendarSeconds() : 0;
  for (int i = 0; i < scene.Count; ++i) AdvanceAnimation(*scene.Puzzles[i], window, seconds);
}

void PaintScene(PuzzleScene& scene, Window window) {
  Canvas context = scene.Services.BeginPaint(window);
  if (context != nullptr) {
    for (int i = 0; i < scene.Count; ++i) {
      if (IsPuzzleReady(*scene.Puzzles[i])) RepaintPuzzle(*scene.Puzzles[i], context);
    }
  }
  scene.Services.EndPaint(window, context);
}

void TearDownScene(PuzzleScene& scene, Window window) {
  scene.Services.KillTimer(window, kAnimationTimerId);
  for (int i = 0; i < scene.Count; ++i) TearDownPuzzle(*scene.Puzzles[i]);
  scene.Services.PostQuit();
}

}  // namespace tessalander
