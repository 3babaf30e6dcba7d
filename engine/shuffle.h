// Scrambling: a random walk of the empty slot over the grid, recorded move by
// move so the solve can replay it backwards, then shown in one full paint.
#pragma once

#include <cstdint>

#include "engine/puzzle_engine.h"

// The walk needs two rows and two columns: in a single row or column the slot
// can reach a dead end, where every move is off the grid or undoes the last.
bool GridCanBeShuffled(const PuzzleEngine& engine);

// The walk alone, on PuzzleState: writes MoveHistory[0..ShuffleCount], moves
// the slot from where it stands and leaves MoveIndex naming the last move.
// Draws nothing and does not seed the random source. Only for a grid that
// GridCanBeShuffled accepts: on any other the search for a move never ends.
void WalkEmptySlot(PuzzleEngine& engine);

// Bring WorkSurface from the picture to the state the recorded walk (which
// started with the slot at startX, startY) leaves it in. Both return the
// number of block copies made. The move-by-move form copies once per move;
// the permutation form copies each cell at most once, plus one copy per
// closed cycle of blocks, which goes through the final slot's square.
int32_t CopyWalkMoveByMove(PuzzleEngine& engine, int32_t startX, int32_t startY);
int32_t CopyWalkAsPermutation(PuzzleEngine& engine, int32_t startX, int32_t startY);

// Seeds the random source with the calendar second, walks, scrambles
// WorkSurface, fills the final slot with FillBrush, paints the whole window
// and hands over to the solve. On a grid that cannot be shuffled it shows the
// picture whole and goes back to waiting. Returns 1.
int ShufflePuzzle(PuzzleEngine& engine, Window window);
