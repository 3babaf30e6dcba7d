// The puzzle's fixed geometry and the two tuning parameters chosen by the
// settings: blocks one eighth of the screen width on a side, how far a block
// moves per tick, and how many moves scramble the picture.
#pragma once

#include <cstdint>

namespace tessalander {

// The way the empty slot travelled while scrambling; the block that filled it
// travelled the opposite way. 0 is never recorded.
enum Direction : uint8_t {
  HoleUp = 1,
  HoleRight = 2,
  HoleDown = 3,
  HoleLeft = 4,
};

inline constexpr bool AreOpposite(int a, int b) {
  return (a == HoleUp && b == HoleDown) || (a == HoleDown && b == HoleUp) ||
         (a == HoleRight && b == HoleLeft) || (a == HoleLeft && b == HoleRight);
}

// Eight blocks across the monitor a puzzle plays on, as its width is read
// when the puzzle is set up, the height playing no part.
inline constexpr int32_t BlockSizeForScreenWidth(int32_t screenWidth) { return screenWidth / 8; }

// The first of 16, 20, 24, 28 that divides the block edge, else 8.
int32_t StepDivisor(int32_t blockSize);

// Pixels per tick for a `speed` code; unknown codes act as 2 (normal). At
// least 1 for any block of a pixel or more, so that every slide ends.
int32_t SlideStepFor(int32_t blockSize, int32_t speedCode);

// The scrambling parameter for a `shufflenum` code (ShuffleCount + 1 moves are
// made); unknown codes act as 2 (normal).
int32_t ShuffleCountFor(int32_t shuffleNumCode);

inline constexpr int32_t kLargestShuffleCount = 4095;

// The grid of whole cells on a screen; pixels right of the last column or
// below the last row belong to no cell.
struct Grid {
  int32_t columns;
  int32_t rows;
};

inline constexpr Grid GridFor(int32_t blockSize, int32_t screenWidth, int32_t screenHeight) {
  if (blockSize <= 0) return Grid{0, 0};
  return Grid{screenWidth / blockSize, screenHeight / blockSize};
}

}  // namespace tessalander
