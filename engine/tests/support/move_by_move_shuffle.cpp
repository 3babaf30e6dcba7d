#include "engine/tests/support/move_by_move_shuffle.h"

namespace tessalander {

int32_t CopyWalkMoveByMove(PuzzleEngine& engine, int32_t startX, int32_t startY) {
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  int32_t holeX = startX;
  int32_t holeY = startY;
  for (int32_t i = 0; i <= s.MoveIndex; ++i) {
    const int direction = s.MoveHistory[i];
    const int32_t nextX = holeX + (direction == HoleRight ? block : direction == HoleLeft ? -block : 0);
    const int32_t nextY = holeY + (direction == HoleDown ? block : direction == HoleUp ? -block : 0);
    engine.Surfaces->Copy(engine.WorkSurface, holeX, holeY, block, block, engine.WorkSurface, nextX,
                         nextY);
    holeX = nextX;
    holeY = nextY;
  }
  return s.MoveIndex + 1;
}

}  // namespace tessalander
