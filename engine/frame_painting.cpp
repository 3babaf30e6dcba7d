#include "engine/frame_painting.h"

#include "engine/solve_animation.h"

namespace tessalander {

namespace {

// The empty slot's look: the black HoleTile over a dark desktop capture, the
// context's selected brush otherwise.
void DrawEmpty(PuzzleEngine& engine, Canvas context, int32_t x, int32_t y, int32_t width,
               int32_t height) {
  if (engine.ImageMode == ImageFromDesktopDark) {
    engine.Surfaces->Copy(context, x, y, width, height, engine.HoleTile, 0, 0);
  } else {
    engine.Surfaces->Fill(context, x, y, width, height);
  }
}

// True while a block is on its way from its origin cell to the slot. False
// while waiting, on the restart tick, and between the shuffle and the first
// solving tick, when the offset is set but no move is.
bool IsMoveUnderWay(const PuzzleState& s) {
  return (s.SlideOffsetX != 0 || s.SlideOffsetY != 0) && (s.OriginDeltaX != 0 || s.OriginDeltaY != 0);
}

// Along the way the block travels, the strip's length.
int32_t UncoveredLength(const PuzzleState& s) {
  return s.OriginDeltaY != 0 ? s.UncoveredHeight : s.UncoveredWidth;
}

// Draws the block at its current position and, as empty, the part of the
// uncovered strip that the window does not show empty yet: what the block
// left since the last tick that drew. The whole strip again would be as much
// as a second block to draw and to send to the screen.
void DrawSlideFrame(PuzzleEngine& engine, Canvas context) {
  PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  const int32_t originX = s.HoleX + s.OriginDeltaX;
  const int32_t originY = s.HoleY + s.OriginDeltaY;
  const int32_t blockX = originX + s.SlideOffsetX;
  const int32_t blockY = originY + s.SlideOffsetY;

  engine.Surfaces->Copy(context, engine.AreaLeft + blockX, engine.AreaTop + blockY, block, block,
                       engine.WorkSurface, originX, originY);

  // The strip lies at the side of the origin cell that the block left first:
  // its far edge for a block travelling up or left, its near corner otherwise.
  const int slid = s.MoveHistory[s.MoveIndex + 1];
  const bool backwards = slid == HoleUp || slid == HoleLeft;
  int32_t stripX = originX;
  int32_t stripY = originY;
  if (backwards) {
    stripX = s.HoleX + 2 * s.OriginDeltaX + s.SlideOffsetX;
    stripY = s.HoleY + 2 * s.OriginDeltaY + s.SlideOffsetY;
  }
  // The part already shown lies at the strip's end nearer the origin cell's
  // edge the block left from: its start for a block travelling right or
  // down, its end otherwise.
  int32_t width = s.UncoveredWidth;
  int32_t height = s.UncoveredHeight;
  const int32_t shown = s.UncoveredShown;
  if (s.OriginDeltaY != 0) {
    height -= shown;
    if (!backwards) stripY += shown;
  } else {
    width -= shown;
    if (!backwards) stripX += shown;
  }
  if (width > 0 && height > 0) {
    DrawEmpty(engine, context, engine.AreaLeft + stripX, engine.AreaTop + stripY, width, height);
  }
  s.UncoveredShown = UncoveredLength(s);
}

// Copies the block of a finished slide into its slot in WorkSurface.
void CommitFinishedSlide(PuzzleEngine& engine) {
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  if (!IsSlideFinished(s, block)) return;
  const int32_t originX = s.HoleX + s.OriginDeltaX;
  const int32_t originY = s.HoleY + s.OriginDeltaY;
  engine.Surfaces->Copy(engine.WorkSurface, originX + s.SlideOffsetX, originY + s.SlideOffsetY,
                       block, block, engine.WorkSurface, originX, originY);
}

// Ends the solve: draws the top-left two blocks by two of the picture, where
// the empty slot ended up (the rest of the window already shows the picture),
// and puts them back into WorkSurface, which then holds the whole picture for
// the next shuffle. Without a context only WorkSurface is restored.
void RestoreSolvedPicture(PuzzleEngine& engine, Canvas context) {
  const int32_t twoBlocks = 2 * engine.BlockSize;
  if (context != nullptr) {
    engine.Surfaces->Copy(context, engine.AreaLeft, engine.AreaTop, twoBlocks, twoBlocks,
                         engine.CornerPatch, 0, 0);
  }
  engine.Surfaces->Copy(engine.WorkSurface, 0, 0, twoBlocks, twoBlocks, engine.CornerPatch, 0, 0);
}

}  // namespace

void ShowTickFrame(PuzzleEngine& engine, Window window) {
  const PuzzleState& s = engine.State;
  const bool solved = s.MoveIndex < kLastMoveSliding;
  if (!solved && !IsMoveUnderWay(s)) return;
  Canvas context = engine.Services->WindowContext(window);
  if (solved) {
    RestoreSolvedPicture(engine, context);
  } else {
    if (context != nullptr) DrawSlideFrame(engine, context);
    CommitFinishedSlide(engine);
  }
  if (context != nullptr) engine.Services->ReleaseWindowContext(window, context);
}

void RepaintPuzzle(PuzzleEngine& engine, Canvas context) {
  if (!engine.Shown) return;
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  engine.Surfaces->Copy(context, engine.AreaLeft, engine.AreaTop, engine.ScreenWidth,
                       engine.ScreenHeight, engine.WorkSurface, 0, 0);
  // Solving, and a block between its origin cell and the slot: WorkSurface
  // still holds the block in its origin cell, and in the slot too once the
  // slide is committed.
  if (s.PhaseCounter != 1 || s.MoveIndex < kLastMoveSliding || !IsMoveUnderWay(s)) return;
  const int32_t originX = s.HoleX + s.OriginDeltaX;
  const int32_t originY = s.HoleY + s.OriginDeltaY;
  DrawEmpty(engine, context, engine.AreaLeft + s.HoleX, engine.AreaTop + s.HoleY, block, block);
  DrawEmpty(engine, context, engine.AreaLeft + originX, engine.AreaTop + originY, block, block);
  engine.Surfaces->Copy(context, engine.AreaLeft + originX + s.SlideOffsetX,
                       engine.AreaTop + originY + s.SlideOffsetY, block, block, engine.WorkSurface,
                       originX, originY);
}

}  // namespace tessalander
