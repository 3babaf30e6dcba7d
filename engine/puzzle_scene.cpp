#include "engine/puzzle_scene.h"

#include <cstdlib>
#include <new>

#include "engine/animation.h"
#include "engine/frame_painting.h"
#include "engine/geometry.h"
#include "engine/scene.h"

namespace tessalander {

namespace {

// A puzzle for a monitor other than the primary; nullptr without memory.
PuzzleEngine* MakePuzzle(PuzzleScene& scene, const PuzzleArea& area) {
  void* memory = std::malloc(sizeof(PuzzleEngine));
  if (memory == nullptr) return nullptr;
  const int32_t width = area.monitor.right - area.monitor.left;
  return new (memory) PuzzleEngine(scene.Surfaces, scene.Services, BlockSizeForScreenWidth(width));
}

}  // namespace

PuzzleScene::PuzzleScene(SurfaceLayer& surfaces, WindowServices& services, int32_t primaryBlockSize)
    : Surfaces(surfaces), Services(services), Primary(surfaces, services, primaryBlockSize) {
  Puzzles[0] = &Primary;
}

PuzzleScene::~PuzzleScene() {
  for (int i = 1; i < Count; ++i) {
    Puzzles[i]->~PuzzleEngine();
    std::free(Puzzles[i]);
  }
}

void SetUpPuzzleScene(PuzzleScene& scene, const SaverSettings& settings, Window window) {
  // The timer runs from the start, so that loading a large picture counts
  // towards the wait for the first tick instead of coming before all of it.
  scene.Services.SetTimer(window, kAnimationTimerId, kAnimationPeriodMs);
  const PuzzleAreaList areas = scene.Services.PuzzleAreas(window);
  ScenePicture picture = LoadScenePicture(scene.Surfaces, settings);
  bool anyReady = false;
  for (int i = 0; i < areas.count; ++i) {
    if (i == scene.Count) {
      scene.Puzzles[i] = MakePuzzle(scene, areas.area[i]);
      if (scene.Puzzles[i] == nullptr) break;
      ++scene.Count;
    }
    PuzzleEngine& puzzle = *scene.Puzzles[i];
    puzzle.SeedOffset = static_cast<uint32_t>(i);
    picture.lastUse = i == areas.count - 1;
    SetUpScene(puzzle, settings, window, areas.area[i], picture);
    anyReady = anyReady || IsSceneReady(puzzle);
  }
  ReleaseScenePicture(scene.Surfaces, picture);
  if (!anyReady) {
    scene.Services.KillTimer(window, kAnimationTimerId);
    return;
  }
  scene.Services.Invalidate(window);
}

void TickPuzzleScene(PuzzleScene& scene, Window window) {
  // Only a shuffle needs the clock, and under Wine each reading of it looks
  // at the system's time zone file: most ticks do without.
  bool shuffles = false;
  for (int i = 0; i < scene.Count; ++i) shuffles = shuffles || ShufflesNextTick(*scene.Puzzles[i]);
  const int64_t seconds = shuffles ? scene.Services.CalendarSeconds() : 0;
  for (int i = 0; i < scene.Count; ++i) AdvanceAnimation(*scene.Puzzles[i], window, seconds);
}

void PaintPuzzleScene(PuzzleScene& scene, Window window) {
  Canvas context = scene.Services.BeginPaint(window);
  if (context != nullptr) {
    for (int i = 0; i < scene.Count; ++i) {
      if (IsSceneReady(*scene.Puzzles[i])) RepaintPuzzle(*scene.Puzzles[i], context);
    }
  }
  scene.Services.EndPaint(window, context);
}

void TearDownPuzzleScene(PuzzleScene& scene, Window window) {
  scene.Services.KillTimer(window, kAnimationTimerId);
  for (int i = 0; i < scene.Count; ++i) TearDownScene(*scene.Puzzles[i]);
  scene.Services.PostQuit();
}

}  // namespace tessalander
