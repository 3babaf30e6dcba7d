#include "engine/frame_painting.h"

#include "engine/animation.h"

namespace tessalander {

bool IsMoveUnderWay(const PuzzleState& s) {
  return (s.SlideOffsetX != 0 || s.SlideOffsetY != 0) && (s.OriginDeltaX != 0 || s.OriginDeltaY != 0);
}

void PaintFrame(PuzzleEngine& engine, Window window) {
  Canvas context = engine.Services.BeginPaint(window);
  if (context == nullptr || !IsSceneReady(engine)) {
    // Nothing to draw with or from.
  } else if (engine.State.MoveIndex < kLastMoveSliding) {
    RestoreSolvedPicture(engine, context);
  } else if (IsMoveUnderWay(engine.State)) {
    DrawSlideFrame(engine, context);
  }
  engine.Services.EndPaint(window, context);
}

void DrawSlideFrame(PuzzleEngine& engine, Canvas context) {
  const PuzzleState& s = engine.State;
  SurfaceLayer& surfaces = engine.Surfaces;
  const int32_t block = engine.BlockSize;
  const int32_t originX = s.HoleX + s.OriginDeltaX;
  const int32_t originY = s.HoleY + s.OriginDeltaY;
  const int32_t blockX = originX + s.SlideOffsetX;
  const int32_t blockY = originY + s.SlideOffsetY;

  surfaces.Copy(context, engine.AreaLeft + blockX, engine.AreaTop + blockY, block, block,
                engine.WorkSurface, originX, originY);

  // The strip lies at the side of the origin cell that the block left first:
  // its far edge for a block travelling up or left, its near corner otherwise.
  const int slid = s.MoveHistory[s.MoveIndex + 1];
  int32_t stripX = originX;
  int32_t stripY = originY;
  if (slid == HoleUp || slid == HoleLeft) {
    stripX = s.HoleX + 2 * s.OriginDeltaX + s.SlideOffsetX;
    stripY = s.HoleY + 2 * s.OriginDeltaY + s.SlideOffsetY;
  }
  stripX += engine.AreaLeft;
  stripY += engine.AreaTop;
  if (engine.ImageMode == ImageFromDesktopDark) {
    surfaces.Copy(context, stripX, stripY, s.UncoveredWidth, s.UncoveredHeight, engine.HoleTile, 0, 0);
  } else {
    surfaces.Fill(context, stripX, stripY, s.UncoveredWidth, s.UncoveredHeight);
  }

  if (IsSlideFinished(s, block)) {
    surfaces.Copy(engine.WorkSurface, blockX, blockY, block, block, engine.WorkSurface, originX,
                  originY);
  }
}

void RestoreSolvedPicture(PuzzleEngine& engine, Canvas context) {
  const int32_t twoBlocks = 2 * engine.BlockSize;
  engine.Surfaces.Copy(context, engine.AreaLeft, engine.AreaTop, twoBlocks, twoBlocks,
                       engine.PristineSurface, 0, 0);
  engine.Surfaces.Copy(engine.WorkSurface, 0, 0, engine.ScreenWidth, engine.ScreenHeight,
                       engine.PristineSurface, 0, 0);
}

}  // namespace tessalander
