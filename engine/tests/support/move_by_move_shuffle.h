// The plain way to scramble WorkSurface: replay the recorded walk move by
// move, one block copy per move. The saver copies each displaced cell once
// instead (CopyWalkAsPermutation); the tests hold its pixels against this,
// and the benchmark its time.
#pragma once

#include <cstdint>

#include "engine/puzzle_engine.h"

namespace tessalander {

// Brings WorkSurface to what the recorded walk, which started with the slot
// at startX, startY, leaves it; returns the number of block copies made.
int32_t CopyWalkMoveByMove(PuzzleEngine& engine, int32_t startX, int32_t startY);

}  // namespace tessalander
