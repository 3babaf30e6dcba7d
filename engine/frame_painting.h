// The frames of the solve: the sliding block and the strip of its origin cell
// that it has uncovered, and the completed picture once solved. Only the
// block and the strip are drawn; the rest of the window keeps what the
// shuffle's full paint and the earlier frames left there.
#pragma once

#include "engine/puzzle_engine.h"

namespace tessalander {

// True while a block is on its way from its origin cell to the slot. False
// while waiting, on the restart tick, and between the shuffle and the first
// solving tick, when the offset is set but no move is.
bool IsMoveUnderWay(const PuzzleState& state);

// Handles a paint request: the solved picture, one slide frame, or nothing;
// the window is validated in every case.
void PaintFrame(PuzzleEngine& engine, Window window);

// Draws the block at its current position and the uncovered strip as empty;
// a finished slide is also committed into WorkSurface.
void DrawSlideFrame(PuzzleEngine& engine, Canvas context);

// Ends the solve: draws the top-left two blocks by two of the picture, where
// the empty slot ended up (the rest of the window already shows the picture),
// and resets WorkSurface to the whole picture for the next shuffle.
void RestoreSolvedPicture(PuzzleEngine& engine, Canvas context);

}  // namespace tessalander
