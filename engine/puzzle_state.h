// The engine's one state record, shared by the shuffle, the solve animation,
// frame painting and puzzle set-up. Each engine instance owns one, so tests can
// build as many fresh engines as they like.
#pragma once

#include <cstdint>

#include "engine/geometry.h"
#include "settings/saver_settings.h"

namespace tessalander {

inline constexpr int kMoveHistorySize = 4096;

struct PuzzleState {
  // Top-left corner of the empty slot; multiples of BlockSize inside the grid.
  int32_t HoleX = 0;
  int32_t HoleY = 0;
  // Displacement of the sliding block from its origin cell; at most one is
  // non-zero and its sign is the direction of travel.
  int32_t SlideOffsetX = 0;
  int32_t SlideOffsetY = 0;
  // The sliding block's origin cell relative to the slot: -BlockSize, 0 or
  // +BlockSize; at most one is non-zero.
  int32_t OriginDeltaX = 0;
  int32_t OriginDeltaY = 0;
  // The strip of the origin cell the block has already left.
  int32_t UncoveredWidth = 0;
  int32_t UncoveredHeight = 0;
  // How much of that strip, along the way the block travels, the window
  // already shows empty: a tick draws only the rest.
  int32_t UncoveredShown = 0;
  // Magnitude from `speed`; the sign is set for each move.
  int32_t SlideStep = 0;
  // From `shufflenum`; the shuffle makes ShuffleCount + 1 moves.
  int32_t ShuffleCount = 0;
  // Entry i is the (i + 1)-th scrambling move.
  uint8_t MoveHistory[kMoveHistorySize] = {};
  // Next entry to write while scrambling, next to undo while solving; -1, -2
  // and -3 are the end-of-solve states.
  int32_t MoveIndex = 0;
  // 1 while solving; 0 or below while waiting, counted down once per tick.
  int32_t PhaseCounter = 150;
  // Waiting ends when PhaseCounter reaches this value or goes below it.
  int32_t PauseThreshold = 0;
};

// Sets SlideStep and ShuffleCount from `speed` and `shufflenum`.
void ComputePuzzleParameters(PuzzleState& state, int32_t blockSize, const SaverSettings& settings);

}  // namespace tessalander
