#include "engine/puzzle_scene.h"

#include "engine/animation.h"
#include "engine/frame_painting.h"
#include "engine/geometry.h"
#include "engine/scene.h"

namespace tessalander {

void SetUpPuzzleScene(PuzzleScene& scene, const SaverSettings& settings, Window window) {
  const std::vector<PuzzleArea> areas = scene.Services.PuzzleAreas(window);
  bool anyReady = false;
  for (size_t i = 0; i < areas.size(); ++i) {
    if (i == scene.Puzzles.size()) {
      const int32_t width = areas[i].monitor.right - areas[i].monitor.left;
      scene.Puzzles.emplace_back(scene.Surfaces, scene.Services, BlockSizeForScreenWidth(width));
    }
    PuzzleEngine& puzzle = scene.Puzzles[i];
    puzzle.SeedOffset = static_cast<uint32_t>(i);
    SetUpScene(puzzle, settings, window, areas[i]);
    anyReady = anyReady || IsSceneReady(puzzle);
  }
  if (!anyReady) return;
  scene.Services.SetTimer(window, kAnimationTimerId, kAnimationPeriodMs);
  scene.Services.Invalidate(window);
}

void TickPuzzleScene(PuzzleScene& scene, Window window) {
  const int64_t seconds = scene.Services.CalendarSeconds();
  for (PuzzleEngine& puzzle : scene.Puzzles) AdvanceAnimation(puzzle, window, seconds);
}

void PaintPuzzleScene(PuzzleScene& scene, Window window) {
  Canvas context = scene.Services.BeginPaint(window);
  if (context != nullptr) {
    for (PuzzleEngine& puzzle : scene.Puzzles) {
      if (IsSceneReady(puzzle)) RepaintPuzzle(puzzle, context);
    }
  }
  scene.Services.EndPaint(window, context);
}

void TearDownPuzzleScene(PuzzleScene& scene, Window window) {
  scene.Services.KillTimer(window, kAnimationTimerId);
  for (PuzzleEngine& puzzle : scene.Puzzles) TearDownScene(puzzle);
  scene.Services.PostQuit();
}

}  // namespace tessalander
