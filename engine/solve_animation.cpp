#include "engine/solve_animation.h"

#include <cstdlib>

#include "engine/frame_painting.h"
#include "engine/shuffle.h"

namespace tessalander {

namespace {

// Undoing a move slides the block on the side opposite to the way the slot
// went; its origin cell lies there, and it travels towards the slot.
struct Undo {
  int32_t sign;          // of SlideStep
  int32_t originDeltaX;  // in blocks
  int32_t originDeltaY;
  bool vertical;
};

constexpr Undo UndoFor(int direction) {
  switch (direction) {
    case HoleUp:
      return {-1, 0, 1, true};
    case HoleRight:
      return {1, -1, 0, false};
    case HoleDown:
      return {1, 0, -1, true};
    default:
      return {-1, 1, 0, false};
  }
}

// Adds one step and stops at exactly one block, so that a step which does not
// divide the block still lands the block in the slot.
int32_t Advance(int32_t offset, int32_t step, int32_t blockSize) {
  const int32_t next = offset + step;
  if (next > blockSize) return blockSize;
  if (next < -blockSize) return -blockSize;
  return next;
}

void StartNextMove(PuzzleEngine& engine) {
  PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  s.HoleX += s.OriginDeltaX;
  s.HoleY += s.OriginDeltaY;
  s.SlideOffsetX = s.SlideOffsetY = 0;
  s.OriginDeltaX = s.OriginDeltaY = 0;
  s.UncoveredShown = 0;
  if (s.MoveIndex >= 0) {
    const Undo undo = UndoFor(s.MoveHistory[s.MoveIndex]);
    if ((s.SlideStep < 0) != (undo.sign < 0)) s.SlideStep = -s.SlideStep;
    s.OriginDeltaX = undo.originDeltaX * block;
    s.OriginDeltaY = undo.originDeltaY * block;
    if (undo.vertical) {
      s.UncoveredWidth = block;
      s.SlideOffsetY = Advance(s.SlideOffsetY, s.SlideStep, block);
    } else {
      s.UncoveredHeight = block;
      s.SlideOffsetX = Advance(s.SlideOffsetX, s.SlideStep, block);
    }
  }
  --s.MoveIndex;
}

void Restart(PuzzleState& s) {
  s.MoveIndex = 0;
  s.HoleX = s.HoleY = 0;
  s.SlideOffsetX = s.SlideOffsetY = 0;
  s.OriginDeltaX = s.OriginDeltaY = 0;
  s.PhaseCounter = 0;
}

void MoveBlock(PuzzleEngine& engine, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  const int32_t block = engine.BlockSize;
  engine.Surfaces->Copy(engine.WorkSurface, toX, toY, block, block, engine.WorkSurface, fromX, fromY);
}

}  // namespace

void RestorePicture(PuzzleEngine& engine) {
  if (!IsPuzzleReady(engine)) return;
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  // Waiting, the picture is whole already; once solved, the end of the solve
  // has put the corner back.
  if (s.PhaseCounter != 1 || s.MoveIndex < kLastMoveSliding) return;
  int32_t holeX = s.HoleX;
  int32_t holeY = s.HoleY;
  if (s.OriginDeltaX != 0 || s.OriginDeltaY != 0) {
    // A move under way: its block reaches WorkSurface's slot only when the
    // slide has finished.
    const int32_t originX = s.HoleX + s.OriginDeltaX;
    const int32_t originY = s.HoleY + s.OriginDeltaY;
    if (!IsSlideFinished(s, block)) MoveBlock(engine, originX, originY, holeX, holeY);
    holeX = originX;
    holeY = originY;
  }
  for (int32_t i = s.MoveIndex; i >= 0; --i) {
    const Undo undo = UndoFor(s.MoveHistory[i]);
    const int32_t originX = holeX + undo.originDeltaX * block;
    const int32_t originY = holeY + undo.originDeltaY * block;
    MoveBlock(engine, originX, originY, holeX, holeY);
    holeX = originX;
    holeY = originY;
  }
  const int32_t twoBlocks = 2 * block;
  engine.Surfaces->Copy(engine.WorkSurface, 0, 0, twoBlocks, twoBlocks, engine.CornerPatch, 0, 0);
}

bool IsSlideFinished(const PuzzleState& s, int32_t blockSize) {
  return s.SlideOffsetX >= blockSize || s.SlideOffsetX <= -blockSize ||
         s.SlideOffsetY >= blockSize || s.SlideOffsetY <= -blockSize;
}

bool ShufflesNextTick(const PuzzleEngine& engine) {
  const PuzzleState& s = engine.State;
  return IsPuzzleReady(engine) && s.PhaseCounter <= 0 && s.PhaseCounter - 1 <= s.PauseThreshold;
}

void AdvanceAnimation(PuzzleEngine& engine, Window window, int64_t calendarSeconds) {
  if (!IsPuzzleReady(engine)) return;
  PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;

  if (s.PhaseCounter <= 0) {
    // The one rule for a shuffle, so the clock is read exactly when it is used.
    const bool shuffles = ShufflesNextTick(engine);
    --s.PhaseCounter;
    if (shuffles) ShufflePuzzle(engine, window, calendarSeconds);
    return;
  }

  if (IsSlideFinished(s, block)) StartNextMove(engine);

  if (s.SlideOffsetX != 0) {
    s.SlideOffsetX = Advance(s.SlideOffsetX, s.SlideStep, block);
    s.UncoveredWidth = std::abs(s.SlideOffsetX);
  } else if (s.SlideOffsetY != 0) {
    s.SlideOffsetY = Advance(s.SlideOffsetY, s.SlideStep, block);
    s.UncoveredHeight = std::abs(s.SlideOffsetY);
  }

  if (s.MoveIndex == kLastMoveSliding && IsSlideFinished(s, block)) {
    s.MoveIndex = kSolved;
  } else if (s.MoveIndex < kSolved) {
    Restart(s);
  }
  ShowTickFrame(engine, window);
}

}  // namespace tessalander
