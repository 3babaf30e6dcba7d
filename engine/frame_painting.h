// What the window shows of the puzzle. Each tick draws only what it changed,
// through the window's own drawing context: the sliding block and the strip
// of its origin cell that it has uncovered, or the corner of the completed
// picture once solved. A paint request (the window was covered and
// uncovered) draws the whole puzzle as it stands.
#pragma once

#include "engine/puzzle_engine.h"

namespace tessalander {

// Draws what this tick changed, if anything, and commits a finished slide
// into WorkSurface, even when no context can be had to draw with.
void ShowTickFrame(PuzzleEngine& engine, Window window);

// The whole puzzle as the ticks have drawn it, for a paint request: WorkSurface,
// and while a move is under way its slot and origin cell empty but for the
// block. Nothing before the first shuffle has shown it.
void RepaintPuzzle(PuzzleEngine& engine, Canvas context);

}  // namespace tessalander
