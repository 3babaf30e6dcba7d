// The frames of the solve: the sliding block and the strip of its origin cell
// that it has uncovered, and the completed picture once solved. Only the
// block and the strip are drawn; the rest of the window keeps what the
// shuffle's full paint and the earlier frames left there.
#pragma once

#include "engine/puzzle_engine.h"

// True while a block is on its way from its origin cell to the slot. False
// while waiting, on the restart tick, and between the shuffle and the first
// solving tick, when the offset is set but no move is.
bool IsMoveUnderWay(const PuzzleState& state);

// Handles a paint request: the solved picture, one slide frame, or nothing.
void PaintFrame(PuzzleEngine& engine, Window window);

// Draws the block at its current position and the uncovered strip as empty;
// a finished slide is also committed into WorkSurface. Returns 1.
int DrawSlideFrame(PuzzleEngine& engine, Canvas context);

// Shows the whole picture, the block missing since the shuffle included, and
// resets WorkSurface to it for the next shuffle. Returns 1.
int RestoreSolvedPicture(PuzzleEngine& engine, Canvas context);
