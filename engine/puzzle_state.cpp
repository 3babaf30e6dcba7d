#include "engine/puzzle_state.h"

int ComputePuzzleParameters(PuzzleState& state, int32_t blockSize, SettingsStore& store) {
  const int speed = ReadSettingCode(store, kSpeed, kNoCode);
  const int shuffleNum = ReadSettingCode(store, kShuffleNum, kNoCode);
  state.SlideStep = SlideStepFor(blockSize, speed);
  state.ShuffleCount = ShuffleCountFor(shuffleNum);
  return 1;
}
