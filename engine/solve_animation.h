// The timer tick: wait, scramble, slide the blocks back one by one in the
// reverse order of the scrambling moves, rest on the whole picture, repeat.
#pragma once

#include "engine/puzzle_engine.h"

namespace tessalander {

// End-of-solve values of MoveIndex.
inline constexpr int32_t kLastMoveSliding = -1;
inline constexpr int32_t kSolved = -2;

// The sliding block has reached the slot.
bool IsSlideFinished(const PuzzleState& state, int32_t blockSize);

// Whether the next tick ends the waiting phase and shuffles.
bool ShufflesNextTick(const PuzzleEngine& engine);

// One tick. Shuffles when a waiting phase ends, seeded from calendarSeconds
// (the clock as this tick read it); while solving, advances the slide or
// starts undoing the next recorded move and draws what changed. The waiting
// ticks draw nothing. A puzzle whose set-up failed does nothing.
void AdvanceAnimation(PuzzleEngine& engine, Window window, int64_t calendarSeconds);

// Puts WorkSurface back to the whole picture at once, in any phase: while
// solving, every block still out of place is moved home, the one on its way
// included, and the corner the slot hid is put back. Nothing is drawn. For a
// puzzle that is set up again on a changed display.
void RestorePicture(PuzzleEngine& engine);

}  // namespace tessalander
