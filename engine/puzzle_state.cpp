#include "engine/puzzle_state.h"

namespace tessalander {

void ComputePuzzleParameters(PuzzleState& state, int32_t blockSize, const SaverSettings& settings) {
  state.SlideStep = SlideStepFor(blockSize, settings.Speed);
  state.ShuffleCount = ShuffleCountFor(settings.ShuffleNum);
}

}  // namespace tessalander
