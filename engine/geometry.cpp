#include "engine/geometry.h"

#include <initializer_list>

int32_t StepDivisor(int32_t blockSize) {
  for (int32_t divisor : {16, 20, 24, 28}) {
    if (blockSize % divisor == 0) return divisor;
  }
  return 8;
}

int32_t SlideStepFor(int32_t blockSize, int32_t speedCode) {
  switch (speedCode) {
    case 1:
      return blockSize / StepDivisor(blockSize);
    case 3:
      return blockSize / 4;
    case 4:
      return blockSize / 2;
    default:
      return 2 * (blockSize / StepDivisor(blockSize));
  }
}

int32_t ShuffleCountFor(int32_t shuffleNumCode) {
  switch (shuffleNumCode) {
    case 1:
      return 130;
    case 3:
      return 512;
    case 4:
      return kLargestShuffleCount;
    default:
      return 200;
  }
}
