#include "engine/geometry.h"

#include <initializer_list>

#include "settings/saver_settings.h"

namespace tessalander {

int32_t StepDivisor(int32_t blockSize) {
  for (int32_t divisor : {16, 20, 24, 28}) {
    if (blockSize % divisor == 0) return divisor;
  }
  return 8;
}

int32_t SlideStepFor(int32_t blockSize, int32_t speedCode) {
  int32_t step = 0;
  switch (speedCode) {
    case kSpeedSlow:
      step = blockSize / StepDivisor(blockSize);
      break;
    case kSpeedFast:
      step = blockSize / 4;
      break;
    case kSpeedFastest:
      step = blockSize / 2;
      break;
    default:
      step = 2 * (blockSize / StepDivisor(blockSize));
      break;
  }
  // Blocks under 8 pixels (screens under 64 wide) would get a step of 0 and
  // never reach the slot: the solve would freeze on its first move.
  return step == 0 && blockSize > 0 ? 1 : step;
}

int32_t ShuffleCountFor(int32_t shuffleNumCode) {
  switch (shuffleNumCode) {
    case kShuffleFew:
      return 130;
    case kShuffleMany:
      return 512;
    case kShuffleMost:
      return kLargestShuffleCount;
    default:
      return 200;
  }
}

}  // namespace tessalander
