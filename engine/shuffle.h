// Scrambling: a random walk of the empty slot over the grid, recorded move by
// move so the solve can replay it backwards, then shown in one full paint.
#pragma once

#include <cstdint>

#include "engine/puzzle_engine.h"

namespace tessalander {

// The most cells a grid may have to be shuffled. A monitor has 8 columns of
// blocks, its block edge an eighth of its width, and seldom more rows; only a
// very tall monitor, or the preview's puzzle of the primary's size, comes
// near.
inline constexpr int32_t kMostShuffledCells = 8192;

// The walk needs two rows and two columns: in a single row or column the slot
// can reach a dead end, where every move is off the grid or undoes the last.
// The grid must also fit the shuffle's bookkeeping (kMostShuffledCells).
bool GridCanBeShuffled(const PuzzleEngine& engine);

// The walk alone, on PuzzleState: writes MoveHistory[0..ShuffleCount], moves
// the slot from where it stands and leaves MoveIndex naming the last move.
// Draws nothing and does not seed the random source. Only for a grid that
// GridCanBeShuffled accepts: on any other the search for a move never ends.
void WalkEmptySlot(PuzzleEngine& engine);

// Brings WorkSurface from the picture to the state the recorded walk (which
// started with the slot at startX, startY) leaves it in, and returns the
// number of block copies made: each cell at most once, plus one copy per
// closed cycle of blocks, which goes through the final slot's square. Moving
// the blocks move by move gives the same pixels with one copy per move.
int32_t CopyWalkAsPermutation(PuzzleEngine& engine, int32_t startX, int32_t startY);

// Seeds the random source with the calendar second plus the puzzle's
// SeedOffset, walks, scrambles WorkSurface, fills the final slot with FillBrush, paints the whole puzzle
// and hands over to the solve. On a grid that cannot be shuffled it shows the
// picture whole and goes back to waiting.
void ShufflePuzzle(PuzzleEngine& engine, Window window, int64_t calendarSeconds);

}  // namespace tessalander
