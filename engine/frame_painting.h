// What the window shows of the puzzle. Each tick draws only what it changed,
// through the window's own drawing context: the sliding block and the strip
// of its origin cell that it has uncovered, or the corner of the completed
// picture once solved. A paint request (the window was covered and
// uncovered) draws the whole puzzle as it stands.
#pragma once

#include "engine/puzzle_engine.h"

namespace tessalander {

// True while a block is on its way from its origin cell to the slot. False
// while waiting, on the restart tick, and between the shuffle and the first
// solving tick, when the offset is set but no move is.
bool IsMoveUnderWay(const PuzzleState& state);

// Draws what this tick changed, if anything, and commits a finished slide
// into WorkSurface, even when no context can be had to draw with.
void ShowTickFrame(PuzzleEngine& engine, Window window);

// The whole puzzle as the ticks have drawn it, for a paint request: WorkSurface,
// and while a move is under way its slot and origin cell empty but for the
// block. Nothing before the first shuffle has shown it.
void RepaintPuzzle(PuzzleEngine& engine, Canvas context);

// Draws the block at its current position and the uncovered strip as empty.
void DrawSlideFrame(PuzzleEngine& engine, Canvas context);

// Copies the block of a finished slide into its slot in WorkSurface.
void CommitFinishedSlide(PuzzleEngine& engine);

// Ends the solve: draws the top-left two blocks by two of the picture, where
// the empty slot ended up (the rest of the window already shows the picture),
// and puts them back into WorkSurface, which then holds the whole picture for
// the next shuffle. Without a context only WorkSurface is restored.
void RestoreSolvedPicture(PuzzleEngine& engine, Canvas context);

}  // namespace tessalander
